#include "gamefile/game_header.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "gamefile/tag_line.h"
#include "gamefile_test_helpers.h"

namespace ravelin::gamefile {
namespace {

using testing::PgnFile;

TEST(HeaderSlots, EachSlotTakesItsTagByTheRulesOfThatTag) {
    // The last Event and the first White and Black count; prefixes need the blank and the exact
    // case; escaped lines and other tags are passed over; Opening is read only from opening files.
    PgnFile file(
        "[Event \"One\"]\n[Event \"Two\"]\n[White\"NoBlank\"]\n[white \"small\"]\n[WhiteElo \"2700\"]\n"
        "[White \"First\"]\n[White \"Second\"]\n[Black \"B1\"]\n[Black \"B2\"]\n% [Site \"escaped\"]\n"
        "[PlyCount \"3\"]\n[Site \"S\"]\n[Opening \"Sicilian\"]\n\n1. e4 *\n",
        "games.pgn");
    ASSERT_TRUE(file.Load(1));
    EXPECT_EQ(file.Slot(TagSlot::kEvent), "[Event \"Two\"]");
    EXPECT_EQ(file.Slot(TagSlot::kWhite), "[White \"First\"]");
    EXPECT_EQ(file.Slot(TagSlot::kBlack), "[Black \"B1\"]");
    EXPECT_EQ(file.Slot(TagSlot::kWhiteElo), "[WhiteElo \"2700\"]");
    EXPECT_EQ(file.Slot(TagSlot::kSite), "[Site \"S\"]");
    EXPECT_EQ(file.Slot(TagSlot::kOpening), "");
    // In an opening file Opening is not cleared between games.
    PgnFile eco(
        "[Event \"E\"]\n[Opening \"Sicilian\"]\n[Variation \"Najdorf\"]\n\n1. e4 c5 *\n\n"
        "[Event \"F\"]\n[Variation \"Dragon\"]\n\n1. e4 c5 *\n",
        "ECONAMES.pgn");
    ASSERT_TRUE(eco.Load(1));
    EXPECT_EQ(eco.Slot(TagSlot::kVariation), "[Variation \"Najdorf\"]");
    ASSERT_TRUE(eco.Load(2));
    EXPECT_EQ(eco.Slot(TagSlot::kOpening), "[Opening \"Sicilian\"]");
    EXPECT_EQ(eco.Slot(TagSlot::kVariation), "[Variation \"Dragon\"]");
}

TEST(IsTagLine, AnyNameInTheQuotedFormOrAKnownNameWithAnyValue) {
    // Known names count even with damaged values.
    for (const char* line :
         {"[WhiteFideId \"123\"]", "[Termination \"Normal\"] ", "[X \"\"]", "[Custom \"y\" ]",
          "[Event Hastings]", "[EventDate \"1990\"]", "[Annotator Smith]",
          "[FEN rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1]"}) {
        EXPECT_TRUE(IsTagLine(line)) << line;
    }
    // Unknown names need the blank and the quoted value; a bracket and a capital come first, a
    // bracket with at most one blank after it last.
    for (const char* line :
         {"[Termination Normal]", "[Board \"1\" ]x", "[Custom x\"y\"]", "[event \"x\"]", " [Event \"x\"]",
          "[\"x\"]", "[", "", "[Event \"x\"]  ", "[Event \"x\"", "[Unknown \"x\"] {comment}"}) {
        EXPECT_FALSE(IsTagLine(line)) << line;
    }
}

TEST(TagValue, ValueBetweenQuotesWithLeadingBlanksSkippedOrUpToTheLineEnd) {
    const std::pair<const char*, const char*> cases[] = {
        {"[Event \"  Linares  \"]", "Linares  "},
        {"[Event \"Unclosed]", "Unclosed]"},
        {"[Event Bare]", ""},
        {"1. e4 \"x\"", ""},
    };
    for (const auto& [tag, value] : cases) {
        char line[kTagSlotSize] = {};
        std::snprintf(line, sizeof line, "%s", tag);
        EXPECT_EQ(ExtractTagValue(line), std::string_view(value).size()) << tag;
        EXPECT_STREQ(line, value);
    }
}

TEST(HeaderDisplayTexts, WideAndNarrowLinesOfACompleteHeader) {
    PgnFile file(
        "[Event \"Wch\"]\n[Site \"Reykjavik\"]\n[Date \"1972.07.11\"]\n[Round \"1\"]\n"
        "[White \"Spassky\"]\n[Black \"Fischer\"]\n[Result \"1-0\"]\n[ECO \"E56\"]\n"
        "[WhiteElo \"2660\"]\n[BlackElo \"2785\"]\n\n1. d4 *\n",
        "WORLD-CH.PGN");
    ASSERT_TRUE(file.Load(1));
    const HeaderDisplay& d = *file.display;
    EXPECT_EQ(TextOf(d.fileLine), "File:  World-Ch");
    EXPECT_EQ(TextOf(d.gameLine), "Game:  1 of 1");
    EXPECT_EQ(TextOf(d.shortGameLine), "Game: 1");
    EXPECT_EQ(TextOf(d.eventLine), "Event:  Wch                           Site:  Reykjavik");
    EXPECT_EQ(TextOf(d.dateLine), "Date:   1972.07.11                    Round: 1");
    EXPECT_EQ(TextOf(d.playersLine), "White:  Spassky                       Black: Fischer");
    EXPECT_EQ(TextOf(d.resultLine), "Result: 1-0                           ECO:   E56");
    EXPECT_EQ(TextOf(d.eventNarrow), "Event:  Wch");
    EXPECT_EQ(TextOf(d.siteNarrow), "Site:  Reykjavik");
    EXPECT_EQ(TextOf(d.dateNarrow), "Date:  1972.07.11");
    EXPECT_EQ(TextOf(d.roundNarrow), "Round:  1");
    EXPECT_EQ(TextOf(d.whiteNarrow), "White:  Spassky 2660");
    EXPECT_EQ(TextOf(d.blackNarrow), "Black:  Fischer 2785");
    EXPECT_EQ(TextOf(d.resultNarrow), "Result: 1-0");
    EXPECT_EQ(TextOf(d.ecoNarrow), "ECO:  E56");
}

TEST(HeaderDisplayTexts, MissingRoundEcoAndBlackEloShowQuestionMarks) {
    PgnFile file(
        "[Date \"2001.01.01\"]\n[White \"W\"]\n[Black \"B\"]\n[Result \"*\"]\n[WhiteElo \"2500\"]\n\n*\n",
        "Linares.pgn");
    ASSERT_TRUE(file.Load(1));
    const HeaderDisplay& d = *file.display;
    EXPECT_EQ(TextOf(d.fileLine), "File:  Linares");
    EXPECT_EQ(TextOf(d.dateLine), "Date:   2001.01.01                    Round: ?");
    EXPECT_EQ(TextOf(d.dateNarrow), "Date:  2001.01.01");
    EXPECT_EQ(TextOf(d.roundNarrow), "Round:  ?");
    EXPECT_EQ(TextOf(d.round), "");
    EXPECT_EQ(TextOf(d.resultLine), "Result: *                             ");
    EXPECT_EQ(TextOf(d.ecoNarrow), "ECO:  ?");
    EXPECT_EQ(TextOf(d.whiteNarrow), "White:  W 2500");
    EXPECT_EQ(TextOf(d.blackNarrow), "Black:  B");
}

TEST(HeaderDisplayTexts, OverlongValuesAreCutAtTheirFieldWidth) {
    const std::string longName(240, 'n');
    PgnFile file("[White \"" + longName + "\"]\n[Event \"" + longName + "\"]\n\n*\n", "games.pgn");
    ASSERT_TRUE(file.Load(1));
    EXPECT_EQ(TextOf(file.display->white).size(), kValueSize - 1);
    EXPECT_EQ(TextOf(file.display->event).size(), kWideValueSize - 1);
    EXPECT_EQ(TextOf(file.display->eventLine).size(), kWideLineSize - 1);
    EXPECT_EQ(TextOf(file.display->whiteNarrow).size(), kNarrowLineSize - 1);
}

TEST(HeaderLoading, GameBeyondTheIndexIsFoundByScanning) {
    PgnFile file("[Event \"A\"]\n\n1. e4 *\n\n[Event \"B\"]\n\n1. d4 *\n", "games.pgn");
    file.index.offsets.resize(1);
    ASSERT_TRUE(file.Load(2));
    EXPECT_EQ(file.Slot(TagSlot::kEvent), "[Event \"B\"]");
    EXPECT_EQ(TextOf(file.display->gameLine), "Game:  2");
}

}  // namespace
}  // namespace ravelin::gamefile
