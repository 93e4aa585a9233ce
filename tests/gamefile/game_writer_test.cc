#include "gamefile/game_writer.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_platform.h"

namespace ravelin::gamefile {
namespace {

EnteredGame RuyLopez(int moves, std::string result) {
    static const char* const kMoves[][2] = {{"e4", "e5"},   {"Nf3", "Nc6"}, {"Bb5", "a6"}, {"Ba4", "Nf6"},
                                            {"O-O", "Be7"}, {"Re1", "b5"},  {"Bb3", "d6"}, {"c3", "O-O"},
                                            {"h3", "Nb8"},  {"d4", ""}};
    EnteredGame game;
    game.header = {"Club", "Here", "2024.05.01", "3", "Morrow, G", "Smith, J", std::move(result),
                   "",     "",     "C95"};
    for (int i = 0; i < moves; ++i) {
        game.whiteMoves.emplace_back(kMoves[i][0]);
        game.blackMoves.emplace_back(kMoves[i][1]);
    }
    return game;
}

constexpr char kRuyHeader[] =
    "[Event \"Club\"]\r\n[Site \"Here\"]\r\n[Date \"2024.05.01\"]\r\n[Round \"3\"]\r\n[White \"Morrow, "
    "G\"]\r\n"
    "[Black \"Smith, J\"]\r\n[Result \"1-0\"]\r\n[WhiteElo \"\"]\r\n[BlackElo \"\"]\r\n[ECO \"C95\"]\r\n";

TEST(GameWriterTest, WritesTheEnteredGameExactly) {
    struct Case {
        const char* name;
        EnteredGame game;
        bool inMemory;
        std::string expected;
    };
    EnteredGame fromSetup = RuyLopez(1, "1-0");
    fromSetup.fenTag = "[FEN \"8/8/8/8/8/8/8/K6k w - - 0 1\"]\r\n\r\n";
    const Case cases[] = {
        {"lines break once they reach 60 characters, a lone last white move has no blank",
         RuyLopez(10, "1-0"), false,
         std::string(kRuyHeader) + "\r\n1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 5.O-O Be7 6.Re1 b5 7.Bb3 "
                                   "d6\r\n8.c3 O-O 9.h3 Nb8 10.d4  1-0\r\n"},
        {"no moves in a file", RuyLopez(0, "1-0"), false, std::string(kRuyHeader) + "\r\n"},
        {"no moves in memory", RuyLopez(0, "1-0"), true, std::string(kRuyHeader) + "\r\n1."},
        {"a set-up position: the FEN tag takes the empty line's place", fromSetup, false,
         std::string(kRuyHeader) + "[FEN \"8/8/8/8/8/8/8/K6k w - - 0 1\"]\r\n\r\n1.e4 e5  1-0\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text;
        WriteHeader(c.game, text);
        WriteMovetext(c.game, text, c.inMemory);
        EXPECT_EQ(text, c.expected);
    }
}

TEST(GameWriterTest, RefusesResultsAndHeaderValuesThatWouldNotMakeAPgnFile) {
    struct Case {
        int tag;
        const char* value;
        const char* message;  // nullptr: accepted
    };
    const Case cases[] = {
        {kTagResult, "1-0", nullptr},
        {kTagResult, "0-1", nullptr},
        {kTagResult, "1/2-1/2", nullptr},
        {kTagResult, "*", nullptr},
        {kTagResult, "1/2", kResultMustBe},
        {kTagResult, "", kResultMustBe},
        {kTagWhite, "Morrow, \"Gus\"", kHeaderValueRefused},
        {kTagEvent, "Club\r\n[Result \"0-1\"]", kHeaderValueRefused},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        platform::HeadlessPlatform platform;
        settings::MessageBoxes messages(platform);
        EnteredGame game = RuyLopez(2, "*");
        game.header[static_cast<std::size_t>(c.tag)] = c.value;
        const int refused = CheckResult(game, messages) | CheckHeaderValues(game, messages);
        EXPECT_EQ(refused, c.message ? 1 : 0);
        EXPECT_EQ(platform.MessageTexts(),
                  c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace ravelin::gamefile
