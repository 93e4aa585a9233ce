#include "settings/settings_startup.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace ravelin::settings {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;

constexpr const char* kWorkDir = "/home/user/ravelin";

StartupEnvironment Environment(double dpiX = 96.0) {
    StartupEnvironment environment;
    environment.screenWidth = 1280;
    environment.screenHeight = 1024;
    environment.dpiX = dpiX;
    environment.dpiY = dpiX;
    environment.workingDirectory = kWorkDir;
    return environment;
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

// ----- defaults -----

struct DefaultRow {
    std::size_t offset;
    std::int32_t normalFonts;
    std::int32_t largeFonts;
};

const DefaultRow kDefaultInts[] = {
    {0x0128, 1, 1},
    {0x012C, 1, 1},
    {0x0130, 1, 1},
    {0x0134, 70, 70},
    {0x013C, 4, 4},
    {0x0144, 1, 1},
    {0x0148, 1, 1},
    {0x01C0, 1, 1},
    {0x01C4, 1, 1},
    {0x02B8, 10, 10},
    {0x02BC, 1, 1},
    {0x02C8, 1, 1},
    {0x0310, 0x5A7BA5, 0x5A7BA5},
    {0x0314, 0xA5CEE7, 0xA5CEE7},
    {0x0318, 0xDDFFFF, 0xDDFFFF},
    {0x031C, 1, 1},
    {0x0328, 10, 10},
    {0x03B0, 0x0000FF, 0x0000FF},
    {0x03B8, 0, 1},
    {0x03BC, 100, 100},
    {0x03C0, 2, 2},
    {0x03C8, 10, 10},
    {0x03CC, 1, 1},
    {0x03D0, 1, 1},
    {0x05CC, 0xC0C0C0, 0xC0C0C0},
    {0x05D0, 1, 1},
    {0x05DC, 0xC0C0C0, 0xC0C0C0},
    {0x05E0, 0xC0C0C0, 0xC0C0C0},
    {0x05E4, 0xC0C0C0, 0xC0C0C0},
    {0x05E8, 0xC0C0C0, 0xC0C0C0},
    {0x05EC, 1, 1},
    {0x074C, 1, 0},
    {0x0750, 1, 1},
    {0x07D0, 1, 1},
    {0x0880, 0xFFFFFF, 0xFFFFFF},
    {0x0888, 0xE8E8E8, 0xE8E8E8},
    {0x1924, 0x0000FF, 0x0000FF},
    {0x1928, 1, 1},
    {0x192C, 0xA80054, 0xA80054},
    {0x1930, 8, 8},
    {0x1934, 0xA0A0A0, 0xA0A0A0},
};

TEST(SettingsDefaultsTest, FirstRunDefaultsFollowTheTable) {
    for (bool large : {false, true}) {
        SettingsRecord record = PatternRecord();
        ApplyFirstRunDefaults(record, Environment(large ? 120.0 : 96.0));
        std::set<std::size_t> named;
        for (const DefaultRow& row : kDefaultInts) {
            EXPECT_EQ(record.Int(row.offset), large ? row.largeFonts : row.normalFonts)
                << std::hex << row.offset << (large ? " large fonts" : "");
            for (std::size_t i = 0; i < 4; ++i) {
                named.insert(row.offset + i);
            }
        }
        EXPECT_EQ(record.AutoPlayDelayText(), "1");
        EXPECT_EQ(record.PgnDirectory(), kWorkDir);
        EXPECT_EQ(record.PieceLetters(), "KQRBN");
        EXPECT_FALSE(record.CustomPieceLetters());
        for (std::size_t i = 0; i < 8; ++i) {
            named.insert(kOffsetAutoPlayDelayText + i);
        }
        for (std::size_t i = 0; i < kDirectoryFieldWidth; ++i) {
            named.insert(kOffsetPgnDirectory + i);
        }
        for (std::size_t i = 0; i < 5; ++i) {
            named.insert(kOffsetPieceLetters + i);
        }
        for (std::size_t i = 0; i < kSettingsRecordSize; ++i) {
            if (!named.contains(i)) {
                ASSERT_EQ(record.Byte(i), 0) << "byte " << std::hex << i << " must start at zero";
            }
        }
    }
}

TEST(SettingsDefaultsTest, OnlyAHorizontalFactorOtherThanOneMeansLargeFonts) {
    EXPECT_FALSE(Environment(96.0).LargeFonts());
    EXPECT_TRUE(Environment(120.0).LargeFonts());
    EXPECT_TRUE(Environment(72.0).LargeFonts());
    StartupEnvironment tallPixels = Environment(96.0);
    tallPixels.dpiY = 120.0;
    EXPECT_FALSE(tallPixels.LargeFonts());
}

TEST(SettingsDefaultsTest, FirstRunBoardColoursAreTheThirdPreset) {
    SettingsRecord record;
    ApplyFirstRunDefaults(record, Environment());
    EXPECT_EQ(record.BackgroundColour(), Rgb(255, 255, 221));
    EXPECT_EQ(record.LightSquaresColour(), Rgb(231, 206, 165));
    EXPECT_EQ(record.DarkSquaresColour(), Rgb(165, 123, 90));
}

// ----- loading -----

TEST(SettingsLoadTest, MissingFileGivesDefaultsWithoutWriting) {
    TempDir dir;
    SettingsRecord record = PatternRecord();
    StartupSettingsResult result = LoadStartupSettings(dir.File("savinfo.opt"), Environment(), record);
    EXPECT_TRUE(result.firstRun);
    EXPECT_FALSE(result.convertedOldLayout);
    EXPECT_FALSE(result.mustWrite);
    EXPECT_FALSE(result.hideGameText);
    EXPECT_EQ(result.autoPlayIntervalMs, 1000);
    EXPECT_EQ(result.layout.kind, ScreenLayoutKind::kSmall);
    EXPECT_EQ(record.PgnDirectory(), kWorkDir);
    EXPECT_EQ(record.PieceStyle(), 4);
    EXPECT_EQ(record.Int(kOffsetColoursInitialised), 1) << "the presets are loaded on the first start";
    EXPECT_EQ(record.Preset(5), kBuiltInColourPresets[5]);
    EXPECT_FALSE(std::filesystem::exists(dir.File("savinfo.opt")));
}

TEST(SettingsLoadTest, LargeFontsFirstRunStartsWithTheMediumLayout) {
    TempDir dir;
    SettingsRecord record;
    StartupSettingsResult result = LoadStartupSettings(dir.File("savinfo.opt"), Environment(120.0), record);
    EXPECT_EQ(result.layout.kind, ScreenLayoutKind::kMedium);
    EXPECT_FALSE(record.EnhancedMenu());
}

TEST(SettingsLoadTest, UnreadableOptionsFileIsTreatedAsMissing) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("savinfo.opt"));
    SettingsRecord record;
    StartupSettingsResult result = LoadStartupSettings(dir.File("savinfo.opt"), Environment(), record);
    EXPECT_TRUE(result.firstRun);
    EXPECT_EQ(record.PgnDirectory(), kWorkDir);
}

