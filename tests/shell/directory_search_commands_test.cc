#include "shell/commands/directory_search_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "platform/file_util.h"
#include "platform/messages.h"
#include "search/criteria_file.h"
#include "search/directory_search_file.h"
#include "search/searches.h"
#include "shell/command_ids.h"
#include "shell/commands/fast_file_commands.h"
#include "shell/dialogs/select_file_dialog.h"
#include "shell/dialogs/win_statistics_dialog.h"
#include "shell/display_mode.h"
#include "shell_session.h"
#include "temp_dir.h"

namespace ravelin::shell {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;
using ravelin::testing::TestDataPath;
using testing_support::Session;

// A directory of three real PGN files with world_matches.pgn open, and a stand-in search that
// matches the second and third games of every file with more than one game, so that the test
// knows what the directory search must find without depending on the searches' own rules.
class DirectorySearchCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Copy("pgn/world_matches.pgn", "world_matches.pgn");
        Copy("pgn/dortmund.pgn", "dortmund.pgn");
        Copy("pgn/promotion.pgn", "games.old.pgn");
        open = games.File("world_matches.pgn");
        session = std::make_unique<Session>(work.Path().string());
        auto& handlers = session->window.Handlers();
        for (const int id : {kCmdDisplayGame, kCmdEditVariation, kCmdEditPosition}) {
            handlers.Set(id, [this, id] { posted.push_back(id); });
        }
        commands().runSearch = [this](search::SearchFile& file, const search::SearchCriteria&, int kind, int,
                                      search::SearchResult& result) {
            EXPECT_EQ(kind, search::kPositionSearch);
            searchedPaths.push_back(file.path);
            result.Clear();
            if (file.gameCount > 2) {
                result.Add(2, search::kOutcomeWhiteWon, 5);
                result.Add(3, search::kOutcomeBlackWon, 7);
            }
            return result.Count();
        };
        session->Start(open);
        session->window.File().currentGame = 4;
        session->ClearRecords();
        posted.clear();
    }
    void Copy(const std::string& from, const std::string& to) {
        games.Write(to, ReadWholeFile(TestDataPath(from)));
    }
    DirectorySearchCommands& commands() { return session->window.DirectorySearch(); }
    gamefile::BackgroundWorker& worker() { return session->window.FastFile().Worker(); }
    std::vector<std::string> Messages() const { return session->platform.MessageTexts(); }
    std::string ResultPath() const { return work.File(search::kResultFileName); }
    // Runs a position search over the directory and waits for the worker; the report stays queued.
    void SearchDirectory() {
        ASSERT_TRUE(commands().Start(search::kPositionSearch, search::kAlone));
        worker().Join();
    }
    // Accepts the Select File dialog with an entry selected (or none), remembering what it showed.
    void SelectEntry(int index) {
        session->platform.dialogScript = [this, index](platform::Dialog& dialog) {
            auto* select = dynamic_cast<SelectFileDialog*>(&dialog);
            if (select == nullptr) {
                return false;
            }
            shownEntries = select->entries;
            shownTotal = select->totalLine;
            select->selected = index;
            return true;
        };
    }

    TempDir games;
    TempDir work;
    std::string open;
    std::unique_ptr<Session> session;
    std::vector<int> posted;
    std::vector<std::string> searchedPaths;
    std::vector<std::string> shownEntries;
    std::string shownTotal;
};

// --- the search on the worker thread ---

TEST_F(DirectorySearchCommandsTest, SearchRunsInTheBackgroundWithoutTouchingTheOpenFile) {
    SearchDirectory();
    EXPECT_EQ(session->window.displayMode, kModeBackground);
    EXPECT_EQ(session->platform.progress.titles, std::vector<std::string>{"Search Directory"});
    // Each file was opened by the search itself, the open one included.
    EXPECT_EQ(searchedPaths,
              (std::vector<std::string>{games.File("dortmund.pgn"), games.File("games.old.pgn"),
                                        games.File("world_matches.pgn")}));
    EXPECT_EQ(session->window.File().Path(), open);
    EXPECT_EQ(session->window.File().currentGame, 4);
    session->Run();
    EXPECT_EQ(session->platform.messages.back().text, "Directory search complete. View results now?");
    EXPECT_TRUE(session->platform.messages.back().question);
    EXPECT_EQ(posted, std::vector<int>{kCmdDisplayGame});  // answered No
    EXPECT_NE(session->window.displayMode, kModeBackground);
    EXPECT_FALSE(session->platform.progress.open);
    EXPECT_TRUE(session->platform.dialogTitles.empty());
}

