#pragma once

// The settings of the duplicate games search: how many later games each game is compared with,
// how far the move counts of two games may differ, or every later game of the file.

#include <string>

#include "platform/dialog.h"
#include "settings/settings_record.h"

namespace ravelin::shell {

inline constexpr char kDuplicateSettingsTitle[] = "Duplicate Games Settings";
inline constexpr char kLookAheadLabel[] = "Number of games to look ahead";
inline constexpr char kMaxDifferenceLabel[] = "Maximum difference in number of moves";
inline constexpr char kEntireFileLabel[] = "Check the entire file for duplicates (do not use look ahead)";
inline constexpr int kMaxLookAhead = 200000;
inline constexpr int kMaxMoveDifference = 200;

class DuplicateSettingsDialog : public platform::Dialog {
  public:
    // Filled in from the settings record.
    explicit DuplicateSettingsDialog(const settings::SettingsRecord& settings);
    std::string Title() const override { return kDuplicateSettingsTitle; }
    // Both numbers must be plain whole numbers within their ranges.
    std::string Validate() override;
    // Stores the validated values in the record.
    void Store(settings::SettingsRecord& settings) const;

    std::string lookAhead;
    std::string maxDifference;
    bool entireFile = false;
};

}  // namespace ravelin::shell
