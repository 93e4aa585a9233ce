#include "settings/settings_record.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace ravelin::settings {
namespace {

TEST(SettingsRecordTest, NewRecordIsAllZero) {
    SettingsRecord record;
    for (std::uint8_t byte : record.Image()) {
        ASSERT_EQ(byte, 0);
    }
    EXPECT_EQ(record.Image().size(), 6464u);
}

TEST(SettingsRecordTest, IntegersAreLittleEndianNotHostStructLayout) {
    SettingsRecord record;
    record.SetInt(kOffsetAutoDisplayGame, 0x04030201);
    EXPECT_EQ(record.Byte(0x0130), 0x01);
    EXPECT_EQ(record.Byte(0x0131), 0x02);
    EXPECT_EQ(record.Byte(0x0132), 0x03);
    EXPECT_EQ(record.Byte(0x0133), 0x04);
    EXPECT_EQ(record.Int(0x0130), 0x04030201);
}

TEST(SettingsRecordTest, NegativeIntegersKeepTheirSign) {
    SettingsRecord record;
    record.SetInt(kOffsetPreviousGameNumber, -2);
    EXPECT_EQ(record.Byte(0x03A4), 0xFE);
    EXPECT_EQ(record.Byte(0x03A7), 0xFF);
    EXPECT_EQ(record.PreviousGameNumber(), -2);
}

TEST(SettingsRecordTest, UnalignedOffsetsReadTheirOwnBytes) {
    SettingsRecord record;
    record.SetInt(0x0101, 0x11223344);
    EXPECT_EQ(record.Byte(0x0100), 0);
    EXPECT_EQ(record.Byte(0x0101), 0x44);
    EXPECT_EQ(record.Int(0x0101), 0x11223344);
    EXPECT_EQ(record.Byte(0x0105), 0);
}

TEST(SettingsRecordTest, ColoursAreBlueGreenRed) {
    EXPECT_EQ(Rgb(84, 0, 168), 0xA80054u);
    EXPECT_EQ(Rgb(255, 0, 0), 0x0000FFu);
    SettingsRecord record;
    record.SetColour(kOffsetVariationsColour, Rgb(1, 2, 3));
    EXPECT_EQ(record.Byte(0x192C), 1);
    EXPECT_EQ(record.Byte(0x192D), 2);
    EXPECT_EQ(record.Byte(0x192E), 3);
    EXPECT_EQ(record.Byte(0x192F), 0);
    EXPECT_EQ(record.VariationsColour(), 0x030201u);
}

TEST(SettingsRecordTest, AccessOutsideTheRecordNeitherReadsNorWrites) {
    SettingsRecord record;
    record.SetInt(6462, 0x7F7F7F7F);
    record.SetByte(6464, 1);
    EXPECT_EQ(record.Int(6462), 0);
    EXPECT_EQ(record.Int(6460), 0);
    EXPECT_EQ(record.Byte(6464), 0);
    EXPECT_EQ(record.Text(6460, 10), "");
    EXPECT_FALSE(record.SetText(6460, 10, "ab"));
    EXPECT_EQ(record, SettingsRecord());
}

TEST(SettingsRecordTest, TextWithoutTerminatorStopsAtFieldEnd) {
    SettingsRecord record;
    for (std::size_t i = 0; i < 20; ++i) {
        record.SetByte(kOffsetPgnFileName + i, 'a');
    }
    EXPECT_EQ(record.Text(kOffsetPgnFileName, 8), "aaaaaaaa");
    record.SetByte(kOffsetPieceLetters, 'Q');
    record.SetByte(kOffsetPieceLetters + 5, 'X');  // beyond the five letters
    record.SetByte(kOffsetPieceLetters + 1, 'K');
    record.SetByte(kOffsetPieceLetters + 2, 'R');
    record.SetByte(kOffsetPieceLetters + 3, 'B');
    record.SetByte(kOffsetPieceLetters + 4, 'N');
    EXPECT_EQ(record.PieceLetters(), "QKRBN");
}

TEST(SettingsRecordTest, OverlongTextIsStoredEmptyNotCut) {
    SettingsRecord record;
    ASSERT_TRUE(record.SetPgnFileName("old.pgn"));
    std::string longName(56, 'x');
    EXPECT_FALSE(record.SetPgnFileName(longName));
    EXPECT_EQ(record.PgnFileName(), "");
    for (std::size_t i = 0; i < kFileNameFieldWidth; ++i) {
        ASSERT_EQ(record.Byte(kOffsetPgnFileName + i), 0) << i;
    }
}

TEST(SettingsRecordTest, TextOfWidthMinusOneFitsWithItsTerminator) {
    SettingsRecord record;
    std::string name(55, 'y');
    EXPECT_TRUE(record.SetPgnFileName(name));
    EXPECT_EQ(record.PgnFileName(), name);
    EXPECT_EQ(record.Byte(kOffsetPgnFileName + 55), 0);
    std::string directory(199, 'd');
    EXPECT_TRUE(record.SetPgnDirectory(directory));
    EXPECT_EQ(record.PgnDirectory(), directory);
    EXPECT_FALSE(record.SetPgnDirectory(std::string(200, 'd')));
    EXPECT_EQ(record.PgnDirectory(), "");
}

TEST(SettingsRecordTest, TextWithZeroByteIsRefusedRatherThanCut) {
    SettingsRecord record;
    EXPECT_FALSE(record.SetPgnFileName(std::string("ab\0cd", 5)));
    EXPECT_EQ(record.PgnFileName(), "");
}

TEST(SettingsRecordTest, ShorterTextClearsTheRestOfTheField) {
    SettingsRecord record;
    ASSERT_TRUE(record.SetPgnFileName("abcdefgh.pgn"));
    ASSERT_TRUE(record.SetPgnFileName("a.pgn"));
    EXPECT_EQ(record.PgnFileName(), "a.pgn");
    EXPECT_EQ(record.Byte(kOffsetPgnFileName + 6), 0);
}

TEST(SettingsRecordTest, WritingAFieldLeavesItsNeighboursAlone) {
    SettingsRecord record;
    record.SetByte(kOffsetPgnDirectory - 1, 0xAA);
    record.SetByte(kOffsetPgnFileName + kFileNameFieldWidth, 0xBB);
    record.SetPgnDirectory(std::string(199, 'd'));
    record.SetPgnFileName(std::string(55, 'n'));
    EXPECT_EQ(record.Byte(kOffsetPgnDirectory - 1), 0xAA);
    EXPECT_EQ(record.Byte(kOffsetPgnFileName + kFileNameFieldWidth), 0xBB);
}

struct EnumerationCase {
    const char* name;
    std::size_t offset;
    std::int32_t stored;
    std::int32_t expected;
};

std::int32_t ReadEnumeration(const SettingsRecord& record, std::size_t offset) {
    switch (offset) {
        case kOffsetPieceStyle:
            return record.PieceStyle();
        case kOffsetNotationStyle:
            return record.NotationStyle();
        case kOffsetEditStyle:
            return record.EditStyle();
        case kOffsetBoardSize:
            return static_cast<std::int32_t>(record.BoardSize());
        case kOffsetHighlightLastMove:
            return record.HighlightLastMove();
        case kOffsetTreeSortOption:
            return record.TreeSortOption();
        case kOffsetHighlightCurrentPosition:
            return record.HighlightCurrentPosition();
        case kOffsetSlideDelay:
            return record.SlideDelay();
        default:
            return -12345;
    }
}

TEST(SettingsRecordTest, OutOfRangeEnumerationsFromAFileReadAsTheirDefaults) {
    const EnumerationCase cases[] = {
        {"piece style in range", kOffsetPieceStyle, 7, 7},
        {"piece style 8 would index past the eight piece sets", kOffsetPieceStyle, 8, 4},
        {"negative piece style", kOffsetPieceStyle, -1, 4},
        {"notation style 2", kOffsetNotationStyle, 2, 1},
        {"notation style alpha kept", kOffsetNotationStyle, 0, 0},
        {"edit style 3", kOffsetEditStyle, 3, 1},
        {"edit style with slide kept", kOffsetEditStyle, 2, 2},
        {"board size 3 has no layout", kOffsetBoardSize, 3, 0},
        {"board size large kept", kOffsetBoardSize, 2, 2},
        {"highlight kind 3", kOffsetHighlightLastMove, 3, 0},
        {"highlight thick kept", kOffsetHighlightLastMove, 2, 2},
        {"tree sort option 9", kOffsetTreeSortOption, 9, 1},
        {"current position highlight 0 kept", kOffsetHighlightCurrentPosition, 0, 0},
        {"current position highlight 5", kOffsetHighlightCurrentPosition, 5, 8},
        {"slide delay 201", kOffsetSlideDelay, 201, 0},
        {"slide delay negative", kOffsetSlideDelay, -4, 0},
        {"slide delay 200 kept", kOffsetSlideDelay, 200, 200},
    };
    for (const EnumerationCase& c : cases) {
        SettingsRecord record;
        record.SetInt(c.offset, c.stored);
        EXPECT_EQ(ReadEnumeration(record, c.offset), c.expected) << c.name;
        EXPECT_EQ(record.Int(c.offset), c.stored) << c.name << ": the stored value is carried over";
    }
}

TEST(SettingsRecordTest, FileDialogTableMatchesTheRecordLayout) {
    struct Row {
        FileDialogSlot slot;
        std::size_t directory;
        std::vector<std::size_t> names;
        std::vector<std::string_view> titles;
        std::vector<std::string_view> filters;
    };
    using S = FileDialogSlot;
    const Row rows[] = {
        {S::kPgn, 0x088C, {0x0954}, {"Select PGN File"}, {"*.pgn"}},
        {S::kSearch,
         0x098C,
         {0x0A54, 0x0A8C, 0x0AC4},
         {"Select Search Criteria File", "Select Game Addition File", "Select Directory Search File"},
         {"*.ser", "*.add", "*.dir"}},
        {S::kHtml, 0x0AFC, {0x0BC4}, {"Select Html File"}, {"*.html"}},
        {S::kPgnTarget, 0x0BFC, {0x0CC4}, {"Select PGN File"}, {"*.pgn"}},
        {S::kBitmap, 0x0CFC, {0x0DC4}, {"Select Bitmap File"}, {"*.bmp"}},
        {S::kPrevious, 0x0DFC, {0x0EC4}, {""}, {""}},
        {S::kJpeg, 0x0EFC, {0x0FC4}, {"Select JPEG File"}, {"*.jpg"}},
        {S::kTreeMerge, 0x0FFC, {0x10C4}, {"Select Tree Merge File"}, {"*.trm"}},
        {S::kPgnSplit, 0x10FC, {0x11C4}, {"Select PGN File to Split"}, {"*.pgn"}},
        {S::kCraftyPosition, 0x11FC, {0x12C4}, {"Select Crafty Position File"}, {"*.pos"}},
        {S::kCraftyGame, 0x12FC, {0x13C4}, {"Select Crafty Game File"}, {"*.pgn"}},
        {S::kCraftyAnnotation, 0x13FC, {0x14C4}, {"Select Crafty Annotation File"}, {"*.can"}},
        {S::kCraftyExecutable, 0x14FC, {0x15C4}, {"Select Crafty Executable"}, {"*.exe"}},
        {S::kDatabase, 0x15FC, {0x16C4}, {"Select Database"}, {"*.dbg"}},
        {S::kYahooGame, 0x16FC, {0x17C4}, {"Select Yahoo Game File"}, {"*.txt"}},
        {S::kYahooPgn, 0x17FC, {0x18C4}, {"Select Yahoo PGN File"}, {"*.pgn"}},
    };
    ASSERT_EQ(std::size(rows), FileDialogFields().size());
    std::size_t next = kOffsetFileDialogs;
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        const FileDialogField& field = FileDialogFieldOf(row.slot);
        SCOPED_TRACE(i);
        EXPECT_EQ(static_cast<std::size_t>(row.slot), i);
        EXPECT_EQ(field.directoryOffset, row.directory);
        EXPECT_EQ(field.directoryOffset, next) << "fields must be contiguous";
        next = field.directoryOffset + kDirectoryFieldWidth;
        ASSERT_EQ(field.nameCount, row.names.size());
        for (std::size_t n = 0; n < row.names.size(); ++n) {
            EXPECT_EQ(field.nameOffsets[n], row.names[n]);
            EXPECT_EQ(field.nameOffsets[n], next);
            next += kFileNameFieldWidth;
            EXPECT_EQ(field.titles[n], row.titles[n]);
            EXPECT_EQ(field.filters[n], row.filters[n]);
        }
    }
    EXPECT_EQ(next, kOffsetPieceLetters) << "the dialog fields end where the piece letters begin";
}

