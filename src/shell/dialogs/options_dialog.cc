#include "shell/dialogs/options_dialog.h"

#include <cctype>
#include <limits>

#include "settings/settings_startup.h"

namespace ravelin::shell {

namespace {

using K = OptionsControlKind;

// clang-format off
constexpr OptionsControl kControls[] = {
    {kOptSlideSpeed, K::kNumber, "Slide Speed", ""},
    {kOptMaxPrintLines, K::kNumber, "Max Print Lines", ""},
    {kOptAutoPlayDelay, K::kText, "Auto Play Delay", ""},
    {kOptHighlightNone, K::kRadio, "None", "Highlight Last Move"},
    {kOptHighlightNormal, K::kRadio, "Normal", "Highlight Last Move"},
    {kOptHighlightThick, K::kRadio, "Thick", "Highlight Last Move"},
    {kOptAutoDisplayAnalysisComments, K::kCheckBox, "Auto Display Analysis Comments", ""},
    {kOptDisplayOpening, K::kCheckBox, "Display Opening", ""},
    {kOptHideGameText, K::kCheckBox, "Hide Game Text", ""},
    {kOptEnhancedMenu, K::kCheckBox, "Enhanced Menu", ""},
    {kOptDisplayActualText, K::kCheckBox, "Display Actual Text", ""},
    {kOptDisplayCoordinates, K::kCheckBox, "Display Coordinates", ""},
    {kOptAutoDisplayGame, K::kCheckBox, "Auto Display Game", ""},
    {kOptAutoPageGameText, K::kCheckBox, "Auto Page Game Text", ""},
    {kOptDisplayGameButtons, K::kCheckBox, "Display Game Buttons", ""},
    {kOptAnalysisReplayMode, K::kCheckBox, "Analysis Replay Mode", ""},
    {233, K::kRadio, "Modern 1", "Piece Style"},
    {234, K::kRadio, "Sharp", "Piece Style"},
    {235, K::kRadio, "Staunton 1", "Piece Style"},
    {236, K::kRadio, "Staunton 2", "Piece Style"},
    {237, K::kRadio, "Classic", "Piece Style"},
    {238, K::kRadio, "Modern 2", "Piece Style"},
    {239, K::kRadio, "Modern 3", "Piece Style"},
    {240, K::kRadio, "Mod Blue", "Piece Style"},
    {kOptBoardSmall, K::kRadio, "Small", "Board Size"},
    {kOptBoardMedium, K::kRadio, "Medium", "Board Size"},
    {kOptBoardLarge, K::kRadio, "Large", "Board Size"},
    {kOptNotationAlpha, K::kRadio, "Alpha Algebraic", "Notation Style"},
    {kOptNotationFigurine, K::kRadio, "Figurine Algebraic ", "Notation Style"},
    {kOptColumnFormat, K::kCheckBox, "Column Format", ""},
    {kOptEditClickClick, K::kRadio, "Click and Click", "Edit Style"},
    {kOptEditDragDrop, K::kRadio, "Drag and Drop", "Edit Style"},
    {kOptEditDragSlide, K::kRadio, "Drag/Drop with Slide", "Edit Style"},
    {248, K::kLetter, "King", "Alpha Notation"},
    {249, K::kLetter, "Queen", "Alpha Notation"},
    {250, K::kLetter, "Rook", "Alpha Notation"},
    {251, K::kLetter, "Bishop", "Alpha Notation"},
    {252, K::kLetter, "Knight", "Alpha Notation"},
    {kOptOk, K::kButton, "OK", ""},
    {kOptReset, K::kButton, "Reset", ""},
    {kOptCancel, K::kButton, "Cancel", ""},
};
// clang-format on

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The radio groups: first id, last id and the member they select.
struct RadioGroup {
    int first;
    int last;
    int OptionsDialog::*value;
};
constexpr RadioGroup kRadioGroups[] = {
    {kOptHighlightNone, kOptHighlightThick, &OptionsDialog::highlightLastMove},
    {kOptPieceStyleFirst, kOptPieceStyleLast, &OptionsDialog::pieceStyle},
    {kOptBoardSmall, kOptBoardLarge, &OptionsDialog::boardSize},
    {kOptNotationAlpha, kOptNotationFigurine, &OptionsDialog::notationStyle},
    {kOptEditClickClick, kOptEditDragSlide, &OptionsDialog::editStyle},
};

const RadioGroup* RadioGroupOf(int id) {
    for (const RadioGroup& group : kRadioGroups) {
        if (id >= group.first && id <= group.last) {
            return &group;
        }
    }
    return nullptr;
}

bool OptionsDialog::*CheckBoxOf(int id) {
    switch (id) {
        case kOptAutoDisplayAnalysisComments:
            return &OptionsDialog::autoDisplayAnalysisComments;
        case kOptDisplayOpening:
            return &OptionsDialog::displayOpening;
        case kOptHideGameText:
            return &OptionsDialog::hideGameText;
        case kOptEnhancedMenu:
            return &OptionsDialog::enhancedMenu;
        case kOptDisplayActualText:
            return &OptionsDialog::displayActualText;
        case kOptDisplayCoordinates:
            return &OptionsDialog::displayCoordinates;
        case kOptAutoDisplayGame:
            return &OptionsDialog::autoDisplayGame;
        case kOptAutoPageGameText:
            return &OptionsDialog::autoPageGameText;
        case kOptDisplayGameButtons:
            return &OptionsDialog::displayGameButtons;
        case kOptAnalysisReplayMode:
            return &OptionsDialog::analysisReplayMode;
        case kOptCheckBox228:
            return &OptionsDialog::checkBox228;
        case kOptColumnFormat:
            return &OptionsDialog::columnFormat;
        default:
            return nullptr;
    }
}

}  // namespace

std::span<const OptionsControl> OptionsControls() {
    return kControls;
}

int ReadEditNumber(std::string_view text) {
    std::size_t k = 0;
    while (k < text.size() && (text[k] == ' ' || text[k] == '\t')) {
        ++k;
    }
    bool negative = false;
    if (k < text.size() && (text[k] == '-' || text[k] == '+')) {
        negative = text[k] == '-';
        ++k;
    }
    if (k == text.size()) {
        return 0;
    }
    long long value = 0;
    for (; k < text.size(); ++k) {
        if (!std::isdigit(static_cast<unsigned char>(text[k]))) {
            return 0;
        }
        value = value * 10 + (text[k] - '0');
        if (value > std::numeric_limits<int>::max()) {
            return 0;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

int SlideDelayForEnteredSpeed(int speed) {
    return settings::SlideDelayFromSpeed(speed < 0 ? kDefaultSlideSpeed : speed);
}

int MaxPrintLinesForEntered(int lines) {
    return lines < 0 ? kDefaultMaxPrintLines : lines;
}

OptionsDialog OptionsDialog::FromSettings(const settings::SettingsRecord& settings, int mode) {
    OptionsDialog dialog;
    dialog.slideSpeed =
        std::to_string(settings::SlideSpeedFromDelay(settings.Int(settings::kOffsetSlideDelay)));
    int lines = settings.MaxPrintLines();
    dialog.maxPrintLines = std::to_string(lines == 0 ? kDefaultMaxPrintLines : lines);
    dialog.autoPlayDelay = settings.AutoPlayDelayText();
    dialog.highlightLastMove = settings.HighlightLastMove();
    dialog.autoDisplayAnalysisComments = settings.AutoDisplayAnalysisComments();
    dialog.displayOpening = settings.DisplayOpening();
    dialog.hideGameText = settings.HideGameText();
    dialog.enhancedMenu = settings.EnhancedMenu();
    dialog.displayActualText = settings.DisplayActualText();
    dialog.displayCoordinates = settings.DisplayCoordinates();
    dialog.autoDisplayGame = settings.AutoDisplayGame();
    dialog.autoPageGameText = settings.AutoPageGameText();
    dialog.displayGameButtons = settings.DisplayGameButtons();
    dialog.analysisReplayMode = settings.AnalysisReplayMode();
    dialog.checkBox228 = settings.Int(settings::kOffsetOptionsCheckBox228) != 0;
    dialog.pieceStyle = settings.PieceStyle();
    dialog.boardSize = static_cast<int>(settings.BoardSize());
    dialog.notationStyle = settings.NotationStyle();
    dialog.columnFormat = settings.ColumnFormat();
    dialog.editStyle = settings.EditStyle();
    std::string stored = settings.PieceLetters();
    if (stored.empty()) {
        stored = std::string(settings::kDefaultPieceLetters);
    }
    for (std::size_t k = 0; k < dialog.letters.size(); ++k) {
        dialog.letters[k] = k < stored.size() ? std::string(1, stored[k]) : std::string();
    }
    dialog.displayMode = mode;
    dialog.originalColumnFormat = dialog.columnFormat;
    return dialog;
}

std::string OptionsDialog::Validate() {
    for (std::string& letter : letters) {
        if (letter.size() == 1) {
            letter[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(letter[0])));
        }
    }
    for (const std::string& letter : letters) {
        if (letter.size() != 1 || !IsAsciiLetter(letter[0])) {
            return kOnlyLettersAToZ;
        }
    }
    for (std::size_t a = 0; a < letters.size(); ++a) {
        for (std::size_t b = a + 1; b < letters.size(); ++b) {
            if (letters[a] == letters[b]) {
                return kLettersMustDiffer;
            }
        }
    }
    if (columnFormat != originalColumnFormat && displayMode != 2) {
        return kColumnFormatOnlyInGame;
    }
    return {};
}

void OptionsDialog::Reset() {
    slideSpeed = std::to_string(kDefaultSlideSpeed);
    maxPrintLines = std::to_string(kDefaultMaxPrintLines);
    autoPlayDelay = std::string(1, '1');  // assigning the literal trips a false -Wrestrict in g++ 12
    pieceStyle = kPieceStyleClassic;
    displayActualText = false;
    autoDisplayGame = true;
    autoPageGameText = true;
    autoDisplayAnalysisComments = true;
    hideGameText = false;
    boardSize = 0;
    enhancedMenu = true;
    analysisReplayMode = false;
    checkBox228 = false;
    displayOpening = false;
    displayGameButtons = false;
    highlightLastMove = 0;
    displayCoordinates = true;
    columnFormat = false;
    notationStyle = 1;
    editStyle = 1;
    letters = {"K", "Q", "R", "B", "N"};
}

void OptionsDialog::StoreInto(settings::SettingsRecord& settings) const {
    std::string joined;
    for (const std::string& letter : letters) {
        joined += letter;
    }
    settings.SetPieceLetters(joined);
    settings.SetSlideDelay(SlideDelayForEnteredSpeed(ReadEditNumber(slideSpeed)));
    settings.SetMaxPrintLines(MaxPrintLinesForEntered(ReadEditNumber(maxPrintLines)));
    // The edit holds at most seven characters; the field keeps them with their terminator.
    settings.SetAutoPlayDelayText(std::string_view(autoPlayDelay).substr(0, kAutoPlayDelayMaxLength));
    settings.SetHighlightLastMove(highlightLastMove);
    settings.SetInt(settings::kOffsetAutoDisplayAnalysisComments, autoDisplayAnalysisComments ? 1 : 0);
    settings.SetHideGameText(hideGameText);
    settings.SetEnhancedMenu(enhancedMenu);
    settings.SetDisplayActualText(displayActualText);
    settings.SetInt(settings::kOffsetDisplayCoordinates, displayCoordinates ? 1 : 0);
    settings.SetAutoDisplayGame(autoDisplayGame);
    settings.SetInt(settings::kOffsetAutoPageGameText, autoPageGameText ? 1 : 0);
    settings.SetAnalysisReplayMode(analysisReplayMode);
    settings.SetInt(settings::kOffsetOptionsCheckBox228, checkBox228 ? 1 : 0);
    settings.SetPieceStyle(pieceStyle);
    settings.SetBoardSize(static_cast<settings::BoardSizeOption>(boardSize));
    settings.SetNotationStyle(notationStyle);
    settings.SetColumnFormat(columnFormat);
    settings.SetEditStyle(editStyle);
}

bool OptionsDialog::Checked(int id) const {
    if (const RadioGroup* group = RadioGroupOf(id)) {
        return this->*(group->value) == id - group->first;
    }
    if (bool OptionsDialog::*box = CheckBoxOf(id)) {
        return this->*box;
    }
    return false;
}

void OptionsDialog::SetChecked(int id, bool on) {
    if (const RadioGroup* group = RadioGroupOf(id)) {
        if (on) {
            this->*(group->value) = id - group->first;
        }
        return;
    }
    if (bool OptionsDialog::*box = CheckBoxOf(id)) {
        this->*box = on;
    }
}

std::string OptionsDialog::Text(int id) const {
    switch (id) {
        case kOptSlideSpeed:
            return slideSpeed;
        case kOptMaxPrintLines:
            return maxPrintLines;
        case kOptAutoPlayDelay:
            return autoPlayDelay;
        default:
            if (id >= kOptLetterFirst && id <= kOptLetterLast) {
                return letters[static_cast<std::size_t>(id - kOptLetterFirst)];
            }
            return {};
    }
}

void OptionsDialog::SetText(int id, std::string_view text) {
    switch (id) {
        case kOptSlideSpeed:
            slideSpeed = std::string(text);
            break;
        case kOptMaxPrintLines:
            maxPrintLines = std::string(text);
            break;
        case kOptAutoPlayDelay:
            autoPlayDelay = std::string(text.substr(0, kAutoPlayDelayMaxLength));
            break;
        default:
            if (id >= kOptLetterFirst && id <= kOptLetterLast) {
                letters[static_cast<std::size_t>(id - kOptLetterFirst)] = std::string(text);
            }
            break;
    }
}

}  // namespace ravelin::shell
