#include "chess/position_setup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chess/fen.h"

namespace ravelin::chess {
namespace {

// The first message ValidateSetupBoard gives for a placement, or "" when it accepts it.
std::string FirstRefusal(std::string_view placement) {
    Board board{};
    // Read without the FEN king checks: set-up boards may lack kings.
    int rank = 8;
    int file = 1;
    for (const char c : placement) {
        if (c == '/') {
            --rank;
            file = 1;
        } else if (c >= '1' && c <= '8') {
            file += c - '0';
        } else {
            const std::string letters = "PNBRQK";
            const auto kind = static_cast<PieceCode>(letters.find(static_cast<char>(std::toupper(c))) + 1);
            board[file++][rank] = std::islower(c) ? kind + kBlackOffset : kind;
        }
    }
    std::vector<std::string> messages;
    const bool accepted = ValidateSetupBoard(board, [&](std::string_view m) { messages.emplace_back(m); });
    EXPECT_EQ(accepted, messages.empty());
    return messages.empty() ? "" : messages.front();
}

TEST(ValidateSetup, SameColouredBishopsRefused) {
    EXPECT_EQ(FirstRefusal("4k3/8/8/8/8/8/8/2B1K1B1"), "Bishops must be on different diagonals.");
}

TEST(ValidateSetup, NinePawnsAccepted) {
    EXPECT_EQ(FirstRefusal("4k3/8/8/8/8/P7/PPPPPPPP/4K3"), "");
}

TEST(ValidateSetup, TooManyOfAKindRefusedInOrder) {
    EXPECT_EQ(FirstRefusal("4k3/8/8/8/8/8/8/NNNNK3"),
              "More than three knights of the same color are on the board.");
    // a1 and a2 differ in colour, so the third bishop is refused by count, not by colour.
    EXPECT_EQ(FirstRefusal("4k3/8/8/8/8/8/B7/BB2K3"),
              "More than two bishops of the same color are on the board.");
    EXPECT_EQ(FirstRefusal("4k3/8/8/8/8/8/8/RRRRK3"),
              "More than three rooks of the same color are on the board.");
    EXPECT_EQ(FirstRefusal("4k3/8/8/8/8/8/8/QQQQK3"),
              "More than three queens of the same color are on the board.");
    // Knights are reported before rooks when both are over their limit.
    EXPECT_EQ(FirstRefusal("4k3/8/8/8/8/8/RRRR4/NNNNK3"),
              "More than three knights of the same color are on the board.");
}

TEST(ValidateSetup, KingsMissingOrDoubledRefused) {
    EXPECT_EQ(FirstRefusal("8/8/8/8/8/8/8/4K3"), "Must place both kings on the board.");
    EXPECT_EQ(FirstRefusal("4k3/8/8/8/8/8/8/3KK3"), "Multiple kings are on the board.");
    EXPECT_EQ(FirstRefusal("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR"), "");
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
