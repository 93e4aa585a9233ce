#include "shell/dialogs/tree_settings_dialog.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace ravelin::shell {

namespace {

// The whole number of the text (blanks around it allowed); nothing when it is none.
std::optional<int> ParseNumber(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t last = text.find_last_not_of(' ');
    int value = 0;
    const char* end = text.data() + last + 1;
    const auto [stop, error] = std::from_chars(text.data() + first, end, value);
    if (error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

std::string RangeMessage(const char* label, int high) {
    return std::string(label) + ": enter a number from 1 to " + std::to_string(high) + ".";
}

}  // namespace

TreeSettingsDialog::TreeSettingsDialog(const settings::SettingsRecord& settings)
    : singleNodes(std::to_string(settings.Int(settings::kOffsetTreeSingleNodeCount))),
      autoDisplay(settings.Int(settings::kOffsetTreeAutoDisplayGame) != 0),
      exact(settings.Int(settings::kOffsetTreeExactVariations) != 0),
      sort(settings.TreeSortOption()),
      showPercentage(settings.Int(settings::kOffsetTreeShowPercentage) != 0),
      showScore(settings.Int(settings::kOffsetTreeShowScore) != 0) {}

std::string TreeSettingsDialog::Validate() {
    const std::optional<int> count = ParseNumber(singleNodes);
    if (!count || *count > kMaxSingleNodes) {
        return RangeMessage(kSingleNodesLabel, kMaxSingleNodes);
    }
    singleNodes = std::to_string(std::max(*count, 1));
    return {};
}

bool TreeSettingsDialog::Store(settings::SettingsRecord& settings) const {
    const int count = std::clamp(ParseNumber(singleNodes).value_or(1), 1, kMaxSingleNodes);
    const bool raised = count > settings.Int(settings::kOffsetTreeSingleNodeCount);
    settings.SetInt(settings::kOffsetTreeSingleNodeCount, count);
    settings.SetInt(settings::kOffsetTreeAutoDisplayGame, autoDisplay ? 1 : 0);
    settings.SetInt(settings::kOffsetTreeExactVariations, exact ? 1 : 0);
    settings.SetInt(settings::kOffsetTreeSortOption, std::clamp(sort, 0, 2));
    settings.SetInt(settings::kOffsetTreeShowPercentage, showPercentage ? 1 : 0);
    settings.SetInt(settings::kOffsetTreeShowScore, showScore ? 1 : 0);
    return raised;
}

LookAheadDialog::LookAheadDialog(const settings::SettingsRecord& settings)
    : lookAhead(std::to_string(settings.Int(settings::kOffsetManeuversLookAhead))) {}

std::string LookAheadDialog::Validate() {
    const std::optional<int> count = ParseNumber(lookAhead);
    if (!count || *count < 1 || *count > kMaxManeuversLookAhead) {
        return RangeMessage(kManeuversLookAheadLabel, kMaxManeuversLookAhead);
    }
    return {};
}

void LookAheadDialog::Store(settings::SettingsRecord& settings) const {
    settings.SetInt(settings::kOffsetManeuversLookAhead,
                    std::clamp(ParseNumber(lookAhead).value_or(10), 1, kMaxManeuversLookAhead));
}

}  // namespace ravelin::shell
