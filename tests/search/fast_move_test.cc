#include "search/fast_move.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "chess/chess_context.h"
#include "chess/movetext.h"
#include "gamefile/game_header.h"
#include "gamefile/game_loader.h"
#include "search_test_helpers.h"

namespace ravelin::search {
namespace {

// Every ply of every game of a real file: the word derived from the replayed positions (by the
// history's changed squares and by comparing the two boards whole), played on a FastBoard, gives
// the position the replay reached. The word values themselves are held by the checked-in fast files
// of the writer's test.

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
        ASSERT_TRUE(gamefile::LoadGameHeader("x", reader, index, game, *header, *display, {})) << game;
        if (header->fenPresent) {
            continue;
        }
        gamefile::ParseGameQuietly(reader, *header, *context, *record);
        chess::SetStartPosition(*context);
        const int played = chess::ReplayMoves(*context, record->moveCount);
        FastBoard board = FastStartBoard();
        for (int ply = 1; ply <= played; ++ply) {
            const auto entry = static_cast<std::size_t>(ply);
            const FastMove word = DeriveFastMove(context->history, ply);
            EXPECT_EQ(DeriveFastMove(context->history.boards[entry - 1], context->history.boards[entry], ply),
                      word)
                << path << " game " << game << " ply " << ply;
            ApplyFastMove(board, word, ply);
            const chess::CompactBoard& expected = context->history.boards[entry];
            if (!std::equal(board.begin(), board.end(), expected.begin())) {
                ADD_FAILURE() << path << " game " << game << " ply " << ply;
                ::close(fd);
                return;
            }
            ++plies;
        }
    }
    ::close(fd);
    EXPECT_GT(plies, 0);
}

TEST(FastMoveRoundTrip, RealGamesReplayOnTheFastBoardExactly) {
    // Copies, so that the index cache is written beside them and not into the test data.
    testing::TempDir dir;
    for (const char* file : {"pgn/dortmund.pgn", "pgn/world_matches.pgn", "pgn/TCEC_Cup_6_Bronze.pgn",
                             "pgn/lichess-benchmark.pgn", "fastfile/sample.pgn"}) {
        ExpectRoundTrip(dir.Write(std::filesystem::path(file).filename().string(),
                                  testing::ReadWholeFile(testing::TestDataPath(file))));
    }
}

// Promotions to every piece by both sides, some of which no test file's main line plays: the word
// carries the piece in bits 6 and 7 (none for a queen) and is played back to that piece.
TEST(FastMoveWordsTest, PromotionsNoMovesAndGarbage) {
    for (const bool white : {true, false}) {
        const int offset = white ? 0 : chess::kBlackOffset;
        const int from = white ? FastSquare(7, 7) : FastSquare(3, 2);
        const int to = white ? FastSquare(8, 8) : FastSquare(2, 1);
        for (const auto& [bits, kind] : {std::pair{0, chess::kQueen},
                                         {kFastPromoteKnight, chess::kKnight},
                                         {kFastPromoteBishop, chess::kBishop},
                                         {kFastPromoteRook, chess::kRook}}) {
            chess::CompactBoard before{};
            before[static_cast<std::size_t>(from)] = chess::kPawn + offset;
            before[static_cast<std::size_t>(to)] = chess::kKnight + chess::kBlackOffset - offset;
            chess::CompactBoard after{};
            after[static_cast<std::size_t>(to)] = kind + offset;
            const int ply = white ? 1 : 2;
            const FastMove word = DeriveFastMove(before, after, ply);
            EXPECT_EQ(word, to * 256 + from + bits) << white << " " << kind;
            FastBoard board{};
            std::copy(before.begin(), before.end(), board.begin());
            ApplyFastMove(board, word, ply);
            EXPECT_TRUE(std::equal(board.begin(), board.end(), after.begin())) << white << " " << kind;
        }
    }
    // No move between two equal boards, and the no-move word changes nothing.
    chess::CompactBoard start{};
    std::copy(chess::kStartPositionBytes.begin(), chess::kStartPositionBytes.end(), start.begin());
    EXPECT_EQ(DeriveFastMove(start, start, 1), kNoMoveFound);
    FastBoard board = FastStartBoard();
    ApplyFastMove(board, kNoMoveFound, 1);
    EXPECT_EQ(board, FastStartBoard());
    // Words of a damaged file move pieces about but never write anything but a piece code.
    for (int word = 0; word < 0x8000; word += 37) {
        ApplyFastMove(board, static_cast<FastMove>(word), word % 2 + 1);
    }
    for (const std::uint8_t code : board) {
        EXPECT_TRUE(code <= chess::kKing ||
                    (code > chess::kBlackOffset && code <= chess::kKing + chess::kBlackOffset))
            << int{code};
    }
}

}  // namespace
}  // namespace ravelin::search