TEST(SettingsLoadTest, SaveThenReadKeepsEveryByteIncludingUnnamedOnes) {
    TempDir dir;
    SettingsRecord pattern = PatternRecord();
    ASSERT_TRUE(SaveSettingsFile(dir.File("savinfo.opt"), pattern));
    EXPECT_EQ(ReadWholeFile(dir.File("savinfo.opt")), ImageOf(pattern));
    std::optional<SettingsRecord> read = ReadSettingsFile(dir.File("savinfo.opt"));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, pattern);
    ASSERT_TRUE(SaveSettingsFile(dir.File("copy.opt"), *read));
    EXPECT_EQ(ReadWholeFile(dir.File("copy.opt")), ImageOf(pattern));
}

TEST(SettingsLoadTest, StartupLoadChangesOnlyTheFieldsItOwns) {
    TempDir dir;
    SettingsRecord pattern = PatternRecord();
    ASSERT_NE(pattern.Byte(0), 0);
    ASSERT_FALSE(pattern.PgnDirectory().empty()) << "the pattern must not look like the old layout";
    ASSERT_NE(pattern.Int(kOffsetWorkingDirectoryDone), 0);
    ASSERT_TRUE(SaveSettingsFile(dir.File("savinfo.opt"), pattern));

    SettingsRecord record;
    StartupSettingsResult result = LoadStartupSettings(dir.File("savinfo.opt"), Environment(), record);
    EXPECT_FALSE(result.firstRun);
    EXPECT_FALSE(result.convertedOldLayout);

    // Fields the start-up fix-ups may set: (offset, width).
    const std::pair<std::size_t, std::size_t> owned[] = {
        {0x0128, 8},  {0x01C0, 8}, {0x02B8, 8}, {0x02C8, 8},   {0x0310, 12}, {0x0328, 4},  {0x03B0, 4},
        {0x03BC, 16}, {0x03D0, 4}, {0x03D8, 8}, {0x03E4, 100}, {0x05CC, 4},  {0x05D0, 4},  {0x05D4, 24},
        {0x05EC, 4},  {0x074C, 8}, {0x0880, 4}, {0x0888, 4},   {0x1924, 4},  {0x1928, 16},
    };
    std::set<std::size_t> mayChange;
    for (auto [offset, width] : owned) {
        for (std::size_t i = 0; i < width; ++i) {
            mayChange.insert(offset + i);
        }
    }
    mayChange.insert(0x02CC);
    mayChange.insert(0x02CD);
    mayChange.insert(0x02CE);
    mayChange.insert(0x02CF);
    for (std::size_t i = 0; i < kSettingsRecordSize; ++i) {
        if (!mayChange.contains(i)) {
            ASSERT_EQ(record.Byte(i), pattern.Byte(i)) << "byte " << std::hex << i << " must be carried over";
        }
    }
    ASSERT_TRUE(SaveSettingsFile(dir.File("savinfo.opt"), record));
    EXPECT_EQ(ReadWholeFile(dir.File("savinfo.opt")), ImageOf(record));
}

