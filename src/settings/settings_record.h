#pragma once

// The settings record: every persistent setting of the program in one fixed 6464-byte image that
// is also the exact content of the options file. The image is kept as bytes and read through
// accessors at fixed offsets, so that bytes this program does not know are carried over unchanged
// and the file format never depends on the compiler's struct layout or the host's byte order.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ravelin::settings {

inline constexpr std::size_t kSettingsRecordSize = 6464;

// Offsets of the named fields (32-bit little-endian integers unless a width is given).
inline constexpr std::size_t kOffsetStartedFlag = 0x0128;  // 1 at every start and at window creation
inline constexpr std::size_t kOffsetOpenFileAtStart = 0x012C;
inline constexpr std::size_t kOffsetAutoDisplayGame = 0x0130;
inline constexpr std::size_t kOffsetMaxPrintLines = 0x0134;
inline constexpr std::size_t kOffsetSlideDelay = 0x0138;
inline constexpr std::size_t kOffsetPieceStyle = 0x013C;
inline constexpr std::size_t kOffsetDisplayActualText = 0x0140;
inline constexpr std::size_t kOffsetNotationStyle = 0x0144;
inline constexpr std::size_t kOffsetEditStyle = 0x0148;
inline constexpr std::size_t kOffsetAutoPageGameText = 0x01C0;
inline constexpr std::size_t kOffsetAutoDisplayAnalysisComments = 0x01C4;
inline constexpr std::size_t kOffsetHideGameText = 0x023C;
inline constexpr std::size_t kOffsetTreeAutoDisplayGame = 0x02B4;
inline constexpr std::size_t kOffsetTreeSingleNodeCount = 0x02B8;
inline constexpr std::size_t kOffsetTreeSortOption = 0x02BC;
inline constexpr std::size_t kOffsetTreeExactVariations = 0x02C0;
inline constexpr std::size_t kOffsetTreeCheckBox300 = 0x02C4;
inline constexpr std::size_t kOffsetTreeShowPercentage = 0x02C8;
inline constexpr std::size_t kOffsetClearedAtStart = 0x02CC;
inline constexpr std::size_t kOffsetCustomColours = 0x02D0;  // 16 colours
inline constexpr std::size_t kCustomColourCount = 16;
inline constexpr std::size_t kOffsetDarkSquaresColour = 0x0310;
inline constexpr std::size_t kOffsetLightSquaresColour = 0x0314;
inline constexpr std::size_t kOffsetBackgroundColour = 0x0318;
inline constexpr std::size_t kOffsetDisplayCoordinates = 0x031C;
inline constexpr std::size_t kOffsetOpeningNameFlag = 0x0320;
inline constexpr std::size_t kOffsetEcoSetting = 0x0324;
inline constexpr std::size_t kOffsetTreeSecondCount = 0x0328;
inline constexpr std::size_t kOffsetDisplayOpening = 0x032C;
inline constexpr std::size_t kOffsetPreviousGameNumber = 0x03A4;
inline constexpr std::size_t kOffsetPreviousMovePosition = 0x03A8;
inline constexpr std::size_t kOffsetHighlightLastMove = 0x03AC;
inline constexpr std::size_t kOffsetLastMoveColour = 0x03B0;
inline constexpr std::size_t kOffsetChosenLastMoveColour = 0x03B4;
inline constexpr std::size_t kOffsetBoardSize = 0x03B8;
inline constexpr std::size_t kOffsetDuplicatesLookAhead = 0x03BC;
inline constexpr std::size_t kOffsetDuplicatesMaxMoveDifference = 0x03C0;
inline constexpr std::size_t kOffsetDuplicatesCheckEntireFile = 0x03C4;
inline constexpr std::size_t kOffsetManeuversLookAhead = 0x03C8;
inline constexpr std::size_t kOffsetWorkingDirectoryDone = 0x03CC;
inline constexpr std::size_t kOffsetStartedFlag2 = 0x03D0;
inline constexpr std::size_t kOffsetEcoSetting2 = 0x03D4;
inline constexpr std::size_t kOffsetAutoPlayDelayText = 0x03D8;
inline constexpr std::size_t kWidthAutoPlayDelayText = 8;
inline constexpr std::size_t kOffsetDisplayGameButtons = 0x03E0;
inline constexpr std::size_t kOffsetColoursInitialised = 0x03E4;
inline constexpr std::size_t kOffsetColourPresets = 0x03E8;  // 6 presets of 16 bytes
inline constexpr std::size_t kColourPresetCount = 6;
inline constexpr std::size_t kOffsetTreeShowScore = 0x0530;
inline constexpr std::size_t kOffsetTreeBuildingSetting = 0x0534;
inline constexpr std::size_t kOffsetSavedWindowRects = 0x05AC;  // 32 bytes, see SavedRect accessors
inline constexpr std::size_t kOffsetBorderColour = 0x05CC;
inline constexpr std::size_t kOffsetBoardDisplaySetting = 0x05D0;
inline constexpr std::size_t kOffsetColourTable = 0x05D4;  // 6 colours
inline constexpr std::size_t kColourTableCount = 6;
inline constexpr std::size_t kOffsetBoardDisplaySettingOnce = 0x05EC;
inline constexpr std::size_t kOffsetEnhancedMenu = 0x074C;
inline constexpr std::size_t kOffsetEnhancedMenuOnce = 0x0750;
inline constexpr std::size_t kOffsetEngineSettings = 0x07C8;  // 48 bytes
inline constexpr std::size_t kWidthEngineSettings = 48;
inline constexpr std::size_t kOffsetEngineSettingDefaultOn = 0x07D0;
inline constexpr std::size_t kOffsetLargeWindowRect = 0x0868;
inline constexpr std::size_t kOffsetOptionsCheckBox228 = 0x0878;
inline constexpr std::size_t kOffsetColumnFormat = 0x087C;
inline constexpr std::size_t kOffsetMovesTextBackgroundColour = 0x0880;
inline constexpr std::size_t kOffsetGridColour = 0x0884;
inline constexpr std::size_t kOffsetMoveNumberBackgroundColour = 0x0888;
inline constexpr std::size_t kOffsetFileDialogs = 0x088C;  // directories and file names, see FileDialogSlot
inline constexpr std::size_t kOffsetPgnDirectory = 0x088C;
inline constexpr std::size_t kOffsetPgnFileName = 0x0954;
inline constexpr std::size_t kOffsetPreviousDirectory = 0x0DFC;
inline constexpr std::size_t kOffsetPreviousFileName = 0x0EC4;
inline constexpr std::size_t kOffsetPieceLetters = 0x18FC;  // 5 letters, no terminator
inline constexpr std::size_t kWidthPieceLetters = 5;
inline constexpr std::size_t kOffsetCustomPieceLetters = 0x1903;  // one byte
inline constexpr std::size_t kOffsetAnalysisReplayMode = 0x1904;
inline constexpr std::size_t kOffsetAlternateWindowRect = 0x1908;
inline constexpr std::size_t kOffsetAnalysisSetting = 0x1918;
inline constexpr std::size_t kOffsetAnalysisReplayColoursOnce = 0x191C;
inline constexpr std::size_t kOffsetChosenCurrentPositionColour = 0x1920;
inline constexpr std::size_t kOffsetCurrentPositionColour = 0x1924;
inline constexpr std::size_t kOffsetReplayColoursOnce = 0x1928;
inline constexpr std::size_t kOffsetVariationsColour = 0x192C;
inline constexpr std::size_t kOffsetHighlightCurrentPosition = 0x1930;
inline constexpr std::size_t kOffsetReplayHighlightColour = 0x1934;
inline constexpr std::size_t kOffsetPreviousBoardColours = 0x1938;  // light, then dark

