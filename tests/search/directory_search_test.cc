#include "search/directory_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "search/directory_search_file.h"
#include "search/searches.h"
#include "temp_dir.h"

namespace ravelin::search {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;
using ravelin::testing::TestDataPath;

// A directory of real PGN files, and a stand-in search that matches each file's first and last
// games and remembers what it was given.
class DirectorySearchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Copy("pgn/dortmund.pgn", "dortmund.pgn");
        Copy("pgn/promotion.pgn", "games.old.pgn");
        Copy("pgn/molinari-bordais-1979.pgn", "Molinari.pgn");
        job.directory = games.Path().string();
        job.resultPath = work.File(kResultFileName);
        job.kind = kPositionSearch;
        hooks.message = [this](std::string_view text) { messages.emplace_back(text); };
        hooks.progress = [this](int number, int count, const std::string& name, int matches) {
            progress.push_back(std::to_string(number) + "/" + std::to_string(count) + " " + name + " " +
                               std::to_string(matches));
        };
    }
    void Copy(const std::string& from, const std::string& to) {
        games.Write(to, ReadWholeFile(TestDataPath(from)));
    }

    int FirstAndLast(SearchFile& file, const SearchCriteria&, int, int, SearchResult& result) {
        searched[file.fileName] = file.gameCount;
        EXPECT_TRUE(file.backgroundRunning);
        EXPECT_NE(file.context, nullptr);
        result.Clear();
        result.Add(1, kOutcomeWhiteWon, 3);
        if (file.gameCount > 1) {
            result.Add(file.gameCount, kOutcomeOther, 8);
        }
        result.pliesMatched = 4;
        return result.Count();
    }
    SearchRunner Runner() {
        return
            [this](SearchFile& file, const SearchCriteria& criteria, int kind, int combination,
                   SearchResult& result) { return FirstAndLast(file, criteria, kind, combination, result); };
    }

    TempDir games;
    TempDir work;
    DirectorySearchJob job;
    DirectorySearchHooks hooks;
    std::vector<std::string> messages;
    std::vector<std::string> progress;
    std::map<std::string, int> searched;
};

TEST_F(DirectorySearchTest, EveryFileIsOpenedOnItsOwnAndItsMatchesWritten) {
    const DirectorySearchOutcome outcome = RunDirectorySearch(job, Runner(), hooks);
    EXPECT_EQ(outcome.status, DirectorySearchStatus::kMatches);
    EXPECT_EQ(outcome.filesSearched, 3);
    EXPECT_EQ(outcome.filesMatched, 3);
    // Each file indexed on its own: the game counts of the files themselves (347 "[Event" tags in
    // dortmund.pgn, one game in each of the others).
    EXPECT_EQ(searched,
              (std::map<std::string, int>{{"dortmund.pgn", 347}, {"games.old.pgn", 1}, {"Molinari.pgn", 1}}));
    EXPECT_EQ(progress, (std::vector<std::string>{"1/3 dortmund 2", "2/3 games.old 1", "3/3 Molinari 1"}));
    EXPECT_TRUE(messages.empty());

    ResultFile file;
    ASSERT_EQ(LoadResultFile(job.resultPath, file), ResultFileLoad::kOk);
    EXPECT_EQ(file.header.directory, job.directory);
    EXPECT_EQ(file.header.kind, kPositionSearch);
    EXPECT_EQ(file.header.flags, kAllResultFlags);
    EXPECT_EQ(file.header.pliesMatched, 4);
    ASSERT_EQ(file.records.size(), 3u);
    EXPECT_EQ(file.records[0].name, "dortmund");
    EXPECT_EQ(file.records[0].games, (std::vector<int>{1, 347}));
    EXPECT_EQ(file.records[0].plies, (std::vector<int>{3, 8}));
    EXPECT_EQ(file.records[0].whiteWins, 1);
    // games.old.pgn is searched and recorded as itself, not as "games".
    EXPECT_EQ(file.records[1].name, "games.old");
    EXPECT_EQ(file.records[2].games, (std::vector<int>{1}));
}

TEST_F(DirectorySearchTest, LongNameIsReportedAndSkippedTheOthersSearched) {
    const std::string longName(52, 'L');
    Copy("pgn/promotion.pgn", longName + ".pgn");
    Copy("pgn/promotion.pgn", std::string(51, 'm') + ".pgn");
    const DirectorySearchOutcome outcome = RunDirectorySearch(job, Runner(), hooks);
    EXPECT_EQ(messages, std::vector<std::string>{"Filename " + longName + " is too long."});
    EXPECT_EQ(outcome.filesListed, 5);
    EXPECT_EQ(outcome.filesSearched, 4);
    EXPECT_EQ(searched.count(longName + ".pgn"), 0u);
    EXPECT_EQ(searched.count(std::string(51, 'm') + ".pgn"), 1u);
}