TEST(SettingsRecordTest, EachDialogSlotWritesItsOwnFields) {
    SettingsRecord record;
    for (const FileDialogField& field : FileDialogFields()) {
        std::string tag = std::to_string(field.directoryOffset);
        ASSERT_TRUE(record.SetDialogDirectory(field.slot, "/dir/" + tag));
        for (std::size_t n = 0; n < field.nameCount; ++n) {
            ASSERT_TRUE(record.SetDialogFileName(field.slot, tag + "-" + std::to_string(n), n));
        }
    }
    for (const FileDialogField& field : FileDialogFields()) {
        std::string tag = std::to_string(field.directoryOffset);
        EXPECT_EQ(record.DialogDirectory(field.slot), "/dir/" + tag);
        EXPECT_EQ(record.Text(field.directoryOffset, kDirectoryFieldWidth), "/dir/" + tag);
        for (std::size_t n = 0; n < field.nameCount; ++n) {
            EXPECT_EQ(record.DialogFileName(field.slot, n), tag + "-" + std::to_string(n));
        }
    }
    EXPECT_EQ(record.PgnDirectory(), record.Text(0x088C, 200));
    EXPECT_EQ(record.PgnFileName(), record.Text(0x0954, 56));
    EXPECT_EQ(record.PreviousDirectory(), record.Text(0x0DFC, 200));
    EXPECT_EQ(record.PreviousFileName(), record.Text(0x0EC4, 56));
}

