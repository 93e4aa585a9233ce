#pragma once

// The adapter's chess: positions are FEN texts; moves are read as the program writes them (SAN)
// or as the back end answers (coordinates), checked for legality and written back in SAN.

#include <string>
#include <string_view>

namespace ravelin::engine {

// One move played from a position.
struct PlayedMove {
    std::string san;  // canonical SAN, "+" for check (mate included)
    std::string uci;  // e2e4, e7e8q
    std::string fen;  // the position after it
    bool checkmate = false;
    bool stalemate = false;
};

// Why the back end must not see this FEN position, or "" when it may: one king per side, the side
// not to move not in check, no pawn on the first or last rank, castling rights that fit the kings
// and rooks, at most three knights, bishops, rooks or queens a side.
std::string PositionProblem(const std::string& fen);
// The en passant field that fits the placement and side: the square behind an enemy pawn that can
// just have stepped two squares, or "-" for anything else (free text, "-", an implausible square).
std::string PlausibleEnPassant(std::string_view placement, bool whiteToMove, std::string_view field);
// A FEN text from the setboard form: placement, side letter, optional castling letters, optional
// en passant text; the counters are added. Empty with a reason when the form does not fit.
std::string FenOfSetboard(std::string_view arguments, std::string& reason);

bool WhiteToMove(const std::string& fen);
// A move text (English letters, "x", "=Q" or "e8Q", O-O, O-O-O, a trailing "+" or "#") played from
// the position; false when it is not a legal move there.
bool PlaySanMove(const std::string& fen, std::string_view text, PlayedMove& move);
// The same for a coordinate move of the back end.
bool PlayUciMove(const std::string& fen, std::string_view uci, PlayedMove& move);
// Whether the side to move has no legal move, and whether it is in check.
bool HasNoLegalMove(const std::string& fen, bool& inCheck);

}  // namespace ravelin::engine
