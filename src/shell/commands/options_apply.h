#pragma once

// The parts of applying the options that only change settings: the colour schemes that go with
// "Mod Blue" and with the first use of "Analysis Replay Mode", and the board size against the
// screen.

#include <cstdint>
#include <string_view>

#include "settings/message_box.h"
#include "settings/settings_record.h"

namespace ravelin::shell {

inline constexpr char kLargeBoardNeedsScreen[] =
    "The screen resolution must be at least 1280 x 1024 to activate the large board.";
inline constexpr char kMediumBoardNeedsScreen[] =
    "The screen resolution must be at least 1024 x 768 to activate the medium board.";
inline constexpr char kRestoreBoardColours[] = "Do you want to restore the previous board colors?";

inline constexpr std::uint32_t kModBlueLight = settings::Rgb(231, 241, 250);
inline constexpr std::uint32_t kModBlueDark = settings::Rgb(162, 189, 217);
inline constexpr std::uint32_t kSchemeBackground = settings::Rgb(255, 255, 221);
inline constexpr std::uint32_t kReplayLight = settings::Rgb(231, 206, 165);
inline constexpr std::uint32_t kReplayDark = settings::Rgb(165, 123, 90);

// The settings the application step compares after OK.
struct OptionsBefore {
    int pieceStyle = 0;
    bool displayActualText = false;
    int notationStyle = 0;
    std::string letters;
    int boardSize = 0;
    bool enhancedMenu = false;
    bool analysisReplayMode = false;
    bool displayCoordinates = false;
    int highlightLastMove = 0;
    bool columnFormat = false;
    bool displayOpening = false;
    bool displayGameButtons = false;
    bool autoDisplayAnalysisComments = false;

    static OptionsBefore Of(const settings::SettingsRecord& settings);
};

// The light and dark squares in force before "Mod Blue" was chosen.
struct PreviousBoardColours {
    std::uint32_t light = 0;
    std::uint32_t dark = 0;
};
PreviousBoardColours PreviousColours(const settings::SettingsRecord& settings);
void SetPreviousColours(settings::SettingsRecord& settings, PreviousBoardColours colours);

// "Analysis Replay Mode" turned on for the first time: its colours, buttons and highlight.
// Returns whether anything changed.
bool ApplyFirstReplayColours(settings::SettingsRecord& settings, bool replayWasOn);

// The colour scheme that goes with the "Mod Blue" pieces, when the piece style changed from or to
// it: the board colours are saved and replaced, or the saved ones offered back.
void ApplyModBlueScheme(settings::SettingsRecord& settings, int oldPieceStyle,
                        settings::MessageBoxes& messages);

// The board size against the screen width remembered at start-up. The message, if any, does not
// refuse the size; fit says which layout the screen can show.
struct BoardFit {
    int fit = 0;
    std::string_view message;
};
BoardFit FitBoardToScreen(int screenWidth, bool analysisReplay, int oldBoardSize, int newBoardSize);

// Forgets saved window sizes too small for the layout now chosen.
void ForgetSmallSavedWindows(settings::SettingsRecord& settings, int fit);

}  // namespace ravelin::shell
