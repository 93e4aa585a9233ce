#include "settings/settings_record.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace ravelin::settings {
namespace {

// The named fields at the byte offsets of the options file, little-endian at any offset whatever the
// host's struct layout.
TEST(SettingsRecordTest, NamedFieldsSitAtTheirFileOffsets) {
    SettingsRecord record;
    record.SetInt(0x0131, 0x04030201);
    EXPECT_EQ(record.Byte(0x0131), 1);
    EXPECT_EQ(record.Byte(0x0134), 4);
    EXPECT_EQ(record.Int(0x0131), 0x04030201);
    record.SetColour(kOffsetVariationsColour, Rgb(1, 2, 3));
    record.SetPreviousGameNumber(-2);
    record.SetPreviousMovePosition(33);
    record.SetWorkingDirectoryDone(true);
    record.SetSmallWindowRect({1, 2, 3, 4});
    record.SetOtherWindowRect({5, 6, 7, 8});
    record.SetLargeWindowRect({9, 10, 11, 12});
    record.SetAlternateWindowRect({13, 14, 15, 16});
    record.SetPreset(2, {21, 22, 23, 24});
    record.SetPreset(6, {9, 9, 9, 9});  // no seventh preset
    record.SetColourTableEntry(2, 0xC0C0C0);
    record.SetCustomColour(15, 0x123456);
    // Colours are stored red, green, blue from the lowest byte; the preset past the six must not
    // reach the next field at 0x0530.
    const std::pair<std::size_t, std::int32_t> expected[] = {
        {0x192C, 0x030201}, {0x03A4, -2}, {0x03A8, 33},       {0x03CC, 1},        {0x05AC, 1},  {0x05B0, 2},
        {0x05B4, 5},        {0x05B8, 6},  {0x05BC, 3},        {0x05C0, 4},        {0x05C4, 7},  {0x05C8, 8},
        {0x0868, 9},        {0x086C, 10}, {0x0870, 11},       {0x0874, 12},       {0x1908, 13}, {0x1914, 16},
        {0x0408, 21},       {0x0414, 24}, {0x05DC, 0xC0C0C0}, {0x030C, 0x123456}, {0x0530, 0}};
    for (auto [offset, value] : expected) {
        EXPECT_EQ(record.Int(offset), value) << std::hex << offset;
    }
    EXPECT_EQ(record.Byte(0x03A7), 0xFF);
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

// A cut path would name another file: a text that does not fit is stored empty.
TEST(SettingsRecordTest, TextsFitWithTheirTerminatorOrAreStoredEmpty) {
    SettingsRecord record;
    record.SetByte(kOffsetPgnDirectory - 1, 0xAA);
    record.SetByte(kOffsetPgnFileName + kFileNameFieldWidth, 0xBB);
    EXPECT_TRUE(record.SetPgnFileName(std::string(55, 'y')));
    EXPECT_EQ(record.PgnFileName(), std::string(55, 'y'));
    EXPECT_TRUE(record.SetPgnDirectory(std::string(199, 'd')));
    EXPECT_EQ(record.PgnDirectory(), std::string(199, 'd'));
    EXPECT_EQ(record.Byte(kOffsetPgnDirectory - 1), 0xAA) << "neighbours are left alone";
    EXPECT_EQ(record.Byte(kOffsetPgnFileName + kFileNameFieldWidth), 0xBB);

    EXPECT_FALSE(record.SetPgnDirectory(std::string(200, 'd')));
    EXPECT_EQ(record.PgnDirectory(), "");
    EXPECT_FALSE(record.SetPgnFileName(std::string(56, 'x')));
    for (std::size_t i = 0; i < kFileNameFieldWidth; ++i) {
        ASSERT_EQ(record.Byte(kOffsetPgnFileName + i), 0) << i;
    }
    ASSERT_TRUE(record.SetPgnFileName("old.pgn"));
    EXPECT_FALSE(record.SetPgnFileName(std::string("ab\0cd", 5)));
    EXPECT_EQ(record.PgnFileName(), "");

    // A field without a terminator is read to its end only.
    for (std::size_t i = 0; i < 6; ++i) {
        record.SetByte(kOffsetPieceLetters + i, "QKRBNX"[i]);
    }
    EXPECT_EQ(record.PieceLetters(), "QKRBN");
}

// Piece style 8 would index past the eight piece sets.
TEST(SettingsRecordTest, OutOfRangeEnumerationsFromAFileReadAsTheirDefaults) {
    struct Field {
        std::size_t offset;
        std::int32_t (SettingsRecord::*read)() const;
        std::vector<std::pair<std::int32_t, std::int32_t>> storedAndRead;
    };
    const Field fields[] = {
        {kOffsetPieceStyle, &SettingsRecord::PieceStyle, {{7, 7}, {8, 4}, {-1, 4}}},
        {kOffsetNotationStyle, &SettingsRecord::NotationStyle, {{0, 0}, {2, 1}}},
        {kOffsetTreeSortOption, &SettingsRecord::TreeSortOption, {{2, 2}, {9, 1}}},
        {kOffsetHighlightCurrentPosition, &SettingsRecord::HighlightCurrentPosition, {{0, 0}, {5, 8}}},
        {kOffsetSlideDelay, &SettingsRecord::SlideDelay, {{200, 200}, {201, 0}, {-4, 0}}},
    };
    for (const Field& field : fields) {
        for (auto [stored, read] : field.storedAndRead) {
            SettingsRecord record;
            record.SetInt(field.offset, stored);
            EXPECT_EQ((record.*field.read)(), read)
                << std::hex << field.offset << std::dec << " holding " << stored;
            EXPECT_EQ(record.Int(field.offset), stored) << "the stored value is carried over";
        }
    }
    SettingsRecord record;
    record.SetInt(kOffsetBoardSize, 3);
    EXPECT_EQ(record.BoardSize(), BoardSizeOption::kSmall);
}

// The dialog fields fill the record from the PGN directory to the piece letters without gaps, in
// slot order, and each slot reads and writes its own; every slot but the previous file's belongs to
// a dialog with a title and a filter.
TEST(SettingsRecordTest, FileDialogFieldsTileTheirPartOfTheRecord) {
    ASSERT_EQ(FileDialogFields().size(), kFileDialogSlotCount);
    SettingsRecord record;
    std::size_t next = kOffsetFileDialogs;
    for (std::size_t i = 0; i < kFileDialogSlotCount; ++i) {
        const FileDialogField& field = FileDialogFieldOf(static_cast<FileDialogSlot>(i));
        SCOPED_TRACE(i);
        EXPECT_EQ(static_cast<std::size_t>(field.slot), i);
        EXPECT_EQ(field.directoryOffset, next);
        ASSERT_TRUE(record.SetDialogDirectory(field.slot, "/dir/" + std::to_string(next)));
        next += kDirectoryFieldWidth;
        EXPECT_EQ(field.nameCount, field.slot == FileDialogSlot::kSearch ? 3u : 1u);
        for (std::size_t n = 0; n < field.nameCount; ++n) {
            EXPECT_EQ(field.nameOffsets[n], next);
            ASSERT_TRUE(record.SetDialogFileName(field.slot, std::to_string(next), n));
            next += kFileNameFieldWidth;
            bool dialog = field.slot != FileDialogSlot::kPrevious;
            EXPECT_EQ(field.titles[n].starts_with("Select "), dialog) << field.titles[n];
            EXPECT_EQ(field.filters[n].starts_with("*."), dialog) << field.filters[n];
        }
    }
    EXPECT_EQ(next, kOffsetPieceLetters) << "the dialog fields end where the piece letters begin";
    for (const FileDialogField& field : FileDialogFields()) {
        EXPECT_EQ(record.DialogDirectory(field.slot), "/dir/" + std::to_string(field.directoryOffset));
        for (std::size_t n = 0; n < field.nameCount; ++n) {
            EXPECT_EQ(record.DialogFileName(field.slot, n), std::to_string(field.nameOffsets[n]));
        }
    }
    EXPECT_EQ(record.PreviousDirectory(), record.Text(0x0DFC, 200));
    EXPECT_EQ(record.PreviousFileName(), record.Text(0x0EC4, 56));
    EXPECT_EQ(record.DialogFileName(FileDialogSlot::kSearch, 2), record.Text(0x0AC4, 56));
    // An index beyond the slot's names is refused.
    const SettingsRecord before = record;
    EXPECT_FALSE(record.SetDialogFileName(FileDialogSlot::kPgn, "x.pgn", 1));
    EXPECT_EQ(record, before);
    EXPECT_EQ(record.DialogFileName(FileDialogSlot::kPgn, 1), "");
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

}  // namespace
}  // namespace ravelin::settings