TEST(SettingsRecordTest, NameIndexBeyondTheSlotsNamesIsRefused) {
    SettingsRecord record;
    EXPECT_FALSE(record.SetDialogFileName(FileDialogSlot::kPgn, "x.pgn", 1));
    EXPECT_EQ(record, SettingsRecord());
    EXPECT_EQ(record.DialogFileName(FileDialogSlot::kPgn, 1), "");
    EXPECT_TRUE(record.SetDialogFileName(FileDialogSlot::kSearch, "a.dir", 2));
    EXPECT_EQ(record.Text(0x0AC4, 56), "a.dir");
}

TEST(SettingsRecordTest, PreviousFileFieldsAreAtTheirOffsets) {
    SettingsRecord record;
    record.SetPreviousGameNumber(17);
    record.SetPreviousMovePosition(33);
    record.SetWorkingDirectoryDone(true);
    EXPECT_EQ(record.Int(0x03A4), 17);
    EXPECT_EQ(record.Int(0x03A8), 33);
    EXPECT_EQ(record.Int(0x03CC), 1);
}

TEST(SettingsRecordTest, PieceLettersKeepTheCustomFlagInStep) {
    SettingsRecord record;
    ASSERT_TRUE(record.SetPieceLetters("KDTLS"));
    EXPECT_EQ(record.PieceLetters(), "KDTLS");
    EXPECT_TRUE(record.CustomPieceLetters());
    EXPECT_EQ(record.Byte(0x1903), 1);
    ASSERT_TRUE(record.SetPieceLetters("KQRBN"));
    EXPECT_FALSE(record.CustomPieceLetters());
    EXPECT_EQ(record.Byte(0x1901), 0) << "five letters, no terminator written past them";
    EXPECT_FALSE(record.SetPieceLetters("KQRBNP"));
    EXPECT_EQ(record.PieceLetters(), "KQRBN");
}

