#include "search/variation_search.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "chess/movetext.h"
#include "gamefile/game_loader.h"
#include "search/fast_file_output.h"
#include "search/searches.h"
#include "search/variation_sources.h"
#include "search_test_helpers.h"

namespace ravelin::search {
namespace {

using namespace testing_support;

constexpr char kFourGames[] =
    "[Event \"a\"]\n[Result \"1-0\"]\n\n1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 1-0\n\n"
    "[Event \"b\"]\n[Result \"0-1\"]\n\n1. Nf3 Nc6 2. e4 e5 3. Bc4 Bc5 0-1\n\n"
    "[Event \"c\"]\n[Result \"1/2-1/2\"]\n\n1. d4 d5 2. Nf3 Nc6 3. e4 e5 1/2-1/2\n\n"
    "[Event \"d\"]\n[Result \"*\"]\n\n*\n\n";

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

// The SAN moves of a game of a file, as the replay writes them.
std::vector<std::string> MovesOfGame(const std::string& pgn, int game) {
    OpenedSearchFile opened(pgn);
    SearchFile& file = opened.File();
    auto header = std::make_unique<gamefile::GameHeader>();
    auto display = std::make_unique<gamefile::HeaderDisplay>();
    auto record = chess::MakeGameRecord();
    auto context = chess::MakeChessContext();
    context->batch = true;
    std::vector<std::string> moves;
    if (!gamefile::LoadGameHeader(file.fileName, *file.reader, *file.index, game, *header, *display, {})) {
        return moves;
    }
    gamefile::ParseGameQuietly(*file.reader, *header, *context, *record);
    chess::SetStartPosition(*context);
    const int plies = chess::ReplayMoves(*context, record->moveCount);
    for (int ply = 1; ply <= plies; ++ply) {
        moves.emplace_back(chess::SanView(context->moves.MoveOfPly(ply)));
    }
    return moves;
}

SearchVariation VariationFrom(const std::vector<std::string>& moves, std::size_t plies) {
    return VariationOf(
        std::vector<std::string_view>(moves.begin(), moves.begin() + static_cast<std::ptrdiff_t>(plies)));
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
    const std::string forms =
        "[Event \"glyphs\"]\n[Result \"1-0\"]\n\n1. e4! e5 2. Bc4 Nc6 3. Qh5 Nf6?? 4. Qxf7# 1-0\n\n"
        "[Event \"long\"]\n[Result \"1-0\"]\n\n1. e2-e4 e7-e5 2. Bf1-c4 Nb8-c6 3. Qd1-h5 Ng8-f6 4. Qh5xf7 "
        "1-0\n\n"
        "[Event \"coordinates\"]\n[Result \"1-0\"]\n\n1. e2e4 e7e5 2. Bf1c4 Nb8c6 3. Qd1h5 Ng8f6 4. Qh5f7 "
        "1-0\n\n";
    const std::string hint = "[Event \"x\"]\n[Result \"*\"]\n\n1. d4 Nf6 2. Nf3 e6 3. Nbd2 c5 *\n\n";
    SearchVariation hinted = VariationOf({"d4", "Nf6", "Nf3", "e6", "Nd2"});
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
        {kFourGames, VariationOf({"e4", "e5", "Nf3", "Nc6"}), false, false, {1, 2}, 4},
        {kFourGames, VariationOf({"e4", "e5", "Nf3", "Nc6"}), true, false, {1}, 4},
        // Game c plays e4 e5 only at move 3: within three moves it transposes, within two not.
        {kFourGames, VariationOf({"e4", "e5", "d4", "d5", "Nf3", "Nc6"}), false, false, {3}, 6},
        {kFourGames, VariationOf({"e4", "e5", "d4", "d5", "Nf3", "Nc6"}), true, false, {}, 6},
        {kFourGames, VariationOf({"*", "*", "Nf3", "Nc6"}), false, false, {1, 2, 3}, 4},
        // A game without moves is 1. d4.
        {kFourGames, VariationOf({"d4"}), true, false, {3, 4}, 1},
        {kFourGames, gap, false, false, {1}, 1},
        // Without Force Match an unmatched variation reports its whole length.
        {kFourGames, VariationOf({"e4", "e5", "Nf3", "Nc6", "Bb5", "Nf6"}), true, false, {}, 6},
        {kFourGames, VariationOf({"e4", "e5", "Nf3", "Nc6", "Bb5", "Nf6"}), true, true, {1}, 5},
        // Check marks, glyphs and long notation do not hide a match.
        {forms, VariationOf({"e4", "e5", "Bc4", "Nc6", "Qh5", "Nf6", "Qxf7+"}), true, false, {1, 2, 3}, 7},
        {hint, hinted, true, false, {1}, 5},
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
    const std::string four(kFourGames);
    struct Case {
        const char* what;
        std::string pgn;  // the text after the fast file was made
        std::string trf;  // the move file written over the made one, if any
        SearchVariation variation;
        std::vector<int> games;
    };
    const Case cases[] = {
        // Game 5 plays these moves too but has no record.
        {"a game added",
         four + "[Event \"e\"]\n[Result \"1-0\"]\n\n1. e4 e5 1-0\n",
         "",
         VariationOf({"e4", "e5"}),
         {1}},
        {"two games lost", four.substr(0, four.find("[Event \"c\"]")), "", VariationOf({"d4"}), {}},
        // Two good records (1. d4 and 1. e4), then a record cut off without its result word.
        {"a record cut off", four, Words({0x1b19, 0x8002, 0x1b1f, 0x8000, 0x1b19}), VariationOf({"d4"}), {1}},
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
        const SearchRun run = Search(pgn, c.variation, true);
        EXPECT_EQ(run.path, VariationPath::kFastFile);
        EXPECT_EQ(run.messages, (std::vector<std::string>{kRunMakeFastFileAgain}));
        EXPECT_EQ(Games(run.result), c.games);
        EXPECT_TRUE(Search(pgn, c.variation, true, false, true).messages.empty());
    }
}

TEST(VariationSearchTest, CancelEndsTheSearchWithWhatItFound) {
    TempDir dir;
    const std::string pgn = CopyPgn(dir, "dortmund.pgn");
    for (const bool withFastFile : {false, true}) {
        if (withFastFile) {
            MakeFastFile(pgn);
        }
        OpenedSearchFile opened(pgn);
        int polls = 0;
        opened.File().cancelRequested = [&polls] { return ++polls > 100; };
        SearchCriteria criteria;
        criteria.variation = VariationOf({"*"});
        criteria.options.forceMatch = true;
        SearchResult result;
        SearchVariationAlone(opened.File(), criteria, result);
        EXPECT_EQ(result.Count(), 100);
        EXPECT_EQ(result.matches.back().game, 100);
    }
}

TEST(VariationSearchTest, ForceMatchOfTenMovesFindsTheLongestMatchingShorterVariation) {
    TempDir dir;
    // Ten moves of a world championship game, searched among the Dortmund games.
    const std::vector<std::string> moves = MovesOfGame(CopyPgn(dir, "world_matches.pgn"), 3);
    ASSERT_GE(moves.size(), 20u);
    const std::string pgn = CopyPgn(dir, "dortmund.pgn");
    for (const bool exact : {true, false}) {
        for (const bool withFastFile : {true, false}) {
            if (withFastFile) {
                MakeFastFile(pgn);
            } else {
                std::remove(dir.File("dortmund.TRF").c_str());
            }
            // The longest prefix some game plays, found by searching every length.
            std::size_t longest = 20;
            SearchRun plain;
            for (; longest > 0; --longest) {
                plain = Search(pgn, VariationFrom(moves, longest), exact);
                if (plain.result.Count() > 0) {
                    break;
                }
            }
            ASSERT_GT(longest, 0u);
            ASSERT_LT(longest, 20u);
            const SearchRun forced = Search(pgn, VariationFrom(moves, 20), exact, true);
            EXPECT_EQ(forced.result.pliesMatched, static_cast<int>(longest));
            EXPECT_EQ(Games(forced.result), Games(plain.result));
            EXPECT_EQ(forced.result.whiteWins, plain.result.whiteWins);
            EXPECT_EQ(forced.result.blackWins, plain.result.blackWins);
        }
    }
}

// --- the two paths read the same games ---

// Given the same words, outcomes and game numbers, the one matcher finds the same games on both
// paths. fenSetup.pgn holds a game set up from a FEN position, which both replay from the standard
// position alike.
class VariationPathsTest : public ::testing::TestWithParam<const char*> {
  protected:
    TempDir dir;
};

// The text's kept image (the passes of Force Match) is read on the second walk.
TEST_P(VariationPathsTest, PgnTextGivesEveryGameTheWordsOfItsFastFileRecord) {
    const std::string pgn = CopyPgn(dir, GetParam(), "games.pgn");
    MakeFastFile(pgn);
    OpenedSearchFile opened(pgn);
    PgnGames text(opened.File(), true);
    for (int walk = 0; walk < 2; ++walk) {
        FastFileGames fast;
        ASSERT_TRUE(fast.Open(pgn, opened.File().gameCount));
        text.Rewind();
        GameMoves fromFast;
        GameMoves fromText;
        int games = 0;
        while (fast.Next(fromFast)) {
            ASSERT_TRUE(text.Next(fromText));
            ++games;
            EXPECT_EQ(fromText.game, fromFast.game);
            EXPECT_EQ(fromText.resultWord, fromFast.resultWord) << "game " << games;
            ASSERT_EQ(fromText.plies, fromFast.plies) << "game " << games;
            EXPECT_EQ(std::vector<std::uint8_t>(fromText.plyWords, fromText.plyWords + 2 * fromText.plies),
                      std::vector<std::uint8_t>(fromFast.plyWords, fromFast.plyWords + 2 * fromFast.plies))
                << "game " << games;
        }
        EXPECT_FALSE(fast.Stale());
        EXPECT_FALSE(text.Next(fromText));
        EXPECT_EQ(games, opened.File().gameCount);
    }
}

INSTANTIATE_TEST_SUITE_P(RealFiles, VariationPathsTest,
                         ::testing::Values("dortmund.pgn", "world_matches.pgn", "lichess-benchmark.pgn",
                                           "KASPAROV-DEEP-BLUE-1997.PGN", "TCEC_Cup_6_Bronze.pgn",
                                           "annotated.pgn", "promotion.pgn", "chessbase-empty-line.pgn",
                                           "utf8-bom.pgn", "anastasian-lewis.pgn",
                                           "molinari-bordais-1979.pgn", "uzchesscup.pgn", "fenSetup.pgn"));

}  // namespace
}  // namespace ravelin::search