TEST(SettingsLoadTest, ShortFileKeepsItsFieldsAndDefaultsTheRest) {
    TempDir dir;
    SettingsRecord written;
    written.SetInt(kOffsetAutoDisplayGame, 0);
    written.SetInt(kOffsetPieceStyle, 2);
    written.SetInt(kOffsetNotationStyle, 0);
    std::string image = ImageOf(written).substr(0, 0x0150);
    dir.Write("savinfo.opt", image);

    SettingsRecord record;
    StartupSettingsResult result = LoadStartupSettings(dir.File("savinfo.opt"), Environment(), record);
    EXPECT_FALSE(result.firstRun);
    EXPECT_FALSE(result.convertedOldLayout);
    EXPECT_TRUE(result.versionFirstRun);
    EXPECT_TRUE(result.mustWrite);
    EXPECT_FALSE(record.AutoDisplayGame());
    EXPECT_EQ(record.PieceStyle(), 2);
    EXPECT_EQ(record.NotationStyle(), 0);
    EXPECT_EQ(record.PgnDirectory(), kWorkDir);
    EXPECT_EQ(record.Int(kOffsetTreeSingleNodeCount), 10);
    EXPECT_EQ(record.Int(kOffsetTreeSecondCount), 10);
    EXPECT_EQ(record.Int(kOffsetDuplicatesLookAhead), 100);
    EXPECT_EQ(record.AutoPlayDelayText(), "1");
    EXPECT_TRUE(record.EnhancedMenu());
    EXPECT_EQ(record.LightSquaresColour(), Rgb(231, 206, 165));
    EXPECT_EQ(record.BorderColour(), Rgb(192, 192, 192));
    EXPECT_EQ(record.LastMoveColour(), Rgb(255, 0, 0));
    EXPECT_EQ(record.VariationsColour(), Rgb(84, 0, 168));
    EXPECT_EQ(record.MoveNumberBackgroundColour(), Rgb(232, 232, 232));
    EXPECT_EQ(record.MovesTextBackgroundColour(), Rgb(255, 255, 255));
}

