#include "settings/settings_startup.h"

#include "platform/file_util.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

namespace ravelin::settings {

namespace {

constexpr std::uint32_t kRed = Rgb(255, 0, 0);

// Old layout: the file dialog texts were kept at the start of the record. Pairs of (old offset,
// new field), copied in this order.
struct OldLayoutMove {
    std::size_t from;
    std::size_t to;
    std::size_t width;  // of the new field
};
constexpr std::size_t kD = kDirectoryFieldWidth;
constexpr std::size_t kN = kFileNameFieldWidth;
constexpr std::array<OldLayoutMove, 30> kOldLayoutMoves = {{
    {0x0000, 0x088C, kD}, {0x0054, 0x0954, kN}, {0x0074, 0x098C, kD}, {0x00C8, 0x0A54, kN},
    {0x00E8, 0x0A8C, kN}, {0x0108, 0x0AC4, kN}, {0x014C, 0x0AFC, kD}, {0x01A0, 0x0BC4, kN},
    {0x01C8, 0x0BFC, kD}, {0x021C, 0x0CC4, kN}, {0x0240, 0x0CFC, kD}, {0x0294, 0x0DC4, kN},
    {0x0330, 0x0DFC, kD}, {0x0384, 0x0EC4, kN}, {0x0448, 0x0EFC, kD}, {0x049C, 0x0FC4, kN},
    {0x04BC, 0x0FFC, kD}, {0x0510, 0x10C4, kN}, {0x0538, 0x10FC, kD}, {0x058C, 0x11C4, kN},
    {0x05F0, 0x11FC, kD}, {0x0644, 0x12C4, kN}, {0x0664, 0x12FC, kD}, {0x06B8, 0x13C4, kN},
    {0x06D8, 0x13FC, kD}, {0x072C, 0x14C4, kN}, {0x0754, 0x14FC, kD}, {0x07A8, 0x15C4, kN},
    {0x07F4, 0x15FC, kD}, {0x0848, 0x16C4, kN},
}};

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares at most count characters without regard to case; a string ends where it ends.
bool SamePrefixIgnoringCase(std::string_view a, std::string_view b, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        char ca = i < a.size() ? LowerAscii(a[i]) : '\0';
        char cb = i < b.size() ? LowerAscii(b[i]) : '\0';
        if (ca != cb) {
            return false;
        }
        if (ca == '\0') {
            return true;
        }
    }
    return true;
}

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads a number the way "%f" does (leading blanks, optional sign, decimal or exponent form), but
// always with '.' as the decimal point whatever the process locale says.
std::optional<double> ParseLikeScanfFloat(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && IsCSpace(text[start])) {
        ++start;
    }
    text.remove_prefix(start);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text[0] == '+' || text[0] == '-') {
        return std::nullopt;
    }
    double value = 0.0;
    auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        std::string_view token(text.data(), static_cast<std::size_t>(end - text.data()));
        bool tiny = token.find("e-") != std::string_view::npos || token.find("E-") != std::string_view::npos;
        value = tiny ? 0.0 : HUGE_VAL;
    } else if (error != std::errc()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

}  // namespace

void LoadColourDefaults(SettingsRecord& record) {
    for (std::size_t i = 0; i < kColourPresetCount; ++i) {
        record.SetPreset(i, kBuiltInColourPresets[i]);
    }
    for (std::size_t i = 2; i < kColourTableCount; ++i) {
        record.SetColourTableEntry(i, kPresetBorderColour);
    }
    record.SetInt(kOffsetColoursInitialised, 1);
}

