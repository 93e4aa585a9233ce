#include "shell/commands/search_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "search/directory_search_file.h"
#include "shell/command_ids.h"
#include "shell/commands/directory_search_commands.h"
#include "shell/commands/fast_file_commands.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/variation_editor.h"
#include "shell/dialogs/header_search_dialog.h"
#include "shell/dialogs/win_statistics_dialog.h"
#include "shell/menus.h"
#include "shell_session.h"
#include "temp_dir.h"

namespace ravelin::shell {
namespace {

using testing::TempDir;
using testing_support::Session;

// Five short games; the fake search below picks games by their first move.
const std::string kFiveGames =
    "[Event \"A\"]\n[Result \"1-0\"]\n\n1.e4 e5 2.Nf3 Nc6 1-0\n\n"
    "[Event \"B\"]\n[Result \"0-1\"]\n\n1.d4 d5 2.c4 e6 0-1\n\n"
    "[Event \"C\"]\n[Result \"1-0\"]\n\n1.e4 c5 2.Nf3 d6 3.d4 cxd4 1-0\n\n"
    "[Event \"D\"]\n[Result \"1/2-1/2\"]\n\n1.c4 e5 1/2-1/2\n\n"
    "[Event \"E\"]\n[Result \"0-1\"]\n\n1.e4 e6 2.d4 d5 0-1\n";

// Searches the way a search does, but only by the first white move and the criteria's first
// variation move: enough to see what the commands do with a result.
struct FirstMoveSearch {
    std::vector<std::string> firstMoves{"e4", "d4", "e4", "c4", "e4"};
    int calls = 0;
    int lastKind = 0;
    int lastCombination = -1;
    int ply = 0;

    int operator()(search::SearchFile& file, const search::SearchCriteria& criteria, int kind,
                   int combination, search::SearchResult& result) {
        ++calls;
        lastKind = kind;
        lastCombination = combination;
        result.Clear();
        const std::string wanted(chess::SanView(criteria.variation.whiteMoves[0]));
        for (int game = 1; game <= file.gameCount && game <= static_cast<int>(firstMoves.size()); ++game) {
            if (firstMoves[static_cast<std::size_t>(game - 1)] == wanted) {
                result.Add(game, search::kOutcomeOther, ply);
            }
        }
        result.pliesMatched = criteria.variation.Plies();
        return result.Count();
    }
};

class SearchCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path = files.Write("five.pgn", kFiveGames);
        session = std::make_unique<Session>(work.Path().string());
        session->Start(path);
        ASSERT_TRUE(session->window.File().IsOpen());
        ASSERT_EQ(session->window.File().GameCount(), 5);
        fake = std::make_shared<FirstMoveSearch>();
        auto shared = fake;
        session->window.Searches().runSearch = [shared](search::SearchFile& file,
                                                        const search::SearchCriteria& criteria, int kind,
                                                        int combination, search::SearchResult& result) {
            return (*shared)(file, criteria, kind, combination, result);
        };
        session->ClearRecords();
    }

    void SetVariation(std::initializer_list<const char*> plies) {
        search::SearchVariation& variation = session->window.Search().criteria.variation;
        variation.Clear();
        int ply = 1;
        for (const char* move : plies) {
            chess::SetSanText(variation.MoveOfPly(ply++), move);
        }
    }

    TempDir work;
    TempDir files;
    std::string path;
    std::unique_ptr<Session> session;
    std::shared_ptr<FirstMoveSearch> fake;
};

TEST_F(SearchCommandsTest, EveryFileSearchNeedsAnOpenFile) {
    TempDir otherWork;
    Session empty(otherWork.Path().string());
    empty.Start();
    empty.ClearRecords();
    for (int id : {112, 122, 132, 140, 142, 144, 146, 113, 123, 133, 141, 143, 145, 147}) {
        empty.Command(id);
        ASSERT_FALSE(empty.platform.MessageTexts().empty()) << id;
        EXPECT_EQ(empty.platform.MessageTexts().back(), "Must open a file.") << id;
    }
}