TEST_F(DirectorySearchCommandsTest, ProgressLineNamesEachFileWithItsNumber) {
    SearchDirectory();
    session->Run();
    ASSERT_FALSE(session->platform.progress.lines.empty());
    EXPECT_EQ(session->platform.progress.lines.front(), "Searching first file...");
    const std::string& last = session->platform.progress.lines.back();
    EXPECT_EQ(last.rfind("File:  ", 0), 0u) << last;
    EXPECT_NE(last.find(" of 3 "), std::string::npos) << last;
}

TEST_F(DirectorySearchCommandsTest, YesShowsTheListAndOkOpensTheFileOnItsFirstMatch) {
    session->platform.questionAnswers.push_back(platform::kAnswerYes);
    SelectEntry(0);
    SearchDirectory();
    session->Run();
    EXPECT_EQ(session->platform.dialogTitles, std::vector<std::string>{"Select File"});
    EXPECT_EQ(shownEntries, (std::vector<std::string>{"Dortmund:2", "World_matches:2"}));
    EXPECT_EQ(shownTotal, "Total games: 4");
    EXPECT_EQ(session->window.File().Path(), games.File("dortmund.pgn"));
    EXPECT_EQ(session->window.File().PreviousPath(), open);
    EXPECT_EQ(session->window.File().currentGame, 2);
    EXPECT_EQ(posted, std::vector<int>{kCmdDisplayGame});
    const search::NavigationList& navigation = session->window.Search().navigation;
    ASSERT_NE(navigation.Current(), nullptr);
    EXPECT_EQ(navigation.Current()->games, (std::vector<int>{2, 3}));
    EXPECT_EQ(navigation.CurrentPly(), 5);
    EXPECT_TRUE(session->window.Search().searchActive);
}

TEST_F(DirectorySearchCommandsTest, PrevGameOnTheFirstMatchStaysOnIt) {
    session->platform.questionAnswers.push_back(platform::kAnswerYes);
    SelectEntry(1);
    SearchDirectory();
    session->Run();
    search::NavigationList& navigation = session->window.Search().navigation;
    const int count = session->window.File().GameCount();
    EXPECT_EQ(navigation.Step(-1, 2, count), 2);
    EXPECT_EQ(navigation.Step(1, 2, count), 3);
    EXPECT_EQ(navigation.Step(1, 3, count), 3);
    EXPECT_EQ(navigation.Step(-1, 3, count), 2);
}

TEST_F(DirectorySearchCommandsTest, NoMatchInAnyFileSaysSoAndShowsTheGame) {
    commands().runSearch = [](search::SearchFile&, const search::SearchCriteria&, int, int,
                              search::SearchResult& result) {
        result.Clear();
        return 0;
    };
    SearchDirectory();
    session->Run();
    EXPECT_EQ(Messages(), std::vector<std::string>{"No matches were found."});
    EXPECT_EQ(posted, std::vector<int>{kCmdDisplayGame});
    EXPECT_FALSE(std::filesystem::exists(ResultPath()));
}

TEST_F(DirectorySearchCommandsTest, MinimizedWindowAsksOnlyAfterItIsRestored) {
    session->platform.progress.Minimize();
    SearchDirectory();
    session->Run();
    EXPECT_TRUE(session->platform.messages.empty());
    EXPECT_EQ(worker().State(), gamefile::kRunFinishedResults);
    session->platform.progress.Restore();
    session->Run();
    ASSERT_EQ(session->platform.messages.size(), 1u);
    EXPECT_EQ(session->platform.messages[0].text, "Directory search complete. View results now?");
    EXPECT_EQ(worker().State(), gamefile::kRunIdle);
}