void ApplyFirstRunDefaults(SettingsRecord& record, const StartupEnvironment& environment) {
    record = SettingsRecord();
    const bool largeFonts = environment.LargeFonts();
    const ColourPreset& board = kBuiltInColourPresets[2];

    record.SetInt(kOffsetStartedFlag, 1);
    record.SetInt(kOffsetOpenFileAtStart, 1);
    record.SetInt(kOffsetAutoDisplayGame, 1);
    record.SetInt(kOffsetMaxPrintLines, 70);
    record.SetInt(kOffsetSlideDelay, 0);
    record.SetInt(kOffsetPieceStyle, 4);
    record.SetInt(kOffsetNotationStyle, 1);
    record.SetInt(kOffsetEditStyle, 1);
    record.SetInt(kOffsetAutoPageGameText, 1);
    record.SetInt(kOffsetAutoDisplayAnalysisComments, 1);
    record.SetInt(kOffsetTreeSingleNodeCount, 10);
    record.SetInt(kOffsetTreeSortOption, 1);
    record.SetInt(kOffsetTreeShowPercentage, 1);
    record.SetColour(kOffsetDarkSquaresColour, board.darkSquares);
    record.SetColour(kOffsetLightSquaresColour, board.lightSquares);
    record.SetColour(kOffsetBackgroundColour, board.background);
    record.SetInt(kOffsetDisplayCoordinates, 1);
    record.SetInt(kOffsetTreeSecondCount, 10);
    record.SetColour(kOffsetLastMoveColour, kRed);
    record.SetInt(kOffsetBoardSize, largeFonts ? 1 : 0);
    record.SetInt(kOffsetDuplicatesLookAhead, 100);
    record.SetInt(kOffsetDuplicatesMaxMoveDifference, 2);
    record.SetInt(kOffsetManeuversLookAhead, 10);
    record.SetInt(kOffsetWorkingDirectoryDone, 1);
    record.SetInt(kOffsetStartedFlag2, 1);
    record.SetAutoPlayDelayText("1");
    record.SetColour(kOffsetBorderColour, kPresetBorderColour);
    record.SetInt(kOffsetBoardDisplaySetting, 1);
    for (std::size_t i = 2; i < kColourTableCount; ++i) {
        record.SetColourTableEntry(i, kPresetBorderColour);
    }
    record.SetInt(kOffsetBoardDisplaySettingOnce, 1);
    record.SetInt(kOffsetEnhancedMenu, largeFonts ? 0 : 1);
    record.SetInt(kOffsetEnhancedMenuOnce, 1);
    record.SetInt(kOffsetEngineSettingDefaultOn, 1);
    record.SetColour(kOffsetMovesTextBackgroundColour, Rgb(255, 255, 255));
    record.SetColour(kOffsetMoveNumberBackgroundColour, Rgb(232, 232, 232));
    record.SetPgnDirectory(environment.workingDirectory);
    record.SetPieceLetters(kDefaultPieceLetters);
    record.SetColour(kOffsetCurrentPositionColour, kRed);
    record.SetInt(kOffsetReplayColoursOnce, 1);
    record.SetColour(kOffsetVariationsColour, Rgb(84, 0, 168));
    record.SetInt(kOffsetHighlightCurrentPosition, 8);
    record.SetColour(kOffsetReplayHighlightColour, Rgb(160, 160, 160));
}

bool ConvertOldLayout(SettingsRecord& record) {
    if (!record.PgnDirectory().empty() || record.Byte(0) == 0) {
        return false;
    }
    for (const OldLayoutMove& move : kOldLayoutMoves) {
        // Read through Text so an unterminated old text is never followed past the new field's width.
        std::string text = record.Text(move.from, move.width);
        record.SetText(move.to, move.width, text);
    }
    return true;
}

bool ApplyStartFixups(SettingsRecord& record, const StartupEnvironment& /*environment*/) {
    bool mustWrite = false;
    record.SetInt(kOffsetStartedFlag, 1);
    record.SetInt(kOffsetOpenFileAtStart, 1);
    record.SetInt(kOffsetStartedFlag2, 1);
    record.SetInt(kOffsetClearedAtStart, 0);

    if (record.Int(kOffsetBoardDisplaySettingOnce) == 0) {
        record.SetInt(kOffsetBoardDisplaySetting, 1);
        record.SetInt(kOffsetBoardDisplaySettingOnce, 1);
    }
    if (record.Int(kOffsetEnhancedMenuOnce) == 0) {
        record.SetInt(kOffsetEnhancedMenu, 1);
        record.SetInt(kOffsetEnhancedMenuOnce, 1);
    }

    if (record.Int(kOffsetTreeSingleNodeCount) < 1) {
        record.SetInt(kOffsetAutoPageGameText, 1);
        record.SetInt(kOffsetAutoDisplayAnalysisComments, 1);
        record.SetInt(kOffsetTreeSingleNodeCount, 10);
        record.SetInt(kOffsetTreeSortOption, 1);
        record.SetInt(kOffsetTreeShowPercentage, 1);
    }
    if (record.Int(kOffsetTreeSecondCount) < 1) {
        record.SetInt(kOffsetTreeSecondCount, 10);
    }

    if (record.AutoPlayDelayText().empty()) {
        record.SetAutoPlayDelayText("1");
    }

    if (record.Int(kOffsetColoursInitialised) == 0) {
        LoadColourDefaults(record);
    }
    if (record.LightSquaresColour() == 0) {
        ColourPreset third = record.Preset(2);
        record.SetColour(kOffsetBackgroundColour, third.background);
        record.SetColour(kOffsetLightSquaresColour, third.lightSquares);
        record.SetColour(kOffsetDarkSquaresColour, third.darkSquares);
        record.SetColour(kOffsetBorderColour, record.ColourTableEntry(2));
    }
    if (record.Colour(kOffsetChosenLastMoveColour) == 0) {
        record.SetColour(kOffsetLastMoveColour, kRed);
    }
    if (record.Colour(kOffsetChosenCurrentPositionColour) == 0) {
        record.SetColour(kOffsetCurrentPositionColour, kRed);
    }
    if (record.Int(kOffsetReplayColoursOnce) == 0) {
        record.SetColour(kOffsetVariationsColour, Rgb(84, 0, 168));
        record.SetInt(kOffsetHighlightCurrentPosition, 8);
        record.SetColour(kOffsetReplayHighlightColour, Rgb(160, 160, 160));
        record.SetInt(kOffsetReplayColoursOnce, 1);
        mustWrite = true;
    }
    // The column-format and replay colours read 0 as "not set"; settle them here so that a short or
    // old options file shows the same colours as a new one.
    if (record.MovesTextBackgroundColour() == 0 && record.GridColour() == 0) {
        record.SetColour(kOffsetMovesTextBackgroundColour, Rgb(255, 255, 255));
    }
    if (record.MoveNumberBackgroundColour() == 0) {
        record.SetColour(kOffsetMoveNumberBackgroundColour, Rgb(232, 232, 232));
    }
    if (record.ReplayHighlightColour() == 0) {
        record.SetColour(kOffsetReplayHighlightColour, Rgb(160, 160, 160));
    }

    if (record.Int(kOffsetDuplicatesLookAhead) == 0) {
        record.SetInt(kOffsetDuplicatesLookAhead, 100);
        record.SetInt(kOffsetDuplicatesMaxMoveDifference, 2);
        record.SetInt(kOffsetDuplicatesCheckEntireFile, 0);
        record.SetInt(kOffsetManeuversLookAhead, 10);
    }
    return mustWrite;
}

