#include "chess/fen.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "chess/perft.h"

namespace ravelin::chess {
namespace {

std::string Refusal(std::string_view fen) {
    FenPosition position;
    return ParseFen(fen, position);
}

TEST(FenRead, StartPositionWithAnyFieldsGivesStandardBoard) {
    for (const char* fen : {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
                            "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", "startpos"}) {
        FenPosition position;
        ASSERT_EQ(ParseFen(fen, position), "") << fen;
        EXPECT_EQ(position.board, MakeStartBoard()) << fen;
        EXPECT_EQ(position.castlingRights, kAllCastlingRights);
    }
}

TEST(FenRead, TagLineFillsFenBoard) {
    const auto context = MakeChessContext();
    ASSERT_TRUE(ReadFenPlacement(*context, "[FEN \"4k3/8/8/8/8/8/8/R3K3 w Q - 0 1\"]"));
    EXPECT_EQ(context->fenBoard[1][1], kRook);
    EXPECT_EQ(context->fenBoard[5][8], kKing + kBlackOffset);
    EXPECT_EQ(context->fenCastlingRights, kWhiteQueenSide);
}

TEST(FenRead, DigitNineIsRefusedNotSkippedOffBoard) {
    EXPECT_NE(Refusal("9/8/8/8/8/8/8/4K2k w - - 0 1"), "");
    EXPECT_NE(Refusal("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBN0 w - - 0 1"), "");
}

TEST(FenRead, TooManyFilesOrRanksAreRefused) {
    EXPECT_EQ(Refusal("rnbqkbnrr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR"),
              "FEN position not recognised: a rank has more than eight files.");
    EXPECT_EQ(Refusal("rnbqkbnr/pppppppp/8/8/8/8/8/PPPPPPPP/RNBQKBNR"),
              "FEN position not recognised: more than eight ranks.");
    EXPECT_EQ(Refusal("4k3/8/8/8/8/8/8/4K3/"), "FEN position not recognised: more than eight ranks.");
    EXPECT_EQ(Refusal("4k3/8/8/8/8/8/4K3"), "FEN position not recognised: fewer than eight ranks.");
    EXPECT_EQ(Refusal("4k3/8/8/8/8/8/8/4K2"),
              "FEN position not recognised: a rank has fewer than eight files.");
    EXPECT_EQ(Refusal("4k3/8/8/8/8/8/8/4K35"),
              "FEN position not recognised: a rank has more than eight files.");
}

TEST(FenRead, MissingOrDoubledKingIsRefused) {
    EXPECT_EQ(Refusal("8/8/8/8/8/8/8/4K3 w - - 0 1"), "FEN position not recognised: a king is missing.");
    EXPECT_EQ(Refusal("4k3/8/8/8/8/8/8/4KK2 w - - 0 1"),
              "FEN position not recognised: more than one king of a color.");
}

TEST(FenRead, RefusedTagReportsMessageAndLeavesBoardEmpty) {
    const auto context = MakeChessContext();
    std::vector<std::string> messages;
    context->messages = [&](std::string_view message) { messages.emplace_back(message); };
    EXPECT_FALSE(ReadFenPlacement(*context, "[FEN \"9/8/8/8/8/8/8/8 w - - 0 1\"]"));
    EXPECT_EQ(context->fenBoard, Board{});
    ASSERT_EQ(messages.size(), 1U);
    context->batch = true;
    EXPECT_FALSE(ReadFenPlacement(*context, "[FEN \"9/8/8/8/8/8/8/8 w - - 0 1\"]"));
    EXPECT_EQ(messages.size(), 1U);
}

TEST(FenRead, BadFieldsAreRefused) {
    EXPECT_NE(Refusal("4k3/8/8/8/8/8/8/4K3 x - - 0 1"), "");
    EXPECT_NE(Refusal("4k3/8/8/8/8/8/8/4K3 w KX - 0 1"), "");
    EXPECT_NE(Refusal("4k3/8/8/8/8/8/8/4K3 w - e9 0 1"), "");
    EXPECT_NE(Refusal("4k3/8/8/8/8/8/8/4K3 w - e3 0 1"), "");
    EXPECT_NE(Refusal(""), "");
}

TEST(FenRead, CastlingFieldIsMaskedByPlacement) {
    FenPosition position;
    ASSERT_EQ(ParseFen("4k3/8/8/8/8/8/8/4K2R w KQkq - 0 1", position), "");
    EXPECT_EQ(position.castlingRights, kWhiteKingSide);
}

// KQkq letters name the corner rooks, or in Chess960 the outermost rooks (X-FEN); file letters name
// the rooks outright (Shredder-FEN). The field is written back in the notation it was read in.
TEST(FenRead, CastlingFieldInEachNotationIsWrittenBackAsRead) {
    const struct {
        const char* fen;
        const char* written;
        bool chess960;
    } kCases[] = {
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "KQkq", false},
        {"4k3/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "KQ", false},
        {"rk5r/8/8/8/8/8/8/RK5R w KQkq - 0 1", "KQkq", true},
        {"1r2k1r1/8/8/8/8/8/8/1R2K1R1 w Kq - 0 1", "Kq", true},
        {"rk5r/8/8/8/8/8/8/RK5R w HAha - 0 1", "HAha", true},
        {"rk2r3/8/8/8/8/8/8/RK2R2R w EAe - 0 1", "EAe", true},
        {"rk2r3/8/8/8/8/8/8/RK2R2R w GBe - 0 1", "e", true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.fen);
        const auto context = MakeChessContext();
        std::string error;
        ASSERT_EQ(SetUpFen(*context, c.fen, error), 1) << error;
        std::istringstream fields(FenOfPly(*context, 1));
        std::string placement, side, castling;
        fields >> placement >> side >> castling;
        EXPECT_EQ(castling, c.written);
        EXPECT_EQ(context->castling.chess960, c.chess960);
    }
}

TEST(FenWrite, TagOfBlackToMoveGameHasSideB) {
    const auto context = MakeChessContext();
    context->fenSwitch = true;
    context->startPositionBoard = MakeStartBoard();
    SetSanText(context->moves.whiteMoves[0], "..");
    SetSanText(context->moves.blackMoves[0], "e5");
    EXPECT_EQ(WriteFenTag(*context, "*"),
              "[FEN \"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1\"]\r\n\r\n");
}

TEST(FenWrite, TagOfGameWithoutMovesTakesSideFromResult) {
    const auto context = MakeChessContext();
    context->fenSwitch = true;
    context->startPositionBoard[5][1] = kKing;
    context->startPositionBoard[5][8] = kKing + kBlackOffset;
    EXPECT_EQ(WriteFenTag(*context, "0-1"), "[FEN \"4k3/8/8/8/8/8/8/4K3 b - - 0 1\"]\r\n");
    EXPECT_EQ(WriteFenTag(*context, "1-0"), "[FEN \"4k3/8/8/8/8/8/8/4K3 w - - 0 1\"]\r\n");
    context->fenSwitch = false;
    EXPECT_EQ(WriteFenTag(*context, "1-0"), "");
}

TEST(FenWrite, ClipboardTextEndsInSideMarker) {
    const std::string text = FenClipboardText(MakeStartBoard(), true);
    EXPECT_EQ(text, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR+w");
    EXPECT_EQ(FenClipboardText(MakeStartBoard(), false).substr(text.size() - 2), "+b");
}

TEST(FenWrite, PlacementRoundTrips) {
    const std::string placement = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R";
    FenPosition position;
    ASSERT_EQ(ParseFen(placement, position), "");
    EXPECT_EQ(FenPlacementText(position.board), placement);
}

}  // namespace
}  // namespace ravelin::chess
