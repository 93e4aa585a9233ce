#include "settings/settings_startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>

#include "temp_dir.h"

namespace ravelin::settings {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;

constexpr const char* kWorkDir = "/home/user/ravelin";

StartupEnvironment Environment(double dpiX = 96.0) {
    return StartupEnvironment{1280, 1024, dpiX, dpiX, kWorkDir};
}

std::string ImageOf(const SettingsRecord& record) {
    return std::string(record.Image().begin(), record.Image().end());
}

SettingsRecord PatternRecord() {
    SettingsRecord record;
    for (std::size_t i = 0; i < kSettingsRecordSize; ++i) {
        record.SetByte(i, static_cast<std::uint8_t>((i * 31 + 7) & 0xFF));
    }
    return record;
}

// Loads the options file of dir as the program does at start-up.
StartupSettingsResult Load(const TempDir& dir, SettingsRecord& record, double dpiX = 96.0) {
    return LoadStartupSettings(dir.File("savinfo.opt"), Environment(dpiX), record);
}

// Saves the record as the options file of a fresh directory and loads it at start-up.
StartupSettingsResult SaveAndLoad(const SettingsRecord& saved, SettingsRecord& record) {
    TempDir dir;
    EXPECT_TRUE(SaveSettingsFile(dir.File("savinfo.opt"), saved));
    return Load(dir, record);
}

// ----- defaults -----

TEST(SettingsDefaultsTest, FirstRunClearsTheRecordAndSetsTheDefaults) {
    for (bool large : {false, true}) {
        SCOPED_TRACE(large ? "large fonts" : "normal fonts");
        SettingsRecord record;
        ApplyFirstRunDefaults(record, Environment(large ? 120.0 : 96.0));
        SettingsRecord fromPattern = PatternRecord();
        ApplyFirstRunDefaults(fromPattern, Environment(large ? 120.0 : 96.0));
        EXPECT_EQ(fromPattern, record) << "nothing of the old record is left";

        EXPECT_EQ(record.BoardSize(), large ? BoardSizeOption::kMedium : BoardSizeOption::kSmall);
        EXPECT_EQ(record.EnhancedMenu(), !large);
        EXPECT_EQ(record.PieceStyle(), 4);
        EXPECT_EQ(record.NotationStyle(), 1);
        EXPECT_EQ(record.AutoPlayDelayText(), "1");
        EXPECT_EQ(record.PgnDirectory(), kWorkDir);
        EXPECT_EQ(record.PieceLetters(), "KQRBN");
        EXPECT_FALSE(record.CustomPieceLetters());
        EXPECT_EQ(record.Preset(0), ColourPreset{}) << "the presets wait for the start fix-ups";
        const ColourPreset board{record.BackgroundColour(), record.LightSquaresColour(),
                                 record.DarkSquaresColour(), record.LastMoveColour()};
        EXPECT_EQ(board, kBuiltInColourPresets[2]);

        // The start fix-ups find nothing to change but the colour presets they load: every default
        // agrees with the rule that settles its field.
        SettingsRecord fixed = record;
        EXPECT_FALSE(ApplyStartFixups(fixed, Environment()));
        for (std::size_t i = 0; i < kSettingsRecordSize; ++i) {
            if (i < kOffsetColoursInitialised || i >= kOffsetColourPresets + 16 * kColourPresetCount) {
                ASSERT_EQ(fixed.Byte(i), record.Byte(i)) << "byte " << std::hex << i;
            }
        }
    }
}

// ----- loading -----

TEST(SettingsLoadTest, MissingOrUnreadableFileGivesDefaultsWithoutWriting) {
    TempDir dir;
    SettingsRecord record = PatternRecord();
    StartupSettingsResult result = Load(dir, record);
    EXPECT_TRUE(result.firstRun);
    EXPECT_FALSE(result.convertedOldLayout || result.mustWrite || result.hideGameText);
    EXPECT_EQ(result.autoPlayIntervalMs, 1000);
    EXPECT_EQ(result.layout.kind, ScreenLayoutKind::kSmall);
    EXPECT_EQ(record.PgnDirectory(), kWorkDir);
    EXPECT_EQ(record.Int(kOffsetColoursInitialised), 1) << "the presets are loaded on the first start";
    EXPECT_EQ(record.Preset(5), kBuiltInColourPresets[5]);
    EXPECT_FALSE(std::filesystem::exists(dir.File("savinfo.opt")));

    EXPECT_EQ(Load(dir, record, 120.0).layout.kind, ScreenLayoutKind::kMedium);

    std::filesystem::create_directory(dir.File("savinfo.opt"));
    record = SettingsRecord();
    EXPECT_TRUE(Load(dir, record).firstRun);
    EXPECT_EQ(record.PgnDirectory(), kWorkDir);
}

// The file holds the record's bytes. Read back at start-up (a longer file to the record size only),
// bytes this program does not know and fields start-up has no rule for are carried over.
TEST(SettingsLoadTest, SavedBytesComeBackButForTheFieldsStartupOwns) {
    TempDir dir;
    const SettingsRecord pattern = PatternRecord();  // new layout, working directory step done
    ASSERT_TRUE(SaveSettingsFile(dir.File("savinfo.opt"), pattern));
    const std::string bytes = ReadWholeFile(dir.File("savinfo.opt"));
    EXPECT_EQ(bytes.size(), 6464u);
    EXPECT_EQ(bytes, ImageOf(pattern));
    dir.Write("savinfo.opt", bytes + "trailing bytes");
    SettingsRecord record;
    const StartupSettingsResult result = Load(dir, record);
    EXPECT_FALSE(result.firstRun || result.convertedOldLayout || result.versionFirstRun);
    // Fields the start-up fix-ups may set: (offset, width).
    const std::pair<std::size_t, std::size_t> owned[] = {
        {0x0128, 8},  {0x01C0, 8},  {0x02B8, 8}, {0x02C8, 8}, {0x02CC, 4},   {0x0310, 12}, {0x0328, 4},
        {0x03B0, 4},  {0x03BC, 16}, {0x03D0, 4}, {0x03D8, 8}, {0x03E4, 100}, {0x05CC, 4},  {0x05D0, 4},
        {0x05D4, 24}, {0x05EC, 4},  {0x074C, 8}, {0x0880, 4}, {0x0888, 4},   {0x1924, 4},  {0x1928, 16},
    };
    for (std::size_t i = 0; i < kSettingsRecordSize; ++i) {
        if (std::none_of(std::begin(owned), std::end(owned), [i](const auto& field) {
                return i >= field.first && i < field.first + field.second;
            })) {
            ASSERT_EQ(record.Byte(i), pattern.Byte(i)) << "byte " << std::hex << i << " must be carried over";
        }
    }
}

// A file of an older version ends early: its fields are kept, the later ones take their defaults.
TEST(SettingsLoadTest, ShortFileKeepsItsFieldsAndDefaultsTheRest) {
    TempDir dir;
    SettingsRecord written;
    written.SetInt(kOffsetPieceStyle, 2);
    written.SetInt(kOffsetNotationStyle, 0);
    dir.Write("savinfo.opt", ImageOf(written).substr(0, 0x0150));
    SettingsRecord record;
    StartupSettingsResult result = Load(dir, record);
    EXPECT_FALSE(result.firstRun || result.convertedOldLayout);
    EXPECT_TRUE(result.versionFirstRun && result.mustWrite);
    EXPECT_EQ(record.PieceStyle(), 2);
    EXPECT_EQ(record.NotationStyle(), 0);
    EXPECT_EQ(record.PgnDirectory(), kWorkDir);
    // Later fields as the start fix-ups settle them.
    EXPECT_EQ(record.Int(kOffsetTreeSingleNodeCount), 10);
    EXPECT_EQ(record.LightSquaresColour(), kBuiltInColourPresets[2].lightSquares);
}

// ----- old layout -----

// The old layout kept the dialog texts at the start of the record: some of its fields (PGN
// directory and name, third search name, previous directory and name, database directory and
// name) and the fields of the new layout their texts belong in.
const std::pair<std::size_t, std::size_t> kOldFields[] = {
    {0x0000, 0x088C}, {0x0054, 0x0954}, {0x0108, 0x0AC4}, {0x0330, 0x0DFC},
    {0x0384, 0x0EC4}, {0x07F4, 0x15FC}, {0x0848, 0x16C4}};

SettingsRecord OldLayoutRecord() {
    SettingsRecord record;
    for (auto [from, to] : kOldFields) {
        record.SetText(from, 16, "old" + std::to_string(from));
    }
    return record;
}

// Loading an old file moves its texts (and asks for the search work file to be deleted); a text too
// long for its new field is dropped, not cut.
TEST(SettingsOldLayoutTest, OldTextsMoveToTheirNewFields) {
    SettingsRecord old = OldLayoutRecord();
    old.SetText(0x0294, 156, std::string(80, 'n'));  // too long for the bitmap name
    old.SetWorkingDirectoryDone(true);
    SettingsRecord record;
    const StartupSettingsResult result = SaveAndLoad(old, record);
    EXPECT_TRUE(result.convertedOldLayout);
    EXPECT_FALSE(result.versionFirstRun);
    for (auto [from, to] : kOldFields) {
        EXPECT_EQ(record.Text(to, kFileNameFieldWidth), "old" + std::to_string(from)) << std::hex << to;
    }
    EXPECT_EQ(record.Text(0x0000, 16), "old0") << "the old texts are left where they were";
    EXPECT_EQ(record.DialogFileName(FileDialogSlot::kBitmap), "");

    // One whose first byte is empty is left alone (one of the new layout is the saved-bytes test's).
    SettingsRecord emptyFirst = OldLayoutRecord();
    emptyFirst.SetByte(0, 0);
    const SettingsRecord before = emptyFirst;
    EXPECT_FALSE(ConvertOldLayout(emptyFirst));
    EXPECT_EQ(emptyFirst, before);
}

TEST(SettingsOldLayoutTest, UnterminatedOldTextAtTheEndStaysInsideTheRecord) {
    SettingsRecord record;
    for (std::size_t i = 0; i < 0x088C; ++i) {
        record.SetByte(i, 'x');
    }
    ASSERT_TRUE(ConvertOldLayout(record));
    EXPECT_EQ(record.PgnDirectory(), "") << "200 unterminated bytes do not fit a 200-byte directory";
    EXPECT_EQ(record.PgnFileName(), "") << "56 unterminated bytes do not fit a 56-byte name";
    // The database directory's old text runs into the PGN directory converted (emptied) first.
    EXPECT_EQ(record.DialogDirectory(FileDialogSlot::kDatabase), std::string(0x088C - 0x07F4, 'x'));
}

// ----- first run of this version -----

TEST(SettingsVersionTest, FirstRunOfThisVersionComparesTenCharactersIgnoringCase) {
    struct Case {
        const char *name, *pgnDirectory;
        bool keepsFileName;
    };
    const Case cases[] = {
        {"differs only in case", "/HOME/USER/ravelin", true},
        {"differs after ten characters", "/home/userX/games", true},
        {"differs inside ten characters", "/home/bob/games", false},
        {"empty directory", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsRecord old;
        old.SetPgnDirectory(c.pgnDirectory);
        old.SetPgnFileName("games.pgn");
        SettingsRecord record;
        StartupSettingsResult result = SaveAndLoad(old, record);
        EXPECT_TRUE(result.versionFirstRun && result.mustWrite && record.WorkingDirectoryDone());
        EXPECT_EQ(record.PgnDirectory(), kWorkDir);
        EXPECT_EQ(record.PgnFileName(), c.keepsFileName ? "games.pgn" : "");
    }
}

TEST(SettingsVersionTest, LaterRunsKeepTheUsersDirectoryAndRunningState) {
    SettingsRecord old;
    ApplyFirstRunDefaults(old, Environment());
    old.SetPgnDirectory("/data/chess");
    old.SetPgnFileName("club.pgn");
    old.SetHideGameText(true);
    old.SetAutoPlayDelayText("0.5");
    SettingsRecord record;
    StartupSettingsResult result = SaveAndLoad(old, record);
    EXPECT_FALSE(result.versionFirstRun || result.mustWrite);
    EXPECT_EQ(record.PgnDirectory(), "/data/chess");
    EXPECT_EQ(record.PgnFileName(), "club.pgn");
    EXPECT_TRUE(result.hideGameText);
    EXPECT_EQ(result.autoPlayIntervalMs, 500);
}

// ----- fix-ups -----

SettingsRecord SettledRecord() {
    SettingsRecord record;
    ApplyFirstRunDefaults(record, Environment());
    ApplyStartFixups(record, Environment());
    return record;
}

// Each rule of the start fix-ups on a settled record: a field (and the field its rule depends on)
// set as an older file or the user left it, and what the field holds after the next start.
TEST(SettingsFixupTest, EachRuleSettlesItsFieldAndKeepsTheUsersChoices) {
    struct Case {
        const char* name;
        std::size_t offset;
        std::int32_t before, after;
        std::size_t otherOffset = 0;
        std::int32_t otherValue = 0;
        bool mustWrite = false;
    };
    const std::int32_t red = Rgb(255, 0, 0);
    const std::int32_t firstPreset = kBuiltInColourPresets[0].background;
    const Case cases[] = {
        {"started flag", 0x0128, 0, 1},
        {"open file at start", 0x012C, 0, 1},
        {"second started flag", 0x03D0, 0, 1},
        {"cleared at every start", 0x02CC, 5, 0},
        {"enhanced menu once", kOffsetEnhancedMenu, 0, 1, kOffsetEnhancedMenuOnce, 0},
        {"enhanced menu turned off", kOffsetEnhancedMenu, 0, 0},
        {"board display once", kOffsetBoardDisplaySetting, 0, 1, kOffsetBoardDisplaySettingOnce, 0},
        {"board display turned off", kOffsetBoardDisplaySetting, 0, 0},
        {"tree group without nodes", kOffsetAutoPageGameText, 0, 1, kOffsetTreeSingleNodeCount, 0},
        {"tree group with nodes", kOffsetAutoPageGameText, 0, 0, kOffsetTreeSingleNodeCount, 3},
        {"tree sort without nodes", kOffsetTreeSortOption, 2, 1, kOffsetTreeSingleNodeCount, 0},
        {"second tree count below one", kOffsetTreeSecondCount, -3, 10},
        {"second tree count kept", kOffsetTreeSecondCount, 4, 4},
        {"empty auto-play delay", kOffsetAutoPlayDelayText, 0, '1'},
        {"auto-play delay kept", kOffsetAutoPlayDelayText, '2', '2'},
        {"saved preset kept", kOffsetColourPresets, 7, 7},
        {"presets never initialised", kOffsetColourPresets, 7, firstPreset, kOffsetColoursInitialised, 0},
        {"board kept with light squares", kOffsetDarkSquaresColour, 0x777777, 0x777777},
        // The third preset of the record, not the built-in one (at 0x0408: background, light, ...).
        {"zero light squares", kOffsetLightSquaresColour, 0, 0x222222, 0x040C, 0x222222},
        {"last move not chosen", kOffsetLastMoveColour, 0x123456, red},
        {"last move chosen", kOffsetLastMoveColour, 0xFF00, 0xFF00, kOffsetChosenLastMoveColour, 0xFF00},
        {"current position not chosen", kOffsetCurrentPositionColour, 0x654321, red},
        {"current position chosen", kOffsetCurrentPositionColour, 9, 9, kOffsetChosenCurrentPositionColour,
         9},
        {"replay highlight once", kOffsetHighlightCurrentPosition, 0, 8, kOffsetReplayColoursOnce, 0, true},
        {"replay highlight turned off", kOffsetHighlightCurrentPosition, 0, 0},
        {"replay colour once", kOffsetReplayHighlightColour, 1, 0xA0A0A0, kOffsetReplayColoursOnce, 0, true},
        {"duplicates without look-ahead", kOffsetDuplicatesCheckEntireFile, 1, 0, kOffsetDuplicatesLookAhead,
         0},
        {"duplicates with look-ahead", kOffsetDuplicatesCheckEntireFile, 1, 1, kOffsetDuplicatesLookAhead,
         50},
        {"maneuvers without look-ahead", kOffsetManeuversLookAhead, 0, 10, kOffsetDuplicatesLookAhead, 0},
        {"black text on a coloured grid", kOffsetMovesTextBackgroundColour, 0, 0, kOffsetGridColour, 0x80},
        {"text background without grid", kOffsetMovesTextBackgroundColour, 0, 0xFFFFFF},
        {"move number background", kOffsetMoveNumberBackgroundColour, 0, 0xE8E8E8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsRecord record = SettledRecord();
        record.SetInt(c.offset, c.before);
        if (c.otherOffset != 0) {
            record.SetInt(c.otherOffset, c.otherValue);
        }
        EXPECT_EQ(ApplyStartFixups(record, Environment()), c.mustWrite);
        EXPECT_EQ(record.Int(c.offset), c.after);
        EXPECT_FALSE(ApplyStartFixups(record, Environment())) << "a second start finds nothing to write";
    }
}

// ----- saving -----

// The file is replaced whole or not at all, and no temporary file is left beside it.
TEST(SettingsSaveTest, SaveReplacesTheFileOrFailsWithoutLeftovers) {
    auto fileCount = [](const TempDir& dir) {
        return std::distance(std::filesystem::directory_iterator(dir.Path()), {});
    };
    TempDir dir;
    dir.Write("savinfo.opt", "old contents");
    SettingsRecord record = SettledRecord();
    ASSERT_TRUE(SaveSettingsFile(dir.File("savinfo.opt"), record));
    EXPECT_EQ(ReadWholeFile(dir.File("savinfo.opt")), ImageOf(record));
    EXPECT_EQ(fileCount(dir), 1);

    TempDir failing;
    EXPECT_FALSE(SaveSettingsFile(failing.File("missing/savinfo.opt"), record));
    EXPECT_EQ(fileCount(failing), 0);
    // A non-empty directory cannot be replaced: it stays.
    std::filesystem::create_directories(failing.File("savinfo.opt/child"));
    EXPECT_FALSE(SaveSettingsFile(failing.File("savinfo.opt"), record));
    EXPECT_TRUE(std::filesystem::is_directory(failing.File("savinfo.opt")));
    EXPECT_EQ(fileCount(failing), 1);
}

}  // namespace
}  // namespace ravelin::settings
