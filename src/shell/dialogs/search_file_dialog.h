#pragma once

// The file dialog of the search files: criteria files (.ser) and saved directory search results
// (.dir) share one directory in the settings and each remembers its last name.

#include <optional>
#include <string>

#include "platform/file_dialog.h"
#include "settings/settings_record.h"

namespace ravelin::shell {

enum class SearchFileKind : std::size_t { kCriteria = 0, kGameAddition = 1, kDirectorySearch = 2 };

// Shows the dialog of the kind starting from the remembered directory and name; the chosen name
// gets the kind's extension, and the directory (when it fits its field) and the name are
// remembered. Nothing when cancelled. The caller writes the settings.
std::optional<std::string> ChooseSearchFile(platform::FileDialogService& files,
                                            settings::SettingsRecord& settings, SearchFileKind kind,
                                            bool saveDialog);

}  // namespace ravelin::shell
