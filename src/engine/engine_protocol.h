#pragma once

// The program's side of the engine dialog as plain texts: how a command is framed, which typed
// texts are moves, whose turn it is, and the start-up commands of each engine mode.

#include <string>
#include <string_view>

namespace ravelin::engine {

// What the engine is running for.
enum class EngineMode { kNone = 0, kPlay = 1, kDirect = 2, kEvaluate = 3, kAnalyse = 4, kPlayPending = 9 };

// The bytes that go to the engine for one command: "\n.\n" after it (a status request), only "\n"
// after "exit"; "help" gets "\n\n.\n" more to page through the help text.
std::string FrameEngineCommand(std::string_view command);
bool IsExitCommand(std::string_view command);
bool IsHelpCommand(std::string_view command);

// Whether a typed command would be a move or a result (refused in play mode and in an analysis).
bool LooksLikeMove(std::string_view command);

// In play mode after plies moves of the board: whether the engine is to move.
bool IsEngineToMove(int plies, bool engineMovesFirst, bool continuedBlackToMove);

// The play options of the "Crafty Game Info" dialog that shape the start-up command.
struct PlayOptions {
    bool engineFirst = false;
    bool disablePondering = false;
    bool displayGeneral = true;
    bool displayVariation = false;
    std::string movesText;      // "Number of moves in the game"
    std::string minutesText;    // "Initial time on the clock (minutes)"
    std::string incrementText;  // "Fischer clock increment (seconds)"
};

// The start-up command of play mode; readPath is the game file to continue from (empty: none).
std::string PlayStartupCommand(const PlayOptions& options, const std::string& readPath);
// "level M T I\notime N", or empty when all three time fields are empty.
std::string LevelCommand(const PlayOptions& options);

}  // namespace ravelin::engine
