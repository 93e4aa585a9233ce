// The texts of the engine dialog: reading the engine's output, which typed texts are moves, and the
// files written for the engine.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chess/fen.h"
#include "chess/move_list.h"
#include "engine/engine_files.h"
#include "engine/engine_output.h"
#include "engine/engine_protocol.h"

namespace ravelin::engine {
namespace {

TEST(EngineOutputTest, LinesAreSplitWhateverTheLineEndsAndReadBoundaries) {
    struct Case {
        std::vector<std::string> reads;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {{"a\r\nb\r\n"}, {"a", "b"}},
        {{"a\nb\n"}, {"a", "b"}},
        {{"a\r\n\r\n\nb\r"}, {"a", "b"}},
        {{"mo", "ve e4\r", "\nnext"}, {"move e4"}},
        {{"half of a li", "ne\r\n", "\r\n"}, {"half of a line"}},
    };
    for (const Case& test : cases) {
        EngineOutputLines reader;
        std::vector<std::string> lines;
        for (const std::string& read : test.reads) {
            for (std::string& line : reader.Take(read)) {
                lines.push_back(std::move(line));
            }
        }
        EXPECT_EQ(lines, test.lines) << test.reads[0];
    }
    // A flood without line ends is held to the buffer's size, never more.
    EngineOutputLines reader;
    const std::string flood(3 * kEngineOutputBufferSize, 'x');
    EXPECT_TRUE(reader.Take(flood).empty());
    const std::vector<std::string> lines = reader.Take("\n");
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0].size(), kEngineOutputBufferSize);
}

TEST(EngineOutputTest, TheMoveIsTheFirstLineThatBeginsWithMove) {
    EXPECT_EQ(FindEngineMove({"White(1): e4", "  4  +0.31  1. e4", "move Nf6", "move e5"}), "Nf6");
    EXPECT_EQ(FindEngineMove({"the best move is e5", "1-0 {White mates}"}), std::nullopt);
    // A text longer than a move slot is not taken for a move.
    EXPECT_EQ(FindEngineMove({"move Nf3xxxxxxx"}), std::nullopt);
}

TEST(EngineProtocolTest, TypedTextsThatAreMovesAndTextsThatAreCommands) {
    for (const char* move : {"e4", "exd5", "Nf3", "O-O", "1-0", "Rfe1", "Kf2", "Bb5", "0-1", "1/2-1/2"}) {
        EXPECT_TRUE(LooksLikeMove(move)) << move;
    }
    for (const char* command :
         {"new", "name Ann", "read x.pgn", "resign", "exit", "back", "score", "help", "black"}) {
        EXPECT_FALSE(LooksLikeMove(command)) << command;
    }
}

TEST(EngineProtocolTest, CommandsAreFramedWithAStatusRequestButExit) {
    EXPECT_EQ(FrameEngineCommand("ExIt"), "ExIt\n");
    EXPECT_EQ(FrameEngineCommand("score"), "score\n.\n");
    EXPECT_EQ(FrameEngineCommand("help"), "help\n.\n\n\n.\n");
    // Empty time fields send no level; "0" minutes keeps the default of 30.
    EXPECT_EQ(LevelCommand(PlayOptions{}), "");
    PlayOptions options;
    options.minutesText = "0";
    EXPECT_EQ(LevelCommand(options), "level 60 30 0\notime 180000");
    options.engineFirst = true;
    options.displayGeneral = false;
    EXPECT_EQ(PlayStartupCommand(options, "/w/craftyqq.pgn"),
              "level 60 30 0\notime 180000\nread /w/craftyqq.pgn\ngo");
}

TEST(EngineProtocolTest, TheEngineMovesOnItsOwnParity) {
    // Engine White: on move after an even number of plies; a continuation from Black to move swaps.
    EXPECT_TRUE(IsEngineToMove(0, true, false));
    EXPECT_FALSE(IsEngineToMove(1, true, false));
    EXPECT_TRUE(IsEngineToMove(1, false, false));
    EXPECT_FALSE(IsEngineToMove(1, false, true));
}

chess::MoveList MovesOf(const std::vector<std::string>& sans, int firstPly = 1) {
    chess::MoveList moves{};
    int ply = firstPly;
    for (const std::string& san : sans) {
        chess::SetSanText(moves.MoveOfPly(ply++), san);
    }
    return moves;
}

TEST(EngineFilesTest, PositionMoveAndGameFiles) {
    chess::Board board{};
    board[5][1] = chess::kKing;
    board[8][1] = chess::kRook;
    board[5][8] = chess::kKing + chess::kBlackOffset;
    PositionInfo info;
    info.blackToMove = true;
    info.whiteKingSide = true;
    EXPECT_EQ(SetboardCommand(board, info), "setboard 4k3/8/8/8/8/8/8/4K2R b K");
    EXPECT_EQ(PositionFileText(board, PositionInfo{}), "setboard 4k3/8/8/8/8/8/8/4K2R w\r\nexit\r\n");

    const chess::MoveList moves = MovesOf({"e4", "e5", "Nf3"});
    EXPECT_EQ(MoveFileText(moves, 3), "1. e4 e5\r\n2. Nf3\r\n");
    EXPECT_EQ(GameFileText({"[White \"A\"]"}, moves, 1, 3, 1), "[White \"A\"]\r\n\r\n1.e4 e5 2.Nf3 *\r\n");
    // Black moving first, and no header at all.
    const chess::MoveList blackFirst = MovesOf({"..", "Kd7", "Kd2"});
    EXPECT_EQ(GameFileText({}, blackFirst, 2, 3, 1), "\r\n1...Kd7 2.Kd2 *\r\n");
}

TEST(EngineFilesTest, AnnotationFilesBecomePgn) {
    const std::string can =
        "[Event \"x\"]\r\n"
        "ab\r\n"
        "{ comment }\n"
        " 12.   Rfe1      Qc7\r\n"
        "     (12. a4 b5)\t\r\n";
    EXPECT_EQ(ConvertAnnotationText(can),
              "[Event \"x\"]\r\n\r\n{ comment }\r\n12.Rfe1 Qc7\r\n(12. a4 b5)\r\n");
    EXPECT_EQ(ConvertedAnnotationPath("/a/game.can"), "/a/game.pgn");
}

}  // namespace
}  // namespace ravelin::engine
