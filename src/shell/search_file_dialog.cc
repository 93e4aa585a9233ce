#include "shell/search_file_dialog.h"

#include "gamefile/game_file.h"

namespace ravelin::shell {

namespace {

constexpr const char* kExtensions[] = {".ser", ".add", ".dir"};
// A remembered name longer than this is cut at its first '.'.
constexpr std::size_t kMaxRememberedNameLength = 51;

}  // namespace

std::optional<std::string> ChooseSearchFile(platform::FileDialogService& files, SettingsRecord& settings,
                                            SearchFileKind kind, bool saveDialog) {
    const auto index = static_cast<std::size_t>(kind);
    const FileDialogField& field = FileDialogFieldOf(FileDialogSlot::kSearch);
    platform::FileDialogRequest request;
    request.title = std::string(field.titles[index]);
    request.filter = std::string(field.filters[index]);
    request.initialDirectory = settings.DialogDirectory(FileDialogSlot::kSearch);
    request.fileName = settings.DialogFileName(FileDialogSlot::kSearch, index);
    request.saveDialog = saveDialog;
    std::optional<std::string> chosen = files.ChooseFile(request);
    if (!chosen || chosen->empty()) {
        return std::nullopt;
    }
    const std::string directory = gamefile::DirectoryOf(*chosen);
    const std::string name = gamefile::ApplyExtensionRule(gamefile::NameOf(*chosen), kExtensions[index]);
    if (directory.size() < kDirectoryFieldWidth) {
        settings.SetDialogDirectory(FileDialogSlot::kSearch, directory);
    }
    std::string remembered = name;
    if (const std::size_t dot = remembered.find('.');
        remembered.size() > kMaxRememberedNameLength && dot != std::string::npos) {
        remembered.resize(dot);
    }
    settings.SetDialogFileName(FileDialogSlot::kSearch, remembered, index);
    return directory.empty() ? name : directory + "/" + name;
}

}  // namespace ravelin::shell
