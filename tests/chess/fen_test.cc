#include "chess/fen.h"
#include "chess/position_setup.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "chess/perft.h"

namespace ravelin::chess {
namespace {

TEST(FenRead, StartPositionWithAnyFieldsGivesStandardBoard) {
    for (const char* fen : {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
                            "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", "startpos"}) {
        FenPosition position;
        ASSERT_EQ(ParseFen(fen, position), "") << fen;
        EXPECT_EQ(position.board, MakeStartBoard()) << fen;
        EXPECT_EQ(position.castlingRights, kAllCastlingRights);
    }
    FenPosition masked;  // the castling field is masked by the placement
    ASSERT_EQ(ParseFen("4k3/8/8/8/8/8/8/4K2R w KQkq - 0 1", masked), "");
    EXPECT_EQ(masked.castlingRights, kWhiteKingSide);
}

TEST(FenRead, BrokenPositionsAreRefusedWithTheirReason) {
    const std::string kPrefix = "FEN position not recognised: ";
    const std::pair<const char*, std::string> cases[] = {
        {"rnbqkbnrr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", "a rank has more than eight files."},
        {"4k3/8/8/8/8/8/8/4K35", "a rank has more than eight files."},
        {"4k3/8/8/8/8/8/8/4K2", "a rank has fewer than eight files."},
        {"rnbqkbnr/pppppppp/8/8/8/8/8/PPPPPPPP/RNBQKBNR", "more than eight ranks."},
        {"4k3/8/8/8/8/8/8/4K3/", "more than eight ranks."},
        {"4k3/8/8/8/8/8/4K3", "fewer than eight ranks."},
        {"8/8/8/8/8/8/8/4K3 w - - 0 1", "a king is missing."},
        {"4k3/8/8/8/8/8/8/4KK2 w - - 0 1", "more than one king of a color."},
        // Refused for any reason: a digit nine or zero, bad side, castling or en passant fields.
        {"9/8/8/8/8/8/8/4K2k w - - 0 1", ""},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBN0 w - - 0 1", ""},
        {"4k3/8/8/8/8/8/8/4K3 x - - 0 1", ""},
        {"4k3/8/8/8/8/8/8/4K3 w KX - 0 1", ""},
        {"4k3/8/8/8/8/8/8/4K3 w - e9 0 1", ""},
        {"4k3/8/8/8/8/8/8/4K3 w - e3 0 1", ""},
        {"", ""},
    };
    for (const auto& [fen, reason] : cases) {
        FenPosition position;
        const std::string message = ParseFen(fen, position);
        if (reason.empty()) {
            EXPECT_NE(message, "") << fen;
        } else {
            EXPECT_EQ(message, kPrefix + reason) << fen;
        }
    }
}

TEST(FenRead, RefusedTagLeavesFenBoardEmptyAndReportsOnceOutsideBatch) {
    const auto context = MakeChessContext();
    std::vector<std::string> messages;
    context->messages = [&](std::string_view message) { messages.emplace_back(message); };
    context->fenBoard[5][1] = kKing;
    EXPECT_FALSE(ReadFenPlacement(*context, "[FEN \"9/8/8/8/8/8/8/8 w - - 0 1\"]"));
    EXPECT_EQ(context->fenBoard, Board{});
    ASSERT_EQ(messages.size(), 1U);
    context->batch = true;
    EXPECT_FALSE(ReadFenPlacement(*context, "[FEN \"9/8/8/8/8/8/8/8 w - - 0 1\"]"));
    EXPECT_EQ(messages.size(), 1U);
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

TEST(FenWrite, TagTakesSideFromFirstMoveOrResultAndClipboardTextEndsInSideMarker) {
    const auto context = MakeChessContext();
    context->fenSwitch = true;
    context->startPositionBoard = MakeStartBoard();
    SetSanText(context->moves.whiteMoves[0], "..");
    SetSanText(context->moves.blackMoves[0], "e5");
    EXPECT_EQ(WriteFenTag(*context, "*"),
              "[FEN \"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1\"]\r\n\r\n");
    context->moves.Clear();
    context->startPositionBoard = Board{};
    context->startPositionBoard[5][1] = kKing;
    context->startPositionBoard[5][8] = kKing + kBlackOffset;
    EXPECT_EQ(WriteFenTag(*context, "0-1"), "[FEN \"4k3/8/8/8/8/8/8/4K3 b - - 0 1\"]\r\n");
    EXPECT_EQ(WriteFenTag(*context, "1-0"), "[FEN \"4k3/8/8/8/8/8/8/4K3 w - - 0 1\"]\r\n");
    EXPECT_EQ(FenClipboardText(context->startPositionBoard, true), "4k3/8/8/8/8/8/8/4K3+w");
    EXPECT_EQ(FenClipboardText(MakeStartBoard(), false), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR+b");
    context->fenSwitch = false;
    EXPECT_EQ(WriteFenTag(*context, "1-0"), "");
}

// The first message ValidateSetupBoard gives for a board holding the pieces ("e1K e8k a1N"), or
// "" when it accepts it.
std::string FirstRefusal(std::string_view pieces) {
    Board board{};
    std::istringstream in{std::string(pieces)};
    for (std::string item; in >> item;) {
        const auto kind = static_cast<PieceCode>(std::string_view(".PNBRQK").find(std::toupper(item[2])));
        board[item[0] - 'a' + 1][item[1] - '0'] = std::islower(item[2]) ? kind + kBlackOffset : kind;
    }
    std::vector<std::string> messages;
    const bool accepted = ValidateSetupBoard(board, [&](std::string_view m) { messages.emplace_back(m); });
    EXPECT_EQ(accepted, messages.empty());
    return messages.empty() ? "" : messages.front();
}

TEST(ValidateSetup, RefusesImpossiblePlacementsWithTheFirstReason) {
    const std::string kMore = "More than three ";
    const std::pair<const char*, std::string> cases[] = {
        {"e8k e1K a2P b2P c2P d2P e2P f2P g2P h2P a3P", ""},  // nine pawns
        {"e8k e1K c1B g1B", "Bishops must be on different diagonals."},
        {"e8k e1K a1N b1N c1N d1N", kMore + "knights of the same color are on the board."},
        // a1 and a2 differ in colour, so the third bishop is refused by count, not by colour.
        {"e8k e1K a1B b1B a2B", "More than two bishops of the same color are on the board."},
        {"e8k e1K a1R b1R c1R d1R", kMore + "rooks of the same color are on the board."},
        {"e8k e1K a1Q b1Q c1Q d1Q", kMore + "queens of the same color are on the board."},
        // Knights are reported before rooks when both are over their limit.
        {"e8k e1K a1N b1N c1N d1N a2R b2R c2R d2R", kMore + "knights of the same color are on the board."},
        {"e1K", "Must place both kings on the board."},
        {"e8k d1K e1K", "Multiple kings are on the board."},
    };
    for (const auto& [pieces, message] : cases) {
        EXPECT_EQ(FirstRefusal(pieces), message) << pieces;
    }
}

TEST(EnPassantField, ChecksSquareAndRank) {
    EXPECT_EQ(CheckEnPassantField("", true), "");
    EXPECT_EQ(CheckEnPassantField("e5", true), "");
    EXPECT_EQ(CheckEnPassantField("e6", false), "A white pawn must be on the fourth rank.");
    EXPECT_EQ(CheckEnPassantField("e4", true), "A black pawn must be on the fifth rank.");
    EXPECT_EQ(CheckEnPassantField("i3", false), "The en passant square must be a1-h8.");
    EXPECT_EQ(CheckEnPassantField("e44", false), "The en passant square must be a1-h8.");
}

}  // namespace
}  // namespace ravelin::chess
