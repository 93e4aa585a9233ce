#include "shell/commands/directory_search_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <mutex>

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

// Three real PGN files, world_matches.pgn open at game 4, and a stand-in search that matches games 2
// and 3 of every file with more than two games: what the commands must find, whatever the search rules.
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
            {
                // The files are searched on several threads at once.
                std::lock_guard lock(searchedMutex);
                searchedPaths.push_back(file.path);
            }
            result.Clear();
            if (file.gameCount > 2) {
                result.Add(2, search::kOutcomeWhiteWon, 5);
                result.Add(3, search::kOutcomeBlackWon, 7);
            }
            return result.Count();
        };
        commands().splitSearch = {};
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
    // Answers Select File with entry index selected (-1: none), OK or Cancel, first pressing Win Stats
    // without and with the entry when asked to; keeps what the lists and the statistics showed.
    void SelectEntry(int index, bool accept = true, bool winStats = false) {
        session.platform.dialogScript = [=, this](platform::Dialog& dialog) {
            if (auto* stats = dynamic_cast<WinStatisticsDialog*>(&dialog)) {
                const search::WinStatisticsLines& l = stats->lines;
                statistics = {l.gamesFound, l.whiteWins, l.blackWins, l.draws};
                return true;
            }
            auto& select = dynamic_cast<SelectFileDialog&>(dialog);
            shownEntries = select.entries;
            shownTotal = select.totalLine;
            if (winStats) {
                select.PressWinStats();
                select.selected = index;
                select.PressWinStats();
            }
            select.selected = index;
            return accept;
        };
    }
    void ExpectOpen(const std::string& path, int game) {
        EXPECT_EQ(session.window.File().Path(), path);
        EXPECT_EQ(session.window.File().currentGame, game);
    }
    const std::string open = files.File("world_matches.pgn");
    testing_support::Session session;
    std::vector<int> posted;
    std::mutex searchedMutex;
    Texts searchedPaths;  // in the order the threads reached them
    Texts shownEntries;
    std::string shownTotal;
    Texts statistics;
};

TEST_F(DirectorySearchCommandsTest, SearchRunsInTheBackgroundAndAMinimizedWindowAsksAfterTheRestore) {
    session.platform.progress.Minimize();
    SearchDirectory();
    EXPECT_EQ(session.window.displayMode, kModeBackground);
    EXPECT_EQ(session.platform.progress.titles, Texts{"Search Directory"});
    // Each file was opened by the search itself, the open one included.
    std::sort(searchedPaths.begin(), searchedPaths.end());
    EXPECT_EQ(searchedPaths, (Texts{File("dortmund.pgn"), File("games.old.pgn"), open}));
    ExpectOpen(open, 4);
    session.Run();
    EXPECT_TRUE(session.platform.messages.empty());
    session.platform.progress.Restore();
    session.Run();
    ASSERT_EQ(session.platform.messages.size(), 1u);
    EXPECT_EQ(session.platform.messages[0].text, "Directory search complete. View results now?");
    EXPECT_EQ(posted, std::vector<int>{kCmdDisplayGame});  // answered No
    EXPECT_FALSE(session.platform.progress.open);
    // The progress line names each file with its number.
    ASSERT_FALSE(session.platform.progress.lines.empty());
    EXPECT_EQ(session.platform.progress.lines.front(), "Searching first file...");
    EXPECT_EQ(session.platform.progress.lines.back().rfind("File:  3 of 3 ", 0), 0u)
        << session.platform.progress.lines.back();
    // A file name too long is reported on the window thread, and a second search is refused meanwhile.
    const std::string longName(55, 'x');
    files.Write(longName + ".pgn", DataText("pgn/promotion.pgn"));
    SearchDirectory();
    EXPECT_TRUE(session.Messages().empty());  // not shown from the worker thread
    EXPECT_FALSE(commands().Start(search::kPositionSearch, search::kAlone));
    session.Run();
    EXPECT_EQ(session.Messages(),
              (Texts{"Must terminate directory search first.", "Filename " + longName + " is too long."}));
    EXPECT_EQ(searchedPaths.size(), 6u);  // the long name is not searched
}

