#pragma once

// The texts exchanged with the engine on disk: the "setboard" command (also a .pos file), the move
// file crafanal.pgn, the game file craftyqq.pgn, and the conversion of an engine annotation file
// (.can) to PGN.

#include <string>
#include <string_view>
#include <vector>

#include "chess/board.h"
#include "chess/move_list.h"

namespace ravelin::engine {

inline constexpr char kMoveFileName[] = "crafanal.pgn";
inline constexpr char kGameFileName[] = "craftyqq.pgn";

// The position information of the "Crafty Position Info" dialog.
struct PositionInfo {
    bool blackToMove = false;
    bool whiteKingSide = false;
    bool whiteQueenSide = false;
    bool blackKingSide = false;
    bool blackQueenSide = false;
    std::string enPassant;  // up to 8 characters, may be empty
};

// "setboard " with the placement, the side, the castling letters when any, the en passant text
// when not empty; no counters.
std::string SetboardCommand(const chess::Board& board, const PositionInfo& info);
// A .pos file: the command and an exit line.
std::string PositionFileText(const chess::Board& board, const PositionInfo& info);

// The moves of the first plies in lines "N. white black" (the last without black's move when the
// plies end with white's), CR LF line ends; no header and no result.
std::string MoveFileText(const chess::MoveList& moves, int plies);

// A game the engine reads to continue it: the header lines, an empty line, the moves of the plies
// from firstPly to lastPly of the move list as "N.white black" items separated by spaces (a game
// whose first move is Black's starts with "N...black"), and "*". The header lines come as they
// stand in the file; a FEN tag among them gives the start position.
std::string GameFileText(const std::vector<std::string>& headerLines, const chess::MoveList& moves,
                         int firstPly, int lastPly, int firstMoveNumber);

// An engine annotation file as PGN: tag and comment lines copied (an empty line before the first
// comment line), move-number lines "12.   Rfe1   Qc7" joined to "12.Rfe1 Qc7", other lines without
// their leading spaces, up to the first control character. Lines of two characters or fewer drop.
std::string ConvertAnnotationText(std::string_view can);
// The output name of the conversion: the last three characters replaced by "pgn".
std::string ConvertedAnnotationPath(const std::string& canPath);

}  // namespace ravelin::engine