TEST_F(SearchCommandsTest, EmptyOrUnplayableCriteriaAreRefusedBeforeSearching) {
    session->Command(kCmdVariationSearchFile);
    EXPECT_EQ(session->platform.MessageTexts().back(), kNoVariationEntered);
    session->Command(kCmdPositionSearchFile);
    EXPECT_EQ(session->platform.MessageTexts().back(), kNoPositionEntered);
    session->Command(kCmdHeaderSearchFile);
    EXPECT_EQ(session->platform.MessageTexts().back(), kNoHeaderEntered);
    // A loaded variation whose second move cannot follow the first.
    SetVariation({"e4", "e4"});
    session->Command(kCmdVariationSearchFile);
    EXPECT_EQ(session->platform.MessageTexts().back(), "The variation's move e4 cannot be played.");
    EXPECT_EQ(fake->calls, 0);
}

TEST_F(SearchCommandsTest, OneMatchIsCountedNavigatedAndShown) {
    SetVariation({"d4"});
    session->Command(kCmdVariationSearchFile);
    ASSERT_EQ(fake->calls, 1);
    EXPECT_EQ(fake->lastKind, search::kVariationSearch);
    EXPECT_EQ(fake->lastCombination, search::kAlone);
    EXPECT_EQ(session->platform.MessageTexts().back(), "Number of games found: 1");
    EXPECT_EQ(session->window.File().currentGame, 2);
    EXPECT_EQ(session->window.displayMode, kModeGame);
    EXPECT_TRUE(session->window.Search().navigation.Active());
    // Next and Prev stay on the only match.
    session->Command(kCmdNextGame);
    EXPECT_EQ(session->window.File().currentGame, 2);
}

TEST_F(SearchCommandsTest, NoMatchKeepsTheNavigationOfTheSearchBefore) {
    SetVariation({"e4"});
    session->Command(kCmdVariationSearchFile);
    ASSERT_EQ(session->window.Search().navigation.Current()->Count(), 3);
    SetVariation({"g4"});
    session->Command(kCmdVariationSearchFile);
    EXPECT_EQ(session->platform.MessageTexts().back(), "Number of games found: 0");
    ASSERT_TRUE(session->window.Search().navigation.Active());
    EXPECT_EQ(session->window.Search().navigation.Current()->Count(), 3);
}

TEST_F(SearchCommandsTest, SeveralMatchesOpenTheStatisticsAndNextPrevWalkThem) {
    search::SearchResult shown;
    int statistics = 0;
    session->window.Searches().showWinStatistics = [&](const search::SearchResult& result) {
        shown = result;
        ++statistics;
    };
    SetVariation({"e4", "*"});
    session->Command(kCmdVariationSearchFile);
    EXPECT_EQ(statistics, 1);
    EXPECT_EQ(shown.Count(), 3);
    EXPECT_TRUE(session->platform.MessageTexts().empty());
    EXPECT_EQ(session->window.File().currentGame, 1);

    session->Command(kCmdNextGame);
    EXPECT_EQ(session->window.File().currentGame, 3);
    session->Command(kCmdNextGame);
    EXPECT_EQ(session->window.File().currentGame, 5);
    session->Command(kCmdNextGame);
    EXPECT_EQ(session->window.File().currentGame, 5);
    session->Command(kCmdPrevGame);
    session->Command(kCmdPrevGame);
    session->Command(kCmdPrevGame);
    EXPECT_EQ(session->window.File().currentGame, 1);

    // Without statistics the count is shown instead.
    session->window.Searches().showWinStatistics = nullptr;
    session->Command(kCmdVariationSearchFile);
    EXPECT_EQ(session->platform.MessageTexts().back(), "Number of games found: 3");
}

TEST_F(SearchCommandsTest, ResetNavigationWalksAllGamesAgain) {
    SetVariation({"e4"});
    session->Command(kCmdVariationSearchFile);
    EXPECT_EQ(session->window.ContextMenu(), "GamezMenu");
    session->Command(kCmdResetNavigation);
    EXPECT_FALSE(session->window.Search().navigation.Active());
    EXPECT_EQ(session->window.ContextMenu(), "GameMenu");
    session->Command(kCmdNextGame);
    EXPECT_EQ(session->window.File().currentGame, 2);
}

