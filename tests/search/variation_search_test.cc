#include "search/variation_search.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "chess/movetext.h"
#include "fast_file_test_helpers.h"
#include "gamefile/game_loader.h"
#include "search/fast_file_output.h"
#include "search/fast_file_reader.h"
#include "search/searches.h"
#include "search/variation_sources.h"
#include "temp_dir.h"
#include "variation_search_test_helpers.h"

namespace ravelin::search {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;
using ravelin::testing::TestDataPath;
using testing_support::MakeFastFile;
using testing_support::VariationOf;
using testing_support::Words;

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

class VariationSearchTest : public ::testing::Test {
  protected:
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

    static std::vector<int> Games(const SearchResult& result) {
        std::vector<int> games;
        for (const SearchMatch& match : result.matches) {
            games.push_back(match.game);
        }
        return games;
    }

    std::string CopyOf(const std::string& dataFile, const std::string& name) {
        return dir.Write(name, ReadWholeFile(TestDataPath(dataFile)));
    }

    TempDir dir;
};

// --- the choice of path ---

TEST_F(VariationSearchTest, FastFileIsReadWhenItExistsAndPgnTextOtherwise) {
    const std::string pgn = dir.Write("four.pgn", kFourGames);
    const SearchRun text = Search(pgn, VariationOf({"e4", "e5", "Nf3", "Nc6"}));
    EXPECT_EQ(text.path, VariationPath::kPgnText);
    MakeFastFile(pgn);
    const SearchRun fast = Search(pgn, VariationOf({"e4", "e5", "Nf3", "Nc6"}));
    EXPECT_EQ(fast.path, VariationPath::kFastFile);
    EXPECT_EQ(Games(text.result), (std::vector<int>{1, 2}));
    EXPECT_EQ(Games(fast.result), (std::vector<int>{1, 2}));
    EXPECT_TRUE(fast.messages.empty());
}

TEST_F(VariationSearchTest, ResultCarriesOutcomesWinCountsAndPlies) {
    const std::string pgn = dir.Write("four.pgn", kFourGames);
    for (const bool withFastFile : {false, true}) {
        if (withFastFile) {
            MakeFastFile(pgn);
        }
        const SearchRun run = Search(pgn, VariationOf({"*", "*", "Nf3", "Nc6"}));
        ASSERT_EQ(Games(run.result), (std::vector<int>{1, 2, 3}));
        EXPECT_EQ(run.result.matches[0].outcome, kOutcomeWhiteWon);
        EXPECT_EQ(run.result.matches[1].outcome, kOutcomeBlackWon);
        EXPECT_EQ(run.result.matches[2].outcome, kOutcomeOther);
        EXPECT_EQ(run.result.whiteWins, 1);
        EXPECT_EQ(run.result.blackWins, 1);
        EXPECT_EQ(run.result.counter3, kNotCounted);
        EXPECT_EQ(run.result.pliesMatched, 4);
    }
}

TEST_F(VariationSearchTest, TranspositionAndExactOrderOnBothPaths) {
    const std::string pgn = dir.Write("four.pgn", kFourGames);
    for (const bool withFastFile : {false, true}) {
        if (withFastFile) {
            MakeFastFile(pgn);
        }
        EXPECT_EQ(Games(Search(pgn, VariationOf({"e4", "e5", "Nf3", "Nc6"}), false).result),
                  (std::vector<int>{1, 2}));
        EXPECT_EQ(Games(Search(pgn, VariationOf({"e4", "e5", "Nf3", "Nc6"}), true).result),
                  (std::vector<int>{1}));
        // Game c plays e4 e5 only at move 3: within three moves it transposes, within two it does not.
        EXPECT_EQ(Games(Search(pgn, VariationOf({"e4", "e5", "d4", "d5", "Nf3", "Nc6"}), false).result),
                  (std::vector<int>{3}));
        EXPECT_TRUE(
            Search(pgn, VariationOf({"e4", "e5", "d4", "d5", "Nf3", "Nc6"}), true).result.matches.empty());
    }
}

TEST_F(VariationSearchTest, VariationEndsAtItsFirstEmptyEntry) {
    // A loaded criteria file can hold a white move after an empty black one: the variation is
    // 1. e4 alone, whatever stands behind the gap.
    SearchVariation variation;
    chess::SetSanText(variation.whiteMoves[0], "e4");
    chess::SetSanText(variation.whiteMoves[1], "Nf3");
    chess::SetSanText(variation.blackMoves[1], "Nc6");
    EXPECT_EQ(variation.WhiteCount(), 1);
    EXPECT_EQ(variation.BlackCount(), 0);
    EXPECT_EQ(variation.Plies(), 1);
    const std::string pgn = dir.Write("four.pgn", kFourGames);
    for (const bool withFastFile : {false, true}) {
        if (withFastFile) {
            MakeFastFile(pgn);
        }
        const SearchRun run = Search(pgn, variation);
        EXPECT_EQ(Games(run.result), (std::vector<int>{1}));
        EXPECT_EQ(run.result.pliesMatched, 1);
    }
}

TEST_F(VariationSearchTest, GameWithoutMovesMatchesQueenPawnOnBothPaths) {
    const std::string pgn = dir.Write("four.pgn", kFourGames);
    EXPECT_EQ(Games(Search(pgn, VariationOf({"d4"}), true).result), (std::vector<int>{3, 4}));
    MakeFastFile(pgn);
    EXPECT_EQ(Games(Search(pgn, VariationOf({"d4"}), true).result), (std::vector<int>{3, 4}));
}

TEST_F(VariationSearchTest, CheckMarksGlyphsAndLongNotationDoNotHideAMatch) {
    const std::string pgn = dir.Write("forms.pgn",
                                      "[Event \"glyphs\"]\n[Result \"1-0\"]\n\n"
                                      "1. e4! e5 2. Bc4 Nc6 3. Qh5 Nf6?? 4. Qxf7# 1-0\n\n"
                                      "[Event \"long\"]\n[Result \"1-0\"]\n\n"
                                      "1. e2-e4 e7-e5 2. Bf1-c4 Nb8-c6 3. Qd1-h5 Ng8-f6 4. Qh5xf7 1-0\n\n"
                                      "[Event \"coordinates\"]\n[Result \"1-0\"]\n\n"
                                      "1. e2e4 e7e5 2. Bf1c4 Nb8c6 3. Qd1h5 Ng8f6 4. Qh5f7 1-0\n\n");
    const SearchVariation mate = VariationOf({"e4", "e5", "Bc4", "Nc6", "Qh5", "Nf6", "Qxf7+"});
    const SearchRun text = Search(pgn, mate, true);
    EXPECT_EQ(Games(text.result), (std::vector<int>{1, 2, 3}));
    MakeFastFile(pgn);
    EXPECT_EQ(Games(Search(pgn, mate, true).result), Games(text.result));
}

TEST_F(VariationSearchTest, VariationEnteredWithSourceHintMatchesItsMove) {
    const std::string pgn =
        dir.Write("hint.pgn", "[Event \"x\"]\n[Result \"*\"]\n\n1. d4 Nf6 2. Nf3 e6 3. Nbd2 c5 *\n\n");
    SearchVariation variation = VariationOf({"d4", "Nf6", "Nf3", "e6", "Nd2"});
    variation.whiteHints[2] = {'b', '1', '\0'};
    EXPECT_EQ(Search(pgn, variation, true).result.Count(), 1);
    MakeFastFile(pgn);
    EXPECT_EQ(Search(pgn, variation, true).result.Count(), 1);
}

// --- the fast file's freshness ---

TEST_F(VariationSearchTest, StaleFastFileIsWarnedAboutAndItsRecordsStillUsed) {
    const std::string pgn = dir.Write("four.pgn", kFourGames);
    MakeFastFile(pgn);
    dir.Write("four.pgn", std::string(kFourGames) + "[Event \"e\"]\n[Result \"1-0\"]\n\n1. e4 e5 1-0\n");
    const SearchRun run = Search(pgn, VariationOf({"e4", "e5"}));
    EXPECT_EQ(run.path, VariationPath::kFastFile);
    EXPECT_EQ(run.messages, (std::vector<std::string>{kRunMakeFastFileAgain}));
    // Game 5 plays these moves too but has no record.
    EXPECT_EQ(Games(run.result), (std::vector<int>{1}));
}

TEST_F(VariationSearchTest, StaleWarningIsNotShownWhileABackgroundOperationRuns) {
    const std::string pgn = dir.Write("four.pgn", kFourGames);
    MakeFastFile(pgn);
    dir.Write("four.pgn", std::string(kFourGames) + "[Event \"e\"]\n[Result \"1-0\"]\n\n1. e4 e5 1-0\n");
    EXPECT_TRUE(Search(pgn, VariationOf({"e4"}), false, false, true).messages.empty());
}

TEST_F(VariationSearchTest, RecordsBeyondTheFilesGamesNameNoGame) {
    const std::string pgn = dir.Write("four.pgn", kFourGames);
    MakeFastFile(pgn);
    // The PGN file loses its last two games; the fast file still has four records.
    const std::string text(kFourGames);
    dir.Write("four.pgn", text.substr(0, text.find("[Event \"c\"]")));
    const SearchRun run = Search(pgn, VariationOf({"d4"}), true);
    EXPECT_EQ(run.messages, (std::vector<std::string>{kRunMakeFastFileAgain}));
    EXPECT_EQ(run.result.Count(), 0);
}

TEST_F(VariationSearchTest, MalformedFastFileKeepsTheGamesReadBeforeTheFault) {
    const std::string pgn = dir.Write("four.pgn", kFourGames);
    MakeFastFile(pgn);
    // Two good records (1. d4 and 1. e4), then a record cut off without its result word.
    dir.Write("four.TRF", Words({0x1b19, 0x8002, 0x1b1f, 0x8000, 0x1b19}));
    const SearchRun run = Search(pgn, VariationOf({"d4"}), true);
    EXPECT_EQ(Games(run.result), (std::vector<int>{1}));
    EXPECT_EQ(run.messages, (std::vector<std::string>{kRunMakeFastFileAgain}));
}

// --- cancel ---

TEST_F(VariationSearchTest, CancelEndsTheSearchWithWhatItFound) {
    const std::string pgn = CopyOf("pgn/dortmund.pgn", "dortmund.pgn");
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

// --- Force Match on a real file ---

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
    std::vector<std::string_view> views(moves.begin(), moves.begin() + static_cast<std::ptrdiff_t>(plies));
    return VariationOf(views);
}

TEST_F(VariationSearchTest, ForceMatchOfTenMovesFindsTheLongestMatchingShorterVariation) {
    // Ten moves of a world championship game, searched among the Dortmund games.
    const std::vector<std::string> moves = MovesOfGame(CopyOf("pgn/world_matches.pgn", "matches.pgn"), 3);
    ASSERT_GE(moves.size(), 20u);
    const std::string pgn = CopyOf("pgn/dortmund.pgn", "dortmund.pgn");
    MakeFastFile(pgn);
    for (const bool exact : {true, false}) {
        for (const bool withFastFile : {true, false}) {
            if (!withFastFile) {
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
        MakeFastFile(pgn);
    }
}

TEST_F(VariationSearchTest, WithoutForceMatchAnUnmatchedVariationReportsItsWholeLength) {
    const std::string pgn = dir.Write("four.pgn", kFourGames);
    const SearchRun run = Search(pgn, VariationOf({"e4", "e5", "Nf3", "Nc6", "Bb5", "Nf6"}), true);
    EXPECT_EQ(run.result.Count(), 0);
    EXPECT_EQ(run.result.pliesMatched, 6);
    const SearchRun forced = Search(pgn, VariationOf({"e4", "e5", "Nf3", "Nc6", "Bb5", "Nf6"}), true, true);
    EXPECT_EQ(Games(forced.result), (std::vector<int>{1}));
    EXPECT_EQ(forced.result.pliesMatched, 5);
}

// --- the two paths read the same games ---

class VariationPathsTest : public VariationSearchTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(VariationPathsTest, PgnTextGivesEveryGameTheWordsOfItsFastFileRecord) {
    const std::string pgn = CopyOf(std::string("pgn/") + GetParam(), "games.pgn");
    MakeFastFile(pgn);
    OpenedSearchFile opened(pgn);
    FastFileGames fast;
    ASSERT_TRUE(fast.Open(pgn, opened.File().gameCount));
    PgnGames text(opened.File(), false);
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

TEST_P(VariationPathsTest, BothPathsFindTheSameGames) {
    const std::string pgn = CopyOf(std::string("pgn/") + GetParam(), "games.pgn");
    const int gameCount = OpenedSearchFile(pgn).File().gameCount;
    // Openings of a few games of the file, as played, with a wildcard, and in another order.
    std::vector<SearchVariation> variations;
    for (const int game : {1, gameCount / 2 + 1, gameCount}) {
        const std::vector<std::string> moves = MovesOfGame(pgn, game);
        for (const std::size_t plies : {1u, 4u, 7u, 12u}) {
            if (moves.size() >= plies) {
                variations.push_back(VariationFrom(moves, plies));
            }
        }
        if (moves.size() >= 6) {
            std::vector<std::string> swapped = moves;
            std::swap(swapped[0], swapped[2]);
            std::swap(swapped[1], swapped[3]);
            variations.push_back(VariationFrom(swapped, 4));
            swapped = moves;
            swapped[1] = "*";
            variations.push_back(VariationFrom(swapped, 6));
        }
    }
    std::vector<SearchRun> textRuns[2];
    for (const bool exact : {false, true}) {
        for (const SearchVariation& variation : variations) {
            textRuns[exact].push_back(Search(pgn, variation, exact));
        }
    }
    MakeFastFile(pgn);
    int matched = 0;
    for (const bool exact : {false, true}) {
        for (std::size_t i = 0; i < variations.size(); ++i) {
            const SearchRun fast = Search(pgn, variations[i], exact);
            const SearchRun& text = textRuns[exact][i];
            ASSERT_EQ(fast.path, VariationPath::kFastFile);
            ASSERT_EQ(text.path, VariationPath::kPgnText);
            EXPECT_EQ(Games(fast.result), Games(text.result)) << "variation " << i << " exact " << exact;
            EXPECT_EQ(fast.result.whiteWins, text.result.whiteWins);
            EXPECT_EQ(fast.result.blackWins, text.result.blackWins);
            EXPECT_TRUE(fast.messages.empty());
            matched += fast.result.Count();
        }
    }
    // Every variation comes from a game of the file, so most of them find at least that game.
    EXPECT_GE(matched, static_cast<int>(variations.size()));
}

INSTANTIATE_TEST_SUITE_P(RealFiles, VariationPathsTest,
                         ::testing::Values("dortmund.pgn", "world_matches.pgn", "lichess-benchmark.pgn",
                                           "KASPAROV-DEEP-BLUE-1997.PGN", "TCEC_Cup_6_Bronze.pgn",
                                           "annotated.pgn", "promotion.pgn", "chessbase-empty-line.pgn",
                                           "utf8-bom.pgn", "anastasian-lewis.pgn",
                                           "molinari-bordais-1979.pgn", "uzchesscup.pgn"));

// A game set up from a FEN position is replayed from the standard position by both paths alike.
class VariationPathsFenTest : public VariationPathsTest {};
TEST_P(VariationPathsFenTest, FenGameGetsTheSameWordsOnBothPaths) {
    const std::string pgn = CopyOf(std::string("pgn/") + GetParam(), "games.pgn");
    MakeFastFile(pgn);
    OpenedSearchFile opened(pgn);
    FastFileGames fast;
    ASSERT_TRUE(fast.Open(pgn, opened.File().gameCount));
    PgnGames text(opened.File(), false);
    GameMoves fromFast;
    GameMoves fromText;
    ASSERT_TRUE(fast.Next(fromFast));
    ASSERT_TRUE(text.Next(fromText));
    ASSERT_EQ(fromText.plies, fromFast.plies);
    EXPECT_EQ(std::vector<std::uint8_t>(fromText.plyWords, fromText.plyWords + 2 * fromText.plies),
              std::vector<std::uint8_t>(fromFast.plyWords, fromFast.plyWords + 2 * fromFast.plies));
}
INSTANTIATE_TEST_SUITE_P(RealFiles, VariationPathsFenTest, ::testing::Values("fenSetup.pgn"));

// --- the reader's walk without copying ---

TEST(FastMoveReaderInPlaceTest, RecordsSplitByRefillsReadLikeCopiedOnes) {
    TempDir dir;
    const std::string pgn = dir.Write("dortmund.pgn", ReadWholeFile(TestDataPath("pgn/dortmund.pgn")));
    MakeFastFile(pgn);
    for (const std::size_t window : {std::size_t{6}, std::size_t{64}, std::size_t{1000}}) {
        FastMoveReader copied;
        FastMoveReader inPlace;
        ASSERT_TRUE(copied.Open(FastMoveFilePath(pgn)));
        ASSERT_TRUE(inPlace.OpenWithWindow(FastMoveFilePath(pgn), window));
        std::vector<FastMove> moves;
        FastMove copiedResult = 0;
        FastMove inPlaceResult = 0;
        const std::uint8_t* words = nullptr;
        int count = 0;
        for (;;) {
            const FastMoveReader::Step expected = copied.Next(moves, copiedResult);
            const FastMoveReader::Step step = inPlace.NextInPlace(words, count, inPlaceResult);
            ASSERT_EQ(step, expected);
            if (step != FastMoveReader::Step::kRecord) {
                EXPECT_EQ(step, FastMoveReader::Step::kEnd);
                break;
            }
            EXPECT_EQ(inPlaceResult, copiedResult);
            ASSERT_EQ(count, static_cast<int>(moves.size()));
            for (int i = 0; i < count; ++i) {
                ASSERT_EQ(words[2 * i] | words[2 * i + 1] << 8, moves[static_cast<std::size_t>(i)]);
            }
        }
        EXPECT_EQ(inPlace.RecordsRead(), copied.RecordsRead());
        EXPECT_GT(inPlace.RecordsRead(), 300);
    }
}

TEST(FastMoveReaderInPlaceTest, TooLongOrUnendedRecordsAreStale) {
    TempDir dir;
    std::string longRecord;
    for (int i = 0; i <= kMaxFastRecordMoves; ++i) {
        longRecord += Words({0x1b19});
    }
    const std::string tooLong = dir.Write("long.TRF", longRecord + Words({0x8001, 0x0000}));
    const std::string unended = dir.Write("unended.TRF", Words({0x1b19, 0x1b19}));
    for (const std::string& path : {tooLong, unended}) {
        FastMoveReader reader;
        ASSERT_TRUE(reader.Open(path));
        const std::uint8_t* words = nullptr;
        int count = 0;
        FastMove result = 0;
        EXPECT_EQ(reader.NextInPlace(words, count, result), FastMoveReader::Step::kStale) << path;
    }
}

}  // namespace
}  // namespace ravelin::search
