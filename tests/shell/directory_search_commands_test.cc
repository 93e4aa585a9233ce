#include "shell/commands/directory_search_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

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

namespace ravelin::shell {
namespace {

using ravelin::testing::ReadWholeFile;
using testing_support::DataText;
using Texts = std::vector<std::string>;

// A directory of three real PGN files with world_matches.pgn open at game 4, and a stand-in search
// that matches the second and third games of every file with more than two games, so that the
// test knows what the directory search must find without depending on the searches' own rules.
class DirectorySearchCommandsTest : public ::testing::Test, protected testing_support::Dirs {
  protected:
    DirectorySearchCommandsTest() : session(work.Path().string()) {
        files.Write("world_matches.pgn", DataText("pgn/world_matches.pgn"));
        files.Write("dortmund.pgn", DataText("pgn/dortmund.pgn"));
        files.Write("games.old.pgn", DataText("pgn/promotion.pgn"));
        for (const int id : {kCmdDisplayGame, kCmdEditVariation, kCmdEditPosition}) {
            session.window.Handlers().Set(id, [this, id] { posted.push_back(id); });
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
        session.Start(open);
        session.window.File().currentGame = 4;
        session.ClearRecords();
        posted.clear();
    }
    DirectorySearchCommands& commands() { return session.window.DirectorySearch(); }
    gamefile::BackgroundWorker& worker() { return session.window.FastFile().Worker(); }
    std::string File(const char* name) const { return files.File(name); }
    std::string ResultPath() const { return work.File(search::kResultFileName); }
    // Runs a position search over the directory and waits for the worker; the report stays queued.
    void SearchDirectory() {
        ASSERT_TRUE(commands().Start(search::kPositionSearch, search::kAlone));
        worker().Join();
    }
    // A finished search with its report run and the records forgotten.
    void Searched() {
        SearchDirectory();
        session.Run();
        session.ClearRecords();
        posted.clear();
    }
    // Accepts the Select File dialog with an entry selected (or none), remembering what it showed.
    void SelectEntry(int index) {
        session.OnDialog<SelectFileDialog>([this, index](SelectFileDialog& select) {
            shownEntries = select.entries;
            shownTotal = select.totalLine;
            select.selected = index;
            return true;
        });
    }
    void ExpectOpen(const std::string& path, int game) {
        EXPECT_EQ(session.window.File().Path(), path);
        EXPECT_EQ(session.window.File().currentGame, game);
    }

    const std::string open = files.File("world_matches.pgn");
    testing_support::Session session;
    std::vector<int> posted;
    Texts searchedPaths;
    Texts shownEntries;
    std::string shownTotal;
};

// --- the search on the worker thread ---

TEST_F(DirectorySearchCommandsTest, SearchRunsInTheBackgroundAndAMinimizedWindowAsksAfterTheRestore) {
    session.platform.progress.Minimize();
    SearchDirectory();
    EXPECT_EQ(session.window.displayMode, kModeBackground);
    EXPECT_EQ(session.platform.progress.titles, Texts{"Search Directory"});
    // Each file was opened by the search itself, the open one included.
    EXPECT_EQ(searchedPaths, (Texts{File("dortmund.pgn"), File("games.old.pgn"), open}));
    ExpectOpen(open, 4);
    session.Run();
    EXPECT_TRUE(session.platform.messages.empty());
    EXPECT_EQ(worker().State(), gamefile::kRunFinishedResults);
    session.platform.progress.Restore();
    session.Run();
    ASSERT_EQ(session.platform.messages.size(), 1u);
    EXPECT_EQ(session.platform.messages[0].text, "Directory search complete. View results now?");
    EXPECT_TRUE(session.platform.messages[0].question);
    EXPECT_EQ(worker().State(), gamefile::kRunIdle);
    EXPECT_EQ(posted, std::vector<int>{kCmdDisplayGame});  // answered No
    EXPECT_NE(session.window.displayMode, kModeBackground);
    EXPECT_FALSE(session.platform.progress.open);
    EXPECT_TRUE(session.platform.dialogTitles.empty());
    // The progress line names each file with its number.
    const Texts& lines = session.platform.progress.lines;
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "Searching first file...");
    EXPECT_EQ(lines.back().rfind("File:  ", 0), 0u) << lines.back();
    EXPECT_NE(lines.back().find(" of 3 "), std::string::npos) << lines.back();
}

TEST_F(DirectorySearchCommandsTest, YesShowsTheListAndOkOpensTheFileOnItsFirstMatch) {
    session.platform.questionAnswers.push_back(platform::kAnswerYes);
    SelectEntry(0);
    SearchDirectory();
    session.Run();
    EXPECT_EQ(session.platform.dialogTitles, Texts{"Select File"});
    EXPECT_EQ(shownEntries, (Texts{"Dortmund:2", "World_matches:2"}));
    EXPECT_EQ(shownTotal, "Total games: 4");
    ExpectOpen(File("dortmund.pgn"), 2);
    EXPECT_EQ(session.window.File().PreviousPath(), open);
    EXPECT_EQ(posted, std::vector<int>{kCmdDisplayGame});
    const search::NavigationList& navigation = session.window.Search().navigation;
    ASSERT_NE(navigation.Current(), nullptr);
    EXPECT_EQ(navigation.Current()->games, (std::vector<int>{2, 3}));
    EXPECT_EQ(navigation.CurrentPly(), 5);
    EXPECT_TRUE(session.window.Search().searchActive);
}

TEST_F(DirectorySearchCommandsTest, NoMatchInAnyFileSaysSoAfterTheRestoreAndShowsTheGame) {
    commands().runSearch = [](search::SearchFile&, const search::SearchCriteria&, int, int,
                              search::SearchResult& result) {
        result.Clear();
        return 0;
    };
    session.platform.progress.Minimize();
    SearchDirectory();
    session.Run();
    EXPECT_EQ(worker().State(), gamefile::kRunFinishedNothing);
    EXPECT_TRUE(session.platform.messages.empty());
    session.platform.progress.Restore();
    session.Run();
    EXPECT_EQ(session.Messages(), Texts{"No matches were found."});
    EXPECT_EQ(posted, std::vector<int>{kCmdDisplayGame});
    EXPECT_FALSE(std::filesystem::exists(ResultPath()));
}

TEST_F(DirectorySearchCommandsTest, LongFileNameIsReportedOnTheWindowThreadAndASecondSearchRefused) {
    const std::string longName(55, 'x');
    files.Write(longName + ".pgn", DataText("pgn/promotion.pgn"));
    SearchDirectory();
    EXPECT_TRUE(session.Messages().empty());  // not shown from the worker thread
    EXPECT_FALSE(commands().Start(search::kPositionSearch, search::kAlone));
    session.Run();
    EXPECT_EQ(session.Messages(),
              (Texts{"Must terminate directory search first.", "Filename " + longName + " is too long."}));
    EXPECT_EQ(searchedPaths.size(), 3u);
}

TEST_F(DirectorySearchCommandsTest, DirectoryTooLongForTheResultFileIsRefused) {
    std::filesystem::path deep = files.Path();
    while (deep.string().size() < 210) {
        deep /= std::string(40, 'd');
    }
    std::filesystem::create_directories(deep);
    std::filesystem::copy_file(open, deep / "deep.pgn");
    testing_support::Session other(work.Path().string());
    other.Start((deep / "deep.pgn").string());
    other.ClearRecords();
    EXPECT_FALSE(other.window.DirectorySearch().Start(search::kPositionSearch, search::kAlone));
    EXPECT_EQ(other.Messages(), Texts{"The directory name is too long for a directory search."});
    EXPECT_NE(other.window.displayMode, kModeBackground);
}

TEST_F(DirectorySearchCommandsTest, RealHeaderSearchOfTheDirectoryListsThePlayersFiles) {
    commands().runSearch = search::RunSearch;
    session.window.Search().criteria.header[search::HeaderField::kWhite] = "Kasparov";
    session.platform.questionAnswers.push_back(platform::kAnswerYes);
    SelectEntry(1);
    ASSERT_TRUE(commands().Start(search::kHeaderSearch, search::kAlone));
    worker().Join();
    session.Run();
    // Games whose White is "Kasparov, Gary", counted outside the program: 4 in dortmund.pgn, 49 in
    // world_matches.pgn (the first at game 467), none in games.old.pgn.
    EXPECT_EQ(shownEntries, (Texts{"Dortmund:4", "World_matches:49"}));
    EXPECT_EQ(shownTotal, "Total games: 53");
    ExpectOpen(open, 467);
    EXPECT_EQ(session.window.Search().navigation.Current()->Count(), 49);
}

// --- Display Dir Search ---

TEST_F(DirectorySearchCommandsTest, DisplayWithoutOrWithACorruptResultFileSaysSo) {
    session.Command(kCmdDisplayDirSearch);
    work.Write(search::kResultFileName, std::string(300, '\x01'));
    session.Command(kCmdDisplayDirSearch);
    EXPECT_EQ(session.Messages(),
              (Texts{"There is no directory search to display.", "Invalid search file."}));
    EXPECT_TRUE(session.platform.dialogTitles.empty());
}

TEST_F(DirectorySearchCommandsTest, WinStatsNeedsASelectionCancelChangesNothingAndAGoneFileCannotBeOpened) {
    Searched();
    Texts statistics;
    session.platform.dialogScript = [&](platform::Dialog& dialog) {
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
    session.Command(kCmdDisplayDirSearch);
    EXPECT_EQ(session.Messages(), Texts{"Select a file first."});
    EXPECT_EQ(session.platform.dialogTitles, (Texts{"Select File", "Win Statistics"}));
    EXPECT_EQ(statistics, (Texts{"Number of games found: 2", "White wins: 1  50.0%", "Black wins: 1  50.0%",
                                 "Draws: 0  0.0%"}));
    ExpectOpen(open, 4);
    EXPECT_TRUE(posted.empty());

    std::filesystem::remove(File("dortmund.pgn"));
    session.ClearRecords();
    SelectEntry(0);
    session.Command(kCmdDisplayDirSearch);
    EXPECT_EQ(session.Messages(), Texts{"Error opening file."});
    EXPECT_EQ(session.window.File().Path(), open);
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
    header.directory = files.Path().string();
    header.kind = search::kHeaderSearch;
    header.flags = search::kFlagPliesMatched | search::kFlagEloFields;
    header.criteria.header[search::HeaderField::kWhite] = "Lasker";
    search::ResultFileRecord record;
    record.name = "games.old";
    record.games = {1};
    WriteResult(ResultPath(), header, {record});
    Texts statistics;
    session.platform.dialogScript = [&](platform::Dialog& dialog) {
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
    session.Command(kCmdDisplayDirSearch);
    EXPECT_EQ(shownEntries, Texts{"Games.Old:1"});
    EXPECT_EQ(statistics, (Texts{"Number of games found: 1", ""}));
    // The stored criteria became the window's, and the file named games.old is opened as itself.
    EXPECT_EQ(session.window.Search().criteria.header[search::HeaderField::kWhite], "Lasker");
    ExpectOpen(File("games.old.pgn"), 1);
}

TEST_F(DirectorySearchCommandsTest, MoreThanAThousandFilesKeepTheFirstThousand) {
    search::ResultFileHeader header;
    header.directory = files.Path().string();
    header.kind = search::kVariationSearch;
    std::vector<search::ResultFileRecord> records(1001);
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i].name = "f" + std::to_string(i);
        records[i].games = {1};
    }
    WriteResult(ResultPath(), header, records);
    SelectEntry(-1);
    session.Command(kCmdDisplayDirSearch);
    EXPECT_EQ(session.Messages(), Texts{"Maximum number 1000 search files exceeded."});
    EXPECT_EQ(shownEntries.size(), 1000u);
    EXPECT_EQ(shownTotal, "Total games: 1000");
    EXPECT_EQ(session.window.File().Path(), open);  // OK without a selection opens nothing
}

// --- Save and Load Dir Search ---

TEST_F(DirectorySearchCommandsTest, SaveNeedsAResultFileAndLoadKeepsItForAMissingOrCorruptFile) {
    session.Command(kCmdSaveDirSearch);
    EXPECT_TRUE(session.platform.fileRequests.empty());
    work.Write(search::kResultFileName, "current");
    session.platform.fileChoices = {File("missing/x.dir"), File("none.dir"),
                                    files.Write("bad.dir", "not a result file")};
    session.Command(kCmdSaveDirSearch);
    session.Command(kCmdLoadDirSearch);
    session.Command(kCmdLoadDirSearch);
    EXPECT_EQ(session.Messages(), (Texts{"Must perform a directory search.", "Error opening file.",
                                         "Error opening file.", "Invalid search file."}));
    EXPECT_EQ(ReadWholeFile(ResultPath()), "current");
}

TEST_F(DirectorySearchCommandsTest, SavedCopyLoadsBackOverALaterResult) {
    Searched();
    const std::string first = ReadWholeFile(ResultPath());
    session.platform.fileChoices.push_back(File("openings"));
    session.Command(kCmdSaveDirSearch);
    ASSERT_EQ(session.platform.fileRequests.size(), 1u);
    EXPECT_EQ(session.platform.fileRequests[0].title, "Select Directory Search File");
    EXPECT_EQ(session.platform.fileRequests[0].filter, "*.dir");
    EXPECT_TRUE(session.platform.fileRequests[0].saveDialog);
    EXPECT_EQ(ReadWholeFile(File("openings.dir")), first);

    work.Write(search::kResultFileName, "later");
    session.platform.fileChoices.push_back(File("openings.dir"));
    session.Command(kCmdLoadDirSearch);
    EXPECT_EQ(session.platform.fileRequests[1].fileName, "openings.dir");  // remembered
    EXPECT_EQ(ReadWholeFile(ResultPath()), first);
}

TEST_F(DirectorySearchCommandsTest, LoadAndSaveWaitForTheRunningSearch) {
    Searched();
    session.platform.fileChoices.push_back(File("first"));
    session.Command(kCmdSaveDirSearch);
    ASSERT_FALSE(ReadWholeFile(File("first.dir")).empty());
    session.ClearRecords();

    // A second search is under way: its result file must be neither replaced nor copied half-written.
    SearchDirectory();
    const std::string running = ReadWholeFile(ResultPath());
    // Called directly: a posted command would run after the worker's report has ended the search.
    session.platform.fileChoices.push_back(File("first.dir"));
    commands().LoadDirSearch();
    session.platform.fileChoices.push_back(File("second"));
    commands().SaveDirSearch();
    EXPECT_EQ(session.Messages(),
              (Texts{"Must terminate directory search first.", "Must terminate directory search first."}));
    EXPECT_EQ(session.platform.fileRequests.size(), 1u);  // the first save's only
    EXPECT_EQ(ReadWholeFile(ResultPath()), running);
    EXPECT_FALSE(std::filesystem::exists(File("second.dir")));
    session.Run();
}

// --- criteria files ---

TEST_F(DirectorySearchCommandsTest, SavedVariationLoadsBackAndIsShownInVariationEdit) {
    search::SearchCriteria& criteria = session.window.Search().criteria;
    chess::SetSanText(criteria.variation.whiteMoves[0], "e4");
    chess::SetSanText(criteria.variation.blackMoves[0], "c5");
    session.platform.fileChoices.push_back(File("sicilian"));
    session.Command(kCmdSaveVariation);
    EXPECT_EQ(session.platform.fileRequests[0].title, "Select Search Criteria File");
    EXPECT_EQ(session.platform.fileRequests[0].filter, "*.ser");
    EXPECT_EQ(ReadWholeFile(File("sicilian.ser")),
              search::EncodeCriteriaFile(search::kVariationSearch, 0, criteria));

    criteria.variation.Clear();
    session.platform.fileChoices.push_back(File("sicilian.ser"));
    session.Command(kCmdLoadVariation);
    EXPECT_EQ(criteria.variation.Plies(), 2);
    EXPECT_EQ(chess::SanView(criteria.variation.blackMoves[0]), "c5");
    EXPECT_EQ(posted, std::vector<int>{kCmdEditVariation});
    EXPECT_TRUE(session.Messages().empty());
}

TEST_F(DirectorySearchCommandsTest, CancelledMissingOrWrongKindOfCriteriaFileChangesNothing) {
    session.Command(kCmdLoadVariation);  // cancelled
    session.Command(kCmdSaveHeader);     // cancelled
    files.Write("pos.ser", search::EncodeCriteriaFile(search::kPositionSearch, 0, search::SearchCriteria{}));
    chess::SetSanText(session.window.Search().criteria.variation.whiteMoves[0], "d4");
    session.platform.fileChoices = {File("pos.ser"), File("none.ser")};
    session.Command(kCmdLoadVariation);
    session.Command(kCmdLoadHeader);
    EXPECT_EQ(session.platform.fileRequests.size(), 4u);
    EXPECT_EQ(session.Messages(), (Texts{"Invalid search file.", "Error opening file."}));
    EXPECT_EQ(chess::SanView(session.window.Search().criteria.variation.whiteMoves[0]), "d4");
    EXPECT_TRUE(posted.empty());
}

TEST_F(DirectorySearchCommandsTest, LoadPositionPutsTheListsOnTheCriteriaBoardAndOpensThePositionEditor) {
    search::SearchCriteria saved;
    search::SetPositionEntry(saved.position.white[0], "Kg1");
    files.Write("king.ser", search::EncodeCriteriaFile(search::kPositionSearch, 0, saved));
    session.platform.fileChoices.push_back(File("king.ser"));
    session.Command(kCmdLoadPosition);
    EXPECT_EQ(search::PositionEntryText(session.window.Search().criteria.position.white[0]), "Kg1");
    EXPECT_NE(session.window.Search().criteriaBoard.squares, chess::Board{});
    EXPECT_EQ(posted, std::vector<int>{kCmdEditPosition});
}

TEST_F(DirectorySearchCommandsTest, HeaderFileSavedWithItsCombinationLoadsAllThreeParts) {
    search::SearchCriteria& criteria = session.window.Search().criteria;
    criteria.header[search::HeaderField::kBlack] = "*";
    chess::SetSanText(criteria.variation.whiteMoves[0], "c4");
    commands().headerCombination = search::kWithBoth;
    session.platform.fileChoices.push_back(File("english.ser"));
    session.Command(kCmdSaveHeader);
    const std::string bytes = ReadWholeFile(File("english.ser"));
    ASSERT_EQ(bytes.size(), 8u + 880u + 3200u + 640u);
    EXPECT_EQ(bytes[4], search::kWithBoth);

    criteria = search::SearchCriteria{};
    commands().headerCombination = search::kAlone;
    session.platform.fileChoices.push_back(File("english.ser"));
    session.Command(kCmdLoadHeader);
    EXPECT_EQ(criteria.header[search::HeaderField::kBlack], "*");
    EXPECT_EQ(chess::SanView(criteria.variation.whiteMoves[0]), "c4");
    EXPECT_EQ(commands().headerCombination, search::kWithBoth);
    EXPECT_EQ(posted, std::vector<int>{kCmdEditVariation});
}

}  // namespace
}  // namespace ravelin::shell
