#include "gamefile/game_edit.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "gamefile/game_copy.h"
#include "platform/file_util.h"
#include "temp_dir.h"

namespace ravelin::gamefile {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;
using ravelin::testing::TestDataPath;

constexpr std::size_t kNoLimit = 1 << 24;

// The games of a file as a fresh scan finds them.
GameIndex ScanIndex(const std::string& path) {
    GameIndex index;
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    LineReader scanner(kScanBufferSize);
    scanner.Attach(fd);
    scanner.Seek(0);
    ScanGameOffsets(scanner, index);
    close(fd);
    return index;
}

std::string GameText(const std::string& path, int game) {
    GameIndex index = ScanIndex(path);
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    LineReader reader;
    reader.Attach(fd);
    std::string text;
    EXPECT_TRUE(CopyGameText(reader, index.Offset(game), kNoLimit, text));
    close(fd);
    return text;
}

// A test file copied into the directory; an xz-compressed one is unpacked there.
std::string CopyOf(const TempDir& dir, const std::string& dataFile) {
    const std::string source = TestDataPath("pgn/" + dataFile);
    if (dataFile.ends_with(".xz")) {
        const std::string path = dir.File(dataFile.substr(0, dataFile.size() - 3));
        EXPECT_EQ(std::system(("xz -dc '" + source + "' > '" + path + "'").c_str()), 0);
        return path;
    }
    const std::string path = dir.File(dataFile);
    std::filesystem::copy_file(source, path);
    return path;
}

// One edit of a file, the bytes it must give (from the old bytes and the game offsets) and the
// game count after it.
struct Edit {
    const char* name;
    std::function<const char*(const std::string& path, const GameIndex& index, const std::string& text)>
        apply;
    std::function<std::string(const std::string& old, const GameIndex& index, const std::string& text)>
        expected;
    int countChange;
};

int EventTagLines(const std::string& text) {
    int count = text.starts_with("[Event ") ? 1 : 0;
    for (std::size_t at = text.find("\n[Event "); at != std::string::npos;
         at = text.find("\n[Event ", at + 1)) {
        ++count;
    }
    return count;
}

// A game halfway through the file.
int Middle(const GameIndex& index) {
    return index.Count() / 2;
}

std::vector<Edit> Edits(std::size_t lineEndLength) {
    return {
        {"delete a game in the middle",
         [](auto& path, auto& index, auto&) { return DeleteGameFromFile(path, index, Middle(index)); },
         [](auto& old, auto& index, auto&) {
             return old.substr(0, index.Offset(Middle(index))) + old.substr(index.Offset(Middle(index) + 1));
         },
         -1},
        {"delete the first game",
         [](auto& path, auto& index, auto&) { return DeleteGameFromFile(path, index, 1); },
         [](auto& old, auto& index, auto&) { return old.substr(index.Offset(2)); }, -1},
        {"delete the last game with the empty line before it",
         [](auto& path, auto& index, auto&) { return DeleteGameFromFile(path, index, index.Count()); },
         [=](auto& old, auto& index, auto&) {
             return old.substr(0, index.Offset(index.Count()) - lineEndLength);
         },
         -1},
        {"replace a game in the middle",
         [](auto& path, auto& index, auto& text) {
             return ReplaceGameInFile(path, index, Middle(index), text);
         },
         [](auto& old, auto& index, auto& text) {
             return old.substr(0, index.Offset(Middle(index))) + text + "\r\n" +
                    old.substr(index.Offset(Middle(index) + 1));
         },
         0},
        {"replace the last game",
         [](auto& path, auto& index, auto& text) {
             return ReplaceGameInFile(path, index, index.Count(), text);
         },
         [](auto& old, auto& index, auto& text) { return old.substr(0, index.Offset(index.Count())) + text; },
         0},
        {"insert before a game",
         [](auto& path, auto& index, auto& text) {
             return InsertGamesIntoFile(path, index, Middle(index), {text, text});
         },
         [](auto& old, auto& index, auto& text) {
             return old.substr(0, index.Offset(Middle(index))) + text + "\r\n" + text + "\r\n" +
                    old.substr(index.Offset(Middle(index)));
         },
         2},
    };
}

TEST(GameEditTest, EditingOneGameKeepsEveryByteOutsideIt) {
    // A real file of 5,662 games (CR LF), and two small ones of either line end.
    for (const auto& [file, lineEndLength] :
         {std::pair{"Carlsen.pgn.xz", 2u}, {"world_matches.pgn", 2u}, {"lichess-benchmark.pgn", 1u}}) {
        for (const Edit& edit : Edits(lineEndLength)) {
            SCOPED_TRACE(std::string(file) + ": " + edit.name);
            TempDir dir;
            const std::string path = CopyOf(dir, file);
            const std::string old = ReadWholeFile(path);
            const GameIndex index = ScanIndex(path);
            // Every game of these files opens with an Event tag at the start of a line.
            ASSERT_EQ(index.Count(), EventTagLines(old));
            // The text of game 3 as the game copy rule gives it: CR LF line ends, on a file of
            // either kind, of another length than the game it replaces.
            const std::string text = GameText(path, 3);

            ASSERT_EQ(edit.apply(path, index, text), nullptr);

            EXPECT_TRUE(ReadWholeFile(path) == edit.expected(old, index, text));
            const GameIndex scanned = ScanIndex(path);
            EXPECT_EQ(scanned.Count(), index.Count() + edit.countChange);
            // The index cache was brought up to date without a scan, and says what a scan finds.
            GameIndex cached;
            const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
            EXPECT_TRUE(IndexGameFile(fd, path, false, cached).fromCache);
            close(fd);
            EXPECT_EQ(cached.offsets, scanned.offsets);
        }
    }
}

TEST(GameEditTest, AppendAddsOneEmptyLineAndKeepsTheIndexCacheExact) {
    struct Case {
        const char* contents;
        std::string separator;
    };
    const std::string game = "[Event \"New\"]\r\n[Result \"*\"]\r\n\r\n1.e4  *\r\n";
    const Case cases[] = {
        {"[Event \"Old\"]\r\n\r\n1.d4  *\r\n", "\r\n"},
        {"[Event \"Old\"]\n\n1.d4  *\n\n", ""},
        {"[Event \"Old\"]\n\n1.d4  *", "\r\n\r\n"},
        {"", ""},
    };
    // Two games given as two texts, or as one text (a paste): the same file and the same index.
    const std::vector<std::vector<std::string>> given = {{game, game}, {game + "\r\n" + game}};
    for (const Case& c : cases) {
        for (const std::vector<std::string>& games : given) {
            SCOPED_TRACE(std::string(c.contents) + " in " + std::to_string(games.size()) + " texts");
            TempDir dir;
            const std::string path = dir.Write("games.pgn", c.contents);
            GameIndex index = ScanIndex(path);

            ASSERT_EQ(AppendGamesToFile(path, index, games), nullptr);

            EXPECT_EQ(ReadWholeFile(path), c.contents + c.separator + game + "\r\n" + game);
            EXPECT_EQ(index.offsets, ScanIndex(path).offsets);
            GameIndex cached;
            int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
            EXPECT_TRUE(IndexGameFile(fd, path, false, cached).fromCache);
            close(fd);
            EXPECT_EQ(cached.offsets, index.offsets);
        }
    }
}

TEST(GameEditTest, InsertAndOverwriteLastOnAFileWithoutGamesAppend) {
    const std::string game = "[Event \"New\"]\r\n\r\n1.e4  *\r\n";
    TempDir dir;
    const std::string path = dir.Write("empty.pgn", "");
    ASSERT_EQ(InsertGamesIntoFile(path, ScanIndex(path), 1, {game}), nullptr);
    const std::string other = dir.Write("other.pgn", "");
    ASSERT_EQ(OverwriteLastGame(other, ScanIndex(other), game), nullptr);
    EXPECT_EQ(ReadWholeFile(path), game);
    EXPECT_EQ(ReadWholeFile(other), game);
}

TEST(GameEditTest, CompanionFilesThatDescribeTheGamesGoAfterAChange) {
    TempDir dir;
    const std::string path = CopyOf(dir, "lichess-benchmark.pgn");
    for (const char* companion :
         {"lichess-benchmark.TRE", "lichess-benchmark.TRX", "lichess-benchmark.pgs"}) {
        dir.Write(companion, "x");
    }
    dir.Write("lichess-benchmark.TRF", "x");
    dir.Write("lichess-benchmark.TRP", "x");
    dir.Write("lichess-benchmark.TRQ", "x");
    const auto left = [&dir] {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    };
    // A replace keeps the game count, by which the fast file is judged current: it goes too. The
    // index cache is written anew.
    ASSERT_EQ(ReplaceGameInFile(path, ScanIndex(path), 2, GameText(path, 2)), nullptr);
    EXPECT_EQ(left(), (std::vector<std::string>{"lichess-benchmark.PGO", "lichess-benchmark.pgn"}));
    // A delete changes the count, so the fast file's own check finds it stale and it stays.
    dir.Write("lichess-benchmark.TRF", "x");
    ASSERT_EQ(DeleteGameFromFile(path, ScanIndex(path), 2), nullptr);
    EXPECT_EQ(left(), (std::vector<std::string>{"lichess-benchmark.PGO", "lichess-benchmark.TRF",
                                                "lichess-benchmark.pgn"}));
}

TEST(GameEditTest, AnIndexCacheIsWrittenOnlyWhenTheNewGamesStartWhereTheyArePut) {
    // Texts whose games a scan would not find at the place they are put: a text that begins
    // without a tag line, and one whose header never ends (the scan stops in it).
    // The cache is then left out, so the file is scanned when it is opened; two games typed as one
    // text are two games in the cache.
    struct Case {
        const char* text;
        bool cached;
        int countChange;
    };
    const Case cases[] = {
        {"1.e4 e5 *", false, 0},
        {"{note}\r\n[Event \"A\"]\r\n\r\n1.e4 *", false, 0},
        {"[Event \"A\"]\r\n\r\n1.e4 *\r\n\r\n[Event \"B\"]\r\n\r\n1.d4 *", true, 1},
        {"[A \"\"]\r\n[B \"\"]\r\n[C \"\"]\r\n[D \"\"]\r\n[E \"\"]\r\n[F \"\"]\r\n[G \"\"]\r\n[H \"\"]\r\n"
         "no movetext\r\n",
         false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TempDir dir;
        const std::string path = CopyOf(dir, "lichess-benchmark.pgn");
        const GameIndex index = ScanIndex(path);
        ASSERT_EQ(ReplaceGameInFile(path, index, Middle(index), c.text), nullptr);
        GameIndex found;
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        EXPECT_EQ(IndexGameFile(fd, path, false, found).fromCache, c.cached);
        close(fd);
        EXPECT_EQ(found.offsets, ScanIndex(path).offsets);
        if (c.cached) {
            EXPECT_EQ(found.Count(), index.Count() + c.countChange);
        }
    }
}

platform::RewriteStep killStep;
void KillAtStep(platform::RewriteStep step) {
    if (step == killStep) {
        kill(getpid(), SIGKILL);
    }
}

TEST(GameEditTest, AProcessKilledDuringAnEditLeavesTheOldOrTheNewFile) {
    using platform::RewriteStep;
    const std::pair<RewriteStep, bool> steps[] = {{RewriteStep::kTemporaryCreated, false},
                                                  {RewriteStep::kContentsWritten, false},
                                                  {RewriteStep::kContentsSynced, false},
                                                  {RewriteStep::kRenamed, true}};
    const std::vector<Edit> edits = Edits(2);
    for (std::size_t e : {0u, 3u, 5u}) {  // a delete, a replace, an insert
        const Edit& edit = edits[e];
        TempDir dir;
        const std::string path = CopyOf(dir, "world_matches.pgn");
        const std::string old = ReadWholeFile(path);
        const GameIndex index = ScanIndex(path);
        const std::string text = GameText(path, 3);
        const std::string edited = edit.expected(old, index, text);
        for (const auto& [step, expectEdited] : steps) {
            SCOPED_TRACE(std::string(edit.name) + " killed at step " +
                         std::to_string(static_cast<int>(step)));
            std::filesystem::copy_file(TestDataPath("pgn/world_matches.pgn"), path,
                                       std::filesystem::copy_options::overwrite_existing);
            pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                killStep = step;
                platform::SetRewriteObserver(KillAtStep);
                edit.apply(path, index, text);
                _exit(0);
            }
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFSIGNALED(status));
            EXPECT_TRUE(ReadWholeFile(path) == (expectEdited ? edited : old));
            EXPECT_EQ(ScanIndex(path).Count(), index.Count() + (expectEdited ? edit.countChange : 0));
        }
    }
}

}  // namespace
}  // namespace ravelin::gamefile