TEST_F(DirectorySearchCommandsTest, MinimizedWithoutMatchesKeepsNothingFound) {
    commands().runSearch = [](search::SearchFile&, const search::SearchCriteria&, int, int,
                              search::SearchResult& result) {
        result.Clear();
        return 0;
    };
    session->platform.progress.Minimize();
    SearchDirectory();
    session->Run();
    EXPECT_EQ(worker().State(), gamefile::kRunFinishedNothing);
    session->platform.progress.Restore();
    session->Run();
    EXPECT_EQ(Messages(), std::vector<std::string>{"No matches were found."});
}

TEST_F(DirectorySearchCommandsTest, SecondSearchWhileOneRunsIsRefused) {
    SearchDirectory();
    EXPECT_FALSE(commands().Start(search::kPositionSearch, search::kAlone));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Must terminate directory search first."});
    session->Run();
}

TEST_F(DirectorySearchCommandsTest, LongFileNameIsReportedOnTheWindowThreadAndSkipped) {
    const std::string longName(55, 'x');
    Copy("pgn/dortmund.pgn", longName + ".pgn");
    SearchDirectory();
    EXPECT_TRUE(Messages().empty());  // not shown from the worker thread
    session->Run();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Filename " + longName + " is too long."});
    EXPECT_EQ(searchedPaths.size(), 3u);
}

TEST_F(DirectorySearchCommandsTest, DirectoryTooLongForTheResultFileIsRefused) {
    std::filesystem::path deep = games.Path();
    while (deep.string().size() < 210) {
        deep /= std::string(40, 'd');
    }
    std::filesystem::create_directories(deep);
    const std::string path = (deep / "deep.pgn").string();
    std::filesystem::copy_file(open, path);
    Session other(work.Path().string());
    other.Start(path);
    other.ClearRecords();
    EXPECT_FALSE(other.window.DirectorySearch().Start(search::kPositionSearch, search::kAlone));
    EXPECT_EQ(other.platform.MessageTexts(),
              std::vector<std::string>{"The directory name is too long for a directory search."});
    EXPECT_NE(other.window.displayMode, kModeBackground);
}

TEST_F(DirectorySearchCommandsTest, RealHeaderSearchOfTheDirectoryListsThePlayersFiles) {
    commands().runSearch = search::RunSearch;
    session->window.Search().criteria.header[search::HeaderField::kWhite] = "Kasparov";
    session->platform.questionAnswers.push_back(platform::kAnswerYes);
    SelectEntry(1);
    ASSERT_TRUE(commands().Start(search::kHeaderSearch, search::kAlone));
    worker().Join();
    session->Run();
    // Games whose White is "Kasparov, Gary", counted outside the program: 4 in dortmund.pgn, 49 in
    // world_matches.pgn (the first at game 467), none in games.old.pgn.
    EXPECT_EQ(shownEntries, (std::vector<std::string>{"Dortmund:4", "World_matches:49"}));
    EXPECT_EQ(shownTotal, "Total games: 53");
    EXPECT_EQ(session->window.File().Path(), open);
    EXPECT_EQ(session->window.File().currentGame, 467);
    EXPECT_EQ(session->window.Search().navigation.Current()->Count(), 49);
}

// --- Display Dir Search ---

TEST_F(DirectorySearchCommandsTest, DisplayWithoutResultFileSaysThereIsNone) {
    session->Command(kCmdDisplayDirSearch);
    EXPECT_EQ(Messages(), std::vector<std::string>{"There is no directory search to display."});
    EXPECT_TRUE(session->platform.dialogTitles.empty());
}

TEST_F(DirectorySearchCommandsTest, CorruptResultFileIsInvalid) {
    work.Write(search::kResultFileName, std::string(300, '\x01'));
    session->Command(kCmdDisplayDirSearch);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Invalid search file."});
}

TEST_F(DirectorySearchCommandsTest, CancelChangesNothing) {
    SearchDirectory();
    session->Run();
    session->ClearRecords();
    posted.clear();
    session->Command(kCmdDisplayDirSearch);  // no script: the dialog is cancelled
    EXPECT_EQ(session->platform.dialogTitles, std::vector<std::string>{"Select File"});
    EXPECT_EQ(session->window.File().Path(), open);
    EXPECT_EQ(session->window.File().currentGame, 4);
    EXPECT_TRUE(posted.empty());
}

