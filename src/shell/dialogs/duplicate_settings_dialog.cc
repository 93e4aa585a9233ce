#include "shell/dialogs/duplicate_settings_dialog.h"

#include <charconv>
#include <cstdio>

namespace ravelin::shell {

namespace {

// The whole number of the text (blanks around it allowed), or -1 when it is none or above limit.
int ParseCount(const std::string& text, int limit) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return -1;
    }
    const std::size_t last = text.find_last_not_of(' ');
    int value = 0;
    const char* end = text.data() + last + 1;
    const auto [stop, error] = std::from_chars(text.data() + first, end, value);
    if (error != std::errc{} || stop != end || value < 0 || value > limit) {
        return -1;
    }
    return value;
}

std::string RangeMessage(const char* label, int low, int high) {
    char text[128];
    std::snprintf(text, sizeof text, "%s: enter a number from %d to %d.", label, low, high);
    return text;
}

}  // namespace

DuplicateSettingsDialog::DuplicateSettingsDialog(const settings::SettingsRecord& settings)
    : lookAhead(std::to_string(settings.Int(settings::kOffsetDuplicatesLookAhead))),
      maxDifference(std::to_string(settings.Int(settings::kOffsetDuplicatesMaxMoveDifference))),
      entireFile(settings.Int(settings::kOffsetDuplicatesCheckEntireFile) != 0) {}

std::string DuplicateSettingsDialog::Validate() {
    if (ParseCount(lookAhead, kMaxLookAhead) < 1) {
        return RangeMessage(kLookAheadLabel, 1, kMaxLookAhead);
    }
    if (ParseCount(maxDifference, kMaxMoveDifference) < 0) {
        return RangeMessage(kMaxDifferenceLabel, 0, kMaxMoveDifference);
    }
    return {};
}

void DuplicateSettingsDialog::Store(settings::SettingsRecord& settings) const {
    settings.SetInt(settings::kOffsetDuplicatesLookAhead, ParseCount(lookAhead, kMaxLookAhead));
    settings.SetInt(settings::kOffsetDuplicatesMaxMoveDifference,
                    ParseCount(maxDifference, kMaxMoveDifference));
    settings.SetInt(settings::kOffsetDuplicatesCheckEntireFile, entireFile ? 1 : 0);
}

}  // namespace ravelin::shell
