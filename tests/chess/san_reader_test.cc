#include "chess/san_reader.h"

#include <gtest/gtest.h>

#include "chess_test_helpers.h"

namespace ravelin::chess {
namespace {

using testing::MoveCase;
using testing::Position;

constexpr const char* kCastle = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
constexpr const char* kPromote = "7k/4P3/8/8/8/8/8/K7 w - - 0 1";
constexpr const char* kEnPassant = "4k3/3p4/8/4P3/8/8/8/4K3 b - - 0 1";
constexpr const char* kShortOnly = "4k3/8/8/8/8/8/8/4K2R w K - 0 1";

const MoveCase kSanCases[] = {
    // Shorthand and coordinate forms are rewritten to the canonical text.
    {"", "e4 d5", "ed5", "exd5", "d5P e4."},
    {"", "", "e2e4", "e4", "e4P e2."},
    {"", "e4 d5", "e4xd5", "exd5", "d5P"},
    {"", "e4 d5", "e4d5", "exd5", "d5P e4."},  // a capture, not an advance
    {"", "", "g1f3", "Ng1f3", "f3N g1."},
    {kCastle, "", "e1g1", "O-O", "g1K f1R h1."},
    {"", "e4 d5 Bb5 c6", "Bc6+", "Bxc6+", "c6B"},
    {"", "e4 e5", "Ke1e2", "Ke2", "e2K"},
    {"", "", "e4!?", "e4!?"},
    // Board effects.
    {"", "e3 a6", "e4", "e4", "e3. e4P"},
    {kPromote, "", "e8+", "e8+", "e8Q e7."},
    {kPromote, "e8+ Kh7", "Qe1", "Qe1", "e1Q e8."},  // the promoted queen has a slot
    {kPromote, "", "e8N", "e8N", "e8N"},
    {kPromote, "", "e8=K", nullptr, "e7P"},
    // The only rook stands on h1 (slot 2); the king's slot follows it to g1.
    {kShortOnly, "O-O Kd8", "Kh1", "Kh1", "f1R g1. h1K"},
    // Resolving the moving piece: pins, disambiguation, blocked lines, overflowing kinds.
    {"4k3/8/5q2/8/8/5N2/8/1N3K2 w - - 0 1", "", "Nd2", "Nd2", "b1. f3N d2N"},
    {"4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1", "", "Nfd2", "Nfd2", "f1. b1N"},
    {"4k3/8/8/8/R7/8/8/R3K3 w - - 0 1", "", "R1a2", "R1a2", "a1. a4R"},
    {"4k3/8/8/8/8/8/8/R1B1K2R w - - 0 1", "", "Rf1", "Rf1", "h1. a1R"},
    {"8/4P3/8/2k5/8/8/8/QQ2K2Q w - - 0 1", "e8=Q Kc4", "Qe2+", "Qe2+", "e8. e2Q"},
    // The capture ends the knights' overflow; the slotless d1 knight must get a slot.
    {"4k3/8/8/8/8/8/r7/NNNNK3 b - - 0 1", "Rxa1", "Ne3", "Ne3", "d1. e3N"},
    // Texts the replay must refuse.
    {"", "", "Nc4", nullptr},
    {"", "", "Bc4", nullptr},
    {"", "", "e3f4", nullptr},  // from an empty square, not a king move
    {"7k/8/8/8/8/8/8/4K2R w - - 0 1", "", "Rxh8", nullptr},
    {"4k3/4R3/8/8/8/8/8/4K3 w - - 0 1", "", "Rxe8", nullptr},
    {"4k3/8/8/3pP3/8/8/8/4K3 w - - 0 1", "", "exd6", nullptr},
    {kEnPassant, "d5", "exd6", "exd6", "d5. d6P"},
    {kEnPassant, "d5 Kf1 Kf8", "exd6", nullptr},
    {"4k3/8/8/8/8/8/8/4K1R1 w - - 0 1", "", "O-O", nullptr},
    {kShortOnly, "Rh2 Kd8 Rh1 Ke8", "O-O", nullptr},
};

TEST(SanReader, ReadsRewritesOrRefusesEachMove) {
    for (const MoveCase& c : kSanCases) {
        testing::CheckSanCase(c);
    }
    for (const char* offBoard : {"e9", "i4", "Nj3", "Ni3", "e0", "Qh9e1", "x4"}) {
        testing::CheckSanCase({"", "", offBoard, nullptr});
    }
}

TEST(SanReader, HintNamesFromSquareOutright) {
    Position position("4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1");
    SanText text{};
    SetSanText(text, "Nd2");
    ASSERT_TRUE(ApplySan(*position, position.ply, text, FromHint{'f', '1', '\0'}));
    position.ExpectSquares("f1. b1N d2N");
}

TEST(SanReader, FourthQueenShowsSorryOncePerGameAndNotInBatch) {
    Position position("k7/4PP2/8/8/8/8/8/QQQ1K3 w - - 0 1");
    ASSERT_TRUE(position.PlayAll("e8=Q+ Ka7 f8=Q Kb7"));
    EXPECT_EQ(position.messages, std::vector<std::string>{"Sorry - only 3 queens supported!"});
    Position batch("k7/4P3/8/8/8/8/8/QQQ1K3 w - - 0 1");
    batch->batch = true;
    ASSERT_TRUE(batch.Play("e8=Q+"));
    EXPECT_TRUE(batch.messages.empty());
}

TEST(SanReader, TextEndsAtTokenBoundary) {
    EXPECT_EQ(SanTokenLength("e4{x}"), 2);
    EXPECT_EQ(SanTokenLength("Nf3)"), 3);
    EXPECT_EQ(SanTokenLength(".."), 0);
    EXPECT_EQ(SanTokenLength("Qh4$1"), 3);
}

TEST(SanLocate, ReportsSquaresOrRefusalWithoutChangingBoard) {
    Position position("k7/4P3/8/8/8/8/8/NNN1K3 w - - 0 1");
    const auto locate = [&](std::string_view san) {
        SanText text{};
        SetSanText(text, san);
        return LocateSanMove(*position, 1, text, FromHint{});
    };
    ASSERT_EQ(locate("Nb3"), 0);
    const LocateResult& at = position->locate;
    EXPECT_EQ((std::vector<int>{at.fromFile, at.fromRank, at.toFile, at.toRank}),
              (std::vector<int>{1, 1, 2, 3}));
    position.ExpectSquares("a1N b3.");
    EXPECT_EQ(locate("Zf3"), 1);
    // Promoting to a kind of which the side already has three answers the negative kind.
    EXPECT_EQ(locate("e8=N"), -kKnight);
    EXPECT_EQ(position->promotionChoice, kKnight);
}

}  // namespace
}  // namespace ravelin::chess
