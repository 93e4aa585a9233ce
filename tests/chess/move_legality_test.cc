#include "chess/move_legality.h"
#include "chess/san_writer.h"

#include <gtest/gtest.h>

#include <tuple>

#include "chess_test_helpers.h"

namespace ravelin::chess {
namespace {

using testing::MoveCase;
using testing::Position;

constexpr const char* kEnPassant = "4k3/3p4/8/4P3/8/8/8/4K3 b - - 0 1";
constexpr const char* kCastle = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";

const MoveCase kCoordinateCases[] = {
    // En passant only right after the double step, or on the first move when the FEN names it.
    {kEnPassant, "d6 Kd1 d5", "e5d6", nullptr},
    {kEnPassant, "d5", "e5d6", "exd6", "d5. d6P e5."},
    {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "", "e5d6", "exd6"},
    // Lifting the d5 pawn discovers a check from a5 on the black king.
    {"8/3p4/8/R3P2k/8/8/8/4K3 b - - 0 1", "d5", "e5d6", "exd6+"},
    // Castling rights, attacked squares, home squares.
    {kCastle, "Kf1 Kf8 Ke1 Ke8", "e1g1", nullptr},
    {kCastle, "Kf1 Kf8 Ke1 Ke8", "e1c1", nullptr},
    {"r3k2r/8/8/8/8/8/6b1/R3K2R b KQkq - 0 1", "Bxh1 Kd1 Bd5 Ke1", "e1g1", nullptr},
    {"r3k2r/8/8/8/8/8/8/R3K2R w Qkq - 0 1", "", "e1g1", nullptr},
    {"4k3/8/8/8/8/8/8/R4K1R w - - 0 1", "", "f1h1", nullptr},
    {"4k3/8/8/8/8/8/8/R4K1R w - - 0 1", "", "f1d1", nullptr},
    // King safety and pins; a king is never captured.
    {"8/8/8/4k3/8/4K3/8/8 w - - 0 1", "", "e3e4", nullptr},
    {"4r1k1/8/8/8/8/8/4K3/8 w - - 0 1", "", "e2e1", nullptr},
    {"4r1k1/8/8/8/8/8/4R3/4K3 w - - 0 1", "", "e2d2", nullptr},
    {"4r1k1/8/8/8/8/8/4R3/4K3 w - - 0 1", "", "e2e8", "Rxe8+", "e8R e2."},
    {"4k3/8/8/8/8/8/8/4RK2 w - - 0 1", "", "e1e8", nullptr},
    // Texts the SAN writer gives: the shortest that names the piece, with check and castling marks.
    {"4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1", "", "b1d2", "Nbd2"},
    {"4k3/8/8/8/8/3N4/8/3NK3 w - - 0 1", "", "d1f2", "N1f2"},
    // Three queens reach e4: the whole square is named, and reading it back moves the h4 queen.
    {"8/8/k7/8/7Q/8/8/KQ5Q w - - 0 1", "", "h4e4", "Qh4e4", "h4. e4Q h1Q b1Q"},
    // The f3 knight is pinned against the king, so Nd2 from b1 needs no file.
    {"4k3/8/5q2/8/8/5N2/8/1N3K2 w - - 0 1", "", "b1d2", "Nd2"},
    {"", "f3 e5 g4", "d8h4", "Qh4+"},  // mate is written with "+"
    {kCastle, "", "e1g1", "O-O", "g1K f1R"},
    {kCastle, "", "e1c1", "O-O-O"},
    {"5k2/8/8/8/8/8/8/4K2R w K - 0 1", "", "e1g1", "O-O+"},
    {"", "e4 d5", "e4d5", "exd5"},
    {"", "e4 d5", "e1e2", "Ke2"},
    {"", "e4 d5", "f1b5", "Bb5+"},
};

TEST(CoordinateMove, AcceptsAndWritesInSanOrRefusesEachMove) {
    for (const MoveCase& c : kCoordinateCases) {
        testing::CheckCoordinateCase(c);
    }
}

// Chess960 castling by coordinates is the king moved onto its rook; king and rook end on g and f (c
// and d) whatever their start, need every square they cross or land on free, and the rook that
// leaves may not have been all that shielded the king's target.
TEST(Chess960Castling, KingOntoOwnRookCastlesByTheChess960Rule) {
    const struct {
        const char* fen;
        const char* from;
        const char* to;
        const char* text;  // "" = refused
        const char* king;
        const char* rook;
    } kCases[] = {
        {"4k3/8/8/8/8/8/8/1R3K2 w B - 0 1", "f1", "b1", "O-O-O", "c1", "d1"},
        {"4k3/8/8/8/8/8/8/rR3K2 w B - 0 1", "f1", "b1", "", "", ""},
        {"4k3/8/8/8/8/8/8/5KR1 w G - 0 1", "f1", "g1", "O-O", "g1", "f1"},
        {"5k2/8/8/8/8/8/8/5KR1 w G - 0 1", "f1", "g1", "O-O+", "g1", "f1"},
        {"4k3/8/8/8/8/8/8/4K2R w H - 0 1", "e1", "h1", "O-O", "g1", "f1"},
        {"4k3/8/8/8/8/8/8/4K2R w H - 0 1", "e1", "g1", "", "", ""},
        {"4k3/8/8/8/8/8/8/1RN2K2 w B - 0 1", "f1", "b1", "", "", ""},
        {"4k3/8/8/8/8/8/8/RK1N4 w A - 0 1", "b1", "a1", "", "", ""},
        {"1k2r3/8/8/8/8/8/8/4K3 b e - 0 1", "b8", "e8", "O-O", "g8", "f8"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(c.fen) + " " + c.from + c.to);
        Position position(c.fen);
        const bool castles = c.text[0] != '\0';
        ASSERT_EQ(position.Coordinate(std::string(c.from) + c.to, true) == 0, castles);
        if (castles) {
            EXPECT_EQ(position.lastText, c.text);
            EXPECT_EQ(KindOf(position.At(c.king)), kKing);
            EXPECT_EQ(KindOf(position.At(c.rook)), kRook);
        }
    }
}

TEST(Chess960Castling, LocatedCastlingIsTheKingOntoItsRook) {
    Position position("4k3/8/8/8/8/8/8/1R3K2 w B - 0 1");
    SanText text{};
    SetSanText(text, "O-O-O");
    ASSERT_EQ(LocateSanMove(*position, position.ply, text, FromHint{}), 0);
    EXPECT_EQ(position->locate.fromFile, 6);
    EXPECT_EQ(position->locate.toFile, 2);
    EXPECT_EQ(MakeCoordinateMove(*position, false, position.ply, 6, 1, 2, 1), 0);
    EXPECT_EQ(SanView(position->scratchSan), "O-O-O");
}

TEST(CoordinateMove, SquaresOrPlyOffTheBoardAreRefused) {
    Position position;
    EXPECT_EQ(MakeCoordinateMove(*position, false, 1, 5, 2, 5, 9), 1);
    EXPECT_EQ(MakeCoordinateMove(*position, false, 1, 0, 2, 5, 4), 1);
    EXPECT_EQ(MakeCoordinateMove(*position, false, 1, 5, 2, -1, 4), 1);
    EXPECT_EQ(MakeCoordinateMove(*position, false, kMaxPly + 1, 5, 2, 5, 4), 1);
}

TEST(PreparedText, StoredAndAppliedWithoutWritingButRefusedWhenItDoesNotFit) {
    for (const auto& [text, move, result, squares] :
         {std::tuple{"Nf3!", "g1f3", 0, "f3N g1."}, {"Nc4", "g1c4", 1, "g1N c4."}}) {
        Position position;
        position->preparedText = true;
        SetSanText(position->preparedSan, text);
        EXPECT_EQ(position.Coordinate(move, true), result);
        EXPECT_EQ(SanView(position->moves.whiteMoves[0]), result == 0 ? text : "");
        EXPECT_FALSE(position->preparedText);
        position.ExpectSquares(squares);
    }
}

TEST(HasLegalMoveTest, NoneAfterMateOrInStalemate) {
    Position mate;
    ASSERT_TRUE(mate.PlayAll("f3 e5 g4 Qh4"));
    EXPECT_FALSE(HasLegalMove(*mate, mate.ply));
    Position stalemate("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1");
    EXPECT_FALSE(HasLegalMove(*stalemate, stalemate.ply));
    EXPECT_TRUE(HasLegalMove(*stalemate, stalemate.ply + 1));
}

TEST(SanWriter, PromotionChoiceZeroWritesQueen) {
    Position position("4k3/P7/8/8/8/8/8/4K3 w - - 0 1");
    for (const auto& [choice, text] : {std::pair{0, "a8=Q+"}, {kKnight, "a8=N"}}) {
        position->promotionChoice = choice;
        ASSERT_EQ(position.Coordinate("a7a8"), 0);
        EXPECT_EQ(position.lastText, text);
    }
}

TEST(SanWriter, WrittenTextReadsBackToSameMove) {
    // Every legal move of Kiwipete, written and then located, must give back its own squares.
    Position position("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
    int checked = 0;
    for (int from = 0; from < 64; ++from) {
        for (int to = 0; to < 64; ++to) {
            const int fromFile = from / 8 + 1, fromRank = from % 8 + 1, toFile = to / 8 + 1,
                      toRank = to % 8 + 1;
            if (MakeCoordinateMove(*position, false, 1, fromFile, fromRank, toFile, toRank) != 0) {
                continue;
            }
            ASSERT_EQ(LocateSanMove(*position, 1, position->scratchSan, FromHint{}), 0);
            EXPECT_EQ(position->locate.fromFile, fromFile);
            EXPECT_EQ(position->locate.fromRank, fromRank);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 48);
}

}  // namespace
}  // namespace ravelin::chess
