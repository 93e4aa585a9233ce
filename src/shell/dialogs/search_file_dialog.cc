#include "shell/dialogs/search_file_dialog.h"

#include "gamefile/game_file.h"

namespace ravelin::shell {

namespace {

constexpr const char* kExtensions[] = {".ser", ".add", ".dir"};
// A remembered name longer than this is cut at its first '.'.
constexpr std::size_t kMaxRememberedNameLength = 51;

}  // namespace

std::optional<std::string> ChooseSearchFile(platform::FileDialogService& files,
                                            settings::SettingsRecord& settings, SearchFileKind kind,
                                            bool saveDialog) {
    const auto index = static_cast<std::size_t>(kind);
    const settings::FileDialogField& field = settings::FileDialogFieldOf(settings::FileDialogSlot::kSearch);
    platform::FileDialogRequest request;
    request.title = std::string(field.titles[index]);
    request.filter = std::string(field.filters[index]);
    request.initialDirectory = settings.DialogDirectory(settings::FileDialogSlot::kSearch);
    request.fileName = settings.DialogFileName(settings::FileDialogSlot::kSearch, index);
    request.saveDialog = saveDialog;
    std::optional<std::string> chosen = files.ChooseFile(request);
    if (!chosen || chosen->empty()) {
        return std::nullopt;
    }
    const std::string directory = gamefile::DirectoryOf(*chosen);
    const std::string name = gamefile::ApplyExtensionRule(gamefile::NameOf(*chosen), kExtensions[index]);
    if (directory.size() < settings::kDirectoryFieldWidth) {
        settings.SetDialogDirectory(settings::FileDialogSlot::kSearch, directory);
    }
    std::string remembered = name;
    if (const std::size_t dot = remembered.find('.');
        remembered.size() > kMaxRememberedNameLength && dot != std::string::npos) {
        remembered.resize(dot);
    }
    settings.SetDialogFileName(settings::FileDialogSlot::kSearch, remembered, index);
    return directory.empty() ? name : directory + "/" + name;
}

}  // namespace ravelin::shell