inline constexpr std::size_t kDirectoryFieldWidth = 200;
inline constexpr std::size_t kFileNameFieldWidth = 56;

inline constexpr std::string_view kDefaultPieceLetters = "KQRBN";

// Colours are platform colour values 0x00BBGGRR.
constexpr std::uint32_t Rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return red | (green << 8) | (blue << 16);
}

// A colour preset as kept in the record: 16 bytes, four colours.
struct ColourPreset {
    std::uint32_t background = 0;
    std::uint32_t lightSquares = 0;
    std::uint32_t darkSquares = 0;
    std::uint32_t lastMove = 0;
    friend bool operator==(const ColourPreset&, const ColourPreset&) = default;
};

// The six built-in presets; the third is the first-run board, the sixth the one "Reset Colors" restores.
inline constexpr std::array<ColourPreset, kColourPresetCount> kBuiltInColourPresets = {{
    {Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(192, 192, 192), Rgb(255, 0, 0)},
    {Rgb(255, 255, 221), Rgb(255, 255, 255), Rgb(202, 211, 219), Rgb(255, 0, 0)},
    {Rgb(255, 255, 221), Rgb(231, 206, 165), Rgb(165, 123, 90), Rgb(255, 0, 0)},
    {Rgb(255, 255, 221), Rgb(224, 224, 224), Rgb(64, 128, 128), Rgb(255, 0, 0)},
    {Rgb(209, 253, 208), Rgb(255, 255, 204), Rgb(64, 128, 128), Rgb(255, 0, 0)},
    {Rgb(255, 255, 221), Rgb(231, 241, 250), Rgb(162, 189, 217), Rgb(255, 0, 0)},
}};
inline constexpr std::uint32_t kPresetBorderColour = Rgb(192, 192, 192);