TEST_F(DirectorySearchCommandsTest, WinStatsNeedsASelectionAndShowsTheFilesCounters) {
    SearchDirectory();
    session->Run();
    session->ClearRecords();
    std::vector<std::string> statistics;
    session->platform.dialogScript = [&](platform::Dialog& dialog) {
        if (auto* stats = dynamic_cast<WinStatisticsDialog*>(&dialog)) {
            statistics = {stats->lines.gamesFound, stats->lines.whiteWins, stats->lines.blackWins,
                          stats->lines.draws};
            return true;
        }
        auto& select = dynamic_cast<SelectFileDialog&>(dialog);
        select.PressWinStats();
        select.selected = 1;
        select.PressWinStats();
        return false;
    };
    session->Command(kCmdDisplayDirSearch);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Select a file first."});
    EXPECT_EQ(session->platform.dialogTitles, (std::vector<std::string>{"Select File", "Win Statistics"}));
    EXPECT_EQ(statistics, (std::vector<std::string>{"Number of games found: 2", "White wins: 1  50.0%",
                                                    "Black wins: 1  50.0%", "Draws: 0  0.0%"}));
}

// A result file made directly, for what a search of this program never writes.
void WriteResult(const std::string& path, const search::ResultFileHeader& header,
                 const std::vector<search::ResultFileRecord>& records) {
    std::string bytes = search::EncodeResultHeader(header);
    for (const search::ResultFileRecord& record : records) {
        bytes += search::EncodeResultRecord(header, record);
    }
    bytes += search::EncodeResultEnd();
    ASSERT_TRUE(platform::WriteFileReplacing(path, bytes.data(), bytes.size()));
}

TEST_F(DirectorySearchCommandsTest, FileWithoutWinCountsIsListedAndItsStatisticsHaveOnlyTheCount) {
    search::ResultFileHeader header;
    header.directory = games.Path().string();
    header.kind = search::kHeaderSearch;
    header.flags = search::kFlagPliesMatched | search::kFlagEloFields;
    header.criteria.header[search::HeaderField::kWhite] = "Lasker";
    search::ResultFileRecord record;
    record.name = "games.old";
    record.games = {1};
    WriteResult(ResultPath(), header, {record});
    std::vector<std::string> statistics;
    session->platform.dialogScript = [&](platform::Dialog& dialog) {
        if (auto* stats = dynamic_cast<WinStatisticsDialog*>(&dialog)) {
            statistics = {stats->lines.gamesFound, stats->lines.whiteWins};
            return true;
        }
        auto& select = dynamic_cast<SelectFileDialog&>(dialog);
        shownEntries = select.entries;
        select.selected = 0;
        select.PressWinStats();
        return true;
    };
    session->Command(kCmdDisplayDirSearch);
    EXPECT_EQ(shownEntries, std::vector<std::string>{"Games.Old:1"});
    EXPECT_EQ(statistics, (std::vector<std::string>{"Number of games found: 1", ""}));
    // The stored criteria became the window's, and the file named games.old is opened as itself.
    EXPECT_EQ(session->window.Search().criteria.header[search::HeaderField::kWhite], "Lasker");
    EXPECT_EQ(session->window.File().Path(), games.File("games.old.pgn"));
    EXPECT_EQ(session->window.File().currentGame, 1);
}

TEST_F(DirectorySearchCommandsTest, MoreThanAThousandFilesKeepTheFirstThousand) {
    search::ResultFileHeader header;
    header.directory = games.Path().string();
    header.kind = search::kVariationSearch;
    std::vector<search::ResultFileRecord> records(1001);
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i].name = "f" + std::to_string(i);
        records[i].games = {1};
    }
    WriteResult(ResultPath(), header, records);
    SelectEntry(-1);
    session->Command(kCmdDisplayDirSearch);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Maximum number 1000 search files exceeded."});
    EXPECT_EQ(shownEntries.size(), 1000u);
    EXPECT_EQ(shownTotal, "Total games: 1000");
    EXPECT_EQ(session->window.File().Path(), open);  // OK without a selection opens nothing
}

