#include "app/cli_search_args.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "search/search_result.h"

namespace {

using ravelin::app::ParsePositionText;
using ravelin::app::ParseSearchArguments;
using ravelin::app::ParseVariationText;
using ravelin::app::SearchRequest;
using ravelin::chess::SanView;
using ravelin::search::HeaderField;
using ravelin::search::PositionEntryText;
using ravelin::search::SearchPosition;
using ravelin::search::SearchVariation;

constexpr char kSicilianAfterNf3[] = "rnbqkbnr/pp1ppppp/8/2p5/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2";

// The plies of a variation and the entries of a position list, as texts with a space between.
std::string Plies(const SearchVariation& variation) {
    std::string plies;
    for (int ply = 1; ply <= variation.Plies(); ++ply) {
        plies += (ply == 1 ? "" : " ") + std::string(SanView(variation.MoveOfPly(ply)));
    }
    return plies;
}

std::string Entries(const ravelin::search::PositionList& list) {
    std::string entries;
    for (const auto& entry : list) {
        if (entry[0] != 0) {
            entries += (entries.empty() ? "" : " ") + std::string(PositionEntryText(entry));
        }
    }
    return entries;
}

SearchVariation Variation(const std::string& text) {
    SearchVariation variation;
    std::string error;
    EXPECT_TRUE(ParseVariationText(text, variation, error)) << text << ": " << error;
    return variation;
}

// Move numbers are optional; long algebraic and shorthand forms become SAN, check and mate marks
// are the position's own, and "*" (any move) leaves the board as it is.
TEST(SearchVariationText, MovesGetTheTextsTheBoardWouldWrite) {
    const std::pair<const char*, const char*> cases[] = {
        {"1. e4 1... c5 2. Nf3", "e4 c5 Nf3"},
        {"e2e4 e7e5 g1f3 b8c6 f1b5", "e4 e5 Nf3 Nc6 Bb5"},
        {"1.e4 e5 2.Qh5 Nc6 3.Bc4 Nf6 4.Qxf7#", "e4 e5 Qh5 Nc6 Bc4 Nf6 Qxf7+"},
        {"1.e4 d5 2.ed5 Qxd5 3.Nc3 Qa5 4.Bc4!? Nf6", "e4 d5 exd5 Qxd5 Nc3 Qa5 Bc4 Nf6"},
        {"1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.O-O Nf6 5.d3 O-O", "e4 e5 Nf3 Nc6 Bc4 Bc5 O-O Nf6 d3 O-O"},
        {"1.h4 g5 2.hxg5 h6 3.gxh6 Nf6 4.h7 Rg8 5.hxg8=N", "h4 g5 hxg5 h6 gxh6 Nf6 h7 Rg8 hxg8=N"},
        {"1.e4 * 2.Nf3 *", "e4 * Nf3 *"},
        {"1.d4 * 2.d5", "d4 * d5"},  // d5 is read where black did not move
    };
    for (auto [text, plies] : cases) {
        EXPECT_EQ(Plies(Variation(text)), plies) << text;
    }
    const SearchVariation variation = Variation("1.e4 c5 2.Nf3");
    EXPECT_EQ(variation.WhiteCount(), 2);
    EXPECT_EQ(variation.BlackCount(), 1);
}

TEST(SearchVariationText, DisambiguatedMovesCarryTheirFromSquare) {
    const SearchVariation variation = Variation("1.Nf3 Nf6 2.d3 d6 3.Nbd2 Nbd7");
    EXPECT_EQ(SanView(variation.whiteMoves[2]), "Nbd2");
    EXPECT_EQ(std::string(variation.whiteHints[2].data()), "b1");
    EXPECT_EQ(std::string(variation.blackHints[2].data()), "b8");
    // Moves that need no disambiguation carry no hint.
    EXPECT_EQ(variation.whiteHints[0][0], '\0');
    EXPECT_EQ(variation.blackHints[1][0], '\0');
}

TEST(SearchVariationText, MovesTheBoardRefusesAreErrors) {
    std::string shuffle;
    for (int i = 0; i < 50; ++i) {
        shuffle += "Nf3 Nf6 Ng1 Ng8 ";
    }
    EXPECT_EQ(Variation(shuffle + shuffle).WhiteCount(), 200);
    const std::pair<std::string, const char*> cases[] = {
        {"1.e4 3.d4", "out of turn"},
        {"1.e4 1.c5", "out of turn"},
        {"1...e5", "out of turn"},
        {"1.e4 e5 2.Ke3", "Illegal move in the variation: 2. Ke3."},
        // Black is in check and a6 does nothing about it.
        {"1.e4 f6 2.Qh5+ a6", "Illegal move in the variation: 2... a6."},
        {"1.e4 e5 2.Nf3 xyz", "2... xyz"},
        {"1.e4 12e5", "Not a move"},
        {"1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 5.O-O-O", "5. O-O-O"},
        {shuffle + shuffle + "Nf3", "more than 200 moves"},
    };
    for (const auto& [text, message] : cases) {
        SearchVariation variation;
        std::string error;
        EXPECT_FALSE(ParseVariationText(text, variation, error)) << text;
        EXPECT_NE(error.find(message), std::string::npos) << text << ": " << error;
    }
}

TEST(SearchPositionText, PieceListsKeepTheirEntriesPerSide) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Ke1 Qd1 e4 =5 / Ke8 N=2 *3 B*1", "Ke1 Qd1 e4 =5", "Ke8 N=2 *3 B*1"},
        {"/ Ke8", "", "Ke8"},
        {"R>1 <7", "R>1 <7", ""},
    };
    for (auto [text, white, black] : cases) {
        SearchPosition position;
        std::string error;
        ASSERT_TRUE(ParsePositionText(text, position, error)) << text << ": " << error;
        EXPECT_EQ(Entries(position.white), white);
        EXPECT_EQ(Entries(position.black), black);
    }
}

