#pragma once

#include <optional>
#include <string>

namespace ravelin::platform {

// An Open or Save file dialog as the core asks for it.
struct FileDialogRequest {
    std::string title;             // e.g. "Select PGN File"
    std::string filter;            // e.g. "*.pgn"
    std::string initialDirectory;  // directory shown first
    std::string fileName;          // name proposed in the name field
    bool saveDialog = false;       // Save dialog: the file need not exist
};

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The full path chosen, or nothing when the user cancelled.
    virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
};

}  // namespace ravelin::platform
