#pragma once

// Check File: every game's lines, header and moves, the first 10 errors listed; in the mode that
// deletes, the games without an error are kept byte for byte.

#include <string>
#include <string_view>
#include <vector>

#include "utilities/game_moves.h"
#include "utilities/pgn_text.h"

namespace ravelin::utilities {

enum class CheckMode { kCheckOnly = 0, kDeleteBadGames = 1 };

inline constexpr int kListedErrors = 10;
inline constexpr char kAskDeleteBadGames[] =
    "Do you want to automatically delete all the bad games that are found?";
inline constexpr char kNoErrorsFound[] = "No errors found.";

// The faults a game can have, in the order of their codes (the first found is reported).
enum class GameFault {
    kNone,
    kCorruptHeader,
    kNoBlankLine,
    kParens,
    kBraces,
    kSpaces,
    kLongLine,
    kBishopsOnOneColour,
    kFourKnights,
    kFourBishops,
    kFourRooks,
    kFourQueens,
    kCorruptMove,
    kIllegalMove,
};

// The message of a fault of a game (1-based number); move is the move number of an illegal move.
std::string FaultMessage(GameFault fault, int game, int move = 0);

// The faults the text of one game shows without replaying it.
GameFault CheckGameText(std::string_view game);

struct ReplayFault {
    GameFault fault = GameFault::kNone;
    int move = 0;  // kIllegalMove: its move number
};

// Replays the game just read and reports the first fault met on the way: a second bishop of a side
// on the colour of its first, a fourth knight, bishop, rook or queen of a side, a move that leaves
// the mover's king attacked, or a move that cannot be played at all.
ReplayFault CheckReplay(GameMoves& moves);

struct CheckError {
    int game = 0;  // 1-based
    std::string message;
};

struct CheckResult {
    std::vector<CheckError> errors;  // the first 10
    int found = 0;                   // games with an error
    bool cancelled = false;
    std::string contents;  // kDeleteBadGames: the file without the bad games
};

// In check-only mode the check stops after the 11th bad game.
CheckResult CheckFile(const PgnText& text, CheckMode mode, const UtilityProgress& progress);

}  // namespace ravelin::utilities
