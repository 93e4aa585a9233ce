#include "settings/settings_record.h"

#include <algorithm>

namespace ravelin::settings {

namespace {

constexpr std::size_t kSmallWidthOffset = kOffsetSavedWindowRects + 0;
constexpr std::size_t kSmallHeightOffset = kOffsetSavedWindowRects + 4;
constexpr std::size_t kOtherWidthOffset = kOffsetSavedWindowRects + 8;
constexpr std::size_t kOtherHeightOffset = kOffsetSavedWindowRects + 12;
constexpr std::size_t kSmallXOffset = kOffsetSavedWindowRects + 16;
constexpr std::size_t kSmallYOffset = kOffsetSavedWindowRects + 20;
constexpr std::size_t kOtherXOffset = kOffsetSavedWindowRects + 24;
constexpr std::size_t kOtherYOffset = kOffsetSavedWindowRects + 28;

constexpr std::size_t kPresetWidth = 16;

FileDialogField Single(FileDialogSlot slot, std::size_t directory, std::string_view title,
                       std::string_view filter) {
    return FileDialogField{
        slot, directory, 1, {directory + kDirectoryFieldWidth, 0, 0}, {title, {}, {}}, {filter, {}, {}}};
}

std::array<FileDialogField, kFileDialogSlotCount> MakeFileDialogFields() {
    using S = FileDialogSlot;
    return {{
        Single(S::kPgn, 0x088C, "Select PGN File", "*.pgn"),
        FileDialogField{
            S::kSearch,
            0x098C,
            3,
            {0x0A54, 0x0A8C, 0x0AC4},
            {"Select Search Criteria File", "Select Game Addition File", "Select Directory Search File"},
            {"*.ser", "*.add", "*.dir"}},
        Single(S::kHtml, 0x0AFC, "Select Html File", "*.html"),
        Single(S::kPgnTarget, 0x0BFC, "Select PGN File", "*.pgn"),
        Single(S::kBitmap, 0x0CFC, "Select Bitmap File", "*.bmp"),
        Single(S::kPrevious, 0x0DFC, "", ""),
        Single(S::kJpeg, 0x0EFC, "Select JPEG File", "*.jpg"),
        Single(S::kTreeMerge, 0x0FFC, "Select Tree Merge File", "*.trm"),
        Single(S::kPgnSplit, 0x10FC, "Select PGN File to Split", "*.pgn"),
        Single(S::kCraftyPosition, 0x11FC, "Select Crafty Position File", "*.pos"),
        Single(S::kCraftyGame, 0x12FC, "Select Crafty Game File", "*.pgn"),
        Single(S::kCraftyAnnotation, 0x13FC, "Select Crafty Annotation File", "*.can"),
        Single(S::kCraftyExecutable, 0x14FC, "Select Crafty Executable", "*.exe"),
        Single(S::kDatabase, 0x15FC, "Select Database", "*.dbg"),
        Single(S::kYahooGame, 0x16FC, "Select Yahoo Game File", "*.txt"),
        Single(S::kYahooPgn, 0x17FC, "Select Yahoo PGN File", "*.pgn"),
    }};
}

bool FitsIn(std::size_t offset, std::size_t width) {
    return offset <= kSettingsRecordSize && width <= kSettingsRecordSize - offset;
}

}  // namespace

const std::array<FileDialogField, kFileDialogSlotCount>& FileDialogFields() {
    static const std::array<FileDialogField, kFileDialogSlotCount> fields = MakeFileDialogFields();
    return fields;
}

const FileDialogField& FileDialogFieldOf(FileDialogSlot slot) {
    return FileDialogFields()[static_cast<std::size_t>(slot)];
}

SettingsRecord SettingsRecord::FromBytes(std::span<const std::uint8_t> image) {
    SettingsRecord record;
    std::copy_n(image.begin(), std::min(image.size(), kSettingsRecordSize), record.bytes_.begin());
    return record;
}

std::int32_t SettingsRecord::Int(std::size_t offset) const {
    if (!FitsIn(offset, 4)) {
        return 0;
    }
    std::uint32_t value = static_cast<std::uint32_t>(bytes_[offset]) |
                          (static_cast<std::uint32_t>(bytes_[offset + 1]) << 8) |
                          (static_cast<std::uint32_t>(bytes_[offset + 2]) << 16) |
                          (static_cast<std::uint32_t>(bytes_[offset + 3]) << 24);
    return static_cast<std::int32_t>(value);
}

void SettingsRecord::SetInt(std::size_t offset, std::int32_t value) {
    if (!FitsIn(offset, 4)) {
        return;
    }
    auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i) {
        bytes_[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

std::uint8_t SettingsRecord::Byte(std::size_t offset) const {
    return offset < kSettingsRecordSize ? bytes_[offset] : 0;
}

void SettingsRecord::SetByte(std::size_t offset, std::uint8_t value) {
    if (offset < kSettingsRecordSize) {
        bytes_[offset] = value;
    }
}

std::string SettingsRecord::Text(std::size_t offset, std::size_t width) const {
    if (!FitsIn(offset, width)) {
        return {};
    }
    auto first = bytes_.begin() + static_cast<std::ptrdiff_t>(offset);
    auto last = std::find(first, first + static_cast<std::ptrdiff_t>(width), std::uint8_t{0});
    return std::string(first, last);
}

bool SettingsRecord::SetText(std::size_t offset, std::size_t width, std::string_view text) {
    if (!FitsIn(offset, width) || width == 0) {
        return false;
    }
    auto first = bytes_.begin() + static_cast<std::ptrdiff_t>(offset);
    std::fill_n(first, width, std::uint8_t{0});
    if (text.size() >= width || text.find('\0') != std::string_view::npos) {
        return false;
    }
    std::transform(text.begin(), text.end(), first, [](char c) { return static_cast<std::uint8_t>(c); });
    return true;
}

std::int32_t SettingsRecord::Enumeration(std::size_t offset, std::int32_t lowest, std::int32_t highest,
                                         std::int32_t fallback) const {
    std::int32_t value = Int(offset);
    return value >= lowest && value <= highest ? value : fallback;
}

std::int32_t SettingsRecord::SlideDelay() const {
    return Enumeration(kOffsetSlideDelay, 0, 200, 0);
}
std::int32_t SettingsRecord::PieceStyle() const {
    return Enumeration(kOffsetPieceStyle, 0, 7, 4);
}
std::int32_t SettingsRecord::NotationStyle() const {
    return Enumeration(kOffsetNotationStyle, 0, 1, 1);
}
std::int32_t SettingsRecord::EditStyle() const {
    return Enumeration(kOffsetEditStyle, 0, 2, 1);
}
std::int32_t SettingsRecord::TreeSortOption() const {
    return Enumeration(kOffsetTreeSortOption, 0, 2, 1);
}
std::int32_t SettingsRecord::HighlightLastMove() const {
    return Enumeration(kOffsetHighlightLastMove, 0, 2, 0);
}

BoardSizeOption SettingsRecord::BoardSize() const {
    return static_cast<BoardSizeOption>(Enumeration(kOffsetBoardSize, 0, 2, 0));
}

std::int32_t SettingsRecord::HighlightCurrentPosition() const {
    std::int32_t value = Int(kOffsetHighlightCurrentPosition);
    return value == 0 || value == 8 ? value : 8;
}

bool SettingsRecord::SetPieceLetters(std::string_view letters) {
    if (letters.size() > kWidthPieceLetters || letters.find('\0') != std::string_view::npos) {
        return false;
    }
    for (std::size_t i = 0; i < kWidthPieceLetters; ++i) {
        SetByte(kOffsetPieceLetters + i, i < letters.size() ? static_cast<std::uint8_t>(letters[i]) : 0);
    }
    SetByte(kOffsetCustomPieceLetters, letters == kDefaultPieceLetters ? 0 : 1);
    return true;
}

std::uint32_t SettingsRecord::CustomColour(std::size_t index) const {
    return index < kCustomColourCount ? Colour(kOffsetCustomColours + 4 * index) : 0;
}

void SettingsRecord::SetCustomColour(std::size_t index, std::uint32_t colour) {
    if (index < kCustomColourCount) {
        SetColour(kOffsetCustomColours + 4 * index, colour);
    }
}

ColourPreset SettingsRecord::Preset(std::size_t index) const {
    if (index >= kColourPresetCount) {
        return {};
    }
    std::size_t base = kOffsetColourPresets + kPresetWidth * index;
    return {Colour(base), Colour(base + 4), Colour(base + 8), Colour(base + 12)};
}

void SettingsRecord::SetPreset(std::size_t index, const ColourPreset& preset) {
    if (index >= kColourPresetCount) {
        return;
    }
    std::size_t base = kOffsetColourPresets + kPresetWidth * index;
    SetColour(base, preset.background);
    SetColour(base + 4, preset.lightSquares);
    SetColour(base + 8, preset.darkSquares);
    SetColour(base + 12, preset.lastMove);
}

std::uint32_t SettingsRecord::ColourTableEntry(std::size_t index) const {
    return index < kColourTableCount ? Colour(kOffsetColourTable + 4 * index) : 0;
}

void SettingsRecord::SetColourTableEntry(std::size_t index, std::uint32_t colour) {
    if (index < kColourTableCount) {
        SetColour(kOffsetColourTable + 4 * index, colour);
    }
}

SavedRect SettingsRecord::SmallWindowRect() const {
    return {Int(kSmallWidthOffset), Int(kSmallHeightOffset), Int(kSmallXOffset), Int(kSmallYOffset)};
}

void SettingsRecord::SetSmallWindowRect(const SavedRect& rect) {
    SetInt(kSmallWidthOffset, rect.width);
    SetInt(kSmallHeightOffset, rect.height);
    SetInt(kSmallXOffset, rect.x);
    SetInt(kSmallYOffset, rect.y);
}

SavedRect SettingsRecord::OtherWindowRect() const {
    return {Int(kOtherWidthOffset), Int(kOtherHeightOffset), Int(kOtherXOffset), Int(kOtherYOffset)};
}

void SettingsRecord::SetOtherWindowRect(const SavedRect& rect) {
    SetInt(kOtherWidthOffset, rect.width);
    SetInt(kOtherHeightOffset, rect.height);
    SetInt(kOtherXOffset, rect.x);
    SetInt(kOtherYOffset, rect.y);
}

SavedRect SettingsRecord::RectAt(std::size_t offset) const {
    return {Int(offset), Int(offset + 4), Int(offset + 8), Int(offset + 12)};
}

void SettingsRecord::SetRectAt(std::size_t offset, const SavedRect& rect) {
    SetInt(offset, rect.width);
    SetInt(offset + 4, rect.height);
    SetInt(offset + 8, rect.x);
    SetInt(offset + 12, rect.y);
}

std::string SettingsRecord::DialogDirectory(FileDialogSlot slot) const {
    return Text(FileDialogFieldOf(slot).directoryOffset, kDirectoryFieldWidth);
}

bool SettingsRecord::SetDialogDirectory(FileDialogSlot slot, std::string_view directory) {
    return SetText(FileDialogFieldOf(slot).directoryOffset, kDirectoryFieldWidth, directory);
}

std::string SettingsRecord::DialogFileName(FileDialogSlot slot, std::size_t index) const {
    const FileDialogField& field = FileDialogFieldOf(slot);
    return index < field.nameCount ? Text(field.nameOffsets[index], kFileNameFieldWidth) : std::string();
}

bool SettingsRecord::SetDialogFileName(FileDialogSlot slot, std::string_view name, std::size_t index) {
    const FileDialogField& field = FileDialogFieldOf(slot);
    return index < field.nameCount && SetText(field.nameOffsets[index], kFileNameFieldWidth, name);
}

}  // namespace ravelin::settings