TEST(SearchPositionText, EntriesOfNoFormAreRefused) {
    SearchPosition position;
    std::string error;
    for (const char* text : {"Kz9", "e9", "K=1", "*3", "N*2 / Ke8", "Ke1 / Ke8 / e5", "Xe4", "Ke1e2", "",
                             " / ", "4k3/8/8/8/8/8/8/4K4", "8/8/8/8/8/8/8/4K3"}) {
        EXPECT_FALSE(ParsePositionText(text, position, error)) << text;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_NE(error.find("FEN"), std::string::npos) << "a placement without a black king";
    std::string full;
    for (int i = 0; i < 41; ++i) {
        full += "e4 ";
    }
    EXPECT_FALSE(ParsePositionText(full, position, error));
    EXPECT_NE(error.find("at most 40"), std::string::npos);
    EXPECT_TRUE(ParsePositionText(full.substr(3), position, error)) << error;
}

// A FEN placement is the exact position: every piece where it stands (files a to h, ranks 1 to 8
// within each file), then a count of every kind.
TEST(SearchPositionText, FenIsTheExactPositionWithEveryCount) {
    SearchPosition position;
    position.moveNumber = {true, "<10"};
    std::string error;
    ASSERT_TRUE(ParsePositionText(kSicilianAfterNf3, position, error)) << error;
    EXPECT_EQ(Entries(position.white),
              "Ra1 a2 Nb1 b2 Bc1 c2 Qd1 d2 Ke1 e4 Bf1 f2 Nf3 g2 Rh1 h2 Q=1 R=2 B=2 N=2 =8");
    EXPECT_EQ(Entries(position.black),
              "a7 Ra8 b7 Nb8 c5 Bc8 d7 Qd8 e7 Ke8 f7 Bf8 g7 Ng8 h7 Rh8 Q=1 R=2 B=2 N=2 =8");
    // The move-number condition is not part of the lists.
    EXPECT_TRUE(position.moveNumber.on);
    EXPECT_EQ(position.moveNumber.criterion, "<10");
    ASSERT_TRUE(ParsePositionText("4k3/8/8/8/8/8/8/4K3", position, error)) << error;
    EXPECT_EQ(Entries(position.white), "Ke1 Q=0 R=0 B=0 N=0 =0");
}

// Runs ParseSearchArguments over the words of a command line, written with '|' between them.
bool Parse(std::string_view line, SearchRequest& request, std::string& error) {
    std::vector<std::string> words;
    for (std::size_t start = 0; start <= line.size();) {
        std::size_t end = std::min(line.find('|', start), line.size());
        words.emplace_back(line.substr(start, end - start));
        start = end + 1;
    }
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    return ParseSearchArguments(static_cast<int>(argv.size()), argv.data(), request, error);
}

SearchRequest Request(std::string_view line) {
    SearchRequest request;
    std::string error;
    EXPECT_TRUE(Parse(line, request, error)) << line << ": " << error;
    return request;
}

TEST(SearchArguments, CriteriaGivenTogetherCombineAsTheSearchCommandsDo) {
    using namespace ravelin::search;
    struct Case {
        const char* line;
        int kind;
        int combination;
        bool plies;
    };
    const Case cases[] = {
        {"f.pgn|--moves|1.e4", kVariationSearch, kAlone, false},
        {"f.pgn|--position|Ke1", kPositionSearch, kAlone, true},
        {"f.pgn|--moves|1.e4|--position|e4", kVariationSearch, kWithPosition, true},
        {"f.pgn|--eco|B2", kHeaderSearch, kAlone, false},
        {"f.pgn|--eco|B2|--moves|1.e4", kHeaderSearch, kWithVariation, false},
        {"f.pgn|--eco|B2|--position|e4", kHeaderSearch, kWithPosition, true},
        {"--white=Morrow|--moves=1.e4|--position=e4|f.pgn", kHeaderSearch, kWithBoth, true},
    };
    for (const Case& c : cases) {
        const SearchRequest request = Request(c.line);
        EXPECT_EQ(request.path, "f.pgn");
        EXPECT_EQ(request.kind, c.kind) << c.line;
        EXPECT_EQ(request.combination, c.combination) << c.line;
        EXPECT_EQ(request.positionPlies, c.plies) << c.line;
    }
}

TEST(SearchArguments, OptionsFillTheirFields) {
    const SearchRequest request = Request(
        "--exact|--force|--dir|--time|--event|Open#|--site|Wijk|--date|>=1990|--round|3|--result|1-0|--eco|"
        "B90|"
        "--moves-count|<40|--white-elo|>2500|--black-elo|2400-2600|--specific-move|12... Nxe4|games|"
        "--position|Ke1|--move-number|> 20|--repeat|7");
    EXPECT_TRUE(request.criteria.options.exactVariation);
    EXPECT_TRUE(request.criteria.options.forceMatch);
    EXPECT_TRUE(request.directory);
    EXPECT_TRUE(request.timing);
    EXPECT_EQ(request.repeat, 7);
    const auto& header = request.criteria.header;
    const std::pair<HeaderField, const char*> fields[] = {{HeaderField::kEvent, "Open#"},
                                                          {HeaderField::kSite, "Wijk"},
                                                          {HeaderField::kDate, ">=1990"},
                                                          {HeaderField::kRound, "3"},
                                                          {HeaderField::kResult, "1-0"},
                                                          {HeaderField::kEco, "B90"},
                                                          {HeaderField::kNumberOfMoves, "<40"},
                                                          {HeaderField::kWhiteElo, ">2500"},
                                                          {HeaderField::kWhite, ""},
                                                          {HeaderField::kBlackElo, "2400-2600"},
                                                          {HeaderField::kSpecificMove, "12... Nxe4"}};
    for (auto [field, value] : fields) {
        EXPECT_EQ(header[field], value) << value;
    }
    EXPECT_TRUE(request.criteria.position.moveNumber.on);
    EXPECT_EQ(request.criteria.position.moveNumber.criterion, "> 20");
    EXPECT_EQ(request.path, "games");
    EXPECT_EQ(Request("f.pgn|--eco|B").repeat, 1);
    EXPECT_EQ(Request("f.pgn|--event|" + std::string(79, 'x')).criteria.header[HeaderField::kEvent].size(),
              79u);
}

TEST(SearchArguments, MistakesAreReportedNotGuessed) {
    using namespace ravelin::app;
    const std::string repeat = "--repeat needs a number from 1 to 1000.";
    const std::pair<std::string, std::string> cases[] = {
        {"f.pgn|--exact", kNoSearchCriteria},
        {"--moves|e4", kSearchUsage},
        {"f.pgn|--moves|e4|--move-number|5", kMoveNumberNeedsPosition},
        {"f.pgn|--player|A|--black|B", kPlayerWithNames},
        {"f.pgn|--white|A|--player|B", kPlayerWithNames},
        {"f.pgn|--opponents|Morrow", "two names"},
        {"f.pgn|--opponents|Morrow,", "two names"},
        {"f.pgn|--colour|w", "Unknown option"},
        {"f.pgn|--eco", "needs a value"},
        {"f.pgn|--exact=yes|--eco|B", "takes no value"},
        {"a.pgn|b.pgn|--eco|B", "Only one FILE"},
        {"f.pgn|--event|" + std::string(80, 'x'), "longer than 79"},
        {"f.pgn|--position|e4|--move-number|123456789012345", "longer than 14"},
        {"f.pgn|--moves|", "no moves"},
        {"f.pgn|--eco|B|--repeat|0", repeat},
        {"f.pgn|--eco|B|--repeat|x", repeat},
        {"f.pgn|--eco|B|--repeat|1001", repeat},
        {"f.pgn|--eco|B|--repeat|3x", repeat},
    };
    for (const auto& [line, message] : cases) {
        SearchRequest request;
        std::string error;
        EXPECT_FALSE(Parse(line, request, error)) << line;
        EXPECT_NE(error.find(message), std::string::npos) << line << ": " << error;
    }
}

}  // namespace
