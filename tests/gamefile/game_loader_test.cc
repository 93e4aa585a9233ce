#include "gamefile/game_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "chess/annotations.h"
#include "gamefile_test_helpers.h"

namespace ravelin::gamefile {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TestDataPath;
using testing::PgnFile;

// pgn-extract leaves this game out, so it is checked here: without a result token it still
// replays to its last move.
TEST(RealFileReplay, GameWithoutResultTokenReplaysToItsLastMove) {
    PgnFile file("pgn/promotion.pgn");
    const ReplaySummary summary = file.Replay(1);
    EXPECT_EQ(std::pair(summary.pliesParsed, summary.pliesPlayed), std::pair(22, 22));
    EXPECT_EQ(file.FinalFen(summary), "r3kb1r/ppP1pppp/5n2/8/b5P1/5P2/PP3K1P/nNq2BNR w kq -");
}

std::string FindPgnExtract() {
    for (const char* candidate :
         {"/usr/bin/pgn-extract", "/usr/games/pgn-extract", "/usr/local/bin/pgn-extract"}) {
        if (std::filesystem::exists(candidate)) {
            return candidate;
        }
    }
    return "";
}

// The final positions pgn-extract appends as FEN comments, in the order of the games it accepted.
std::vector<std::string> PgnExtractFinalFens(const std::string& tool, const std::string& path) {
    const ravelin::testing::TempDir dir;
    const std::string out = dir.File("out.pgn");
    EXPECT_EQ(
        std::system((tool + " -C -N -V -F -s --quiet -w 100000 -o '" + out + "' '" + path + "'").c_str()), 0);
    const std::string output = ReadWholeFile(out);
    const std::regex comment("\\{ \"([^\"]*)\" \\}");
    std::vector<std::string> fens;
    for (auto it = std::sregex_iterator(output.begin(), output.end(), comment); it != std::sregex_iterator();
         ++it) {
        fens.push_back((*it)[1]);
    }
    return fens;
}

// Placement, side to move and castling; the en passant field is written by different rules.
std::string PositionFields(const std::string& fen) {
    std::istringstream in(fen);
    std::string placement, side, castling;
    in >> placement >> side >> castling;
    return placement + " " + side + " " + castling;
}

// Every game of the real files, read as the program shows it: each move ends just before its
// offset in the file, the annotations fit the display width with Latin-1 bytes kept, every game
// replays to its last move except one with a null move, and the final positions agree with
// pgn-extract's for every game it accepts.
TEST(PgnExtractAgreement, EveryGameReplaysAndFinalPositionsAgree) {
    const std::string tool = FindPgnExtract();
    if (tool.empty()) {
        GTEST_SKIP() << "pgn-extract is not installed";
    }
    int compared = 0;
    int annotations = 0;
    bool sawLatin1 = false;
    std::vector<std::string> stopped;
    for (const std::string name :
         {"world_matches.pgn", "dortmund.pgn", "TCEC_Cup_6_Bronze.pgn", "uzchesscup.pgn",
          "lichess-benchmark.pgn", "chessbase-empty-line.pgn", "utf8-bom.pgn", "KASPAROV-DEEP-BLUE-1997.PGN",
          "annotated.pgn", "fenSetup.pgn", "promotion.pgn", "molinari-bordais-1979.pgn",
          "anastasian-lewis.pgn", "chess960rwch.pgn", "cutechess-fischerrandom.pgn"}) {
        const std::vector<std::string> theirs = PgnExtractFinalFens(tool, TestDataPath("pgn/" + name));
        const std::string bytes = ReadWholeFile(TestDataPath("pgn/" + name));
        PgnFile file("pgn/" + name);
        ASSERT_GE(file.fd, 0) << name;
        std::size_t j = 0;
        for (int game = 1; game <= file.index.Count(); ++game) {
            file.Parse(game);
            for (int ply = 1; ply <= file.record->plyCount; ++ply) {
                const std::string_view text = chess::SanView(file.context->moves.MoveOfPly(ply));
                const std::uint64_t end = file.record->moveEndOffsets[static_cast<std::size_t>(ply)];
                if (text.size() < chess::kMaxSanLength && text != "..") {
                    ASSERT_EQ(bytes.substr(end - text.size(), text.size()), text) << name << " game " << game;
                }
            }
            const ReplaySummary summary = ReplayParsedGame(*file.context, *file.record, *file.header);
            for (int ply = 0; ply <= summary.pliesParsed; ++ply) {
                std::vector<std::string> lines;
                chess::AnnotationOutput output;
                output.list = &lines;
                annotations += chess::ShowAnnotations(*file.record, ply, output);
                for (const std::string& line : lines) {
                    EXPECT_LE(line.size(), static_cast<std::size_t>(chess::kNormalDisplayWidth));
                    sawLatin1 = sawLatin1 || std::any_of(line.begin(), line.end(), [](char c) {
                                    return static_cast<unsigned char>(c) >= 0xA0;
                                });
                }
            }
            if (summary.stoppedAtBadMove) {
                stopped.push_back(
                    name + " " + std::to_string(game) + " " +
                    std::string(chess::SanView(file.context->moves.MoveOfPly(summary.pliesPlayed + 1))));
            }
            // pgn-extract leaves out games without moves and games with a move it cannot play.
            if (summary.pliesParsed == 0 || summary.stoppedAtBadMove || j == theirs.size()) {
                continue;
            }
            EXPECT_EQ(PositionFields(file.FinalFen(summary)), PositionFields(theirs[j]))
                << name << " game " << game;
            ++j;
            ++compared;
        }
        EXPECT_EQ(j, theirs.size()) << name;
    }
    EXPECT_GT(compared, 1000);
    EXPECT_GT(annotations, 1000);
    EXPECT_TRUE(sawLatin1);
    // The record writes a null move as "Z0", which no board can play.
    EXPECT_EQ(stopped, std::vector<std::string>{"anastasian-lewis.pgn 1 Z0*"});
}

}  // namespace
}  // namespace ravelin::gamefile
