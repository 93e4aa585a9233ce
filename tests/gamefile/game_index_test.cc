#include "gamefile/game_index.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "temp_dir.h"

namespace ravelin::gamefile {
namespace {

using testing::ReadWholeFile;
using testing::TempDir;
using testing::TestDataPath;

struct Indexed {
    IndexResult result;
    std::vector<std::uint32_t> offsets;
};

Indexed IndexPath(const std::string& path, bool forceRescan = false) {
    int fd = open(path.c_str(), O_RDWR);
    EXPECT_GE(fd, 0) << path;
    GameIndex index;
    Indexed indexed{IndexGameFile(fd, path, forceRescan, index), index.offsets};
    close(fd);
    return indexed;
}

// The count the cache gives without the offsets, -1 when a scan is due.
int CachedCount(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY);
    EXPECT_GE(fd, 0) << path;
    const int count = CachedGameCount(fd, path);
    close(fd);
    return count;
}

Indexed IndexBytes(const TempDir& dir, const std::string& bytes) {
    return IndexPath(dir.Write("games.pgn", bytes));
}

const std::string kGame1 =
    "[Event \"One\"]\n[Site \"A\"]\n[Result \"1-0\"]\n\n1.e4 e5 2.Qh5 Nc6 3.Bc4 Nf6 4.Qxf7# 1-0\n\n";
const std::string kGame2 = "[Event \"Two\"]\n[Result \"*\"]\n\n1.d4 *\n";

std::string Le32(std::size_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
            static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
}

TEST(IndexGameFile, GamesStartAtTheirFirstTagLine) {
    std::string seven;
    for (const char* name : {"Event", "Site", "Date", "Round", "White", "Black", "Result"}) {
        seven += std::string("[") + name + " \"x\"]\n";
    }
    const std::string eight = seven + "[ECO \"x\"]\n";
    const std::string comment = "{" + std::string(700, 'c') + " " + std::string(300, 'd') + "}";
    const std::string crlf = "[Event \"A\"]\r\n[Result \"*\"]\r\n\r\n1.e4 *\r\n\r\n";
    const std::string cases[] = {
        "^" + kGame1 + "^" + kGame2,
        "\n\n^" + kGame1,
        // Text before the first tag line without a blank line ends the scan.
        "Some notes about the games\n" + kGame1,
        // Move one ends a header without a blank line; a header right after movetext starts a game.
        "^[Event \"A\"]\n[Result \"*\"]\n1.e4 *\n^[Event \"B\"]\n[Result \"*\"]\n\n1.d4 *\n",
        "^[Event \"A\"]\n\n1.e4 *\n^[Event \"B\"]\n\n1.d4 *\n",
        // Junk after eight tags ends the scan; after seven it does not.
        "^" + eight + "junk that is not movetext\n\n1.e4 *\n\n" + kGame2,
        "^" + seven + "junk\n\n1.e4 *\n\n^" + kGame2,
        "% produced by a tool\n\n^" + kGame1 + "%comment\n^" + kGame2,
        "^[Event \"A\"]\n[Result \"*\"]\n\n1.e4 " + comment + " *\n\n^" + kGame2 + "\n^" + kGame1,
        "^" + crlf + "^" + crlf + "^" + crlf,
    };
    // '^' marks where each game must start; the marks are not written.
    for (const std::string& marked : cases) {
        SCOPED_TRACE(marked.substr(0, 40));
        std::string bytes;
        std::vector<std::uint32_t> starts;
        for (const char c : marked) {
            if (c == '^') {
                starts.push_back(static_cast<std::uint32_t>(bytes.size()));
            } else {
                bytes.push_back(c);
            }
        }
        TempDir dir;
        const Indexed indexed = IndexBytes(dir, bytes);
        EXPECT_EQ(indexed.result.count, static_cast<int>(starts.size()));
        EXPECT_EQ(indexed.offsets, starts);
    }
}

// Offsets of real files: every offset must point at a tag line and there must be as many games
// as the files have Result tags (counted here without the program's reader). An empty line inside
// a header ends it, so the one game of chessbase-empty-line.pgn is indexed as two.
TEST(IndexGameFile, RealFilesIndexEveryGameAtATagLine) {
    for (const char* name :
         {"KASPAROV-DEEP-BLUE-1997.PGN", "TCEC_Cup_6_Bronze.pgn", "dortmund.pgn", "lichess-benchmark.pgn",
          "utf8-bom.pgn", "uzchesscup.pgn", "world_matches.pgn", "chessbase-empty-line.pgn"}) {
        SCOPED_TRACE(name);
        TempDir dir;
        const std::string bytes = ReadWholeFile(TestDataPath(std::string("pgn/") + name));
        ASSERT_FALSE(bytes.empty());
        int games = std::string_view(name) == "chessbase-empty-line.pgn" ? 1 : 0;
        for (std::size_t at = bytes.find("[Result "); at != std::string::npos;
             at = bytes.find("[Result ", at + 1)) {
            games += at == 0 || bytes[at - 1] == '\n' ? 1 : 0;
        }
        const Indexed indexed = IndexBytes(dir, bytes);
        ASSERT_EQ(indexed.result.count, games);
        EXPECT_GT(games, 1);
        for (std::size_t k = 1; k < indexed.offsets.size(); ++k) {
            ASSERT_LT(indexed.offsets[k], bytes.size());
            EXPECT_EQ(bytes.substr(indexed.offsets[k] - 1, 2), "\n[") << "game " << k + 1;
        }
    }
}

TEST(IndexCache, UnchangedFileReadsTheCacheAndAChangedOneIsRescanned) {
    TempDir dir;
    const std::string path = dir.Write("games.pgn", kGame1 + kGame2);
    EXPECT_EQ(CachedCount(path), -1);
    const Indexed first = IndexPath(path);
    EXPECT_FALSE(first.result.fromCache);
    EXPECT_EQ(CachedCount(path), 2);
    // Little-endian file size and game count, then one offset per game.
    EXPECT_EQ(ReadWholeFile(dir.File("games.PGO")),
              Le32((kGame1 + kGame2).size()) + Le32(2) + Le32(0) + Le32(kGame1.size()));
    const Indexed second = IndexPath(path);
    EXPECT_TRUE(second.result.fromCache);
    EXPECT_EQ(second.offsets, first.offsets);
    EXPECT_FALSE(IndexPath(path, true).result.fromCache);

    dir.Write("games.pgn", kGame1);
    EXPECT_EQ(CachedCount(path), -1);
    const Indexed changed = IndexPath(path);
    EXPECT_FALSE(changed.result.fromCache);
    EXPECT_EQ(changed.result.count, 1);
    EXPECT_TRUE(changed.result.countChanged);
}

TEST(IndexCache, MalformedCacheIsIgnored) {
    TempDir dir;
    const std::string bytes = kGame1 + kGame2;
    std::string path = dir.Write("games.pgn", bytes);
    const std::string size = Le32(bytes.size());
    const std::vector<std::string> bad = {
        size + Le32(3) + Le32(0) + Le32(10),      // count says 3, two offsets follow
        size + Le32(2) + Le32(50) + Le32(10),     // offsets not rising
        size + Le32(2) + Le32(0) + Le32(100000),  // offset beyond the file
        size + Le32(2) + Le32(0) + Le32(10),      // offset inside game 1's first line
        size + Le32(300000),                      // more games than the table holds
        size.substr(0, 3),                        // cut short
    };
    for (const std::string& cache : bad) {
        dir.Write("games.PGO", cache);
        EXPECT_EQ(CachedCount(path), -1);
        auto indexed = IndexPath(path);
        EXPECT_FALSE(indexed.result.fromCache);
        ASSERT_EQ(indexed.result.count, 2);
        EXPECT_EQ(indexed.offsets[1], kGame1.size());
    }
}

// The games swapped: the size is the same, the second game starts elsewhere.
TEST(IndexCache, SameSizeFileWhoseGamesMovedIsRescanned) {
    TempDir dir;
    std::string path = dir.Write("games.pgn", kGame1 + kGame2);
    IndexPath(path);
    dir.Write("games.pgn", kGame2 + kGame1);
    EXPECT_EQ(CachedCount(path), -1);
    auto again = IndexPath(path);
    EXPECT_FALSE(again.result.fromCache);
    EXPECT_EQ(again.offsets, (std::vector<std::uint32_t>{0, static_cast<std::uint32_t>(kGame2.size())}));
    EXPECT_TRUE(IndexPath(path).result.fromCache);
}

// Only a scan tells movetext without tag lines from a file of blank lines, so a cache of no games
// is not used.
TEST(IndexCache, MovetextWithoutTagLinesIsReportedEveryTime) {
    TempDir dir;
    for (const char* text : {"1. e4 e5 *\n", "\n\n1. e4 e5 *\n", "\n  \n", ""}) {
        SCOPED_TRACE(text);
        const bool movetext = std::string(text).find('e') != std::string::npos;
        std::string path = dir.Write("games.pgn", text);
        for (int pass = 0; pass < 2; ++pass) {
            auto indexed = IndexPath(path);
            EXPECT_EQ(indexed.result.count, 0);
            EXPECT_FALSE(indexed.result.fromCache);
            EXPECT_EQ(indexed.result.textWithoutGames, movetext);
        }
    }
}

TEST(IndexCache, CountChangeDeletesTreeFilesButNeverThePgnFileAndAnUnwritableCacheIsNoError) {
    TempDir dir;
    std::string path = dir.Write("games.pgn", kGame1 + kGame2);
    dir.Write("games.TRE", "tree");
    dir.Write("games.TRX", "tree index");
    IndexPath(path);
    EXPECT_FALSE(std::filesystem::exists(dir.File("games.TRE")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("games.TRX")));

    // A PGN file whose name ends like a companion file keeps its contents.
    std::string odd = dir.Write("odd.PGO", kGame1);
    EXPECT_EQ(IndexPath(odd).result.count, 1);
    EXPECT_EQ(ReadWholeFile(odd), kGame1);
    // A cache that cannot be written does not stop the indexing.
    std::filesystem::create_directory(dir.File("blocked.PGO"));
    EXPECT_EQ(IndexPath(dir.Write("blocked.pgn", kGame1)).result.count, 1);
}

// Exactly the table's size: the limit flag is set (the window warns) and the scan stops there.
TEST(IndexGameFile, TwoHundredThousandGamesReachTheLimit) {
    TempDir dir;
    const std::string game = "[Event \"E\"]\n\n1.e4 *\n\n";
    std::string bytes;
    bytes.reserve(game.size() * (kMaxGames + 2));
    for (int k = 0; k < kMaxGames; ++k) {
        bytes += game;
    }
    // One game short, exactly full, two games over.
    const std::string files[] = {bytes.substr(game.size()), bytes, bytes + game + game};
    for (int k = 0; k < 3; ++k) {
        const Indexed indexed = IndexBytes(dir, files[k]);
        EXPECT_EQ(indexed.result.count, k == 0 ? kMaxGames - 1 : kMaxGames) << k;
        EXPECT_EQ(indexed.result.limitReached, k > 0) << k;
        // The cache's count alone tells the same.
        EXPECT_EQ(CachedCount(dir.File("games.pgn")), indexed.result.count) << k;
    }
}

// --- The line reader every scan uses ---

TEST(ReadLine, SplitsCountsAndCutsLinesWhereverTheBufferEnds) {
    const std::string a200(200, 'a'), b100(100, 'b'), x255(kMaxLineLength, 'x');
    std::string q255(kMaxLineLength, 'q');
    q255[100] = ' ';
    const std::tuple<std::string, LineReaderMode, std::string> cases[] = {
        {"1.e4 e5\n2.Nf3 1-0", LineReaderMode::kNormal, "1.e4 e5/8|2.Nf3 1-0/9"},
        // Carriage returns before the line feed are dropped but counted.
        {"[Event \"x\"]\r\n\r\n1.e4\r\r\n", LineReaderMode::kNormal, "[Event \"x\"]/13|/2|1.e4/7"},
        {"   1.e4 e5\n", LineReaderMode::kNormal, "1.e4 e5/8"},
        {"   1.e4 e5\n", LineReaderMode::kIndexing, "1.e4 e5/11"},
        {"   1.e4 e5\n", LineReaderMode::kKeepLeadingBlanks, "   1.e4 e5/11"},
        // A long line is cut at its last blank, or after 255 characters without one.
        {a200 + " " + b100 + "\n", LineReaderMode::kIndexing, a200 + "/201|" + b100 + "/101"},
        {x255 + x255 + std::string(90, 'x') + "\n", LineReaderMode::kIndexing,
         x255 + "/255|" + x255 + "/255|" + std::string(90, 'x') + "/91"},
        // Exactly 255 characters before CR LF fit: no cut.
        {q255 + "\r\n[Event \"next\"]\r\n", LineReaderMode::kIndexing, q255 + "/257|[Event \"next\"]/16"},
        // A byte-order mark at the file start is skipped and counted.
        {"\xEF\xBB\xBF[Event \"a\"]\n", LineReaderMode::kIndexing, "[Event \"a\"]/15"},
    };
    for (const auto& [bytes, mode, expected] : cases) {
        for (const std::size_t bufferSize : {kReadBufferSize, std::size_t{5}}) {
            SCOPED_TRACE(bytes.substr(0, 20) + " mode " + std::to_string(static_cast<int>(mode)) +
                         " buffer " + std::to_string(bufferSize));
            TempDir dir;
            const int fd = open(dir.Write("input.pgn", bytes).c_str(), O_RDONLY);
            LineReader reader(bufferSize);
            reader.Attach(fd);
            reader.mode = mode;
            std::string lines;  // each line as "text/count", separated by '|'
            char line[kLineBufferSize];
            for (int count; (count = reader.ReadLine(line)) != 0;) {
                lines += (lines.empty() ? "" : "|") + std::string(line) + "/" + std::to_string(count);
            }
            close(fd);
            EXPECT_EQ(lines, expected);
        }
    }
}

}  // namespace
}  // namespace ravelin::gamefile
