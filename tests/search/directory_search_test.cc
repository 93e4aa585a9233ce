// The directory search: the PGN files a directory lists, each opened and searched on its own, and
// the result file written as it goes.

#include "search/directory_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <mutex>

#include "search/directory_listing.h"
#include "search/directory_search_file.h"
#include "search/fast_file_output.h"
#include "search/header_fast_records.h"
#include "search/position_index.h"
#include "search/searches.h"
#include "search/split_search.h"
#include "search_test_helpers.h"

namespace ravelin::search {
namespace {

using namespace testing_support;

// Only PGN files, sorted with case ignored (names equal but for case in a fixed order), with only
// the final extension stripped; an extension in capitals is found again by the name.
TEST(DirectoryListingTest, PgnFilesSortedWithCaseIgnored) {
    TempDir dir;
    for (const char* name : {"zebra.pgn", "Alpha.pgn", "beta.PGN", "games.old.pgn", "notes.txt", "pgn",
                             "x.pgn.bak", "abc.pgn", "ABC.pgn"}) {
        dir.Write(name, "");
    }
    std::filesystem::create_directory(dir.File("folder.pgn"));
    const std::vector<ListedFile> files = ListPgnFiles(dir.Path().string());
    std::vector<std::string> names;
    for (const ListedFile& file : files) {
        names.push_back(file.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"ABC", "abc", "Alpha", "beta", "games.old", "zebra"}));
    EXPECT_EQ(files[3].fileName, "beta.PGN");
    EXPECT_EQ(files[4].fileName, "games.old.pgn");
    EXPECT_EQ(FindPgnFile(dir.Path().string(), "beta"), dir.File("beta.PGN"));
    EXPECT_EQ(FindPgnFile(dir.Path().string(), "BETA"), "");
    EXPECT_TRUE(ListPgnFiles(dir.File("missing")).empty());
}

// A directory of real PGN files, and a stand-in search that matches each file's first and last
// games and remembers what it was given.
class DirectorySearchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CopyPgn(games, "dortmund.pgn");
        CopyPgn(games, "promotion.pgn", "games.old.pgn");
        CopyPgn(games, "molinari-bordais-1979.pgn", "Molinari.pgn");
        job.directory = games.Path().string();
        job.resultPath = work.File(kResultFileName);
        job.kind = kPositionSearch;
        hooks.message = [this](std::string_view text) { messages.emplace_back(text); };
        hooks.progress = [this](int number, int count, const std::string& name, int matches) {
            progress.push_back(std::to_string(number) + "/" + std::to_string(count) + " " + name + " " +
                               std::to_string(matches));
        };
        runner = [this](SearchFile& file, const SearchCriteria&, int, int, SearchResult& result) {
            {
                // The files are searched on several threads at once.
                std::lock_guard lock(searchedMutex);
                searched[file.fileName] = file.gameCount;
            }
            EXPECT_TRUE(file.backgroundRunning);
            EXPECT_NE(file.context, nullptr);
            result.Clear();
            result.Add(1, kOutcomeWhiteWon, 3);
            if (file.gameCount > 1) {
                result.Add(file.gameCount, kOutcomeOther, 8);
            }
            result.pliesMatched = 4;
            return result.Count();
        };
    }

    TempDir games, work;
    DirectorySearchJob job;
    DirectorySearchHooks hooks;
    SearchRunner runner;
    std::vector<std::string> messages, progress;
    std::mutex searchedMutex;
    std::map<std::string, int> searched;
};

