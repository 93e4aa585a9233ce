#pragma once

// The "Edit Options" dialog as plain data: its controls with their labels, the working copy of the
// settings they edit, the checks made on OK and "Reset". The GUI shows and fills the controls; the
// core stores the result and applies it.

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "platform/dialog.h"
#include "settings/settings_record.h"

namespace ravelin::shell {

inline constexpr char kOptionsDialogTitle[] = "Edit Options";
inline constexpr char kOnlyLettersAToZ[] = "Only valid characters are A to Z.";
inline constexpr char kLettersMustDiffer[] = "Characters must be different.";
inline constexpr char kColumnFormatOnlyInGame[] = "The column format is only available in game mode.";

inline constexpr int kDefaultSlideSpeed = 175;
inline constexpr int kDefaultMaxPrintLines = 70;
inline constexpr std::size_t kAutoPlayDelayMaxLength = 7;
inline constexpr int kPieceStyleClassic = 4;
inline constexpr int kPieceStyleModBlue = 7;

enum class OptionsControlKind { kNumber, kText, kCheckBox, kRadio, kLetter, kButton };

struct OptionsControl {
    int id = 0;
    OptionsControlKind kind = OptionsControlKind::kCheckBox;
    std::string_view label;
    std::string_view group;  // the frame a radio button or letter belongs to; empty otherwise
};

// Control ids.
enum OptionsControlId : int {
    kOptOk = 1,
    kOptCancel = 2,
    kOptReset = 4,
    kOptSlideSpeed = 210,
    kOptMaxPrintLines = 211,
    kOptColumnFormat = 212,
    kOptAnalysisReplayMode = 213,
    kOptAutoDisplayGame = 216,
    kOptNotationAlpha = 217,
    kOptNotationFigurine = 218,
    kOptEditClickClick = 219,
    kOptEditDragDrop = 220,
    kOptEditDragSlide = 221,
    kOptAutoDisplayAnalysisComments = 222,
    kOptHideGameText = 223,
    kOptDisplayCoordinates = 225,
    kOptDisplayOpening = 226,
    kOptCheckBox228 = 228,
    kOptAutoPlayDelay = 229,
    kOptDisplayGameButtons = 230,
    kOptAutoPageGameText = 231,
    kOptDisplayActualText = 232,
    kOptPieceStyleFirst = 233,  // 233-240: "Modern 1" to "Mod Blue"
    kOptPieceStyleLast = 240,
    kOptHighlightNone = 241,
    kOptHighlightNormal = 242,
    kOptHighlightThick = 243,
    kOptEnhancedMenu = 244,
    kOptBoardSmall = 245,
    kOptBoardMedium = 246,
    kOptBoardLarge = 247,
    kOptLetterFirst = 248,  // 248-252: King, Queen, Rook, Bishop, Knight
    kOptLetterLast = 252,
};

// Every control the dialog shows, in display order (check box 228 has no control and is absent).
std::span<const OptionsControl> OptionsControls();

class OptionsDialog : public platform::Dialog {
  public:
    // The controls filled from the settings. displayMode is the mode the dialog was opened in.
    static OptionsDialog FromSettings(const settings::SettingsRecord& settings, int displayMode);

    std::string Title() const override { return kOptionsDialogTitle; }
    // The checks of OK in order; the first failing one's message. Letters typed in lower case are
    // turned into capitals first, so "k" and "K" are the same letter.
    std::string Validate() override;
    // Fills the controls (not the settings) with the program's defaults.
    void Reset();
    // Stores the accepted controls, except "Display Opening" and "Display Game Buttons", which
    // the redisplay step takes over.
    void StoreInto(settings::SettingsRecord& settings) const;

    // Access by control id, used by the GUI binding and by scripts.
    bool Checked(int id) const;
    void SetChecked(int id, bool on);  // a radio button selects its value in the group
    std::string Text(int id) const;
    void SetText(int id, std::string_view text);

    // The controls' working copy.
    std::string slideSpeed;
    std::string maxPrintLines;
    std::string autoPlayDelay;
    int highlightLastMove = 0;
    bool autoDisplayAnalysisComments = true;
    bool displayOpening = false;
    bool hideGameText = false;
    bool enhancedMenu = true;
    bool displayActualText = false;
    bool displayCoordinates = true;
    bool autoDisplayGame = true;
    bool autoPageGameText = true;
    bool displayGameButtons = false;
    bool analysisReplayMode = false;
    bool checkBox228 = false;
    int pieceStyle = kPieceStyleClassic;
    int boardSize = 0;
    int notationStyle = 1;
    bool columnFormat = false;
    int editStyle = 1;
    std::array<std::string, 5> letters{"K", "Q", "R", "B", "N"};

    // Context of the checks.
    int displayMode = 0;
    bool originalColumnFormat = false;
};

// A number as an edit control reads it: optional blanks and sign, then digits; anything else is 0.
int ReadEditNumber(std::string_view text);
// The stored slide delay for the speed entered; a negative speed takes the default speed.
int SlideDelayForEnteredSpeed(int speed);
// The stored "Max Print Lines" for the number entered; a negative count takes the default.
int MaxPrintLinesForEntered(int lines);

}  // namespace ravelin::shell