// A saved main-window rectangle; width 0 means "not saved".
struct SavedRect {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const SavedRect&, const SavedRect&) = default;
};

// The file dialogs whose last directory and file name(s) the record remembers, in record order.
enum class FileDialogSlot {
    kPgn,     // "Select PGN File": the current file
    kSearch,  // criteria, game addition and directory search files share one directory
    kHtml,
    kPgnTarget,  // second "Select PGN File": target of copy operations
    kBitmap,
    kPrevious,  // the previously opened PGN file (no dialog of its own)
    kJpeg,
    kTreeMerge,
    kPgnSplit,
    kCraftyPosition,
    kCraftyGame,
    kCraftyAnnotation,
    kCraftyExecutable,
    kDatabase,
    kYahooGame,
    kYahooPgn,
};
inline constexpr std::size_t kFileDialogSlotCount = 16;

struct FileDialogField {
    FileDialogSlot slot;
    std::size_t directoryOffset;
    std::size_t nameCount;                   // 3 for kSearch, else 1
    std::array<std::size_t, 3> nameOffsets;  // unused entries 0
    std::array<std::string_view, 3> titles;  // empty for kPrevious
    std::array<std::string_view, 3> filters;
};

// One row per FileDialogSlot, indexed by the slot's value.
const std::array<FileDialogField, kFileDialogSlotCount>& FileDialogFields();
const FileDialogField& FileDialogFieldOf(FileDialogSlot slot);

enum class BoardSizeOption { kSmall = 0, kMedium = 1, kLarge = 2 };

class SettingsRecord {
  public:
    using Bytes = std::array<std::uint8_t, kSettingsRecordSize>;

    SettingsRecord() = default;  // all zero, like a new options file

    // Takes the first kSettingsRecordSize bytes; a shorter image leaves the rest zero.
    static SettingsRecord FromBytes(std::span<const std::uint8_t> image);
    const Bytes& Image() const { return bytes_; }

    // Generic access. Offsets outside the record read 0 and are not written.
    std::int32_t Int(std::size_t offset) const;
    void SetInt(std::size_t offset, std::int32_t value);
    std::uint32_t Colour(std::size_t offset) const { return static_cast<std::uint32_t>(Int(offset)); }
    void SetColour(std::size_t offset, std::uint32_t colour) {
        SetInt(offset, static_cast<std::int32_t>(colour));
    }
    std::uint8_t Byte(std::size_t offset) const;
    void SetByte(std::size_t offset, std::uint8_t value);
    // The text up to its terminator, never beyond the field even when the field holds no terminator.
    std::string Text(std::size_t offset, std::size_t width) const;
    // Stores text with its terminator and zero-fills the rest of the field. A text that does not fit
    // (or holds a zero byte) leaves the field empty and returns false: a cut path would name another file.
    bool SetText(std::size_t offset, std::size_t width, std::string_view text);