TEST_F(DirectorySearchCommandsTest, FileGoneSinceTheSearchCannotBeOpened) {
    SearchDirectory();
    session->Run();
    std::filesystem::remove(games.File("dortmund.pgn"));
    session->ClearRecords();
    SelectEntry(0);
    session->Command(kCmdDisplayDirSearch);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error opening file."});
    EXPECT_EQ(session->window.File().Path(), open);
}

// --- Save and Load Dir Search ---

TEST_F(DirectorySearchCommandsTest, SaveWithoutAResultFileMustSearchFirst) {
    session->Command(kCmdSaveDirSearch);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Must perform a directory search."});
    EXPECT_TRUE(session->platform.fileRequests.empty());
}

TEST_F(DirectorySearchCommandsTest, SavedCopyLoadsBackOverALaterResult) {
    SearchDirectory();
    session->Run();
    const std::string first = ReadWholeFile(ResultPath());
    session->platform.fileChoices.push_back(games.File("openings"));
    session->Command(kCmdSaveDirSearch);
    ASSERT_EQ(session->platform.fileRequests.size(), 1u);
    EXPECT_EQ(session->platform.fileRequests[0].title, "Select Directory Search File");
    EXPECT_EQ(session->platform.fileRequests[0].filter, "*.dir");
    EXPECT_TRUE(session->platform.fileRequests[0].saveDialog);
    EXPECT_EQ(ReadWholeFile(games.File("openings.dir")), first);

    work.Write(search::kResultFileName, "later");
    session->platform.fileChoices.push_back(games.File("openings.dir"));
    session->Command(kCmdLoadDirSearch);
    EXPECT_EQ(session->platform.fileRequests[1].fileName, "openings.dir");  // remembered
    EXPECT_EQ(ReadWholeFile(ResultPath()), first);
}

TEST_F(DirectorySearchCommandsTest, LoadAndSaveWaitForTheRunningSearch) {
    SearchDirectory();
    session->Run();
    session->platform.fileChoices.push_back(games.File("first"));
    session->Command(kCmdSaveDirSearch);
    const std::string first = ReadWholeFile(games.File("first.dir"));
    ASSERT_FALSE(first.empty());
    session->ClearRecords();

    // A second search is under way: its result file must be neither replaced nor copied half-written.
    SearchDirectory();
    const std::string running = ReadWholeFile(ResultPath());
    // Called directly: a posted command would run after the worker's report has ended the search.
    session->platform.fileChoices.push_back(games.File("first.dir"));
    commands().LoadDirSearch();
    session->platform.fileChoices.push_back(games.File("second"));
    commands().SaveDirSearch();
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Must terminate directory search first.",
                                                    "Must terminate directory search first."}));
    EXPECT_EQ(session->platform.fileRequests.size(), 1u);  // the first save's only
    EXPECT_EQ(ReadWholeFile(ResultPath()), running);
    EXPECT_FALSE(std::filesystem::exists(games.File("second.dir")));
    session->Run();
}

TEST_F(DirectorySearchCommandsTest, LoadOfAMissingOrCorruptFileKeepsTheResultFile) {
    work.Write(search::kResultFileName, "current");
    session->platform.fileChoices.push_back(games.File("none.dir"));
    session->Command(kCmdLoadDirSearch);
    games.Write("bad.dir", "not a result file");
    session->platform.fileChoices.push_back(games.File("bad.dir"));
    session->Command(kCmdLoadDirSearch);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Error opening file.", "Invalid search file."}));
    EXPECT_EQ(ReadWholeFile(ResultPath()), "current");
}

TEST_F(DirectorySearchCommandsTest, SaveToAnUncreatableFileSaysSo) {
    work.Write(search::kResultFileName, "current");
    session->platform.fileChoices.push_back(games.File("missing/x.dir"));
    session->Command(kCmdSaveDirSearch);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error opening file."});
}

// --- criteria files ---

