#pragma once

// Loading the settings record at start-up (defaults, old-layout conversion, the fix-ups made at
// every start) and writing it back to the options file.

#include <optional>
#include <string>
#include <string_view>

#include "settings/screen_layout.h"
#include "settings/settings_record.h"

namespace ravelin::settings {

// What start-up knows of the machine; passed in so that every rule can be tested from a table.
struct StartupEnvironment {
    int screenWidth = 1280;
    int screenHeight = 1024;
    double dpiX = 96.0;
    double dpiY = 96.0;
    std::string workingDirectory;

    // Large system fonts: the horizontal resolution factor is not exactly 1.
    bool LargeFonts() const { return dpiX / 96.0 != 1.0; }
};

inline constexpr std::string_view kOptionsFileName = "savinfo.opt";
inline constexpr std::string_view kSearchWorkFileName = "searchqq.xyz";

// Number of leading characters of the PGN directory compared with the working directory when a
// new version first runs (the length of the historical working directory name).
inline constexpr std::size_t kWorkingDirectoryCompareLength = 10;

struct StartupSettingsResult {
    bool firstRun = false;            // no readable options file: the defaults were applied
    bool versionFirstRun = false;     // working-directory step done now for the first time
    bool convertedOldLayout = false;  // caller deletes the search work file
    bool mustWrite = false;           // caller writes the options file now
    bool hideGameText = false;        // initial running state of "Hide Game Text"
    int autoPlayIntervalMs = 1000;
    ScreenLayout layout;  // fit 0, nothing shown yet
};

// The first-run defaults: record cleared, then every field given its default.
void ApplyFirstRunDefaults(SettingsRecord& record, const StartupEnvironment& environment);

// Converts a record of the old layout (PGN directory empty, first byte not). Returns whether it did;
// the caller then deletes the search work file.
bool ConvertOldLayout(SettingsRecord& record);

// The colour presets and border colours loaded when the colours were never initialised.
void LoadColourDefaults(SettingsRecord& record);

// The fix-ups made at every start. Returns true when the options file must be written.
bool ApplyStartFixups(SettingsRecord& record, const StartupEnvironment& environment);

// Start-up steps 3 and 4: read the options file (or take the defaults) and fix the record up.
StartupSettingsResult LoadStartupSettings(const std::string& optionsPath,
                                          const StartupEnvironment& environment, SettingsRecord& record);

// Reads the options file: its first 6464 bytes, the rest zero when it is shorter. Nothing when the
// file is missing or cannot be read.
std::optional<SettingsRecord> ReadSettingsFile(const std::string& path);

// Writes the whole record to a temporary file beside path, then renames it over path, so that a
// crash never leaves a half-written options file. Returns false when the file could not be written.
bool SaveSettingsFile(const std::string& path, const SettingsRecord& record);

// "Slide Speed" of the options dialog (1 slow .. 200 fast, 0 no slide) to the stored slide delay
// and back.
int SlideDelayFromSpeed(int speed);
int SlideSpeedFromDelay(int delay);

// The auto-play timer interval for an "Auto Play Delay" text in seconds.
inline constexpr int kMinAutoPlayIntervalMs = 100;
inline constexpr int kMaxAutoPlayIntervalMs = 3600 * 1000;
int AutoPlayIntervalMs(std::string_view delayText);

}  // namespace ravelin::settings
