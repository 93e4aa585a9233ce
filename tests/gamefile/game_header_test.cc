#include "gamefile/game_header.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "gamefile/game_file.h"
#include "gamefile/game_index.h"
#include "gamefile/game_loader.h"
#include "temp_dir.h"

namespace ravelin::gamefile {
namespace {

using ravelin::testing::TempDir;

// A PGN text written to a temporary file, opened, indexed and read through a LineReader.
struct PgnFile {
    TempDir dir;
    std::string path;
    int fd = -1;
    GameIndex index;
    LineReader reader;
    std::unique_ptr<GameHeader> header = std::make_unique<GameHeader>();
    std::unique_ptr<HeaderDisplay> display = std::make_unique<HeaderDisplay>();
    std::vector<std::string> messages;

    explicit PgnFile(std::string_view text, std::string_view name = "games.pgn") {
        path = dir.Write(name, text);
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        LineReader scanner;
        scanner.Attach(fd);
        ScanGameOffsets(scanner, index);
        reader.Attach(fd);
    }
    ~PgnFile() { close(fd); }

    bool Load(int game) {
        return LoadGameHeader(NameOf(path), reader, index, game, *header, *display,
                              [this](std::string_view message) { messages.emplace_back(message); });
    }
    std::string Slot(TagSlot slot) const { return std::string(header->Slot(slot)); }
};

// --- Which tag line fills which slot ---

TEST(HeaderSlots, FirstWhiteTagWinsAndLastEventWins) {
    PgnFile file(
        "[Event \"One\"]\n[Event \"Two\"]\n[White \"First\"]\n[White \"Second\"]\n"
        "[Black \"B1\"]\n[Black \"B2\"]\n\n1. e4 *\n");
    ASSERT_TRUE(file.Load(1));
    EXPECT_EQ(file.Slot(TagSlot::kEvent), "[Event \"Two\"]");
    EXPECT_EQ(file.Slot(TagSlot::kWhite), "[White \"First\"]");
    EXPECT_EQ(file.Slot(TagSlot::kBlack), "[Black \"B1\"]");
}

TEST(HeaderSlots, PrefixesNeedTheBlankAndTheExactCase) {
    PgnFile file("[Event \"E\"]\n[WhiteElo \"2700\"]\n[White\"NoBlank\"]\n[white \"small\"]\n\n1. e4 *\n");
    ASSERT_TRUE(file.Load(1));
    EXPECT_EQ(file.Slot(TagSlot::kWhite), "");
    EXPECT_EQ(file.Slot(TagSlot::kWhiteElo), "[WhiteElo \"2700\"]");
}

TEST(HeaderSlots, PercentLinesAreSkippedAndOtherTagsIgnored) {
    PgnFile file("[Event \"E\"]\n% [Site \"escaped\"]\n[PlyCount \"3\"]\n[Site \"S\"]\n\n1. e4 *\n");
    ASSERT_TRUE(file.Load(1));
    EXPECT_EQ(file.Slot(TagSlot::kSite), "[Site \"S\"]");
}

TEST(HeaderSlots, MovetextLineWithoutBlankLineEndsTheHeaderAndIsKept) {
    const std::string text = "[Event \"E\"]\n[Site \"S\"]\n1. e4 e5 *\n";
    PgnFile file(text);
    ASSERT_TRUE(file.Load(1));
    ASSERT_TRUE(file.header->firstMovetextLine.present);
    EXPECT_EQ(std::string(file.header->firstMovetextLine.View()), "1. e4 e5 *");
    EXPECT_EQ(file.header->firstMovetextLine.offset, text.find("1. e4"));
}

TEST(HeaderSlots, PendingLineIsReadAsTheFirstHeaderLine) {
    PgnFile file("[Site \"S\"]\n\n1. e4 *\n");
    file.reader.Seek(0);
    file.header->pendingLine.Set("[Event \"Pending\"]", 18, 0);
    ParseGameHeader(file.reader, *file.header, true);
    EXPECT_EQ(file.Slot(TagSlot::kEvent), "[Event \"Pending\"]");
    EXPECT_EQ(file.Slot(TagSlot::kSite), "[Site \"S\"]");
    EXPECT_FALSE(file.header->pendingLine.present);
}

TEST(HeaderSlots, OpeningAndVariationOnlyInTheEcoSourceFiles) {
    const std::string text =
        "[Event \"E\"]\n[Opening \"Sicilian\"]\n[Variation \"Najdorf\"]\n\n1. e4 c5 *\n\n"
        "[Event \"F\"]\n[Variation \"Dragon\"]\n\n1. e4 c5 *\n";
    PgnFile plain(text, "games.pgn");
    ASSERT_TRUE(plain.Load(1));
    EXPECT_EQ(plain.Slot(TagSlot::kOpening), "");
    PgnFile eco(text, "ECONAMES.pgn");
    ASSERT_TRUE(eco.Load(1));
    EXPECT_EQ(eco.Slot(TagSlot::kOpening), "[Opening \"Sicilian\"]");
    EXPECT_EQ(eco.Slot(TagSlot::kVariation), "[Variation \"Najdorf\"]");
    ASSERT_TRUE(eco.Load(2));
    EXPECT_EQ(eco.Slot(TagSlot::kOpening), "[Opening \"Sicilian\"]")
        << "Opening is not cleared between games";
    EXPECT_EQ(eco.Slot(TagSlot::kVariation), "[Variation \"Dragon\"]");
}

TEST(HeaderSlots, FenTagSetsFenPresent) {
    PgnFile file("[Event \"E\"]\n[FEN \"8/8/8/8/8/8/8/K1k5 w - - 0 1\"]\n\n*\n\n[Event \"F\"]\n\n1. e4 *\n");
    ASSERT_TRUE(file.Load(1));
    EXPECT_TRUE(file.header->fenPresent);
    ASSERT_TRUE(file.Load(2));
    EXPECT_FALSE(file.header->fenPresent);
}

// --- Tag values ---

TEST(TagValue, ValueBetweenQuotesWithLeadingBlanksSkipped) {
    char line[kTagSlotSize] = "[Event \"  Linares  \"]";
    EXPECT_EQ(ExtractTagValue(line), 9U);
    EXPECT_STREQ(line, "Linares  ");
}

TEST(TagValue, MissingQuotesStopAtTheEndOfTheLine) {
    char open[kTagSlotSize] = "[Event \"Unclosed]";
    ExtractTagValue(open);
    EXPECT_STREQ(open, "Unclosed]");
    char none[kTagSlotSize] = "[Event Bare]";
    ExtractTagValue(none);
    EXPECT_STREQ(none, "");
    char notTag[kTagSlotSize] = "1. e4 \"x\"";
    ExtractTagValue(notTag);
    EXPECT_STREQ(notTag, "");
}

// --- Display texts ---

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
    PgnFile file("[White \"" + longName + "\"]\n[Event \"" + longName + "\"]\n\n*\n");
    ASSERT_TRUE(file.Load(1));
    EXPECT_EQ(TextOf(file.display->white).size(), kValueSize - 1);
    EXPECT_EQ(TextOf(file.display->event).size(), kWideValueSize - 1);
    EXPECT_EQ(TextOf(file.display->eventLine).size(), kWideLineSize - 1);
    EXPECT_EQ(TextOf(file.display->whiteNarrow).size(), kNarrowLineSize - 1);
}

// --- Positioning ---

TEST(HeaderLoading, GameNumbersOutsideTheFileAreRefused) {
    PgnFile file("[Event \"E\"]\n\n1. e4 *\n");
    for (const int game : {0, -3, 2}) {
        file.messages.clear();
        EXPECT_FALSE(file.Load(game)) << game;
        ASSERT_EQ(file.messages.size(), 1U);
        EXPECT_EQ(file.messages[0], "Error finding game.");
    }
}

TEST(HeaderLoading, GameBeyondTheIndexIsFoundByScanning) {
    PgnFile file("[Event \"A\"]\n\n1. e4 *\n\n[Event \"B\"]\n\n1. d4 *\n");
    file.index.offsets.resize(1);
    ASSERT_TRUE(file.Load(2));
    EXPECT_EQ(file.Slot(TagSlot::kEvent), "[Event \"B\"]");
    EXPECT_EQ(TextOf(file.display->gameLine), "Game:  2");
}

}  // namespace
}  // namespace ravelin::gamefile