TEST(SettingsRecordTest, SavedRectanglesUseTheirInterleavedOffsets) {
    SettingsRecord record;
    record.SetSmallWindowRect({1, 2, 3, 4});
    record.SetOtherWindowRect({5, 6, 7, 8});
    record.SetLargeWindowRect({9, 10, 11, 12});
    record.SetAlternateWindowRect({13, 14, 15, 16});
    const std::pair<std::size_t, std::int32_t> expected[] = {
        {0x05AC, 1},  {0x05B0, 2},  {0x05B4, 5},  {0x05B8, 6},  {0x05BC, 3},  {0x05C0, 4},
        {0x05C4, 7},  {0x05C8, 8},  {0x0868, 9},  {0x086C, 10}, {0x0870, 11}, {0x0874, 12},
        {0x1908, 13}, {0x190C, 14}, {0x1910, 15}, {0x1914, 16},
    };
    for (auto [offset, value] : expected) {
        EXPECT_EQ(record.Int(offset), value) << std::hex << offset;
    }
    EXPECT_EQ(record.SmallWindowRect(), (SavedRect{1, 2, 3, 4}));
    EXPECT_EQ(record.OtherWindowRect(), (SavedRect{5, 6, 7, 8}));
}

TEST(SettingsRecordTest, PresetsAndColourTableAreAtTheirOffsets) {
    SettingsRecord record;
    record.SetPreset(2, {1, 2, 3, 4});
    record.SetPreset(6, {9, 9, 9, 9});  // no seventh preset
    record.SetColourTableEntry(2, 0xC0C0C0);
    record.SetCustomColour(15, 0x123456);
    EXPECT_EQ(record.Int(0x03E8 + 32), 1);
    EXPECT_EQ(record.Int(0x03E8 + 44), 4);
    EXPECT_EQ(record.Preset(2), (ColourPreset{1, 2, 3, 4}));
    EXPECT_EQ(record.Int(0x0530), 0) << "a preset index past the six must not reach the next field";
    EXPECT_EQ(record.Colour(0x05DC), 0xC0C0C0u);
    EXPECT_EQ(record.Colour(0x030C), 0x123456u);
}

TEST(SettingsRecordTest, ShortImageLeavesTheRestZeroAndLongImageIsCut) {
    std::vector<std::uint8_t> shortImage(100, 0x5A);
    SettingsRecord shortRecord = SettingsRecord::FromBytes(shortImage);
    EXPECT_EQ(shortRecord.Byte(99), 0x5A);
    EXPECT_EQ(shortRecord.Byte(100), 0);
    std::vector<std::uint8_t> longImage(7000, 0x33);
    SettingsRecord longRecord = SettingsRecord::FromBytes(longImage);
    EXPECT_EQ(longRecord.Byte(6463), 0x33);
}

}  // namespace
}  // namespace ravelin::settings