TEST_F(DirectorySearchTest, EveryFileIsOpenedOnItsOwnAndItsMatchesWritten) {
    // A name too long for the result file is reported and skipped, one a character shorter searched.
    const std::string longName(52, 'L');
    CopyPgn(games, "promotion.pgn", longName + ".pgn");
    CopyPgn(games, "promotion.pgn", std::string(51, 'm') + ".pgn");
    const DirectorySearchOutcome outcome = RunDirectorySearch(job, runner, hooks);
    EXPECT_EQ(outcome.status, DirectorySearchStatus::kMatches);
    EXPECT_EQ(std::tie(outcome.filesListed, outcome.filesSearched, outcome.filesMatched),
              std::make_tuple(5, 4, 4));
    EXPECT_EQ(messages, std::vector<std::string>{"Filename " + longName + " is too long."});
    // Each file indexed on its own: the game counts of the files themselves (347 "[Event" tags in
    // dortmund.pgn, one game in each of the others).
    EXPECT_EQ(searched, (std::map<std::string, int>{{"dortmund.pgn", 347},
                                                    {"games.old.pgn", 1},
                                                    {std::string(51, 'm') + ".pgn", 1},
                                                    {"Molinari.pgn", 1}}));
    EXPECT_EQ(progress, (std::vector<std::string>{"1/5 dortmund 2", "2/5 games.old 1",
                                                  "4/5 " + std::string(51, 'm') + " 1", "5/5 Molinari 1"}));
    ResultFile file;
    ASSERT_EQ(LoadResultFile(job.resultPath, file), ResultFileLoad::kOk);
    EXPECT_EQ(file.header.directory, job.directory);
    EXPECT_EQ(file.header.kind, kPositionSearch);
    EXPECT_EQ(file.header.pliesMatched, 4);
    ASSERT_EQ(file.records.size(), 4u);
    EXPECT_EQ(file.records[0].name, "dortmund");
    EXPECT_EQ(file.records[0].games, (std::vector<int>{1, 347}));
    EXPECT_EQ(file.records[0].plies, (std::vector<int>{3, 8}));
    EXPECT_EQ(file.records[0].whiteWins, 1);
    // games.old.pgn is searched and recorded as itself, not as "games".
    EXPECT_EQ(file.records[1].name, "games.old");
    EXPECT_EQ(file.records[3].games, (std::vector<int>{1}));
}

TEST_F(DirectorySearchTest, SearchesThatEndWithoutMatchesOrEarly) {
    // No match leaves the previous result file.
    const std::string previous = work.Write(kResultFileName, "previous");
    const SearchRunner none = [](SearchFile&, const SearchCriteria&, int, int, SearchResult& result) {
        result.Clear();
        return 0;
    };
    EXPECT_EQ(RunDirectorySearch(job, none, hooks).status, DirectorySearchStatus::kNoMatches);
    EXPECT_EQ(ReadWholeFile(previous), "previous");
    // A cancel ends the search after the current file, with a valid file.
    hooks.cancelled = [this] {
        std::lock_guard lock(searchedMutex);
        return !searched.empty();
    };
    DirectorySearchOutcome outcome = RunDirectorySearch(job, runner, hooks);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.filesSearched, 1);
    ResultFile file;
    ASSERT_EQ(LoadResultFile(job.resultPath, file), ResultFileLoad::kOk);
    EXPECT_EQ(file.records.size(), 1u);
    hooks.cancelled = nullptr;
    // A result file that cannot be created ends the search.
    job.resultPath = work.File("missing/searchqq.xyz");
    outcome = RunDirectorySearch(job, runner, hooks);
    EXPECT_EQ(outcome.status, DirectorySearchStatus::kCreateError);
    EXPECT_EQ(outcome.filesSearched, 1);
    TempDir empty;
    job.directory = empty.Path().string();
    EXPECT_EQ(RunDirectorySearch(job, runner, hooks).status, DirectorySearchStatus::kNoFiles);
    EXPECT_EQ(DirectorySearchEndMessage(DirectorySearchStatus::kNoFiles), "No files were found.");
    EXPECT_EQ(DirectorySearchEndMessage(DirectorySearchStatus::kCreateError), "Error creating search file.");
}

