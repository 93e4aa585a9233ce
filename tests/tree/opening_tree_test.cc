#include "tree/opening_tree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

#include "gamefile/game_index.h"
#include "temp_dir.h"
#include "tree/tree_file.h"
#include "tree_test_support.h"

namespace ravelin::tree {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;
using ravelin::testing::TestDataPath;
using testing_support::TreeFile;

std::string Game(std::string_view result, std::string_view moves) {
    return "[Event \"t\"]\n[Result \"" + std::string(result) + "\"]\n\n" + std::string(moves) + " " +
           std::string(result) + "\n\n";
}

// The first move of every game as pgn-extract writes the games: the root's children must be
// exactly these moves with exactly these counts, from the fast file and from the text alike.
TEST(OpeningTree, RootCountsAgreeWithPgnExtractFromTheFastFileAndTheText) {
    const TempDir dir;
    const std::string path = dir.Write("d.pgn", ReadWholeFile(TestDataPath("pgn/dortmund.pgn")));
    std::map<std::string, int> expected;
    if (FILE* pipe = ::popen(
            ("/usr/games/pgn-extract -s -Wsan --notags -C -N -V --nomovenumbers --noresults -w 100000 " +
             path + " 2>/dev/null")
                .c_str(),
            "r")) {
        char line[100000];
        while (std::fgets(line, sizeof line, pipe) != nullptr) {
            std::istringstream words(line);
            std::string first;
            if (words >> first) {
                // A game without moves is stored as 1. d4 in fast files, and the text source agrees.
                const bool noMoves = first == "1-0" || first == "0-1" || first == "1/2-1/2" || first == "*";
                ++expected[noMoves ? "d4" : first];
            }
        }
        ::pclose(pipe);
    }
    if (expected.empty()) {
        GTEST_SKIP() << "pgn-extract is not installed";
    }
    for (const bool fast : {false, true}) {
        TreeFile file(path, fast);
        const auto tree = file.Open();
        ASSERT_NE(tree, nullptr);
        std::map<std::string, int> found;
        for (const int child : tree->Children()) {
            found[std::string(tree->Nodes()[static_cast<std::size_t>(child)].Text())] +=
                tree->Nodes()[static_cast<std::size_t>(child)].games;
        }
        EXPECT_EQ(found, expected) << (fast ? "fast file" : "PGN text");
        std::filesystem::remove(tree->TreePath());
    }
}

// One game: each node offers its one next move, and with the default of ten single nodes the node
// reached after nine plies ends the branch when it is entered. The tree file keeps what was grown.
TEST(OpeningTree, OneGameEndsItsBranchAfterNinePlies) {
    const TempDir dir;
    const std::string path =
        dir.Write("one.pgn", Game("1-0", "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. O-O Be7 6. Re1 b5"));
    TreeFile file(path, false);
    auto tree = file.Open();
    ASSERT_NE(tree, nullptr);
    const std::vector<std::string> moves = {"e4", "e5", "Nf3", "Nc6", "Bb5", "a6", "Ba4", "Nf6", "O-O"};
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const int child = TreeFile::ChildPlaying(*tree, moves[i]);
        ASSERT_GE(child, 0) << moves[i];
        const EnterResult result = tree->Enter(child);
        EXPECT_EQ(result, i + 1 == moves.size() ? EnterResult::kBranchEnded : EnterResult::kShown) << i;
    }
    EXPECT_TRUE(tree->AtEndOfBranch());
    EXPECT_EQ(tree->CurrentNode().games, 1);
    EXPECT_EQ(tree->CurrentNode().score, 2);
    const std::size_t grown = tree->Nodes().size();
    tree.reset();
    tree = file.Open();
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->Nodes().size(), grown);
    EXPECT_EQ(tree->GoToLine(moves), static_cast<int>(moves.size()));
}