TEST(SettingsLoadTest, LongerFileIsReadToTheRecordSizeOnly) {
    TempDir dir;
    SettingsRecord pattern = PatternRecord();
    dir.Write("savinfo.opt", ImageOf(pattern) + "trailing bytes");
    std::optional<SettingsRecord> read = ReadSettingsFile(dir.File("savinfo.opt"));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, pattern);
}

// ----- old layout -----

struct OldMove {
    std::size_t from;
    std::size_t to;
};
const OldMove kOldMoves[] = {
    {0x0000, 0x088C}, {0x0054, 0x0954}, {0x0074, 0x098C}, {0x00C8, 0x0A54}, {0x00E8, 0x0A8C},
    {0x0108, 0x0AC4}, {0x014C, 0x0AFC}, {0x01A0, 0x0BC4}, {0x01C8, 0x0BFC}, {0x021C, 0x0CC4},
    {0x0240, 0x0CFC}, {0x0294, 0x0DC4}, {0x0330, 0x0DFC}, {0x0384, 0x0EC4}, {0x0448, 0x0EFC},
    {0x049C, 0x0FC4}, {0x04BC, 0x0FFC}, {0x0510, 0x10C4}, {0x0538, 0x10FC}, {0x058C, 0x11C4},
    {0x05F0, 0x11FC}, {0x0644, 0x12C4}, {0x0664, 0x12FC}, {0x06B8, 0x13C4}, {0x06D8, 0x13FC},
    {0x072C, 0x14C4}, {0x0754, 0x14FC}, {0x07A8, 0x15C4}, {0x07F4, 0x15FC}, {0x0848, 0x16C4},
};

SettingsRecord OldLayoutRecord() {
    SettingsRecord record;
    for (const OldMove& move : kOldMoves) {
        record.SetText(move.from, 16, "old" + std::to_string(move.from));
    }
    return record;
}

TEST(SettingsOldLayoutTest, EveryOldTextMovesToItsNewField) {
    SettingsRecord record = OldLayoutRecord();
    ASSERT_TRUE(ConvertOldLayout(record));
    for (const OldMove& move : kOldMoves) {
        EXPECT_EQ(record.Text(move.to, kFileNameFieldWidth), "old" + std::to_string(move.from))
            << std::hex << move.to;
    }
    EXPECT_EQ(record.PgnDirectory(), "old0");
    EXPECT_EQ(record.PgnFileName(), "old84");
    EXPECT_EQ(record.PreviousDirectory(), "old816");
    EXPECT_EQ(record.PreviousFileName(), "old900");
    EXPECT_EQ(record.Text(0x0000, 16), "old0") << "the old texts are left where they were";
}

TEST(SettingsOldLayoutTest, NewLayoutOrEmptyFirstByteIsNotConverted) {
    SettingsRecord newLayout = OldLayoutRecord();
    newLayout.SetPgnDirectory("/games");
    SettingsRecord before = newLayout;
    EXPECT_FALSE(ConvertOldLayout(newLayout));
    EXPECT_EQ(newLayout, before);

    SettingsRecord emptyFirst = OldLayoutRecord();
    emptyFirst.SetByte(0, 0);
    before = emptyFirst;
    EXPECT_FALSE(ConvertOldLayout(emptyFirst));
    EXPECT_EQ(emptyFirst, before);
}