TEST_F(SearchCommandsTest, SearchedPositionGoesToThePlyOfTheMatch) {
    SetVariation({"e4"});
    fake->ply = 3;
    session->Command(kCmdVariationSearchFile);
    ASSERT_EQ(session->window.displayMode, kModeGame);
    EXPECT_EQ(session->window.Viewer().Display().CurrentPly(), 0);
    session->Command(kCmdSearchedPosition);
    EXPECT_EQ(session->window.Viewer().Display().CurrentPly(), 3);
    // A variation match without a ply: the position after the variation.
    fake->ply = 0;
    SetVariation({"e4", "*", "Nf3"});
    session->Command(kCmdVariationSearchFile);
    session->Command(kCmdSearchedPosition);
    EXPECT_EQ(session->window.Viewer().Display().CurrentPly(), 3);
}

TEST_F(SearchCommandsTest, OptionsToggleWithTheirCheckMarks) {
    auto checkedIn = [&](std::string_view menu, int id) {
        std::vector<const MenuNode*> stack{session->window.Menus().Find(menu)};
        while (!stack.empty()) {
            const MenuNode* node = stack.back();
            stack.pop_back();
            if (!node->IsPopup() && node->commandId == id) {
                EXPECT_TRUE(node->checkable);
                return node->checked;
            }
            for (const MenuNode& child : node->children) {
                stack.push_back(&child);
            }
        }
        ADD_FAILURE() << "no item " << id;
        return false;
    };
    EXPECT_FALSE(checkedIn("MainMenu", kCmdExactVariation));
    session->Command(kCmdExactVariation);
    EXPECT_TRUE(session->window.Search().criteria.options.exactVariation);
    EXPECT_TRUE(checkedIn("MainMenu", kCmdExactVariation));
    EXPECT_TRUE(checkedIn("VarMenu", kCmdExactVariation));
    EXPECT_FALSE(checkedIn("VarMenu", kCmdForceMatch));
    session->Command(kCmdForceMatch);
    session->Command(kCmdExactVariation);
    EXPECT_FALSE(session->window.Search().criteria.options.exactVariation);
    EXPECT_TRUE(session->window.Search().criteria.options.forceMatch);
    EXPECT_FALSE(checkedIn("MainMenu", kCmdExactVariation));
    EXPECT_TRUE(checkedIn("MainMenu", kCmdForceMatch));
}

TEST_F(SearchCommandsTest, CombinationsRunTheirKindAndCombination) {
    SetVariation({"e4"});
    struct Case {
        int id;
        int kind;
        int combination;
    };
    session->window.Search().criteria.header[search::HeaderField::kWhite] = "Morrow";
    for (Case c : {Case{142, 3, 1}}) {
        session->Command(c.id);
        EXPECT_EQ(fake->lastKind, c.kind);
        EXPECT_EQ(fake->lastCombination, c.combination);
    }
    SearchRequest request;
    bool directory = false;
    ASSERT_TRUE(SearchRequestOf(147, request, directory));
    EXPECT_TRUE(directory);
    EXPECT_EQ(request.kind, search::kHeaderSearch);
    EXPECT_EQ(request.combination, search::kWithBoth);
    ASSERT_TRUE(SearchRequestOf(140, request, directory));
    EXPECT_FALSE(directory);
    EXPECT_EQ(request.combination, search::kWithPosition);
    EXPECT_FALSE(SearchRequestOf(150, request, directory));
}

TEST_F(SearchCommandsTest, DirectorySearchStartsWithPreparedCriteria) {
    session->Command(113);
    EXPECT_EQ(session->platform.MessageTexts().back(), kNoVariationEntered);
    SetVariation({"e4", "e5"});
    std::vector<std::pair<int, int>> started;
    session->window.Searches().startDirectorySearch = [&](int kind, int combination) {
        started.emplace_back(kind, combination);
    };
    session->Command(113);
    session->window.Search().criteria.header[search::HeaderField::kEvent] = "A";
    session->Command(143);
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0], std::make_pair(1, 0));
    EXPECT_EQ(started[1], std::make_pair(3, 1));
    EXPECT_EQ(fake->calls, 0);
}

