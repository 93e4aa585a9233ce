// Yahoo game records read and converted into PGN games added to a file.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "temp_dir.h"
#include "yahoo/yahoo_convert.h"
#include "yahoo/yahoo_record.h"

namespace ravelin::yahoo {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;

std::string Record(const std::string& white, const std::string& date, const std::string& moves) {
    return ";Title: Yahoo! Chess Game\r\n;White: " + white + "\r\n;Black: Black Player\r\n;Date: " + date +
           "\r\n\r\n" + moves + "\r\n\r\n";
}

TEST(YahooTest, DatesAreReadFromTheirFixedColumnsAndMissingPartsBecomeQuestionMarks) {
    struct Case {
        const char* line;
        const char* date;
    };
    const Case cases[] = {
        {";Date: Sun Mar 05 20:15:23 GMT 2006", "2006.03.05"},
        {";Date: Sun Dec 5 20:15:23 GMT 2006", "2006.12.05"},
        {";Date: Sun Foo 25 20:15:23 GMT 2006", "2006.??.25"},
        {";Date: 2006", "2006.??.??"},
        {";Date", "????.??.??"},
        {"", "????.??.??"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(YahooDate(c.line), c.date);
    }
}

TEST(YahooTest, RecordsWithLfOrCrLfLineEndsGiveTheirGamesWithNamesDatesAndCastling) {
    const std::string text =
        ";White: Ann\n;Black\n;Date: Sat Jan 7 10:00:00 GMT 2006\n1. e2-e4 e7-e5\n\n"
        ";White: Bob\r\n;Black: Cy\r\n\r\n1. d2-d4 d7-d5\r\n2. o-o-o\r\n";
    const std::vector<YahooRecord> records = ReadYahooRecords(text);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].header[gamefile::kTagWhite], "Ann");
    EXPECT_EQ(records[0].header[gamefile::kTagBlack], "");
    EXPECT_EQ(records[0].header[gamefile::kTagDate], "2006.01.07");
    EXPECT_EQ(records[0].header[gamefile::kTagEvent], "Yahoo!");
    EXPECT_EQ(records[0].moves, "1. e2-e4 e7-e5\r\n");
    EXPECT_EQ(records[1].header[gamefile::kTagBlack], "Cy");
    EXPECT_EQ(records[1].moves, "1. d2-d4 d7-d5\r\n2. O-O-O\r\n");
}

TEST(YahooTest, ConvertedGamesAreAddedAfterTheTargetsGamesWhichAreKeptByteForByte) {
    TempDir dir;
    const std::string old = "[Event \"Old\"]\r\n[Result \"*\"]\r\n\r\n1. c4 *\r\n";
    const std::string target = dir.Write("games.pgn", old);
    // A second name of the old file keeps the old contents: the target is replaced, not rewritten.
    std::filesystem::create_hard_link(target, dir.File("old-link.pgn"));
    const std::string yahoo =
        dir.Write("game.txt", Record("Ann", "Sun Mar 5 20:15:23 GMT 2006",
                                     "1. e2-e4 e7-e5\r\n2. g1-f3 b8-c6\r\n3. f1-c4 g8-f6\r\n4. o-o f8-c5"));
    const ConversionResult result = ConvertYahooFile(yahoo, target, "", ConversionHooks{});
    ASSERT_EQ(result.failure, nullptr);
    EXPECT_EQ(result.games, 1);
    EXPECT_EQ(ReadWholeFile(target),
              old +
                  "\r\n[Event \"Yahoo!\"]\r\n[Site \"\"]\r\n[Date \"2006.03.05\"]\r\n[Round \"\"]\r\n"
                  "[White \"Ann\"]\r\n[Black \"Black Player\"]\r\n[Result \"*\"]\r\n[WhiteElo \"\"]\r\n"
                  "[BlackElo \"\"]\r\n[ECO \"\"]\r\n\r\n1.e4 e5 2.Nf3 Nc6 3.Bc4 Nf6 4.O-O Bc5  *\r\n");
    EXPECT_EQ(ReadWholeFile(dir.File("old-link.pgn")), old);
    EXPECT_EQ(ConvertedMessage(result.games, target), "Yahoo game converted to file games.pgn.");
    EXPECT_EQ(ConvertedMessage(2, dir.File("my.games.pgn")), "Yahoo games converted to file my.pgn.");
}

TEST(YahooTest, ResultsAreAskedGameByGameUpToTenAndAboveThatOnlyWhenTheUserWants) {
    struct Case {
        int games;
        bool setAll;
        int questions;
        int headersShown;
    };
    const Case cases[] = {{10, false, 0, 10}, {11, false, 1, 0}, {11, true, 1, 11}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.games);
        TempDir dir;
        std::string text;
        for (int game = 0; game < c.games; ++game) {
            text += Record("P" + std::to_string(game), "Sun Mar 5 20:15:23 GMT 2006", "1. e2-e4 e7-e5");
        }
        int questions = 0;
        int headersShown = 0;
        ConversionHooks hooks;
        hooks.askSetAllResults = [&](int count) {
            EXPECT_EQ(count, c.games);
            ++questions;
            return c.setAll;
        };
        hooks.editHeader = [&](HeaderValues& header) {
            ++headersShown;
            header[gamefile::kTagResult] = "1-0";
        };
        const ConversionResult result = ConvertYahooText(text, dir.File("out.pgn"), hooks);
        ASSERT_EQ(result.failure, nullptr);
        EXPECT_EQ(result.games, c.games);
        EXPECT_EQ(questions, c.questions);
        EXPECT_EQ(headersShown, c.headersShown);
        const std::string out = ReadWholeFile(dir.File("out.pgn"));
        std::size_t wins = 0;
        for (std::size_t at = out.find("[Result \"1-0\"]"); at != std::string::npos;
             at = out.find("[Result \"1-0\"]", at + 1)) {
            ++wins;
        }
        EXPECT_EQ(wins, static_cast<std::size_t>(c.headersShown));
    }
}

TEST(YahooTest, TheTargetMayBeNeitherTheOpenFileNorTheYahooFileUnderAnyName) {
    TempDir dir;
    const std::string open = dir.Write("open.pgn", "[Event \"Open\"]\r\n\r\n1. e4 *\r\n");
    const std::string yahoo = dir.Write("game.txt", Record("Ann", "Sun Mar 5 20:15:23 GMT 2006", "1. e2-e4"));
    std::filesystem::create_symlink(open, dir.File("alias.pgn"));
    EXPECT_STREQ(ConvertYahooFile(yahoo, dir.File("alias.pgn"), open, {}).failure, kSameAsCurrentPgnFile);
    EXPECT_STREQ(ConvertYahooFile(yahoo, yahoo, open, {}).failure, kSameAsYahooFile);
    EXPECT_STREQ(ConvertYahooFile(dir.File("missing.txt"), dir.File("new.pgn"), open, {}).failure,
                 kErrorOpeningYahooFile);
    EXPECT_STREQ(ConvertYahooText("no records here\r\n", dir.File("new.pgn"), {}).failure, kNoYahooGames);
    EXPECT_FALSE(std::filesystem::exists(dir.File("new.pgn")));
    EXPECT_EQ(ReadWholeFile(open), "[Event \"Open\"]\r\n\r\n1. e4 *\r\n");
}

}  // namespace
}  // namespace ravelin::yahoo
