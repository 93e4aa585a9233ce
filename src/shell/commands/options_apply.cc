#include "shell/commands/options_apply.h"

#include "platform/messages.h"
#include "settings/screen_layout.h"
#include "shell/dialogs/options_dialog.h"

namespace ravelin::shell {

namespace {

constexpr std::uint32_t kReplayVariationsColour = settings::Rgb(84, 0, 168);
constexpr std::uint32_t kReplayHighlightColour = settings::Rgb(160, 160, 160);
constexpr int kHighlightCurrentPositionOff = 8;
constexpr int kLargeWindowMinimumWidth = 1125;
constexpr int kMediumWindowMinimumWidth = 900;

void ApplyBoardScheme(settings::SettingsRecord& settings, std::uint32_t background, std::uint32_t light,
                      std::uint32_t dark) {
    settings.SetColour(settings::kOffsetBackgroundColour, background);
    settings.SetColour(settings::kOffsetLightSquaresColour, light);
    settings.SetColour(settings::kOffsetDarkSquaresColour, dark);
}

}  // namespace

OptionsBefore OptionsBefore::Of(const settings::SettingsRecord& settings) {
    OptionsBefore before;
    before.pieceStyle = settings.PieceStyle();
    before.displayActualText = settings.DisplayActualText();
    before.notationStyle = settings.NotationStyle();
    before.letters = settings.PieceLetters();
    before.boardSize = static_cast<int>(settings.BoardSize());
    before.enhancedMenu = settings.EnhancedMenu();
    before.analysisReplayMode = settings.AnalysisReplayMode();
    before.displayCoordinates = settings.DisplayCoordinates();
    before.highlightLastMove = settings.HighlightLastMove();
    before.columnFormat = settings.ColumnFormat();
    before.displayOpening = settings.DisplayOpening();
    before.displayGameButtons = settings.DisplayGameButtons();
    before.autoDisplayAnalysisComments = settings.AutoDisplayAnalysisComments();
    return before;
}

PreviousBoardColours PreviousColours(const settings::SettingsRecord& settings) {
    return {settings.Colour(settings::kOffsetPreviousBoardColours),
            settings.Colour(settings::kOffsetPreviousBoardColours + 4)};
}

void SetPreviousColours(settings::SettingsRecord& settings, PreviousBoardColours colours) {
    settings.SetColour(settings::kOffsetPreviousBoardColours, colours.light);
    settings.SetColour(settings::kOffsetPreviousBoardColours + 4, colours.dark);
}

bool ApplyFirstReplayColours(settings::SettingsRecord& settings, bool replayWasOn) {
    if (replayWasOn || !settings.AnalysisReplayMode() ||
        settings.Int(settings::kOffsetAnalysisReplayColoursOnce) != 0) {
        return false;
    }
    bool modBlueReady =
        settings.PieceStyle() == kPieceStyleModBlue && settings.BackgroundColour() == kSchemeBackground;
    if (!modBlueReady) {
        ApplyBoardScheme(settings, kSchemeBackground, kReplayLight, kReplayDark);
        if (settings.PieceStyle() == kPieceStyleModBlue) {
            settings.SetPieceStyle(kPieceStyleClassic);
        }
    }
    settings.SetInt(settings::kOffsetDisplayGameButtons, 1);
    settings.SetColour(settings::kOffsetVariationsColour, kReplayVariationsColour);
    settings.SetColour(settings::kOffsetReplayHighlightColour, kReplayHighlightColour);
    settings.SetInt(settings::kOffsetHighlightCurrentPosition, kHighlightCurrentPositionOff);
    settings.SetInt(settings::kOffsetAnalysisReplayColoursOnce, 1);
    return true;
}

void ApplyModBlueScheme(settings::SettingsRecord& settings, int oldPieceStyle,
                        settings::MessageBoxes& messages) {
    bool modBlueNow = settings.PieceStyle() == kPieceStyleModBlue;
    std::uint32_t light = settings.LightSquaresColour();
    std::uint32_t dark = settings.DarkSquaresColour();
    PreviousBoardColours saved = PreviousColours(settings);
    bool savedSome = saved.light != 0 || saved.dark != 0;
    bool savedAreModBlue = saved.light == kModBlueLight && saved.dark == kModBlueDark;

    if (modBlueNow && light != kModBlueLight && dark != kModBlueDark) {
        SetPreviousColours(settings, {light, dark});
        ApplyBoardScheme(settings, kSchemeBackground, kModBlueLight, kModBlueDark);
    } else if (oldPieceStyle == kPieceStyleModBlue && !modBlueNow && savedSome && !savedAreModBlue) {
        // Only leaving "Mod Blue" offers the old colours back; a board size change while keeping
        // it does not.
        if (messages.AskQuestion(kRestoreBoardColours) == platform::kAnswerYes) {
            ApplyBoardScheme(settings, settings.BackgroundColour(), saved.light, saved.dark);
        }
    } else if (modBlueNow) {
        SetPreviousColours(settings, {light, dark});
    }
}

BoardFit FitBoardToScreen(int screenWidth, bool analysisReplay, int oldBoardSize, int newBoardSize) {
    constexpr int kSmall = 0;
    constexpr int kMedium = 1;
    constexpr int kLarge = 2;
    BoardFit result;
    if (screenWidth >= 1280 || analysisReplay) {
        result.fit = 0;
        return result;
    }
    if (newBoardSize == kLarge && oldBoardSize != kLarge) {
        result.message = kLargeBoardNeedsScreen;
    } else if (screenWidth < 1024 && oldBoardSize == kSmall && newBoardSize == kMedium) {
        result.message = kMediumBoardNeedsScreen;
    }
    // The layout the screen can show: a large board shrinks to medium below 1280 pixels, and only
    // the small board fits below 1024.
    result.fit = settings::ChooseLayoutFit(screenWidth, newBoardSize);
    return result;
}

void ForgetSmallSavedWindows(settings::SettingsRecord& settings, int fit) {
    settings::BoardSizeOption size = settings.BoardSize();
    if (settings.AnalysisReplayMode()) {
        return;
    }
    if (size == settings::BoardSizeOption::kLarge && fit == 0) {
        settings::SavedRect large = settings.LargeWindowRect();
        if (large.width != 0 && large.width < kLargeWindowMinimumWidth) {
            large.width = 0;
            settings.SetLargeWindowRect(large);
        }
        return;
    }
    bool medium = (size == settings::BoardSizeOption::kLarge && fit == 2) ||
                  (size == settings::BoardSizeOption::kMedium && fit == 0);
    if (medium) {
        settings::SavedRect other = settings.OtherWindowRect();
        if (other.width != 0 && other.width < kMediumWindowMinimumWidth) {
            other.width = 0;
            settings.SetOtherWindowRect(other);
        }
    }
}

}  // namespace ravelin::shell