TEST(SettingsOldLayoutTest, OldNameTooLongForTheNewFieldIsDroppedNotCut) {
    SettingsRecord record = OldLayoutRecord();
    record.SetText(0x0294, 156, std::string(80, 'n'));
    ASSERT_TRUE(ConvertOldLayout(record));
    EXPECT_EQ(record.Text(0x0DC4, 56), "");
    EXPECT_EQ(record.Text(0x0DFC, 200), "old816") << "the next field is not overrun";
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

TEST(SettingsOldLayoutTest, LoadingAnOldFileAsksForTheSearchWorkFileToBeDeleted) {
    TempDir dir;
    SettingsRecord old = OldLayoutRecord();
    old.SetWorkingDirectoryDone(true);
    ASSERT_TRUE(SaveSettingsFile(dir.File("savinfo.opt"), old));
    SettingsRecord record;
    StartupSettingsResult result = LoadStartupSettings(dir.File("savinfo.opt"), Environment(), record);
    EXPECT_TRUE(result.convertedOldLayout);
    EXPECT_FALSE(result.versionFirstRun);
    EXPECT_EQ(record.PgnDirectory(), "old0");
    EXPECT_EQ(record.PgnFileName(), "old84");
}

// ----- first run of this version -----

struct VersionCase {
    const char* name;
    const char* pgnDirectory;
    bool keepsFileName;
};

TEST(SettingsVersionTest, FirstRunOfThisVersionComparesTenCharactersIgnoringCase) {
    const VersionCase cases[] = {
        {"same directory", "/home/user/ravelin", true},
        {"differs only in case", "/HOME/USER/ravelin", true},
        {"differs after ten characters", "/home/userX/games", true},
        {"differs inside ten characters", "/home/bob/games", false},
        {"shorter than ten and different", "/tmp", false},
        {"empty directory", "", false},
    };
    for (const VersionCase& c : cases) {
        TempDir dir;
        SettingsRecord old;
        old.SetPgnDirectory(c.pgnDirectory);
        old.SetPgnFileName("games.pgn");
        old.SetWorkingDirectoryDone(false);
        ASSERT_TRUE(SaveSettingsFile(dir.File("savinfo.opt"), old));
        SettingsRecord record;
        StartupSettingsResult result = LoadStartupSettings(dir.File("savinfo.opt"), Environment(), record);
        EXPECT_TRUE(result.versionFirstRun) << c.name;
        EXPECT_TRUE(result.mustWrite) << c.name;
        EXPECT_TRUE(record.WorkingDirectoryDone()) << c.name;
        EXPECT_EQ(record.PgnDirectory(), kWorkDir) << c.name;
        EXPECT_EQ(record.PgnFileName(), c.keepsFileName ? "games.pgn" : "") << c.name;
    }
}

TEST(SettingsVersionTest, LaterRunsKeepTheUsersDirectory) {
    TempDir dir;
    SettingsRecord old;
    ApplyFirstRunDefaults(old, Environment());
    old.SetPgnDirectory("/data/chess");
    old.SetPgnFileName("club.pgn");
    ASSERT_TRUE(SaveSettingsFile(dir.File("savinfo.opt"), old));
    SettingsRecord record;
    StartupSettingsResult result = LoadStartupSettings(dir.File("savinfo.opt"), Environment(), record);
    EXPECT_FALSE(result.versionFirstRun);
    EXPECT_FALSE(result.mustWrite);
    EXPECT_EQ(record.PgnDirectory(), "/data/chess");
    EXPECT_EQ(record.PgnFileName(), "club.pgn");
}

// ----- fix-ups -----

SettingsRecord SettledRecord() {
    SettingsRecord record;
    ApplyFirstRunDefaults(record, Environment());
    ApplyStartFixups(record, Environment());
    return record;
}

TEST(SettingsFixupTest, StartFlagsAreSetAndTheClearedFieldCleared) {
    SettingsRecord record = SettledRecord();
    record.SetInt(0x0128, 0);
    record.SetInt(0x012C, 0);
    record.SetInt(0x03D0, 0);
    record.SetInt(0x02CC, 5);
    ApplyStartFixups(record, Environment());
    EXPECT_EQ(record.Int(0x0128), 1);
    EXPECT_EQ(record.Int(0x012C), 1);
    EXPECT_EQ(record.Int(0x03D0), 1);
    EXPECT_EQ(record.Int(0x02CC), 0);
}

TEST(SettingsFixupTest, OneTimeDefaultsApplyOnlyOnce) {
    SettingsRecord record = SettledRecord();
    record.SetInt(kOffsetEnhancedMenu, 0);
    record.SetInt(kOffsetEnhancedMenuOnce, 0);
    record.SetInt(kOffsetBoardDisplaySetting, 0);
    record.SetInt(kOffsetBoardDisplaySettingOnce, 0);
    ApplyStartFixups(record, Environment());
    EXPECT_TRUE(record.EnhancedMenu());
    EXPECT_EQ(record.Int(kOffsetEnhancedMenuOnce), 1);
    EXPECT_EQ(record.Int(kOffsetBoardDisplaySetting), 1);
    EXPECT_EQ(record.Int(kOffsetBoardDisplaySettingOnce), 1);

    record.SetEnhancedMenu(false);
    record.SetInt(kOffsetBoardDisplaySetting, 0);
    ApplyStartFixups(record, Environment());
    EXPECT_FALSE(record.EnhancedMenu()) << "the user's later choice must survive the next start";
    EXPECT_EQ(record.Int(kOffsetBoardDisplaySetting), 0);
}

TEST(SettingsFixupTest, TreeDefaultsReturnWhenTheNodeCountIsBelowOne) {
    SettingsRecord record = SettledRecord();
    record.SetInt(kOffsetTreeSingleNodeCount, 0);
    record.SetInt(kOffsetAutoPageGameText, 0);
    record.SetInt(kOffsetAutoDisplayAnalysisComments, 0);
    record.SetInt(kOffsetTreeSortOption, 2);
    record.SetInt(kOffsetTreeShowPercentage, 0);
    ApplyStartFixups(record, Environment());
    EXPECT_EQ(record.Int(kOffsetTreeSingleNodeCount), 10);
    EXPECT_EQ(record.Int(kOffsetAutoPageGameText), 1);
    EXPECT_EQ(record.Int(kOffsetAutoDisplayAnalysisComments), 1);
    EXPECT_EQ(record.Int(kOffsetTreeSortOption), 1);
    EXPECT_EQ(record.Int(kOffsetTreeShowPercentage), 1);

    record.SetInt(kOffsetTreeSingleNodeCount, 3);
    record.SetInt(kOffsetAutoPageGameText, 0);
    ApplyStartFixups(record, Environment());
    EXPECT_EQ(record.Int(kOffsetTreeSingleNodeCount), 3);
    EXPECT_EQ(record.Int(kOffsetAutoPageGameText), 0);
}

TEST(SettingsFixupTest, SecondTreeCountBelowOneBecomesTen) {
    SettingsRecord record = SettledRecord();
    record.SetInt(kOffsetTreeSecondCount, -3);
    ApplyStartFixups(record, Environment());
    EXPECT_EQ(record.Int(kOffsetTreeSecondCount), 10);
    record.SetInt(kOffsetTreeSecondCount, 4);
    ApplyStartFixups(record, Environment());
    EXPECT_EQ(record.Int(kOffsetTreeSecondCount), 4);
}

TEST(SettingsFixupTest, EmptyAutoPlayDelayBecomesOneSecond) {
    SettingsRecord record = SettledRecord();
    record.SetAutoPlayDelayText("");
    ApplyStartFixups(record, Environment());
    EXPECT_EQ(record.AutoPlayDelayText(), "1");
    record.SetAutoPlayDelayText("0.5");
    ApplyStartFixups(record, Environment());
    EXPECT_EQ(record.AutoPlayDelayText(), "0.5");
}

TEST(SettingsFixupTest, ColourPresetsAreLoadedOnlyWhenNeverInitialised) {
    SettingsRecord record = SettledRecord();
    record.SetPreset(0, {1, 2, 3, 4});
    ApplyStartFixups(record, Environment());
    EXPECT_EQ(record.Preset(0), (ColourPreset{1, 2, 3, 4})) << "a saved preset is the user's";

    record.SetInt(kOffsetColoursInitialised, 0);
    ApplyStartFixups(record, Environment());
    EXPECT_EQ(record.Preset(0), kBuiltInColourPresets[0]);
    EXPECT_EQ(record.Int(kOffsetColoursInitialised), 1);
}

TEST(SettingsFixupTest, ZeroLightSquaresTakeTheThirdPresetOfTheRecord) {
    SettingsRecord record = SettledRecord();
    record.SetPreset(2, {0x111111, 0x222222, 0x333333, 0x444444});
    record.SetColourTableEntry(2, 0x555555);
    record.SetColour(kOffsetLightSquaresColour, 0);
    ApplyStartFixups(record, Environment());
    EXPECT_EQ(record.BackgroundColour(), 0x111111u);
    EXPECT_EQ(record.LightSquaresColour(), 0x222222u);
    EXPECT_EQ(record.DarkSquaresColour(), 0x333333u);
    EXPECT_EQ(record.BorderColour(), 0x555555u);

    record.SetColour(kOffsetDarkSquaresColour, 0x777777);
    ApplyStartFixups(record, Environment());
    EXPECT_EQ(record.DarkSquaresColour(), 0x777777u) << "set light squares leave the board alone";
}

TEST(SettingsFixupTest, LastMoveAndCurrentPositionAreRedUnlessChosen) {
    SettingsRecord record = SettledRecord();
    record.SetColour(kOffsetLastMoveColour, 0x123456);
    record.SetColour(kOffsetCurrentPositionColour, 0x654321);
    ApplyStartFixups(record, Environment());
    EXPECT_EQ(record.LastMoveColour(), 0x0000FFu);
    EXPECT_EQ(record.CurrentPositionColour(), 0x0000FFu);

    record.SetColour(kOffsetChosenLastMoveColour, 0x00FF00);
    record.SetColour(kOffsetLastMoveColour, 0x00FF00);
    record.SetColour(kOffsetChosenCurrentPositionColour, 0xFF0000);
    record.SetColour(kOffsetCurrentPositionColour, 0xFF0000);
    ApplyStartFixups(record, Environment());
    EXPECT_EQ(record.LastMoveColour(), 0x00FF00u);
    EXPECT_EQ(record.CurrentPositionColour(), 0xFF0000u);
}

TEST(SettingsFixupTest, ReplayColourDefaultsAreWrittenOnceAndAskForAWrite) {
    SettingsRecord record = SettledRecord();
    record.SetInt(kOffsetReplayColoursOnce, 0);
    record.SetColour(kOffsetVariationsColour, 0);
    record.SetInt(kOffsetHighlightCurrentPosition, 0);
    record.SetColour(kOffsetReplayHighlightColour, 0x010101);
    EXPECT_TRUE(ApplyStartFixups(record, Environment()));
    EXPECT_EQ(record.VariationsColour(), 0xA80054u);
    EXPECT_EQ(record.HighlightCurrentPosition(), 8);
    EXPECT_EQ(record.ReplayHighlightColour(), 0xA0A0A0u);
    EXPECT_EQ(record.Int(kOffsetReplayColoursOnce), 1);

    record.SetInt(kOffsetHighlightCurrentPosition, 0);
    EXPECT_FALSE(ApplyStartFixups(record, Environment()));
    EXPECT_EQ(record.HighlightCurrentPosition(), 0);
}

TEST(SettingsFixupTest, DuplicatesAndManeuverDefaultsReturnWithAZeroLookAhead) {
    SettingsRecord record = SettledRecord();
    record.SetInt(kOffsetDuplicatesLookAhead, 0);
    record.SetInt(kOffsetDuplicatesMaxMoveDifference, 9);
    record.SetInt(kOffsetDuplicatesCheckEntireFile, 1);
    record.SetInt(kOffsetManeuversLookAhead, 0);
    ApplyStartFixups(record, Environment());
    EXPECT_EQ(record.Int(kOffsetDuplicatesLookAhead), 100);
    EXPECT_EQ(record.Int(kOffsetDuplicatesMaxMoveDifference), 2);
    EXPECT_EQ(record.Int(kOffsetDuplicatesCheckEntireFile), 0);
    EXPECT_EQ(record.Int(kOffsetManeuversLookAhead), 10);

    record.SetInt(kOffsetDuplicatesLookAhead, 50);
    record.SetInt(kOffsetDuplicatesCheckEntireFile, 1);
    ApplyStartFixups(record, Environment());
    EXPECT_EQ(record.Int(kOffsetDuplicatesLookAhead), 50);
    EXPECT_EQ(record.Int(kOffsetDuplicatesCheckEntireFile), 1);
}

TEST(SettingsFixupTest, ColumnFormatColoursReadZeroAsUnset) {
    SettingsRecord record = SettledRecord();
    record.SetColour(kOffsetMovesTextBackgroundColour, 0);
    record.SetColour(kOffsetGridColour, 0x000080);
    record.SetColour(kOffsetMoveNumberBackgroundColour, 0);
    ApplyStartFixups(record, Environment());
    EXPECT_EQ(record.MovesTextBackgroundColour(), 0u) << "black on a coloured grid is a choice";
    EXPECT_EQ(record.MoveNumberBackgroundColour(), 0xE8E8E8u);
    record.SetColour(kOffsetGridColour, 0);
    ApplyStartFixups(record, Environment());
    EXPECT_EQ(record.MovesTextBackgroundColour(), 0xFFFFFFu);
}

TEST(SettingsFixupTest, HideGameTextAndAutoPlayIntervalReachTheResult) {
    TempDir dir;
    SettingsRecord saved = SettledRecord();
    saved.SetHideGameText(true);
    saved.SetAutoPlayDelayText("0.5");
    ASSERT_TRUE(SaveSettingsFile(dir.File("savinfo.opt"), saved));
    SettingsRecord record;
    StartupSettingsResult result = LoadStartupSettings(dir.File("savinfo.opt"), Environment(), record);
    EXPECT_TRUE(result.hideGameText);
    EXPECT_EQ(result.autoPlayIntervalMs, 500);
}

// ----- saving -----

TEST(SettingsSaveTest, SaveReplacesTheOldFileAndLeavesNoTemporary) {
    TempDir dir;
    dir.Write("savinfo.opt", "old contents");
    SettingsRecord record = SettledRecord();
    ASSERT_TRUE(SaveSettingsFile(dir.File("savinfo.opt"), record));
    EXPECT_EQ(ReadWholeFile(dir.File("savinfo.opt")), ImageOf(record));
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        ++files;
    }
    EXPECT_EQ(files, 1u);
}

TEST(SettingsSaveTest, SaveIntoAMissingDirectoryFailsWithoutAFile) {
    TempDir dir;
    std::string path = dir.File("missing/savinfo.opt");
    EXPECT_FALSE(SaveSettingsFile(path, SettingsRecord()));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(SettingsSaveTest, FailedRenameKeepsTheOldFileAndRemovesTheTemporary) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("savinfo.opt"));
    std::filesystem::create_directory(
        dir.File("savinfo.opt/child"));  // a non-empty directory cannot be replaced
    EXPECT_FALSE(SaveSettingsFile(dir.File("savinfo.opt"), SettingsRecord()));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("savinfo.opt")));
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        ++files;
    }
    EXPECT_EQ(files, 1u);  // no temporary file is left behind
}

}  // namespace
}  // namespace ravelin::settings
