#include "search/variation_search.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "search/fast_file_output.h"
#include "search/searches.h"
#include "search/variation_force_match.h"
#include "search_test_helpers.h"

namespace ravelin::search {
namespace {

using namespace testing_support;

// Games a, b, c, ... of the given results and movetexts.
std::string Pgn(const std::vector<std::pair<const char*, std::string>>& games) {
    std::string text;
    for (std::size_t i = 0; i < games.size(); ++i) {
        const auto& [result, moves] = games[i];
        text += "[Event \"" + std::string(1, static_cast<char>('a' + i)) + "\"]\n[Result \"" + result +
                "\"]\n\n" + moves + (moves.empty() ? "" : " ") + result + "\n\n";
    }
    return text;
}

const std::string kFourGames = Pgn({{"1-0", "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6"},
                                    {"0-1", "1. Nf3 Nc6 2. e4 e5 3. Bc4 Bc5"},
                                    {"1/2-1/2", "1. d4 d5 2. Nf3 Nc6 3. e4 e5"},
                                    {"*", ""}});

struct SearchRun {
    SearchResult result;
    VariationPath path = VariationPath::kPgnText;
    std::vector<std::string> messages;
};

SearchRun Search(const std::string& pgn, const SearchVariation& variation, bool exact = false,
                 bool forceMatch = false, bool background = false) {
    OpenedSearchFile opened(pgn);
    EXPECT_TRUE(opened.IsOpen());
    SearchRun run;
    SearchFile& file = opened.File();
    file.messages = [&run](std::string_view text) { run.messages.emplace_back(text); };
    file.backgroundRunning = background;
    SearchCriteria criteria;
    criteria.variation = variation;
    criteria.options.exactVariation = exact;
    criteria.options.forceMatch = forceMatch;
    const int count = SearchVariationReporting(file, criteria, run.result, run.path);
    EXPECT_EQ(count, run.result.Count());
    return run;
}

// --- small files whose matches are known, searched on both paths ---

// The outcome of a game by the Result tag of the text: only decided games are wins.
std::uint8_t OutcomeInText(const std::string& pgn, int game) {
    std::size_t at = 0;
    for (int i = 0; i < game; ++i) {
        at = pgn.find("[Result \"", at) + 9;
    }
    return pgn.compare(at, 4, "1-0\"") == 0   ? kOutcomeWhiteWon
           : pgn.compare(at, 4, "0-1\"") == 0 ? kOutcomeBlackWon
                                              : kOutcomeOther;
}

TEST(VariationSearchTest, HandMadeGamesOnBothPaths) {
    // Glyphs, long notation and coordinates.
    const std::string forms = Pgn({{"1-0", "1. e4! e5 2. Bc4 Nc6 3. Qh5 Nf6?? 4. Qxf7#"},
                                   {"1-0", "1. e2-e4 e7-e5 2. Bf1-c4 Nb8-c6 3. Qd1-h5 Ng8-f6 4. Qh5xf7"},
                                   {"1-0", "1. e2e4 e7e5 2. Bf1c4 Nb8c6 3. Qd1h5 Ng8f6 4. Qh5f7"},
                                   {"*", "1. d4 Nf6 2. Nf3 e6 3. Nbd2 c5"}});
    const std::string toA8 = "1. e4 d5 2. exd5 c6 3. dxc6 Nf6 4. cxb7 Nbd7 5. bxa8=";
    const std::string more = Pgn({{"1-0", "1. Nf3 Nf6 2. Ng1 Ng8 3. Nf3 e5"},
                                  {"0-1", "1. Nf3 Nf6 2. Ng1 Ng8 3. e4 e5"},
                                  {"1-0", toA8 + "Q"},
                                  {"0-1", toA8 + "N"},
                                  {"*", "1. e4 e5 2. Nf3"}});
    SearchVariation hinted = VariationOf("d4 Nf6 Nf3 e6 Nd2");
    hinted.whiteHints[2] = {'b', '1', '\0'};
    // A loaded criteria file can hold a white move after an empty black one: the variation is
    // 1. e4 alone, whatever stands behind the gap.
    SearchVariation gap;
    chess::SetSanText(gap.whiteMoves[0], "e4");
    chess::SetSanText(gap.whiteMoves[1], "Nf3");
    chess::SetSanText(gap.blackMoves[1], "Nc6");
    struct Case {
        std::string pgn;
        SearchVariation variation;
        bool exact, force;
        std::vector<int> games;
        int pliesMatched;
    };
    const Case cases[] = {
        {kFourGames, VariationOf("e4 e5 Nf3 Nc6"), false, false, {1, 2}, 4},
        {kFourGames, VariationOf("e4 e5 Nf3 Nc6"), true, false, {1}, 4},
        // Game c plays e4 e5 only at move 3: within three moves it transposes, within two not.
        {kFourGames, VariationOf("e4 e5 d4 d5 Nf3 Nc6"), false, false, {3}, 6},
        {kFourGames, VariationOf("e4 e5 d4 d5 Nf3 Nc6"), true, false, {}, 6},
        {kFourGames, VariationOf("* * Nf3 Nc6"), false, false, {1, 2, 3}, 4},
        // A game without moves is 1. d4.
        {kFourGames, VariationOf("d4"), true, false, {3, 4}, 1},
        {kFourGames, gap, false, false, {1}, 1},
        // Without Force Match an unmatched variation reports its whole length.
        {kFourGames, VariationOf("e4 e5 Nf3 Nc6 Bb5 Nf6"), true, false, {}, 6},
        {kFourGames, VariationOf("e4 e5 Nf3 Nc6 Bb5 Nf6"), true, true, {1}, 5},
        // Check marks, glyphs and long notation do not hide a match.
        {forms, VariationOf("e4 e5 Bc4 Nc6 Qh5 Nf6 Qxf7+"), true, false, {1, 2, 3}, 7},
        {forms, hinted, true, false, {4}, 5},
        // A repeated move must be repeated as often; the promotion piece is part of the move; any
        // move matches also one the game lacks; a game shorter than the variation is not
        // considered, and an unplayable move and everything after it match nothing.
        {more, VariationOf("Nf3 Nf6 Ng1 Ng8 Nf3"), false, false, {1}, 5},
        {more, VariationOf("e4 d5 exd5 c6 dxc6 Nf6 cxb7 Nbd7 bxa8=Q"), true, false, {3}, 9},
        {more, VariationOf("e4 d5 exd5 c6 dxc6 Nf6 cxb7 Nbd7 bxa8=N"), true, false, {4}, 9},
        {more, VariationOf("e4 e5 Nf3 *"), true, false, {5}, 4},
        {kFourGames, VariationOf("e4 e5 Nf3 Nc6 Bb5 a6 Ba4"), true, false, {}, 7},
        {kFourGames, VariationOf("e4 Ke6 Nf3"), false, false, {}, 3},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        TempDir dir;
        const std::string pgn = dir.Write("games.pgn", c.pgn);
        for (const VariationPath path : {VariationPath::kPgnText, VariationPath::kFastFile}) {
            SCOPED_TRACE("case " + std::to_string(i) +
                         (path == VariationPath::kFastFile ? " fast file" : " text"));
            if (path == VariationPath::kFastFile) {
                MakeFastFile(pgn);
            }
            const SearchRun run = Search(pgn, c.variation, c.exact, c.force);
            EXPECT_EQ(run.path, path);
            EXPECT_EQ(Games(run.result), c.games);
            EXPECT_EQ(run.result.pliesMatched, c.pliesMatched);
            EXPECT_TRUE(run.messages.empty());
            int whiteWins = 0, blackWins = 0;
            for (const SearchMatch& match : run.result.matches) {
                EXPECT_EQ(match.outcome, OutcomeInText(c.pgn, match.game)) << "game " << match.game;
                whiteWins += match.outcome == kOutcomeWhiteWon ? 1 : 0;
                blackWins += match.outcome == kOutcomeBlackWon ? 1 : 0;
            }
            EXPECT_EQ(run.result.whiteWins, whiteWins);
            EXPECT_EQ(run.result.blackWins, blackWins);
            EXPECT_EQ(run.result.counter3, kNotCounted);
        }
    }
}

// A fast file that no longer fits the text is warned about (unless a background operation runs)
// and its records are read as far as they go and name games the file has.
TEST(VariationSearchTest, StaleFastFilesAreWarnedAboutAndTheirRecordsStillUsed) {
    struct Case {
        const char* what;
        std::string pgn;  // the text after the fast file was made
        std::string trf;  // the move file written over the made one, if any
        const char* variation;
        std::vector<int> games;
    };
    const Case cases[] = {
        {"two games lost", kFourGames.substr(0, kFourGames.find("[Event \"c\"]")), "", "d4", {}},
        // Two good records (1. d4 and 1. e4), then a record cut off without its result word.
        {"a record cut off", kFourGames, Words({0x1b19, 0x8002, 0x1b1f, 0x8000, 0x1b19}), "d4", {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string pgn = dir.Write("four.pgn", kFourGames);
        MakeFastFile(pgn);
        dir.Write("four.pgn", c.pgn);
        if (!c.trf.empty()) {
            dir.Write("four.TRF", c.trf);
        }
        const SearchRun run = Search(pgn, VariationOf(c.variation), true);
        EXPECT_EQ(run.path, VariationPath::kFastFile);
        EXPECT_EQ(run.messages, (std::vector<std::string>{kRunMakeFastFileAgain}));
        EXPECT_EQ(Games(run.result), c.games);
        EXPECT_TRUE(Search(pgn, VariationOf(c.variation), true, false, true).messages.empty());
    }
}

// On either path a cancel request ends the search with what it found.
TEST(VariationSearchTest, CancelEndsTheSearchWithWhatItFound) {
    TempDir dir;
    const std::string pgn = CopyPgn(dir, "dortmund.pgn");
    SearchCriteria criteria;
    criteria.variation = VariationOf("*");
    criteria.options.forceMatch = true;
    for (const bool withFastFile : {false, true}) {
        if (withFastFile) {
            MakeFastFile(pgn);
        }
        OpenedSearchFile opened(pgn);
        int polls = 0;
        opened.File().cancelRequested = [&polls] { return ++polls > 100; };
        SearchResult result;
        SearchVariationAlone(opened.File(), criteria, result);
        EXPECT_EQ(Games(result).back(), 100);
        EXPECT_EQ(result.Count(), 100);
    }
}

// --- the lengths of Force Match ---

// Force Match shortens the variation pass by pass; against a variation of which exactly the first
// `longest` plies match some game, it ends on a matching pass of that length. The whole variation
// matching takes one pass, nothing matching ends without a match, and one white move is not
// shortened.
TEST(ForceMatchTest, EndsOnTheLongestMatchingLengthAndReportsIt) {
    for (const int black : {10, 9}) {
        for (int longest = 0; longest <= 10 + black; ++longest) {
            SCOPED_TRACE(std::to_string(black) + " black moves, longest " + std::to_string(longest));
            ForceMatchSearch lengths(10, black);
            int passes = 1;
            bool matched = false;
            for (;; ++passes) {
                ASSERT_LE(lengths.BlackMoves(), lengths.WhiteMoves());
                ASSERT_LT(passes, 40) << "no end";
                matched = lengths.WhiteMoves() + lengths.BlackMoves() <= longest;
                if (!lengths.Next(matched)) {
                    break;
                }
            }
            EXPECT_EQ(matched, longest > 0);
            if (longest > 0) {
                EXPECT_EQ(lengths.PliesMatched(), longest);
            }
            EXPECT_EQ(passes == 1, longest == 10 + black);
        }
    }
    EXPECT_FALSE(ForceMatchSearch(1, 0).Next(false));
}

}  // namespace
}  // namespace ravelin::search
