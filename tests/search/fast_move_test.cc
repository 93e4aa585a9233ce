#include "search/fast_move.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <memory>

#include "chess/chess_context.h"
#include "chess/movetext.h"
#include "gamefile/game_header.h"
#include "gamefile/game_index.h"
#include "gamefile/game_loader.h"
#include "temp_dir.h"

namespace ravelin::search {
namespace {

using chess::CompactBoard;

CompactBoard StartCompact() {
    CompactBoard board{};
    for (int i = 0; i < chess::kSquareCount; ++i) {
        board[static_cast<std::size_t>(i)] = chess::kStartPositionBytes[static_cast<std::size_t>(i)];
    }
    return board;
}

constexpr int Sq(char file, char rank) {
    return FastSquare(file - 'a' + 1, rank - '0');
}

// --- the move word and its squares ---

TEST(FastMoveWord, SquaresAreNumberedFileMajorFromA1) {
    EXPECT_EQ(Sq('a', '1'), 0);
    EXPECT_EQ(Sq('a', '2'), 1);
    EXPECT_EQ(Sq('b', '1'), 8);
    EXPECT_EQ(Sq('h', '8'), 63);
}

TEST(FastMoveWord, ResultWordsCarryBit15AndTheCode) {
    EXPECT_EQ(ResultWord(FastResultCodeOf("1-0")), 0x8002);
    EXPECT_EQ(ResultWord(FastResultCodeOf("0-1")), 0x8000);
    EXPECT_EQ(ResultWord(FastResultCodeOf("1/2-1/2")), 0x8001);
    EXPECT_EQ(ResultWord(FastResultCodeOf("*")), 0x8001);
    EXPECT_EQ(ResultWord(FastResultCodeOf("")), 0x8001);
}

// --- DeriveFastMove ---

TEST(DeriveFastMove, PlainPawnMoveIsDestinationTimes256PlusOrigin) {
    CompactBoard before = StartCompact();
    CompactBoard after = before;
    after[Sq('e', '2')] = 0;
    after[Sq('e', '4')] = chess::kPawn;
    EXPECT_EQ(DeriveFastMove(before, after, 1), Sq('e', '4') * 256 + Sq('e', '2'));
}

TEST(DeriveFastMove, CastlingGivesTheKingsTwoSquareMoveWords) {
    CompactBoard before{};
    before[Sq('e', '1')] = chess::kKing;
    before[Sq('h', '1')] = chess::kRook;
    before[Sq('a', '1')] = chess::kRook;
    CompactBoard shortCastle = before;
    shortCastle[Sq('e', '1')] = 0;
    shortCastle[Sq('h', '1')] = 0;
    shortCastle[Sq('g', '1')] = chess::kKing;
    shortCastle[Sq('f', '1')] = chess::kRook;
    EXPECT_EQ(DeriveFastMove(before, shortCastle, 1), kWhiteShortCastle);
    CompactBoard longCastle = before;
    longCastle[Sq('e', '1')] = 0;
    longCastle[Sq('a', '1')] = 0;
    longCastle[Sq('c', '1')] = chess::kKing;
    longCastle[Sq('d', '1')] = chess::kRook;
    EXPECT_EQ(DeriveFastMove(before, longCastle, 1), kWhiteLongCastle);

    CompactBoard black{};
    black[Sq('e', '8')] = 16;
    CompactBoard blackShort = black;
    blackShort[Sq('e', '8')] = 0;
    blackShort[Sq('g', '8')] = 16;
    EXPECT_EQ(DeriveFastMove(black, blackShort, 2), kBlackShortCastle);
    CompactBoard blackLong = black;
    blackLong[Sq('e', '8')] = 0;
    blackLong[Sq('c', '8')] = 16;
    EXPECT_EQ(DeriveFastMove(black, blackLong, 2), kBlackLongCastle);
}

TEST(DeriveFastMove, UnderPromotionToKnightOnTheEFileStoresBitsWithTheOrigin) {
    CompactBoard before{};
    before[Sq('e', '7')] = chess::kPawn;
    CompactBoard after{};
    after[Sq('e', '8')] = chess::kKnight;
    const FastMove move = DeriveFastMove(before, after, 1);
    EXPECT_EQ(move & 0xff, 0x66);
    EXPECT_EQ(move >> 8, 0x27);
}

TEST(DeriveFastMove, QueenPromotionStoresNoBitsAndBlackRookPromotionStoresThree) {
    CompactBoard before{};
    before[Sq('e', '7')] = chess::kPawn;
    CompactBoard after{};
    after[Sq('e', '8')] = chess::kQueen;
    EXPECT_EQ(DeriveFastMove(before, after, 1), 0x2726);
    CompactBoard blackBefore{};
    blackBefore[Sq('b', '2')] = 11;
    CompactBoard blackAfter{};
    blackAfter[Sq('a', '1')] = 14;
    EXPECT_EQ(DeriveFastMove(blackBefore, blackAfter, 2), 0x0000 | 0xC0 | Sq('b', '2'));
}

TEST(DeriveFastMove, SamePositionTwiceIsTheNoMoveWord) {
    const CompactBoard board = StartCompact();
    EXPECT_EQ(DeriveFastMove(board, board, 1), kNoMoveFound);
    EXPECT_EQ(DeriveFastMove(board, board, 2), kNoMoveFound);
}

// --- ApplyFastMove ---

TEST(ApplyFastMove, CastlingMovesKingAndRook) {
    FastBoard board{};
    board[Sq('e', '1')] = 6;
    board[Sq('h', '1')] = 4;
    ApplyFastMove(board, kWhiteShortCastle, 1);
    EXPECT_EQ(board[Sq('g', '1')], 6);
    EXPECT_EQ(board[Sq('f', '1')], 4);
    EXPECT_EQ(board[Sq('e', '1')], 0);
    EXPECT_EQ(board[Sq('h', '1')], 0);
    FastBoard black{};
    black[Sq('e', '8')] = 16;
    black[Sq('a', '8')] = 14;
    ApplyFastMove(black, kBlackLongCastle, 2);
    EXPECT_EQ(black[Sq('c', '8')], 16);
    EXPECT_EQ(black[Sq('d', '8')], 14);
    EXPECT_EQ(black[Sq('a', '8')], 0);
}

TEST(ApplyFastMove, PromotionBitsChooseThePiece) {
    for (const auto& [bits, piece] : {std::pair{0, 5}, {1, 2}, {2, 3}, {3, 4}}) {
        FastBoard board{};
        board[Sq('g', '7')] = 1;
        ApplyFastMove(board, static_cast<FastMove>(Sq('g', '8') * 256 + Sq('g', '7') + bits * 0x40), 1);
        EXPECT_EQ(board[Sq('g', '8')], piece) << bits;
        EXPECT_EQ(board[Sq('g', '7')], 0);
    }
    FastBoard black{};
    black[Sq('c', '2')] = 11;
    ApplyFastMove(black, static_cast<FastMove>(Sq('c', '1') * 256 + Sq('c', '2') + 0x80), 2);
    EXPECT_EQ(black[Sq('c', '1')], 13);
}

TEST(ApplyFastMove, EnPassantRemovesThePawnBehindTheDestination) {
    FastBoard board{};
    board[Sq('e', '5')] = 1;
    board[Sq('d', '5')] = 11;
    ApplyFastMove(board, static_cast<FastMove>(Sq('d', '6') * 256 + Sq('e', '5')), 3);
    EXPECT_EQ(board[Sq('d', '6')], 1);
    EXPECT_EQ(board[Sq('d', '5')], 0);
    EXPECT_EQ(board[Sq('e', '5')], 0);
}

TEST(ApplyFastMove, NoMoveWordLeavesA2Alone) {
    FastBoard board = FastStartBoard();
    ApplyFastMove(board, kNoMoveFound, 1);
    EXPECT_EQ(board, FastStartBoard());
    EXPECT_EQ(board[Sq('a', '2')], 1);
}

TEST(ApplyFastMove, EmptyGameRecordReplaysAsQueenPawnOpening) {
    FastBoard board = FastStartBoard();
    ApplyFastMove(board, kEmptyGameMove, 1);
    EXPECT_EQ(board[Sq('d', '4')], 1);
    EXPECT_EQ(board[Sq('d', '2')], 0);
}

TEST(ApplyFastMove, GarbageWordsNeverLeaveTheBoard) {
    FastBoard board = FastStartBoard();
    for (int word = 0; word < 0x8000; word += 37) {
        ApplyFastMove(board, static_cast<FastMove>(word), word % 2 + 1);
    }
    SUCCEED();
}

// --- the two together over real games ---

// Every ply of every game of a real file: the word derived from the replayed positions, played on
// a FastBoard, gives the position the replay reached.
void ExpectRoundTrip(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0) << path;
    gamefile::GameIndex index;
    // A scan alone: no index cache is written beside the test data.
    gamefile::LineReader scanner(gamefile::kScanBufferSize);
    scanner.Attach(fd);
    gamefile::ScanGameOffsets(scanner, index);
    gamefile::LineReader reader;
    reader.Attach(fd);
    auto header = std::make_unique<gamefile::GameHeader>();
    auto display = std::make_unique<gamefile::HeaderDisplay>();
    auto context = chess::MakeChessContext();
    auto record = chess::MakeGameRecord();
    context->batch = true;
    int plies = 0;
    for (int game = 1; game <= index.Count(); ++game) {
        ASSERT_TRUE(gamefile::LoadGameHeader("x", reader, index, game, *header, *display, {}));
        if (header->fenPresent) {
            continue;
        }
        gamefile::ParseGameQuietly(reader, *header, *context, *record);
        chess::SetStartPosition(*context);
        const int played = chess::ReplayMoves(*context, record->moveCount);
        FastBoard board = FastStartBoard();
        for (int ply = 1; ply <= played; ++ply) {
            ApplyFastMove(board, DeriveFastMove(context->history, ply), ply);
            const CompactBoard& expected = context->history.boards[static_cast<std::size_t>(ply)];
            for (int sq = 0; sq < chess::kSquareCount; ++sq) {
                ASSERT_EQ(board[static_cast<std::size_t>(sq)], expected[static_cast<std::size_t>(sq)])
                    << path << " game " << game << " ply " << ply << " square " << sq;
            }
            ++plies;
        }
    }
    ::close(fd);
    EXPECT_GT(plies, 0);
}

TEST(FastMoveRoundTrip, RealGamesReplayOnTheFastBoardExactly) {
    ExpectRoundTrip(testing::TestDataPath("pgn/dortmund.pgn"));
    ExpectRoundTrip(testing::TestDataPath("pgn/world_matches.pgn"));
    ExpectRoundTrip(testing::TestDataPath("pgn/promotion.pgn"));
    ExpectRoundTrip(testing::TestDataPath("fastfile/sample.pgn"));
}

}  // namespace
}  // namespace ravelin::search
