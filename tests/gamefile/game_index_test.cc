#include "gamefile/game_index.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gamefile/tag_line.h"
#include "platform/file_util.h"
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

Indexed IndexBytes(const TempDir& dir, const std::string& bytes) {
    return IndexPath(dir.Write("games.pgn", bytes));
}

const std::string kGame1 =
    "[Event \"One\"]\n[Site \"A\"]\n[Result \"1-0\"]\n\n1.e4 e5 2.Qh5 Nc6 3.Bc4 Nf6 4.Qxf7# 1-0\n\n";
const std::string kGame2 = "[Event \"Two\"]\n[Result \"*\"]\n\n1.d4 *\n";

TEST(IndexGameFile, FileStartingWithTagLineIndexesGameOneAtOffsetZero) {
    TempDir dir;
    auto indexed = IndexBytes(dir, kGame1 + kGame2);
    ASSERT_EQ(indexed.result.count, 2);
    EXPECT_EQ(indexed.offsets[0], 0u);
    EXPECT_EQ(indexed.offsets[1], kGame1.size());
}

TEST(IndexGameFile, LeadingBlankLinesPutGameOneAtItsFirstTagLine) {
    TempDir dir;
    auto indexed = IndexBytes(dir, "\n\n" + kGame1);
    ASSERT_EQ(indexed.result.count, 1);
    EXPECT_EQ(indexed.offsets[0], 2u);
}

TEST(IndexGameFile, TextBeforeFirstTagLineWithoutBlankLineEndsTheScan) {
    TempDir dir;
    EXPECT_EQ(IndexBytes(dir, "Some notes about the games\n" + kGame1).result.count, 0);
}

TEST(IndexGameFile, MoveOneEndsAHeaderWithoutBlankLine) {
    TempDir dir;
    std::string first = "[Event \"A\"]\n[Result \"*\"]\n1.e4 *\n";
    auto indexed = IndexBytes(dir, first + "[Event \"B\"]\n[Result \"*\"]\n\n1.d4 *\n");
    ASSERT_EQ(indexed.result.count, 2);
    EXPECT_EQ(indexed.offsets[1], first.size());
}

TEST(IndexGameFile, HeaderDirectlyAfterMovetextStartsANewGame) {
    TempDir dir;
    std::string first = "[Event \"A\"]\n\n1.e4 *\n";
    auto indexed = IndexBytes(dir, first + "[Event \"B\"]\n\n1.d4 *\n");
    ASSERT_EQ(indexed.result.count, 2);
    EXPECT_EQ(indexed.offsets[1], first.size());
}

TEST(IndexGameFile, EightTagsFollowedByJunkEndsTheScan) {
    TempDir dir;
    std::string header;
    for (const char* name : {"Event", "Site", "Date", "Round", "White", "Black", "Result", "ECO"}) {
        header += std::string("[") + name + " \"x\"]\n";
    }
    auto indexed = IndexBytes(dir, header + "junk that is not movetext\n\n1.e4 *\n\n" + kGame2);
    EXPECT_EQ(indexed.result.count, 1);
}

TEST(IndexGameFile, SevenTagsFollowedByJunkDoNotEndTheScan) {
    TempDir dir;
    std::string header;
    for (const char* name : {"Event", "Site", "Date", "Round", "White", "Black", "Result"}) {
        header += std::string("[") + name + " \"x\"]\n";
    }
    auto indexed = IndexBytes(dir, header + "junk\n\n1.e4 *\n\n" + kGame2);
    EXPECT_EQ(indexed.result.count, 2);
}

TEST(IndexGameFile, EscapeLinesAreSkipped) {
    TempDir dir;
    auto indexed = IndexBytes(dir, "% produced by a tool\n\n" + kGame1 + "%comment\n" + kGame2);
    EXPECT_EQ(indexed.result.count, 2);
}

