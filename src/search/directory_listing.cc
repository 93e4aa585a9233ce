#include "search/directory_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "platform/text_case.h"

namespace ravelin::search {

namespace {

constexpr std::string_view kPgnExtension = ".pgn";

bool EndsWithPgn(std::string_view fileName) {
    if (fileName.size() <= kPgnExtension.size()) {
        return false;
    }
    return platform::EndsWithIgnoringCase(fileName, kPgnExtension);
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::string JoinPath(const std::string& directory, std::string_view name) {
    if (directory.empty()) {
        return std::string(name);
    }
    if (directory.back() == '/') {
        return directory + std::string(name);
    }
    return directory + "/" + std::string(name);
}

void SortNamesIgnoringCase(std::vector<ListedFile>& files) {
    auto folded = [](const std::string& name) {
        std::string lower(name);
        std::transform(lower.begin(), lower.end(), lower.begin(), platform::AsciiLower);
        return lower;
    };
    std::sort(files.begin(), files.end(), [&folded](const ListedFile& a, const ListedFile& b) {
        // Names equal but for case keep a fixed order: byte order.
        return std::pair(folded(a.name), a.name) < std::pair(folded(b.name), b.name);
    });
}

std::vector<ListedFile> ListPgnFiles(const std::string& directory) {
    std::vector<ListedFile> files;
    DIR* dir = ::opendir(directory.empty() ? "." : directory.c_str());
    if (dir == nullptr) {
        return files;
    }
    std::size_t bytes = 0;
    while (files.size() < kMaxListedFiles) {
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr) {
            break;
        }
        const std::string_view fileName(entry->d_name);
        if (!EndsWithPgn(fileName) || !IsRegularFile(JoinPath(directory, fileName))) {
            continue;
        }
        const std::string_view name = fileName.substr(0, fileName.size() - kPgnExtension.size());
        if (bytes + name.size() + 1 > kListedNamesBytes) {
            break;
        }
        bytes += name.size() + 1;
        files.push_back(ListedFile{std::string(name), std::string(fileName)});
    }
    ::closedir(dir);
    SortNamesIgnoringCase(files);
    return files;
}

bool NameTooLongToSearch(std::string_view name) {
    return name.size() > kMaxSearchableNameLength;
}

std::string FilenameTooLongMessage(std::string_view name) {
    std::string text(kFilenameTooLong);
    text.replace(text.find("%s"), 2, name);
    return text;
}

std::string FindPgnFile(const std::string& directory, std::string_view name) {
    const std::string exact = JoinPath(directory, std::string(name) + std::string(kPgnExtension));
    if (IsRegularFile(exact)) {
        return exact;
    }
    DIR* dir = ::opendir(directory.empty() ? "." : directory.c_str());
    if (dir == nullptr) {
        return {};
    }
    std::string found;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view fileName(entry->d_name);
        if (EndsWithPgn(fileName) && fileName.size() == name.size() + kPgnExtension.size() &&
            fileName.substr(0, name.size()) == name && IsRegularFile(JoinPath(directory, fileName))) {
            found = JoinPath(directory, fileName);
            break;
        }
    }
    ::closedir(dir);
    return found;
}

}  // namespace ravelin::search