StartupSettingsResult LoadStartupSettings(const std::string& optionsPath,
                                          const StartupEnvironment& environment, SettingsRecord& record) {
    StartupSettingsResult result;
    std::optional<SettingsRecord> stored = ReadSettingsFile(optionsPath);
    if (!stored) {
        result.firstRun = true;
        ApplyFirstRunDefaults(record, environment);
    } else {
        record = *stored;
        result.convertedOldLayout = ConvertOldLayout(record);
        if (!record.WorkingDirectoryDone()) {
            result.versionFirstRun = true;
            result.mustWrite = true;
            record.SetWorkingDirectoryDone(true);
            if (!SamePrefixIgnoringCase(record.PgnDirectory(), environment.workingDirectory,
                                        kWorkingDirectoryCompareLength)) {
                record.SetPgnFileName("");
            }
            record.SetPgnDirectory(environment.workingDirectory);
        }
    }

    if (ApplyStartFixups(record, environment)) {
        result.mustWrite = true;
    }
    result.hideGameText = record.HideGameText();
    result.autoPlayIntervalMs = AutoPlayIntervalMs(record.AutoPlayDelayText());
    result.layout = ApplyScreenLayout(record, 0, 0);
    return result;
}

std::optional<SettingsRecord> ReadSettingsFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return std::nullopt;
    }
    std::array<std::uint8_t, kSettingsRecordSize> image{};
    std::size_t length = std::fread(image.data(), 1, image.size(), file);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        return std::nullopt;
    }
    return SettingsRecord::FromBytes(std::span<const std::uint8_t>(image.data(), length));
}

bool SaveSettingsFile(const std::string& path, const SettingsRecord& record) {
    const auto& image = record.Image();
    return platform::WriteFileReplacing(path, image.data(), image.size());
}

int SlideDelayFromSpeed(int speed) {
    if (speed == 0) {
        return 0;
    }
    // A speed outside 1-200 counts as the nearest end, so the delay stays within 1-200.
    if (speed > 200) {
        speed = 200;
    } else if (speed < 1) {
        speed = 1;
    }
    return 201 - speed;
}

int SlideSpeedFromDelay(int delay) {
    if (delay == 0) {
        return 0;
    }
    if (delay < 1 || delay > 200) {
        return delay > 200 ? 0 : 200;
    }
    return 201 - delay;
}

int AutoPlayIntervalMs(std::string_view delayText) {
    std::optional<double> seconds = ParseLikeScanfFloat(delayText);
    if (!seconds || std::isnan(*seconds)) {
        return 1000;
    }
    double ms = *seconds * 1000.0;
    if (ms <= kMinAutoPlayIntervalMs) {
        return kMinAutoPlayIntervalMs;
    }
    if (ms >= kMaxAutoPlayIntervalMs) {
        return kMaxAutoPlayIntervalMs;
    }
    return static_cast<int>(std::lround(ms));
}

}  // namespace ravelin::settings