    // Display and editing options. Enumerations out of range read as their defaults.
    bool AutoDisplayGame() const { return Int(kOffsetAutoDisplayGame) != 0; }
    void SetAutoDisplayGame(bool on) { SetInt(kOffsetAutoDisplayGame, on ? 1 : 0); }
    std::int32_t MaxPrintLines() const { return Int(kOffsetMaxPrintLines); }
    void SetMaxPrintLines(std::int32_t lines) { SetInt(kOffsetMaxPrintLines, lines); }
    std::int32_t SlideDelay() const;  // 0 (no slide) to 200
    void SetSlideDelay(std::int32_t delay) { SetInt(kOffsetSlideDelay, delay); }
    std::int32_t PieceStyle() const;  // 0-7, default 4 "Classic"
    void SetPieceStyle(std::int32_t style) { SetInt(kOffsetPieceStyle, style); }
    bool DisplayActualText() const { return Int(kOffsetDisplayActualText) != 0; }
    void SetDisplayActualText(bool on) { SetInt(kOffsetDisplayActualText, on ? 1 : 0); }
    std::int32_t NotationStyle() const;  // 0 alpha, 1 figurine (default)
    void SetNotationStyle(std::int32_t style) { SetInt(kOffsetNotationStyle, style); }
    std::int32_t EditStyle() const;  // 0 click and click, 1 drag and drop (default), 2 with slide
    void SetEditStyle(std::int32_t style) { SetInt(kOffsetEditStyle, style); }
    bool AutoPageGameText() const { return Int(kOffsetAutoPageGameText) != 0; }
    bool AutoDisplayAnalysisComments() const { return Int(kOffsetAutoDisplayAnalysisComments) != 0; }
    bool HideGameText() const { return Int(kOffsetHideGameText) != 0; }
    void SetHideGameText(bool on) { SetInt(kOffsetHideGameText, on ? 1 : 0); }
    std::int32_t TreeSortOption() const;  // 0-2, default 1
    bool DisplayCoordinates() const { return Int(kOffsetDisplayCoordinates) != 0; }
    bool DisplayOpening() const { return Int(kOffsetDisplayOpening) != 0; }
    std::int32_t HighlightLastMove() const;  // 0 none (default), 1 normal, 2 thick
    void SetHighlightLastMove(std::int32_t kind) { SetInt(kOffsetHighlightLastMove, kind); }
    BoardSizeOption BoardSize() const;  // out of range: Small, which every screen can show
    void SetBoardSize(BoardSizeOption size) { SetInt(kOffsetBoardSize, static_cast<std::int32_t>(size)); }
    bool DisplayGameButtons() const { return Int(kOffsetDisplayGameButtons) != 0; }
    bool EnhancedMenu() const { return Int(kOffsetEnhancedMenu) != 0; }
    void SetEnhancedMenu(bool on) { SetInt(kOffsetEnhancedMenu, on ? 1 : 0); }
    bool ColumnFormat() const { return Int(kOffsetColumnFormat) != 0; }
    void SetColumnFormat(bool on) { SetInt(kOffsetColumnFormat, on ? 1 : 0); }
    bool AnalysisReplayMode() const { return Int(kOffsetAnalysisReplayMode) != 0; }
    void SetAnalysisReplayMode(bool on) { SetInt(kOffsetAnalysisReplayMode, on ? 1 : 0); }
    std::int32_t HighlightCurrentPosition() const;  // 0 or 8 (default)
    std::string AutoPlayDelayText() const { return Text(kOffsetAutoPlayDelayText, kWidthAutoPlayDelayText); }
    bool SetAutoPlayDelayText(std::string_view text) {
        return SetText(kOffsetAutoPlayDelayText, kWidthAutoPlayDelayText, text);
    }

    // Piece letters of "Alpha Notation" (King, Queen, Rook, Bishop, Knight).
    std::string PieceLetters() const { return Text(kOffsetPieceLetters, kWidthPieceLetters); }
    // Stores up to five letters and keeps the custom-letters flag in step with them.
    bool SetPieceLetters(std::string_view letters);
    bool CustomPieceLetters() const { return Byte(kOffsetCustomPieceLetters) != 0; }