TEST_F(SearchCommandsTest, HeaderDialogKeepsFieldsAndSearchesFromItsButtons) {
    session->window.Search().criteria.header[search::HeaderField::kSite] = "Dortmund";
    std::vector<std::string> seenSite;
    session->platform.dialogScript = [&](platform::Dialog& dialog) {
        auto* header = dynamic_cast<HeaderSearchDialog*>(&dialog);
        if (header == nullptr) {
            return false;
        }
        seenSite.push_back(header->fields[search::HeaderField::kSite]);
        header->fields[search::HeaderField::kEvent] = "B";
        header->chosen = HeaderDialogButton::kSearchFile;
        return true;
    };
    session->Command(kCmdEditHeader);
    ASSERT_EQ(seenSite.size(), 1u);
    EXPECT_EQ(seenSite[0], "Dortmund");
    EXPECT_EQ(session->window.Search().criteria.header[search::HeaderField::kEvent], "B");
    EXPECT_EQ(fake->calls, 1);
    EXPECT_EQ(fake->lastKind, search::kHeaderSearch);

    // Cancel changes nothing.
    session->platform.dialogScript = [](platform::Dialog& dialog) {
        dynamic_cast<HeaderSearchDialog&>(dialog).Clear();
        return false;
    };
    session->Command(kCmdEditHeader);
    EXPECT_EQ(session->window.Search().criteria.header[search::HeaderField::kEvent], "B");
    EXPECT_EQ(fake->calls, 1);
}

// The header search itself, from the dialog's "Search File" to the navigation list.
TEST(HeaderSearchCommands, RealSearchOfTheOpenFileBecomesTheNavigationList) {
    TempDir work;
    TempDir files;
    Session session(work.Path().string());
    session.Start(files.Write("five.pgn", kFiveGames));
    ASSERT_EQ(session.window.File().GameCount(), 5);
    session.platform.dialogScript = [](platform::Dialog& dialog) {
        auto& header = dynamic_cast<HeaderSearchDialog&>(dialog);
        header.fields[search::HeaderField::kEvent] = "c";
        header.chosen = HeaderDialogButton::kSearchFile;
        return true;
    };
    session.ClearRecords();
    session.Command(kCmdEditHeader);
    EXPECT_EQ(session.platform.MessageTexts(), std::vector<std::string>{"Number of games found: 1"});
    EXPECT_EQ(session.window.File().currentGame, 3);
    EXPECT_EQ(session.window.displayMode, kModeGame);

    int statistics = 0;
    session.window.Searches().showWinStatistics = [&](const search::SearchResult& result) {
        statistics = result.Count();
        EXPECT_EQ(result.blackWins, 2);
    };
    search::HeaderCriteria& header = session.window.Search().criteria.header;
    header.Clear();
    header[search::HeaderField::kResult] = "0-1";
    session.Command(kCmdHeaderSearchFile);
    EXPECT_EQ(statistics, 2);
    EXPECT_EQ(session.window.File().currentGame, 2);
    session.Command(kCmdNextGame);
    EXPECT_EQ(session.window.File().currentGame, 5);
    session.Command(kCmdNextGame);
    EXPECT_EQ(session.window.File().currentGame, 5);
    session.Command(kCmdPrevGame);
    EXPECT_EQ(session.window.File().currentGame, 2);
}

// The variation search itself: 1. e4 with any reply, in transposition order.
TEST(VariationSearchCommands, RealSearchFindsTheGamesOfTheVariation) {
    TempDir work;
    TempDir files;
    Session session(work.Path().string());
    session.Start(files.Write("five.pgn", kFiveGames));
    search::SearchVariation& variation = session.window.Search().criteria.variation;
    chess::SetSanText(variation.MoveOfPly(1), "Nf3");
    chess::SetSanText(variation.MoveOfPly(2), "*");
    chess::SetSanText(variation.MoveOfPly(3), "e4");
    std::vector<int> games;
    session.window.Searches().showWinStatistics = [&](const search::SearchResult& result) {
        for (const search::SearchMatch& match : result.matches) {
            games.push_back(match.game);
        }
    };
    session.Command(kCmdVariationSearchFile);
    // Games 1 and 3 play e4 and Nf3 as their first two white moves; game 5 plays e4 and d4.
    EXPECT_EQ(games, (std::vector<int>{1, 3}));
    EXPECT_EQ(session.window.File().currentGame, 1);
    session.Command(kCmdExactVariation);
    session.ClearRecords();
    session.Command(kCmdVariationSearchFile);
    EXPECT_EQ(session.platform.MessageTexts(), std::vector<std::string>{"Number of games found: 0"});
}

