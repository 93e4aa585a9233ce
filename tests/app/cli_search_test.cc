// `ravelin-cli search` run as a program: its output lines, summary and exit codes.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "cli_test_helpers.h"

namespace ravelin::testing {
namespace {

// Game 1 plays the Sicilian in order, game 2 reaches it by transposition, game 3 is a queen's pawn
// game, game 4 has no moves.
constexpr char kGames[] =
    "[Event \"A\"]\n[White \"Morrow, Glen\"]\n[Black \"Smith\"]\n[Result \"1-0\"]\n\n1.e4 c5 2.Nf3 d6 1-0\n\n"
    "[Event \"B\"]\n[White \"Smith\"]\n[Black \"Morrow, Glen\"]\n[Result \"0-1\"]\n\n1.Nf3 c5 2.e4 d6 0-1\n\n"
    "[Event \"C\"]\n[White \"Jones\"]\n[Black \"Smith\"]\n[Result \"1/2-1/2\"]\n\n1.d4 d5 2.c4 1/2-1/2\n\n"
    "[Event \"D\"]\n[White \"Morrow, Glen\"]\n[Black \"Jones\"]\n[Result \"1/2-1/2\"]\n\n1/2-1/2\n";

constexpr char kSicilianAfterNf3[] = "rnbqkbnr/pp1ppppp/8/2p5/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2";

TEST(CliSearch, VariationAndPositionFindTheSameGamesWithAndWithoutTheFastFile) {
    TempDir dir;
    const std::string file = dir.Write("games.pgn", kGames);
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass == 0 ? "PGN text" : "fast file");
        CliRun any = RunCli("search --moves '1.e4 c5 2.Nf3' " + file, dir);
        EXPECT_EQ(any.exitCode, 0) << any.err;
        EXPECT_EQ(any.out, "1\n2\n");
        EXPECT_NE(any.err.find("Number of games found: 2, White wins: 1, Black wins: 1"), std::string::npos)
            << any.err;
        CliRun exact = RunCli("search --exact --moves 'e4 c5 Nf3' " + file, dir);
        EXPECT_EQ(exact.out, "1\n");
        // The position after ply 3 in both games; the ply is printed with each match.
        CliRun position = RunCli(std::string("search --position '") + kSicilianAfterNf3 + "' " + file, dir);
        EXPECT_EQ(position.exitCode, 0) << position.err;
        EXPECT_EQ(position.out, "1\t3\n2\t3\n");
        // Variation and position together keep what both found, with the position's ply.
        CliRun both = RunCli("search --exact --moves '1.e4' --position 'Nf3 / c5' " + file, dir);
        EXPECT_EQ(both.out, "1\t3\n");
        if (pass == 0) {
            ASSERT_EQ(RunCli("fastfile " + file, dir).exitCode, 0);
        }
    }
}

TEST(CliSearch, ExitCodesTellMatchesFromNoneFromErrors) {
    TempDir dir;
    const std::string file = dir.Write("games.pgn", kGames);
    CliRun none = RunCli("search --moves '1.b3' " + file, dir);
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_NE(none.err.find("Number of games found: 0"), std::string::npos) << none.err;

    CliRun illegal = RunCli("search --moves '1.e4 e5 2.Ke3' " + file, dir);
    EXPECT_EQ(illegal.exitCode, 2);
    EXPECT_NE(illegal.err.find("Illegal move in the variation: 2. Ke3."), std::string::npos) << illegal.err;

    CliRun missing = RunCli("search --moves e4 " + dir.File("none.pgn"), dir);
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("Error opening file."), std::string::npos) << missing.err;

    CliRun nothing = RunCli("search " + file, dir);
    EXPECT_EQ(nothing.exitCode, 2);
    EXPECT_NE(nothing.err.find("No search criteria given."), std::string::npos);

    CliRun help = RunCli("search --help", dir);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--moves"), std::string::npos);
}

TEST(CliSearch, PlayerFormsCountThePlayersResults) {
    TempDir dir;
    const std::string file = dir.Write("games.pgn", kGames);
    // Morrow won game 1 with White and game 2 with Black; game 4 with White was drawn.
    CliRun player = RunCli("search --player Morrow --time " + file, dir);
    EXPECT_EQ(player.out, "1\n2\n4\n");
    EXPECT_NE(
        player.err.find("Won as White: 1, Won as Black: 1, Not decided as White: 1, Not decided as Black: 0"),
        std::string::npos)
        << player.err;
    EXPECT_NE(player.err.find("Search time: "), std::string::npos);
    // Repeated in the process: the same matches once, and the later runs' median.
    CliRun repeated = RunCli("search --player Morrow --time --repeat 3 " + file, dir);
    EXPECT_EQ(repeated.out, player.out);
    EXPECT_NE(repeated.err.find("(median of 2 more)"), std::string::npos) << repeated.err;
    CliRun pairing = RunCli("search --opponents Smith,Morrow " + file, dir);
    EXPECT_EQ(pairing.out, "1\n2\n");
    // A header search combined with a variation keeps the games both found.
    CliRun combined = RunCli("search --white Morrow --moves '1.e4 c5' " + file, dir);
    EXPECT_EQ(combined.out, "1\n");
}