TEST_F(DirectorySearchCommandsTest, SavedVariationLoadsBackAndIsShownInVariationEdit) {
    search::SearchCriteria& criteria = session->window.Search().criteria;
    chess::SetSanText(criteria.variation.whiteMoves[0], "e4");
    chess::SetSanText(criteria.variation.blackMoves[0], "c5");
    session->platform.fileChoices.push_back(games.File("sicilian"));
    session->Command(kCmdSaveVariation);
    EXPECT_EQ(session->platform.fileRequests[0].title, "Select Search Criteria File");
    EXPECT_EQ(session->platform.fileRequests[0].filter, "*.ser");
    EXPECT_EQ(ReadWholeFile(games.File("sicilian.ser")),
              search::EncodeCriteriaFile(search::kVariationSearch, 0, criteria));

    criteria.variation.Clear();
    session->platform.fileChoices.push_back(games.File("sicilian.ser"));
    session->Command(kCmdLoadVariation);
    EXPECT_EQ(criteria.variation.Plies(), 2);
    EXPECT_EQ(chess::SanView(criteria.variation.blackMoves[0]), "c5");
    EXPECT_EQ(posted, std::vector<int>{kCmdEditVariation});
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DirectorySearchCommandsTest, LoadVariationOfAPositionFileIsInvalidAndChangesNothing) {
    const std::string bytes =
        search::EncodeCriteriaFile(search::kPositionSearch, 0, search::SearchCriteria{});
    games.Write("pos.ser", bytes);
    chess::SetSanText(session->window.Search().criteria.variation.whiteMoves[0], "d4");
    session->platform.fileChoices.push_back(games.File("pos.ser"));
    session->Command(kCmdLoadVariation);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Invalid search file."});
    EXPECT_EQ(chess::SanView(session->window.Search().criteria.variation.whiteMoves[0]), "d4");
    EXPECT_TRUE(posted.empty());
}

TEST_F(DirectorySearchCommandsTest, LoadPositionPutsTheListsOnTheCriteriaBoardAndOpensThePositionEditor) {
    search::SearchCriteria saved;
    search::SetPositionEntry(saved.position.white[0], "Kg1");
    games.Write("king.ser", search::EncodeCriteriaFile(search::kPositionSearch, 0, saved));
    session->platform.fileChoices.push_back(games.File("king.ser"));
    session->Command(kCmdLoadPosition);
    EXPECT_EQ(search::PositionEntryText(session->window.Search().criteria.position.white[0]), "Kg1");
    EXPECT_NE(session->window.Search().criteriaBoard.squares, chess::Board{});
    EXPECT_EQ(posted, std::vector<int>{kCmdEditPosition});
}

TEST_F(DirectorySearchCommandsTest, MissingCriteriaFileCannotBeOpened) {
    session->platform.fileChoices.push_back(games.File("none.ser"));
    session->Command(kCmdLoadHeader);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error opening file."});
}

TEST_F(DirectorySearchCommandsTest, HeaderFileSavedWithItsCombinationLoadsAllThreeParts) {
    search::SearchCriteria& criteria = session->window.Search().criteria;
    criteria.header[search::HeaderField::kBlack] = "*";
    chess::SetSanText(criteria.variation.whiteMoves[0], "c4");
    commands().headerCombination = search::kWithBoth;
    session->platform.fileChoices.push_back(games.File("english.ser"));
    session->Command(kCmdSaveHeader);
    const std::string bytes = ReadWholeFile(games.File("english.ser"));
    ASSERT_EQ(bytes.size(), 8u + 880u + 3200u + 640u);
    EXPECT_EQ(bytes[4], search::kWithBoth);

    criteria = search::SearchCriteria{};
    commands().headerCombination = search::kAlone;
    session->platform.fileChoices.push_back(games.File("english.ser"));
    session->Command(kCmdLoadHeader);
    EXPECT_EQ(criteria.header[search::HeaderField::kBlack], "*");
    EXPECT_EQ(chess::SanView(criteria.variation.whiteMoves[0]), "c4");
    EXPECT_EQ(commands().headerCombination, search::kWithBoth);
    EXPECT_EQ(posted, std::vector<int>{kCmdEditVariation});
}

TEST_F(DirectorySearchCommandsTest, CancelledFileDialogDoesNothing) {
    session->Command(kCmdLoadVariation);
    session->Command(kCmdSaveHeader);
    EXPECT_EQ(session->platform.fileRequests.size(), 2u);
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(posted.empty());
}

}  // namespace
}  // namespace ravelin::shell