// The position search itself: a white knight on f3 and a black pawn on c5, from the editor's board.
TEST(PositionSearchCommands, RealSearchGoesToTheSearchedPosition) {
    TempDir work;
    TempDir files;
    Session session(work.Path().string());
    session.Start(files.Write("five.pgn", kFiveGames));
    search::CriteriaBoard& board = session.window.Search().criteriaBoard;
    board.squares[6][3] = chess::kKnight;
    board.squares[3][5] = chess::kPawn + chess::kBlackOffset;
    session.ClearRecords();
    session.Command(kCmdPositionSearchFile);
    EXPECT_EQ(session.platform.MessageTexts(), std::vector<std::string>{"Number of games found: 1"});
    EXPECT_EQ(session.window.File().currentGame, 3);
    EXPECT_EQ(session.window.ContextMenu(), "GamezMenu");
    session.Command(kCmdSearchedPosition);
    // 1.e4 c5 2.Nf3: both stand after ply 3.
    EXPECT_EQ(session.window.Viewer().Display().CurrentPly(), 3);
}

TEST(HeaderSearchDialog, RefusesAFieldTooLongForTheCriteriaFile) {
    search::HeaderCriteria criteria;
    HeaderSearchDialog dialog(criteria);
    EXPECT_EQ(dialog.Validate(), "");
    dialog.fields[search::HeaderField::kBlack] = std::string(79, 'x');
    EXPECT_EQ(dialog.Validate(), "");
    dialog.fields[search::HeaderField::kBlack] += "x";
    EXPECT_EQ(dialog.Validate(), "A field has at most 79 characters: Black");
    dialog.Clear();
    EXPECT_TRUE(dialog.fields.Empty());
}

}  // namespace
}  // namespace ravelin::shell

namespace ravelin::shell {
namespace {

// The window as it starts: a search with several matches opens the Win Statistics dialog, and the
// directory commands run the directory search on the worker.
TEST(SearchCommandsWiring, StatisticsDialogAndDirectorySearchAreConnected) {
    TempDir work;
    TempDir files;
    Session session(work.Path().string());
    session.Start(files.Write("five.pgn", kFiveGames));
    files.Write("other.pgn", "[Event \"F\"]\n[Result \"1-0\"]\n\n1.e4 d5 1-0\n");
    search::WinStatisticsLines lines;
    session.platform.dialogScript = [&lines](platform::Dialog& dialog) {
        if (auto* statistics = dynamic_cast<WinStatisticsDialog*>(&dialog)) {
            lines = statistics->lines;
        }
        return true;
    };
    session.window.Search().criteria.header[search::HeaderField::kResult] = "0-1";
    session.ClearRecords();
    session.Command(kCmdHeaderSearchFile);
    EXPECT_EQ(session.platform.dialogTitles, std::vector<std::string>{search::kWinStatisticsTitle});
    EXPECT_EQ(lines.gamesFound, "Number of games found: 2");
    EXPECT_EQ(lines.blackWins.substr(0, 13), "Black wins: 2");

    session.window.Search().criteria.header[search::HeaderField::kResult] = "1-0";
    session.Command(kCmdHeaderSearchDirectory);
    session.window.FastFile().Worker().Join();
    session.Run();
    // Both files of the directory have a White win: the result file lists them.
    search::ResultFile result;
    ASSERT_EQ(search::LoadResultFile(work.File(search::kResultFileName), result),
              search::ResultFileLoad::kOk);
    ASSERT_EQ(result.records.size(), 2u);
    EXPECT_EQ(result.records[0].name, "five");
    EXPECT_EQ(result.records[0].games, (std::vector<int>{1, 3}));
    EXPECT_EQ(result.records[1].name, "other");
    EXPECT_EQ(result.header.combination, search::kAlone);
    // "Save Header" now stores the combination of that search.
    EXPECT_EQ(session.window.DirectorySearch().headerCombination, search::kAlone);
}

}  // namespace
}  // namespace ravelin::shell
