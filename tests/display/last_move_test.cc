// The squares of the last move, found from the boards before and after it.

#include "display/last_move.h"

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>
#include <tuple>

namespace ravelin::display {
namespace {

// A board from pieces written as "Ke1 rh8": the letter (lower case for black), file and rank.
chess::Board BoardOf(const std::string& pieces) {
    chess::Board board{};
    std::istringstream words(pieces);
    for (std::string p; words >> p;) {
        const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(p[0])));
        const chess::PieceCode code = static_cast<chess::PieceCode>(std::string("PNBRQK").find(kind) + 1);
        board[p[1] - 'a' + 1][p[2] - '0'] = code + (kind == p[0] ? 0 : chess::kBlackOffset);
    }
    return board;
}

TEST(FindLastMove, ShowsTheMovingPiecesSquares) {
    // name, pieces before, pieces after, from, to
    const std::tuple<const char*, const char*, const char*, BoardSquare, BoardSquare> cases[] = {
        {"plain move", "Pe2", "Pe4", {5, 2}, {5, 4}},
        {"castling shows the king, not the rook", "Ke1 Rh1", "Kg1 Rf1", {5, 1}, {7, 1}},
        {"en passant starts on the capturing pawn", "Pe5 pd5", "Pd6", {5, 5}, {4, 6}},
        {"promotion starts on the pawn that became the queen", "Pa7 rb8", "Qb8", {1, 7}, {2, 8}},
    };
    for (const auto& [name, before, after, from, to] : cases) {
        auto move = FindLastMove(BoardOf(before), BoardOf(after));
        ASSERT_TRUE(move.has_value()) << name;
        EXPECT_EQ(move->from, from) << name;
        EXPECT_EQ(move->to, to) << name;
    }
    EXPECT_FALSE(FindLastMove(BoardOf("Ka1"), BoardOf("Ka1")).has_value()) << "same boards have no move";
}

}  // namespace
}  // namespace ravelin::display