TEST_F(DirectorySearchTest, NoMatchLeavesThePreviousResultFile) {
    const std::string previous = work.Write(kResultFileName, "previous");
    const SearchRunner none = [](SearchFile&, const SearchCriteria&, int, int, SearchResult& result) {
        result.Clear();
        return 0;
    };
    EXPECT_EQ(RunDirectorySearch(job, none, hooks).status, DirectorySearchStatus::kNoMatches);
    EXPECT_EQ(ReadWholeFile(previous), "previous");
    EXPECT_EQ(DirectorySearchEndMessage(DirectorySearchStatus::kNoMatches), "No matches were found.");
}

TEST_F(DirectorySearchTest, CancelEndsAfterTheCurrentFileWithAValidFile) {
    hooks.cancelled = [this] { return !searched.empty(); };
    const DirectorySearchOutcome outcome = RunDirectorySearch(job, Runner(), hooks);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.filesSearched, 1);
    ResultFile file;
    ASSERT_EQ(LoadResultFile(job.resultPath, file), ResultFileLoad::kOk);
    EXPECT_EQ(file.records.size(), 1u);
}

TEST_F(DirectorySearchTest, DirectoryWithoutPgnFilesFindsNoFiles) {
    TempDir empty;
    job.directory = empty.Path().string();
    EXPECT_EQ(RunDirectorySearch(job, Runner(), hooks).status, DirectorySearchStatus::kNoFiles);
    EXPECT_EQ(DirectorySearchEndMessage(DirectorySearchStatus::kNoFiles), "No files were found.");
}

TEST_F(DirectorySearchTest, ResultFileThatCannotBeCreatedEndsTheSearch) {
    job.resultPath = work.File("missing/searchqq.xyz");
    const DirectorySearchOutcome outcome = RunDirectorySearch(job, Runner(), hooks);
    EXPECT_EQ(outcome.status, DirectorySearchStatus::kCreateError);
    EXPECT_EQ(outcome.filesSearched, 1);
    EXPECT_EQ(DirectorySearchEndMessage(outcome.status), "Error creating search file.");
}

TEST_F(DirectorySearchTest, DirectoryTooLongForTheResultFileIsRefusedBeforeSearching) {
    job.directory = "/" + std::string(250, 'd');
    EXPECT_EQ(RunDirectorySearch(job, Runner(), hooks).status, DirectorySearchStatus::kDirectoryTooLong);
    EXPECT_TRUE(searched.empty());
    EXPECT_FALSE(std::filesystem::exists(job.resultPath));
}

// The real header search over real files. The expected games were counted outside the program:
// the games whose White tag begins "Kasparov" (all of them "Kasparov, Gary"); "Garry Kasparov" of
// the Deep Blue match has another name key and is not found.
TEST(DirectorySearchRealFiles, HeaderSearchFindsThePlayersGamesInEachFile) {
    TempDir games;
    TempDir work;
    for (const char* name : {"dortmund.pgn", "KASPAROV-DEEP-BLUE-1997.PGN", "world_matches.pgn"}) {
        games.Write(name, ReadWholeFile(TestDataPath(std::string("pgn/") + name)));
    }
    DirectorySearchJob job;
    job.directory = games.Path().string();
    job.resultPath = work.File(kResultFileName);
    job.kind = kHeaderSearch;
    job.criteria.header[HeaderField::kWhite] = "Kasparov";
    const DirectorySearchOutcome outcome = RunDirectorySearch(job, RunSearch, DirectorySearchHooks{});
    EXPECT_EQ(outcome.status, DirectorySearchStatus::kMatches);
    EXPECT_EQ(outcome.filesSearched, 3);
    EXPECT_EQ(outcome.filesMatched, 2);

    ResultFile file;
    ASSERT_EQ(LoadResultFile(job.resultPath, file), ResultFileLoad::kOk);
    EXPECT_EQ(file.header.criteria.header[HeaderField::kWhite], "Kasparov");
    ASSERT_EQ(file.records.size(), 2u);
    EXPECT_EQ(file.records[0].name, "dortmund");
    EXPECT_EQ(file.records[0].games, (std::vector<int>{46, 55, 71, 81}));
    EXPECT_TRUE(file.records[0].plies.empty());
    EXPECT_EQ(file.records[1].name, "world_matches");
    const std::vector<int> world = {467, 469, 470, 471, 475, 477, 478, 480, 481, 483, 486, 488, 489,
                                    491, 493, 495, 497, 499, 501, 503, 505, 507, 509, 511, 513, 515,
                                    517, 518, 520, 521, 522, 524, 525, 526, 528, 535, 544, 545, 546,
                                    548, 550, 560, 562, 564, 566, 568, 570, 572, 574};
    EXPECT_EQ(file.records[1].games, world);
}

}  // namespace
}  // namespace ravelin::search