// Real files with their fast files, position indexes and header places, as Make Fast File leaves
// them, and searches of every kind that a directory search cuts into runs.
class SplitSearchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name :
             {"world_matches.pgn", "dortmund.pgn", "lichess-benchmark.pgn", "TCEC_Cup_6_Bronze.pgn"}) {
            const std::string path = CopyPgn(dir, name);
            const FastFileStatus made = MakeFastFile(path).status;
            ASSERT_TRUE(made == FastFileStatus::kComplete || made == FastFileStatus::kFenWarning) << name;
            ASSERT_TRUE(WritePositionIndexFile(FastMoveFilePath(path)));
            ASSERT_TRUE(FastHeaderRecords::WritePlacesFile(FastHeaderFilePath(path)));
            paths.push_back(path);
        }
        ForgetPositionIndexes();
        ForgetFastHeaderRecords();
        Query query;
        query.kind = kVariationSearch;
        query.criteria.variation = VariationOf("d4 Nf6 c4 e6");
        queries.push_back(query);
        query.criteria.options.exactVariation = true;
        queries.push_back(query);
        query = {};
        query.kind = kPositionSearch;
        query.criteria.position = Lists("Nf5 / Kg8");
        queries.push_back(query);
        query = {};
        query.kind = kHeaderSearch;
        query.criteria.header[HeaderField::kWhite] = "Karpov";
        queries.push_back(query);
        // The player's games by colour (counted in the extra counters), and a pairing.
        query.criteria.header[HeaderField::kBlack] = "*";
        queries.push_back(query);
        query.criteria.header[HeaderField::kBlack] = "*Kasparov";
        queries.push_back(query);
        query = {};
        query.kind = kHeaderSearch;
        query.criteria.header[HeaderField::kEco] = "B";
        query.criteria.header[HeaderField::kDate] = ">=1980";
        queries.push_back(query);
    }

    struct Query {
        int kind = kVariationSearch;
        SearchCriteria criteria;
    };
    using Rows = std::vector<std::tuple<int, int, int>>;
    static Rows RowsOf(const SearchResult& result) {
        Rows rows;
        for (const SearchMatch& match : result.matches) {
            rows.emplace_back(match.game, match.outcome, match.ply);
        }
        return rows;
    }

    TempDir dir, work;
    std::vector<std::string> paths;
    std::vector<Query> queries;
};

TEST_F(SplitSearchTest, RunsJoinedInGameOrderGiveTheWholeSearch) {
    int found = 0;
    for (const std::string& path : paths) {
        OpenedSearchFile opened(path);
        SearchFile& file = opened.File();
        for (const Query& query : queries) {
            SCOPED_TRACE(path + " kind " + std::to_string(query.kind));
            const std::unique_ptr<const SplitSearch> split =
                SplitSearch::Make(file, query.criteria, query.kind, kAlone);
            ASSERT_NE(split, nullptr);
            ASSERT_EQ(split->GameCount(), file.gameCount);
            // Runs of uneven sizes, some of them empty.
            constexpr int kRuns = 7;
            const int games = split->GameCount();
            SearchResult joined;
            split->Start(joined);
            for (int k = 0; k < kRuns; ++k) {
                SearchResult run;
                split->Start(run);
                EXPECT_TRUE(split->Search(RunStart(games, kRuns, k), RunStart(games, kRuns, k + 1), {}, run));
                JoinRun(joined, run);
            }
            SearchResult whole;
            RunSearch(file, query.criteria, query.kind, kAlone, whole);
            EXPECT_EQ(RowsOf(joined), RowsOf(whole));
            EXPECT_EQ(std::tie(joined.whiteWins, joined.blackWins, joined.counter3, joined.counter4,
                               joined.pliesMatched),
                      std::tie(whole.whiteWins, whole.blackWins, whole.counter3, whole.counter4,
                               whole.pliesMatched));
            found += whole.Count();
        }
    }
    EXPECT_GT(found, 100);
}