// A line reached by transposition counts the games of both orders; in exact mode only the exact
// order counts, and the tree is kept in the other file.
TEST(OpeningTree, TranspositionsCountOnlyOutsideExactMode) {
    const TempDir dir;
    const std::string path = dir.Write("t.pgn", Game("1-0", "1. d4 d5 2. Nf3 Nf6 3. c4") +
                                                    Game("0-1", "1. Nf3 d5 2. d4 Nf6 3. Bf4") +
                                                    Game("1/2-1/2", "1. d4 Nf6 2. Nf3 d5 3. g3"));
    for (const bool exact : {false, true}) {
        TreeFile file(path, true);
        auto tree = file.Open({10, exact});
        ASSERT_NE(tree, nullptr);
        EXPECT_EQ(std::filesystem::path(tree->TreePath()).extension(), exact ? ".TRX" : ".TRE");
        EXPECT_EQ(tree->GoToLine({"d4", "d5", "Nf3", "Nf6"}), 4);
        std::vector<std::string> next;
        for (const int child : tree->Children()) {
            next.emplace_back(tree->Nodes()[static_cast<std::size_t>(child)].Text());
        }
        const std::vector<std::string> expected =
            exact ? std::vector<std::string>{"c4"} : std::vector<std::string>{"c4", "Bf4", "g3"};
        EXPECT_EQ(next, expected);
    }
}

// Tree files that cannot be the node array of a tree are never followed: the tree is grown again
// over the games and written anew.
TEST(OpeningTree, MalformedTreeFilesAreRebuilt) {
    const TempDir dir;
    const std::string path = dir.Write("m.pgn", Game("1-0", "1. e4 e5") + Game("0-1", "1. d4 d5"));
    struct Case {
        const char* name;
        std::function<void(std::string&)> spoil;
    };
    const auto putInt = [](std::string& bytes, std::size_t at, std::int32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * i));
        }
    };
    const std::vector<Case> cases = {
        {"size not a multiple of 32", [](std::string& b) { b.push_back('x'); }},
        {"empty", [](std::string& b) { b.clear(); }},
        {"first child beyond the end", [&](std::string& b) { putInt(b, 8, 1000); }},
        {"child with another parent", [&](std::string& b) { putInt(b, 32 + 4, 2); }},
        {"root with a parent",
         [&](std::string& b) {
             putInt(b, 4, 1);
             putInt(b, 0, 0);
         }},
        {"children counted past the end", [&](std::string& b) { b[20] = 9; }},
    };
    TreeFile file(path, false);
    const auto built = file.Open();
    ASSERT_NE(built, nullptr);
    const std::string good = ReadWholeFile(built->TreePath());
    for (const Case& c : cases) {
        std::string bad = good;
        c.spoil(bad);
        dir.Write("m.TRE", bad);
        const auto tree = file.Open();
        ASSERT_NE(tree, nullptr) << c.name;
        EXPECT_EQ(ReadWholeFile(tree->TreePath()), good) << c.name;
    }
    // A file of the older format is deleted and the user told to start again.
    std::string old = good;
    putInt(old, 0, -1);
    dir.Write("m.TRE", old);
    file.messages.clear();
    EXPECT_EQ(file.Open(), nullptr);
    EXPECT_EQ(file.messages, std::vector<std::string>{kTreeFormatChanged});
    EXPECT_FALSE(std::filesystem::exists(dir.File("m.TRE")));
}

// The remembered line comes back, and a path file that does not walk this tree is ignored.
TEST(OpeningTree, RemembersItsLineInThePathFile) {
    const TempDir dir;
    const std::string path =
        dir.Write("p.pgn", Game("1-0", "1. e4 e5 2. Nf3") + Game("0-1", "1. e4 c5 2. Nf3"));
    TreeFile file(path, false);
    auto tree = file.Open();
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->GoToLine({"e4", "c5"}), 2);
    const std::vector<int> line = tree->LinePath();
    tree->RememberLine();
    tree = file.Open();
    tree->ReturnToRememberedLine();
    EXPECT_EQ(tree->LinePath(), line);
    dir.Write("p.TRT", std::string("\xff\xff\xff\xff\x02\x00\x00\x00\x05\x00\x00\x00\x01\x00\x00\x00", 16));
    tree->ReturnToRememberedLine();
    EXPECT_TRUE(tree->LinePath().empty());
}

// A file with games set up from a position gets no tree.
TEST(OpeningTree, RefusesFilesWithFenStarts) {
    const TempDir dir;
    const std::string path =
        dir.Write("f.pgn", Game("1-0", "1. e4") +
                               "[Event \"f\"]\n[FEN \"8/8/8/8/8/8/8/K1k5 w - - 0 1\"]\n\n1. Kb1 *\n\n");
    TreeFile file(path, false);
    EXPECT_EQ(file.Open(), nullptr);
    EXPECT_EQ(file.messages, std::vector<std::string>{kTreeFenStarts});
}

}  // namespace
}  // namespace ravelin::tree
