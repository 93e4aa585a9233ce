// The squares of the last move, found from the boards before and after it.

#include <gtest/gtest.h>

#include <vector>

#include "chess/board.h"
#include "display/last_move.h"

namespace ravelin::display {
namespace {

// Each case: the pieces before and after a move, and the squares the highlight shows.
TEST(FindLastMove, ShowsTheMovingPiecesSquares) {
    using chess::kBlackOffset;
    struct Piece {
        int file;
        int rank;
        chess::PieceCode code;
    };
    struct Case {
        const char* name;
        std::vector<Piece> before;
        std::vector<Piece> after;
        BoardSquare from;
        BoardSquare to;
    };
    const Case cases[] = {
        {"plain move", {{5, 2, chess::kPawn}}, {{5, 4, chess::kPawn}}, {5, 2}, {5, 4}},
        {"castling shows the king, not the rook",
         {{5, 1, chess::kKing}, {8, 1, chess::kRook}},
         {{7, 1, chess::kKing}, {6, 1, chess::kRook}},
         {5, 1},
         {7, 1}},
        {"en passant starts on the capturing pawn",
         {{5, 5, chess::kPawn}, {4, 5, chess::kPawn + kBlackOffset}},
         {{4, 6, chess::kPawn}},
         {5, 5},
         {4, 6}},
        {"promotion starts on the pawn that became the queen",
         {{1, 7, chess::kPawn}, {2, 8, chess::kRook + kBlackOffset}},
         {{2, 8, chess::kQueen}},
         {1, 7},
         {2, 8}},
    };
    auto boardOf = [](const std::vector<Piece>& pieces) {
        chess::Board board{};
        for (const Piece& piece : pieces) {
            board[piece.file][piece.rank] = piece.code;
        }
        return board;
    };
    for (const Case& c : cases) {
        auto move = FindLastMove(boardOf(c.before), boardOf(c.after));
        ASSERT_TRUE(move.has_value()) << c.name;
        EXPECT_EQ(move->from, c.from) << c.name;
        EXPECT_EQ(move->to, c.to) << c.name;
    }
    chess::Board board = boardOf({{1, 1, chess::kKing}});
    EXPECT_FALSE(FindLastMove(board, board).has_value()) << "same boards have no move";
}

}  // namespace
}  // namespace ravelin::display