TEST_F(SplitSearchTest, SearchesThatCannotBeCutAreLeftWhole) {
    OpenedSearchFile opened(paths[0]);
    SearchFile& file = opened.File();
    SearchCriteria criteria = queries[0].criteria;
    EXPECT_EQ(SplitSearch::Make(file, criteria, kVariationSearch, kWithPosition), nullptr);
    EXPECT_EQ(SplitSearch::Make(file, criteria, kHeaderSearch, kWithVariation), nullptr);
    criteria.options.forceMatch = true;
    EXPECT_EQ(SplitSearch::Make(file, criteria, kVariationSearch, kAlone), nullptr);
    criteria = {};
    criteria.header[HeaderField::kNumberOfMoves] = ">40";
    EXPECT_EQ(SplitSearch::Make(file, criteria, kHeaderSearch, kAlone), nullptr);
    // A game added after Make Fast File: the whole search warns and reads what it can.
    const std::string grown =
        dir.Write("grown.pgn", ReadWholeFile(paths[1]) + ReadWholeFile(TestDataPath("pgn/promotion.pgn")));
    for (const char* extension : {".TRF", ".TRH", ".TRP", ".TRQ"}) {
        std::filesystem::copy_file(paths[1].substr(0, paths[1].size() - 4) + extension,
                                   dir.File(std::string("grown") + extension));
    }
    OpenedSearchFile stale(grown);
    for (const Query& query : queries) {
        EXPECT_EQ(SplitSearch::Make(stale.File(), query.criteria, query.kind, kAlone), nullptr) << query.kind;
    }
    // No fast file at all.
    OpenedSearchFile plain(CopyPgn(work, "dortmund.pgn"));
    for (const Query& query : queries) {
        EXPECT_EQ(SplitSearch::Make(plain.File(), query.criteria, query.kind, kAlone), nullptr) << query.kind;
    }
}

// A file is cut by its size, and a small one still into a run for each core while the runs stay
// long enough.
TEST_F(SplitSearchTest, RunsOfFileCountsBySizeAndGivesEveryCoreARun) {
    SearchSplitter split{SplitSearch::Make};
    const std::uint64_t bytes = std::filesystem::file_size(FastMoveFilePath(paths[0]));
    ASSERT_GT(bytes, 1000u);
    split.runBytes = bytes + 1;
    split.fewestRuns = 3;
    split.smallestRunBytes = bytes / 3;
    EXPECT_EQ(split.RunsOfFile(paths[0]), 3);
    split.smallestRunBytes = bytes / 3 + 1;
    EXPECT_EQ(split.RunsOfFile(paths[0]), 1);
    split.runBytes = bytes / 4;
    EXPECT_EQ(split.RunsOfFile(paths[0]), 5);
    // Without the splitter's search, or without a fast file: one run.
    EXPECT_EQ(SearchSplitter{}.RunsOfFile(paths[0]), 1);
    EXPECT_EQ(split.RunsOfFile(CopyPgn(work, "dortmund.pgn")), 1);
}

// The files cut into runs on every core: the same result file, progress and messages as the search
// of one whole file after the other.
TEST_F(SplitSearchTest, DirectorySearchInRunsWritesWhatTheWholeSearchesWrite) {
    CopyPgn(dir, "promotion.pgn");  // one without a fast file
    SearchSplitter split{SplitSearch::Make};
    split.runBytes = 4096;
    ASSERT_GT(split.RunsOfFile(paths[0]), 10);
    for (const Query& query : queries) {
        SCOPED_TRACE(query.kind);
        std::vector<std::string> said[2];
        std::string written[2];
        for (int cut = 0; cut < 2; ++cut) {
            DirectorySearchJob job;
            job.directory = dir.Path().string();
            job.resultPath = work.File(kResultFileName);
            job.kind = query.kind;
            job.criteria = query.criteria;
            DirectorySearchHooks hooks;
            hooks.message = [&said, cut](std::string_view text) { said[cut].emplace_back(text); };
            hooks.progress = [&said, cut](int number, int count, const std::string& name, int matches) {
                said[cut].push_back(std::to_string(number) + "/" + std::to_string(count) + " " + name + " " +
                                    std::to_string(matches));
            };
            const DirectorySearchOutcome outcome =
                RunDirectorySearch(job, RunSearch, hooks, cut != 0 ? split : SearchSplitter{});
            EXPECT_EQ(outcome.status, DirectorySearchStatus::kMatches);
            written[cut] = ReadWholeFile(job.resultPath);
        }
        EXPECT_EQ(said[1], said[0]);
        EXPECT_EQ(written[1], written[0]);
    }
}

}  // namespace
}  // namespace ravelin::search
