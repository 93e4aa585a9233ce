#include "display/piece_set_install.h"

#include <filesystem>
#include <system_error>

#include "display/figurines.h"
#include "display/piece_set.h"

namespace ravelin::display {

namespace {

template <typename Names>
PieceSetInstallResult InstallMissing(const Names& names, const std::string& shippedDirectory,
                                     const std::string& workingDirectory) {
    namespace fs = std::filesystem;
    PieceSetInstallResult result;
    for (const auto& name : names) {
        fs::path target = fs::path(workingDirectory) / name;
        std::error_code error;
        if (fs::exists(target, error)) {
            continue;
        }
        fs::path source = fs::path(shippedDirectory) / name;
        // skip_existing: a file the user puts there meanwhile is still not overwritten.
        if (fs::copy_file(source, target, fs::copy_options::skip_existing, error) && !error) {
            result.installed.emplace_back(name);
        } else {
            result.failed.emplace_back(name);
        }
    }
    return result;
}

}  // namespace

PieceSetInstallResult InstallPieceSets(const std::string& shippedDirectory,
                                       const std::string& workingDirectory) {
    return InstallMissing(AllPieceSetFileNames(), shippedDirectory, workingDirectory);
}

PieceSetInstallResult InstallFigurines(const std::string& shippedDirectory,
                                       const std::string& workingDirectory) {
    return InstallMissing(AllFigurineFileNames(), shippedDirectory, workingDirectory);
}

}  // namespace ravelin::display