    // Colours.
    std::uint32_t DarkSquaresColour() const { return Colour(kOffsetDarkSquaresColour); }
    std::uint32_t LightSquaresColour() const { return Colour(kOffsetLightSquaresColour); }
    std::uint32_t BackgroundColour() const { return Colour(kOffsetBackgroundColour); }
    std::uint32_t BorderColour() const { return Colour(kOffsetBorderColour); }
    std::uint32_t LastMoveColour() const { return Colour(kOffsetLastMoveColour); }
    std::uint32_t MovesTextBackgroundColour() const { return Colour(kOffsetMovesTextBackgroundColour); }
    std::uint32_t GridColour() const { return Colour(kOffsetGridColour); }
    std::uint32_t MoveNumberBackgroundColour() const { return Colour(kOffsetMoveNumberBackgroundColour); }
    std::uint32_t CurrentPositionColour() const { return Colour(kOffsetCurrentPositionColour); }
    std::uint32_t VariationsColour() const { return Colour(kOffsetVariationsColour); }
    std::uint32_t ReplayHighlightColour() const { return Colour(kOffsetReplayHighlightColour); }
    std::uint32_t CustomColour(std::size_t index) const;  // index 0-15; out of range 0
    void SetCustomColour(std::size_t index, std::uint32_t colour);
    ColourPreset Preset(std::size_t index) const;  // index 0-5; out of range all zero
    void SetPreset(std::size_t index, const ColourPreset& preset);
    std::uint32_t ColourTableEntry(std::size_t index) const;  // index 0-5
    void SetColourTableEntry(std::size_t index, std::uint32_t colour);

    // Saved main-window rectangles.
    SavedRect SmallWindowRect() const;
    void SetSmallWindowRect(const SavedRect& rect);
    SavedRect OtherWindowRect() const;  // the layouts without a rectangle of their own
    void SetOtherWindowRect(const SavedRect& rect);
    SavedRect LargeWindowRect() const { return RectAt(kOffsetLargeWindowRect); }
    void SetLargeWindowRect(const SavedRect& rect) { SetRectAt(kOffsetLargeWindowRect, rect); }
    SavedRect AlternateWindowRect() const { return RectAt(kOffsetAlternateWindowRect); }
    void SetAlternateWindowRect(const SavedRect& rect) { SetRectAt(kOffsetAlternateWindowRect, rect); }

    // File dialogs. Index selects one of the names of a slot with several (kSearch); an index beyond
    // the slot's names reads empty and is not written.
    std::string DialogDirectory(FileDialogSlot slot) const;
    bool SetDialogDirectory(FileDialogSlot slot, std::string_view directory);
    std::string DialogFileName(FileDialogSlot slot, std::size_t index = 0) const;
    bool SetDialogFileName(FileDialogSlot slot, std::string_view name, std::size_t index = 0);
    std::string PgnDirectory() const { return DialogDirectory(FileDialogSlot::kPgn); }
    bool SetPgnDirectory(std::string_view directory) {
        return SetDialogDirectory(FileDialogSlot::kPgn, directory);
    }
    std::string PgnFileName() const { return DialogFileName(FileDialogSlot::kPgn); }
    bool SetPgnFileName(std::string_view name) { return SetDialogFileName(FileDialogSlot::kPgn, name); }
    std::string PreviousDirectory() const { return DialogDirectory(FileDialogSlot::kPrevious); }
    bool SetPreviousDirectory(std::string_view directory) {
        return SetDialogDirectory(FileDialogSlot::kPrevious, directory);
    }
    std::string PreviousFileName() const { return DialogFileName(FileDialogSlot::kPrevious); }
    bool SetPreviousFileName(std::string_view name) {
        return SetDialogFileName(FileDialogSlot::kPrevious, name);
    }
    std::int32_t PreviousGameNumber() const { return Int(kOffsetPreviousGameNumber); }
    void SetPreviousGameNumber(std::int32_t game) { SetInt(kOffsetPreviousGameNumber, game); }
    std::int32_t PreviousMovePosition() const { return Int(kOffsetPreviousMovePosition); }
    void SetPreviousMovePosition(std::int32_t position) { SetInt(kOffsetPreviousMovePosition, position); }
    bool WorkingDirectoryDone() const { return Int(kOffsetWorkingDirectoryDone) != 0; }
    void SetWorkingDirectoryDone(bool done) { SetInt(kOffsetWorkingDirectoryDone, done ? 1 : 0); }

    friend bool operator==(const SettingsRecord&, const SettingsRecord&) = default;

  private:
    SavedRect RectAt(std::size_t offset) const;
    void SetRectAt(std::size_t offset, const SavedRect& rect);
    std::int32_t Enumeration(std::size_t offset, std::int32_t lowest, std::int32_t highest,
                             std::int32_t fallback) const;

    Bytes bytes_{};
};

}  // namespace ravelin::settings