TEST(CliSearch, DirectorySearchPrintsEachFilesMatchesAfterItsPath) {
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "games");
    const std::string first = dir.Write("games/first.pgn", kGames);
    const std::string second = dir.Write("games/second.pgn", "[Event \"E\"]\n\n1.e4 c5 2.Nf3 *\n");
    dir.Write("games/notes.txt", "1.e4 c5 2.Nf3");
    CliRun run = RunCli("search --moves '1.e4 c5 2.Nf3' " + dir.File("games"), dir);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Lines(run.out), (std::vector<std::string>{first + "\t1", first + "\t2", second + "\t1"}));
    EXPECT_NE(run.err.find("Number of games found: 3 in 2 of 2 files"), std::string::npos) << run.err;
    // --dir with a file searches the file's directory.
    EXPECT_EQ(RunCli("search --dir --moves '1.e4 c5 2.Nf3' " + first, dir).out, run.out);

    std::filesystem::create_directory(dir.Path() / "empty");
    CliRun empty = RunCli("search --moves e4 " + dir.File("empty"), dir);
    EXPECT_EQ(empty.exitCode, 2);
    EXPECT_NE(empty.err.find("No files were found."), std::string::npos);
}

// A file large enough to be cut into runs of games searched on both cores prints what the search of
// the file alone prints, in the same order.
TEST(CliSearch, DirectorySearchInRunsPrintsWhatTheWholeFileSearchPrints) {
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "games");
    const std::string file = dir.File("games/carlsen.pgn");
    const std::string packed = TestDataPath("pgn/Carlsen.pgn.xz");
    // Twice over: more than two megabytes of fast file moves.
    ASSERT_EQ(
        std::system(("xz -dc '" + packed + "' > '" + file + "' && xz -dc '" + packed + "' >> '" + file + "'")
                        .c_str()),
        0);
    ASSERT_EQ(RunCli("fastfile " + file, dir).exitCode, 0);
    ASSERT_GT(std::filesystem::file_size(dir.File("games/carlsen.TRF")), 2u << 20);
    for (const char* criteria : {"--player Carlsen", "--moves '1.e4 c5 2.Nf3'", "--position 'Nf5 / Kg8'"}) {
        SCOPED_TRACE(criteria);
        const CliRun whole = RunCli(std::string("search ") + criteria + " " + file, dir);
        const CliRun runs = RunCli(std::string("search ") + criteria + " " + dir.File("games"), dir);
        ASSERT_EQ(runs.exitCode, 0) << runs.err;
        std::vector<std::string> expected;
        for (const std::string& line : Lines(whole.out)) {
            expected.push_back(file + "\t" + line);
        }
        EXPECT_GT(expected.size(), 100u);
        EXPECT_EQ(Lines(runs.out), expected);
        EXPECT_NE(runs.err.find(file + ": " + Lines(whole.err).front()), std::string::npos) << runs.err;
    }
}

// Real games: the player with either colour is exactly the games with the name as White plus those
// with it as Black, and a position of eight pawns a side is every game's start.
TEST(CliSearch, RealGamesAgreeAcrossSearchForms) {
    TempDir dir;
    const std::string file = CopyOfTestFile(dir, "pgn/world_matches.pgn");
    CliRun either = RunCli("search --player Karpov " + file, dir);
    ASSERT_EQ(either.exitCode, 0) << either.err;
    std::set<std::string> union_;
    for (const char* side : {"--white", "--black"}) {
        for (const std::string& line :
             Lines(RunCli(std::string("search ") + side + " Karpov " + file, dir).out)) {
            union_.insert(line);
        }
    }
    const std::vector<std::string> found = Lines(either.out);
    EXPECT_EQ(std::set<std::string>(found.begin(), found.end()), union_);
    EXPECT_GT(found.size(), 10u);

    const std::string lichess = CopyOfTestFile(dir, "pgn/lichess-benchmark.pgn");
    CliRun pawns = RunCli("search --position '=8 / =8' " + lichess, dir);
    const std::vector<std::string> starts = Lines(pawns.out);
    ASSERT_EQ(starts.size(), 100u) << pawns.err;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        EXPECT_EQ(starts[i], std::to_string(i + 1) + "\t0");
    }
}

}  // namespace
}  // namespace ravelin::testing