TEST_F(DirectorySearchCommandsTest, NoMatchSaysSoAndADirectoryTooLongForTheResultFileIsRefused) {
    commands().runSearch = [](search::SearchFile&, const search::SearchCriteria&, int, int,
                              search::SearchResult& result) {
        result.Clear();
        return 0;
    };
    SearchDirectory();
    session.Run();
    EXPECT_EQ(session.Messages(), Texts{"No matches were found."});
    EXPECT_EQ(posted, std::vector<int>{kCmdDisplayGame});
    EXPECT_FALSE(std::filesystem::exists(ResultPath()));
    // A directory whose name is too long for the result file is refused.
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

// The real search: Yes shows the files with matches, OK opens the chosen one on its first match; the
// result file lists the files, and "Save Header" then stores that search's combination.
TEST_F(DirectorySearchCommandsTest, RealHeaderSearchOfTheDirectoryListsThePlayersFiles) {
    commands().runSearch = search::RunSearch;
    commands().headerCombination = search::kWithBoth;
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
    EXPECT_EQ(posted, std::vector<int>{kCmdDisplayGame});
    EXPECT_EQ(session.window.Search().navigation.Current()->Count(), 49);
    search::ResultFile result;
    ASSERT_EQ(search::LoadResultFile(ResultPath(), result), search::ResultFileLoad::kOk);
    ASSERT_EQ(result.records.size(), 2u);
    EXPECT_EQ(result.records[0].name, "dortmund");
    EXPECT_EQ(result.records[1].games.size(), 49u);
    EXPECT_EQ(result.header.combination, search::kAlone);
    EXPECT_EQ(commands().headerCombination, search::kAlone);
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

// More than a thousand files, the first (games.old) without win counts: the list keeps a thousand, that
// file's statistics have only the count, its stored criteria become the window's and it opens as itself.
TEST_F(DirectorySearchCommandsTest, MoreThanAThousandFilesAndAFileWithoutWinCounts) {
    search::ResultFileHeader header;
    header.directory = files.Path().string();
    header.kind = search::kHeaderSearch;
    header.flags = search::kFlagPliesMatched | search::kFlagEloFields;
    header.criteria.header[search::HeaderField::kWhite] = "Lasker";
    std::vector<search::ResultFileRecord> records(1001);
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i].name = i == 0 ? "games.old" : "f" + std::to_string(i);
        records[i].games = {1};
    }
    WriteResult(ResultPath(), header, records);
    SelectEntry(0, true, true);
    session.Command(kCmdDisplayDirSearch);
    EXPECT_EQ(session.Messages(),
              (Texts{"Maximum number 1000 search files exceeded.", "Select a file first."}));
    ASSERT_EQ(shownEntries.size(), 1000u);
    EXPECT_EQ(shownEntries[0], "Games.Old:1");
    EXPECT_EQ(shownTotal, "Total games: 1000");
    EXPECT_EQ(statistics, (Texts{"Number of games found: 1", "", "", ""}));
    EXPECT_EQ(session.window.Search().criteria.header[search::HeaderField::kWhite], "Lasker");
    ExpectOpen(File("games.old.pgn"), 1);
}