TEST(IndexGameFile, LongCommentLinesKeepLaterOffsetsExact) {
    TempDir dir;
    std::string comment = "{" + std::string(700, 'c') + " " + std::string(300, 'd') + "}";
    std::string first = "[Event \"A\"]\n[Result \"*\"]\n\n1.e4 " + comment + " *\n\n";
    auto indexed = IndexBytes(dir, first + kGame2 + "\n" + kGame1);
    ASSERT_EQ(indexed.result.count, 3);
    EXPECT_EQ(indexed.offsets[1], first.size());
    EXPECT_EQ(indexed.offsets[2], first.size() + kGame2.size() + 1);
}

TEST(IndexGameFile, CrLfFileOffsetsPointAtTagLines) {
    TempDir dir;
    std::string game = "[Event \"A\"]\r\n[Result \"*\"]\r\n\r\n1.e4 *\r\n\r\n";
    auto indexed = IndexBytes(dir, game + game + game);
    ASSERT_EQ(indexed.result.count, 3);
    EXPECT_EQ(indexed.offsets[2], 2 * game.size());
}

// Offsets of real files: every offset must point at a tag line and there must be as many games
// as the files have Result tags (counted here without the program's reader).
TEST(IndexGameFile, RealFilesIndexEveryGameAtATagLine) {
    struct Expected {
        const char* file;
        int games;
    };
    const Expected files[] = {
        {"pgn/KASPAROV-DEEP-BLUE-1997.PGN", 6}, {"pgn/TCEC_Cup_6_Bronze.pgn", 3}, {"pgn/dortmund.pgn", 347},
        {"pgn/lichess-benchmark.pgn", 100},     {"pgn/utf8-bom.pgn", 2},          {"pgn/uzchesscup.pgn", 45},
        {"pgn/world_matches.pgn", 580},
    };
    for (const Expected& expected : files) {
        SCOPED_TRACE(expected.file);
        TempDir dir;
        std::string bytes = ReadWholeFile(TestDataPath(expected.file));
        ASSERT_FALSE(bytes.empty());
        int resultTags = 0;
        for (std::size_t at = bytes.find("[Result "); at != std::string::npos;
             at = bytes.find("[Result ", at + 1)) {
            if (at == 0 || bytes[at - 1] == '\n') {
                ++resultTags;
            }
        }
        EXPECT_EQ(resultTags, expected.games);
        auto indexed = IndexBytes(dir, bytes);
        ASSERT_EQ(indexed.result.count, expected.games);
        for (std::size_t k = 1; k < indexed.offsets.size(); ++k) {
            std::uint32_t offset = indexed.offsets[k];
            ASSERT_LT(offset, bytes.size());
            EXPECT_EQ(bytes[offset], '[') << "game " << k + 1;
            EXPECT_EQ(bytes[offset - 1], '\n') << "game " << k + 1;
        }
    }
}

// An empty line inside a header ends it: the tags after it begin another game. The index rules
// see the one game of this file as two.
TEST(IndexGameFile, EmptyLineInsideHeaderSplitsTheHeader) {
    TempDir dir;
    auto indexed = IndexBytes(dir, ReadWholeFile(TestDataPath("pgn/chessbase-empty-line.pgn")));
    EXPECT_EQ(indexed.result.count, 2);
}

TEST(IndexCache, ReopeningAnUnchangedFileReadsTheCache) {
    TempDir dir;
    std::string path = dir.Write("games.pgn", kGame1 + kGame2);
    auto first = IndexPath(path);
    EXPECT_FALSE(first.result.fromCache);
    std::string cache = ReadWholeFile(dir.File("games.PGO"));
    ASSERT_EQ(cache.size(), 8u + 4u * 2u);
    EXPECT_EQ(static_cast<unsigned char>(cache[0]), (kGame1 + kGame2).size());
    EXPECT_EQ(cache[4], 2);
    auto second = IndexPath(path);
    EXPECT_TRUE(second.result.fromCache);
    EXPECT_EQ(second.offsets, first.offsets);
    EXPECT_FALSE(IndexPath(path, true).result.fromCache);
}

