#include "platform/working_paths.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace ravelin::platform {

std::string DefaultWorkingDirectory(const char* xdgDataHome, const char* home) {
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/') {
        return std::string(xdgDataHome) + "/ravelin";
    }
    if (home != nullptr && home[0] != '\0') {
        return std::string(home) + "/.local/share/ravelin";
    }
    return "ravelin";
}

std::string EnsureDirectory(const std::string& directory) {
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error) {
        return error.message();
    }
    if (!std::filesystem::is_directory(directory, error)) {
        return "not a directory";
    }
    return {};
}

std::string FindShippedDataDirectory(const std::string& executablePath, const char* dataDirVariable) {
    const std::filesystem::path beside =
        std::filesystem::path(executablePath).parent_path().parent_path() / "share" / "ravelin";
    std::error_code error;
    if (std::filesystem::is_directory(beside, error)) {
        return beside.string();
    }
    if (dataDirVariable != nullptr && dataDirVariable[0] != '\0') {
        return dataDirVariable;
    }
    return beside.string();
}

std::string ShippedDataDirectory() {
    // The program's own file, with every link resolved: a link to it elsewhere (in ~/bin, say)
    // still finds the data of the installation it belongs to.
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return FindShippedDataDirectory(error ? std::string() : self.string(), std::getenv("RAVELIN_DATA_DIR"));
}

std::string TakeWorkingDirectoryOption(int& argc, char** argv) {
    std::string chosen;
    int out = 1;
    for (int in = 1; in < argc; ++in) {
        std::string_view arg = argv[in];
        if (arg == "--workdir" && in + 1 < argc) {
            chosen = argv[++in];
            continue;
        }
        if (arg.starts_with("--workdir=")) {
            chosen = std::string(arg.substr(std::strlen("--workdir=")));
            continue;
        }
        argv[out++] = argv[in];
    }
    argc = out;
    argv[argc] = nullptr;
    if (chosen.empty()) {
        chosen = DefaultWorkingDirectory(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    }
    while (chosen.size() > 1 && chosen.back() == '/') {
        chosen.pop_back();
    }
    return chosen;
}

}  // namespace ravelin::platform