TEST_F(DirectorySearchCommandsTest, ResultFileCommandsSayWhatIsMissingAndWinStatisticsNeedsASelection) {
    session.Command(kCmdDisplayDirSearch);
    session.Command(kCmdSaveDirSearch);
    EXPECT_TRUE(session.platform.fileRequests.empty());
    work.Write(search::kResultFileName, std::string(300, '\x01'));
    session.Command(kCmdDisplayDirSearch);
    session.platform.fileChoices = {File("missing/x.dir"), File("none.dir"),
                                    files.Write("bad.dir", "not a result file")};
    session.Command(kCmdSaveDirSearch);
    session.Command(kCmdLoadDirSearch);
    session.Command(kCmdLoadDirSearch);
    EXPECT_EQ(session.Messages(),
              (Texts{"There is no directory search to display.", "Must perform a directory search.",
                     "Invalid search file.", "Error opening file.", "Error opening file.",
                     "Invalid search file."}));
    EXPECT_EQ(ReadWholeFile(ResultPath()), std::string(300, '\x01'));
    EXPECT_TRUE(session.platform.dialogTitles.empty());
    // After a search: Win Statistics needs a selection, Cancel changes nothing, a gone file cannot be opened.
    Searched();
    SelectEntry(1, false, true);
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

// A saved copy loads back over a later result; while a second search runs, its result file is neither
// replaced nor copied half-written.
TEST_F(DirectorySearchCommandsTest, SavedCopyLoadsBackAndLoadAndSaveWaitForTheRunningSearch) {
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
    SearchDirectory();
    const std::string running = ReadWholeFile(ResultPath());
    // Called directly: a posted command would run after the worker's report has ended the search.
    session.platform.fileChoices.push_back(File("openings.dir"));
    commands().LoadDirSearch();
    session.platform.fileChoices.push_back(File("second"));
    commands().SaveDirSearch();
    EXPECT_EQ(session.Messages(),
              (Texts{"Must terminate directory search first.", "Must terminate directory search first."}));
    EXPECT_EQ(session.platform.fileRequests.size(), 2u);
    EXPECT_EQ(ReadWholeFile(ResultPath()), running);
    EXPECT_FALSE(std::filesystem::exists(File("second.dir")));
    session.Run();
}

TEST_F(DirectorySearchCommandsTest,
       SavedVariationLoadsBackIntoVariationEditAndAPositionIntoThePositionEditor) {
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
    EXPECT_TRUE(session.Messages().empty());
    // A position file puts its lists on the criteria board and opens the position editor.
    search::SearchCriteria saved;
    search::SetPositionEntry(saved.position.white[0], "Kg1");
    session.platform.fileChoices.push_back(
        files.Write("king.ser", search::EncodeCriteriaFile(search::kPositionSearch, 0, saved)));
    session.Command(kCmdLoadPosition);
    EXPECT_EQ(search::PositionEntryText(criteria.position.white[0]), "Kg1");
    EXPECT_NE(session.window.Search().criteriaBoard.squares, chess::Board{});
    EXPECT_EQ(posted, (std::vector<int>{kCmdEditVariation, kCmdEditPosition}));
}

// A cancelled dialog, a missing file or one of another search's kind change nothing; a header file
// keeps its combination (byte 4) and loads all three parts.
TEST_F(DirectorySearchCommandsTest, CriteriaFilesOfAnotherKindChangeNothingAndAHeaderFileLoadsAllThreeParts) {
    search::SearchCriteria& criteria = session.window.Search().criteria;
    session.Command(kCmdLoadVariation);  // cancelled
    session.Command(kCmdSaveHeader);     // cancelled
    chess::SetSanText(criteria.variation.whiteMoves[0], "c4");
    session.platform.fileChoices = {
        files.Write("pos.ser",
                    search::EncodeCriteriaFile(search::kPositionSearch, 0, search::SearchCriteria{})),
        File("none.ser")};
    session.Command(kCmdLoadVariation);
    session.Command(kCmdLoadHeader);
    EXPECT_EQ(session.platform.fileRequests.size(), 4u);
    EXPECT_EQ(session.Messages(), (Texts{"Invalid search file.", "Error opening file."}));
    EXPECT_EQ(chess::SanView(criteria.variation.whiteMoves[0]), "c4");
    EXPECT_TRUE(posted.empty());
    criteria.header[search::HeaderField::kBlack] = "*";
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