TEST(IndexCache, FileOfChangedSizeIsRescanned) {
    TempDir dir;
    std::string path = dir.Write("games.pgn", kGame1);
    IndexPath(path);
    dir.Write("games.pgn", kGame1 + kGame2);
    auto again = IndexPath(path);
    EXPECT_FALSE(again.result.fromCache);
    EXPECT_EQ(again.result.count, 2);
    EXPECT_TRUE(again.result.countChanged);
}

TEST(IndexCache, MalformedCacheIsIgnored) {
    TempDir dir;
    const std::string bytes = kGame1 + kGame2;
    std::string path = dir.Write("games.pgn", bytes);
    auto le32 = [](std::uint32_t v) {
        return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                           static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
    };
    const std::string size = le32(static_cast<std::uint32_t>(bytes.size()));
    const std::vector<std::string> bad = {
        size + le32(3) + le32(0) + le32(10),      // count says 3, two offsets follow
        size + le32(2) + le32(50) + le32(10),     // offsets not rising
        size + le32(2) + le32(0) + le32(100000),  // offset beyond the file
        size + le32(2) + le32(0) + le32(10),      // offset inside game 1's first line
        size + le32(300000),                      // more games than the table holds
        size.substr(0, 3),                        // cut short
    };
    for (const std::string& cache : bad) {
        dir.Write("games.PGO", cache);
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

TEST(IndexCache, CountChangeDeletesTreeFilesButNeverThePgnFile) {
    TempDir dir;
    std::string path = dir.Write("games.pgn", kGame1 + kGame2);
    dir.Write("games.TRE", "tree");
    dir.Write("games.TRX", "tree index");
    IndexPath(path);
    EXPECT_FALSE(std::filesystem::exists(dir.File("games.TRE")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("games.TRX")));

    // A PGN file whose name ends like a companion file keeps its contents.
    std::string odd = dir.Write("odd.PGO", kGame1);
    auto indexed = IndexPath(odd);
    EXPECT_EQ(indexed.result.count, 1);
    EXPECT_EQ(ReadWholeFile(odd), kGame1);
}

TEST(IndexCache, UnwritableCacheStillIndexes) {
    TempDir dir;
    std::string path = dir.Write("games.pgn", kGame1);
    std::filesystem::create_directory(dir.File("games.PGO"));
    auto indexed = IndexPath(path);
    EXPECT_EQ(indexed.result.count, 1);
}

TEST(CompanionPath, ReplacesTheLastThreeCharacters) {
    EXPECT_EQ(CompanionPath("/a/games.pgn", "PGO"), "/a/games.PGO");
    EXPECT_EQ(CompanionPath("/a/games.PGO", "PGO"), "");
    EXPECT_EQ(CompanionPath("pgn", "PGO"), "");
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
    auto exact = IndexBytes(dir, bytes);
    EXPECT_EQ(exact.result.count, kMaxGames);
    EXPECT_TRUE(exact.result.limitReached);

    auto over = IndexBytes(dir, bytes + game + game);
    EXPECT_EQ(over.result.count, kMaxGames);
    EXPECT_TRUE(over.result.limitReached);

    auto under = IndexBytes(dir, bytes.substr(game.size()));
    EXPECT_EQ(under.result.count, kMaxGames - 1);
    EXPECT_FALSE(under.result.limitReached);
}

TEST(FindGameByScanning, PositionsTheReaderAtTheWantedGame) {
    TempDir dir;
    std::string path = dir.Write("games.pgn", kGame1 + kGame2 + "\n" + kGame1);
    int fd = open(path.c_str(), O_RDONLY);
    LineReader reader;
    reader.Attach(fd);
    EXPECT_EQ(FindGameByScanning(reader, 2), static_cast<std::int64_t>(kGame1.size()));
    char line[kLineBufferSize];
    reader.ReadLine(line);
    EXPECT_STREQ(line, "[Event \"Two\"]");
    EXPECT_EQ(FindGameByScanning(reader, 4), -1);
    close(fd);
}

}  // namespace
}  // namespace ravelin::gamefile
