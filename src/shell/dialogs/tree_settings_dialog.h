#pragma once

// "Tree Settings" and the look-ahead count of "Show Maneuvers", kept in the settings record.

#include <string>

#include "platform/dialog.h"
#include "settings/settings_record.h"

namespace ravelin::shell {

inline constexpr char kTreeSettingsTitle[] = "Tree Settings";
inline constexpr char kSingleNodesLabel[] = "Number of consecutive single nodes before terminating branch";
inline constexpr char kTreeAutoDisplayLabel[] = "Automatically display game when end of branch detected";
inline constexpr char kTreeExactLabel[] = "Navigate the tree searching for exact variations";
inline constexpr char kNoSortingLabel[] = "No sorting - display moves in order of appearance";
inline constexpr char kFrequencySortLabel[] = "Sort moves by frequency of occurrence";
inline constexpr char kMoveTypeSortLabel[] = "Sort by move type - pawn, knight, bishop, rook, etc";
inline constexpr char kShowPercentageLabel[] = "Show percentage";
inline constexpr char kShowScoreLabel[] = "Show score";
inline constexpr char kResetTreeAdvice[] =
    "You may wish to reset the tree file in order to expand existing end of branches.";
inline constexpr char kLookAheadTitle[] = "Maneuvers Look Ahead Count";
inline constexpr char kManeuversLookAheadLabel[] = "Number of moves to look ahead";
inline constexpr int kMaxSingleNodes = 400;
inline constexpr int kMaxManeuversLookAhead = 200;

class TreeSettingsDialog : public platform::Dialog {
  public:
    explicit TreeSettingsDialog(const settings::SettingsRecord& settings);
    std::string Title() const override { return kTreeSettingsTitle; }
    // The count must be a whole number; below 1 it becomes 1.
    std::string Validate() override;
    // Stores the values; true when the single-node count was raised (the tree may be reset).
    bool Store(settings::SettingsRecord& settings) const;

    std::string singleNodes;
    bool autoDisplay = false;
    bool exact = false;
    int sort = 1;  // 0 none, 1 frequency, 2 move type
    bool showPercentage = true;
    bool showScore = false;
};

class LookAheadDialog : public platform::Dialog {
  public:
    explicit LookAheadDialog(const settings::SettingsRecord& settings);
    std::string Title() const override { return kLookAheadTitle; }
    std::string Validate() override;
    void Store(settings::SettingsRecord& settings) const;

    std::string lookAhead;
};

}  // namespace ravelin::shell
