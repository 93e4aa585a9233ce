#include "shell/commands/search_commands.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "eco/eco_table.h"
#include "search/directory_search_file.h"
#include "shell/command_ids.h"
#include "shell/commands/directory_search_commands.h"
#include "shell/commands/fast_file_commands.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/variation_editor.h"
#include "shell/dialogs/header_search_dialog.h"
#include "shell/dialogs/select_opening_dialog.h"
#include "shell/dialogs/win_statistics_dialog.h"
#include "shell/menus.h"
#include "shell_session.h"

namespace ravelin::shell {
namespace {

using testing_support::OwnSession;
using Texts = std::vector<std::string>;

// Five short games; the fake search below picks games by their first move.
const std::string kFiveGames =
    "[Event \"A\"]\n[Result \"1-0\"]\n\n1.e4 e5 2.Nf3 Nc6 1-0\n\n"
    "[Event \"B\"]\n[Result \"0-1\"]\n\n1.d4 d5 2.c4 e6 0-1\n\n"
    "[Event \"C\"]\n[Result \"1-0\"]\n\n1.e4 c5 2.Nf3 d6 3.d4 cxd4 1-0\n\n"
    "[Event \"D\"]\n[Result \"1/2-1/2\"]\n\n1.c4 e5 1/2-1/2\n\n"
    "[Event \"E\"]\n[Result \"0-1\"]\n\n1.e4 e6 2.d4 d5 0-1\n";

void SetVariation(search::SearchVariation& variation, std::initializer_list<const char*> plies) {
    variation.Clear();
    int ply = 1;
    for (const char* move : plies) {
        chess::SetSanText(variation.MoveOfPly(ply++), move);
    }
}

// Searches only by the first white move against the criteria's first variation move, matching at
// ply: enough to see what the commands do with a result.
class SearchCommandsTest : public ::testing::Test {
  protected:
    SearchCommandsTest() : session(kFiveGames, "five.pgn") {
        session.window.Searches().runSearch = [this](search::SearchFile& file,
                                                     const search::SearchCriteria& criteria, int kind,
                                                     int combination, search::SearchResult& result) {
            static const char* const kFirstMoves[] = {"e4", "d4", "e4", "c4", "e4"};
            ++calls;
            lastKind = kind;
            lastCombination = combination;
            result.Clear();
            for (int game = 1; game <= file.gameCount && game <= 5; ++game) {
                if (chess::SanView(criteria.variation.whiteMoves[0]) ==
                    std::string_view(kFirstMoves[game - 1])) {
                    result.Add(game, search::kOutcomeOther, ply);
                }
            }
            result.pliesMatched = criteria.variation.Plies();
            return result.Count();
        };
    }
    void Variation(std::initializer_list<const char*> plies) {
        SetVariation(session.window.Search().criteria.variation, plies);
    }
    int Game() { return session.window.File().currentGame; }
    int Ply() { return session.window.Viewer().Display().CurrentPly(); }
    std::string LastMessage() { return session.Messages().empty() ? "" : session.Messages().back(); }
    OwnSession session;
    int calls = 0;
    int lastKind = 0;
    int lastCombination = -1;
    int ply = 0;
};

// Every command that names a search: refused with a message while its criteria are missing, run
// with its kind and combination once they are there, on the worker for a directory.
TEST_F(SearchCommandsTest, EverySearchCommandChecksItsCriteriaAndRunsItsKindAndCombination) {
    std::vector<std::pair<int, int>> started;
    session.window.Searches().startDirectorySearch = [&](int kind, int combination) {
        started.emplace_back(kind, combination);
    };
    const std::set<std::string> refusals = {kNoVariationEntered, kNoPositionEntered, kNoHeaderEntered};
    int searches = 0;
    for (int id = kFirstCommandId; id <= kLastCommandId; ++id) {
        SearchRequest request;
        bool directory = false;
        if (!SearchRequestOf(id, request, directory)) {
            continue;
        }
        SCOPED_TRACE(id);
        ++searches;
        SearchSession& search = session.window.Search();
        search.criteria = search::SearchCriteria{};
        search.criteriaBoard = search::CriteriaBoard{};
        session.ClearRecords();
        started.clear();
        const int callsBefore = calls;
        session.Command(id);
        ASSERT_EQ(session.Messages().size(), 1u);
        EXPECT_EQ(refusals.count(session.Messages()[0]), 1u) << session.Messages()[0];
        EXPECT_EQ(calls, callsBefore);
        EXPECT_TRUE(started.empty());
        Variation({"e4"});
        search.criteriaBoard.squares[6][3] = chess::kKnight;
        search.criteria.header[search::HeaderField::kWhite] = "Morrow";
        session.Command(id);
        if (directory) {
            EXPECT_EQ(started, (std::vector<std::pair<int, int>>{{request.kind, request.combination}}));
            EXPECT_EQ(calls, callsBefore);
        } else {
            EXPECT_EQ(calls, callsBefore + 1);
            EXPECT_EQ(lastKind, request.kind);
            EXPECT_EQ(lastCombination, request.combination);
        }
    }
    EXPECT_GT(searches, 0);
}

// One match is counted, navigated and shown at the searched position; several open the statistics.
TEST_F(SearchCommandsTest, MatchesAreCountedNavigatedAndShownAtTheSearchedPosition) {
    Variation({"e4", "e4"});
    session.Command(kCmdVariationSearchFile);
    EXPECT_EQ(session.Messages(), Texts{"The variation's move e4 cannot be played."});
    EXPECT_EQ(calls, 0);
    Variation({"d4"});
    ply = 3;
    session.Command(kCmdVariationSearchFile);
    EXPECT_EQ(LastMessage(), "Number of games found: 1");
    EXPECT_EQ(Game(), 2);
    EXPECT_EQ(session.window.displayMode, kModeGame);
    EXPECT_EQ(Ply(), 0);
    session.Command(kCmdSearchedPosition);
    EXPECT_EQ(Ply(), 3);
    // Next stays on the only match; a search finding nothing keeps the list.
    session.Command(kCmdNextGame);
    EXPECT_EQ(Game(), 2);
    Variation({"g4"});
    session.Command(kCmdVariationSearchFile);
    EXPECT_EQ(LastMessage(), "Number of games found: 0");
    ASSERT_TRUE(session.window.Search().navigation.Active());
    EXPECT_EQ(session.window.Search().navigation.Current()->Count(), 1);
    // A variation match without a ply: the position after the variation.
    ply = 0;
    Variation({"d4", "*", "c4"});
    session.Command(kCmdVariationSearchFile);
    session.Command(kCmdSearchedPosition);
    EXPECT_EQ(Ply(), 3);
    // Several matches open the statistics instead, until Reset Navigation walks all games again.
    search::SearchResult shown;
    session.window.Searches().showWinStatistics = [&](const search::SearchResult& result) { shown = result; };
    session.ClearRecords();
    Variation({"e4", "*"});
    session.Command(kCmdVariationSearchFile);
    EXPECT_EQ(shown.Count(), 3);
    EXPECT_TRUE(session.Messages().empty());
    session.Command(kCmdNextGame);
    EXPECT_EQ(Game(), 3);
    EXPECT_EQ(session.window.ContextMenu(), "GamezMenu");
    session.Command(kCmdResetNavigation);
    EXPECT_FALSE(session.window.Search().navigation.Active());
    EXPECT_EQ(session.window.ContextMenu(), "GameMenu");
    session.Command(kCmdNextGame);
    EXPECT_EQ(Game(), 4);
}

TEST(RealSearches, HeaderSearchFromTheDialogAndWithTheStatisticsDialog) {
    OwnSession session(kFiveGames, "five.pgn");
    search::HeaderCriteria& header = session.window.Search().criteria.header;
    header[search::HeaderField::kResult] = "1-0";
    Texts seen;
    session.OnDialog<HeaderSearchDialog>([&seen](HeaderSearchDialog& dialog) {
        seen.push_back(dialog.fields[search::HeaderField::kResult]);
        // A field longer than the criteria file holds is refused.
        dialog.fields[search::HeaderField::kBlack] = std::string(80, 'x');
        EXPECT_EQ(dialog.Validate(), "A field has at most 79 characters: Black");
        dialog.fields[search::HeaderField::kBlack].clear();
        dialog.fields[search::HeaderField::kEvent] = "c";
        dialog.chosen = HeaderDialogButton::kSearchFile;
        return true;
    });
    session.Command(kCmdEditHeader);
    EXPECT_EQ(seen, Texts{"1-0"});
    EXPECT_EQ(session.Messages(), Texts{"Number of games found: 1"});
    EXPECT_EQ(session.window.File().currentGame, 3);
    EXPECT_EQ(header[search::HeaderField::kEvent], "c");
    // Two Black wins: the Win Statistics dialog, and Next and Prev walk the two games.
    search::WinStatisticsLines lines;
    session.OnDialog<WinStatisticsDialog>([&lines](WinStatisticsDialog& statistics) {
        lines = statistics.lines;
        return true;
    });
    header.Clear();
    header[search::HeaderField::kResult] = "0-1";
    session.ClearRecords();
    session.Command(kCmdHeaderSearchFile);
    EXPECT_EQ(session.platform.dialogTitles, Texts{search::kWinStatisticsTitle});
    EXPECT_EQ(lines.gamesFound, "Number of games found: 2");
    EXPECT_EQ(lines.blackWins.substr(0, 13), "Black wins: 2");
    std::vector<int> walked{session.window.File().currentGame};
    for (int id : {kCmdNextGame, kCmdNextGame, kCmdPrevGame, kCmdPrevGame}) {
        session.Command(id);
        walked.push_back(session.window.File().currentGame);
    }
    EXPECT_EQ(walked, (std::vector<int>{2, 5, 5, 2, 2}));  // Next and Prev stop at the ends
}

TEST(RealSearches, VariationSearchFindsTranspositionsUntilExactVariationIsOnAndPositionSearch) {
    OwnSession session(kFiveGames, "five.pgn");
    SetVariation(session.window.Search().criteria.variation, {"Nf3", "*", "e4"});
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
    EXPECT_TRUE(session.window.Menus().Checked(kCmdExactVariation));
    EXPECT_FALSE(session.window.Menus().Checked(kCmdForceMatch));
    session.ClearRecords();
    session.Command(kCmdVariationSearchFile);
    EXPECT_EQ(session.Messages(), Texts{"Number of games found: 0"});
    // A white knight on f3 and a black pawn on c5 from the editor's board: 1.e4 c5 2.Nf3 of game 3.
    search::CriteriaBoard& board = session.window.Search().criteriaBoard;
    board.squares[6][3] = chess::kKnight;
    board.squares[3][5] = chess::kPawn + chess::kBlackOffset;
    session.ClearRecords();
    session.Command(kCmdPositionSearchFile);
    EXPECT_EQ(session.Messages(), Texts{"Number of games found: 1"});
    EXPECT_EQ(session.window.File().currentGame, 3);
    EXPECT_EQ(session.window.ContextMenu(), "GamezMenu");
    session.Command(kCmdSearchedPosition);
    EXPECT_EQ(session.window.Viewer().Display().CurrentPly(), 3);  // both stand after ply 3
}

// --- the opening finders, on the shipped ECO table ---

const std::string kRuyLopez =
    "[Event \"Ruy\"]\n[Result \"1-0\"]\n\n1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 1-0\n\n"
    "[Event \"Empty\"]\n[Result \"*\"]\n\n*\n";

TEST(OpeningCommands, FindOpeningSelectOpeningAndThePopupFinder) {
    OwnSession session(kRuyLopez);
    ASSERT_GT(session.window.Viewer().EcoTable().count, 0);
    session.Command(kCmdFindOpeningInGame);
    // "%s %s": the code, then the name of a Ruy Lopez line (the table has no line ending at 4...Nf6,
    // so the game is named after the longest line it is still inside).
    ASSERT_EQ(session.Messages().size(), 1u);
    EXPECT_EQ(session.Messages()[0].substr(0, 1), "C") << session.Messages()[0];
    EXPECT_NE(session.Messages()[0].find(" Ruy Lopez"), std::string::npos) << session.Messages()[0];
    session.ClearRecords();
    session.Command(kCmdNextGame);  // the game without moves
    session.Command(kCmdFindOpeningInGame);
    EXPECT_EQ(session.Messages(), Texts{"There are no moves to check."});
    // Select Opening opens in move order with nothing selected; OK needs a row, Cancel changes nothing.
    session.OnDialog<SelectOpeningDialog>([](SelectOpeningDialog& select) {
        EXPECT_EQ(select.List().order, eco::EcoSortOrder::kByMoves);
        EXPECT_EQ(select.selectedRow, -1);
        EXPECT_EQ(select.Validate(), kNoOpeningSelected);
        select.selectedRow = 0;
        EXPECT_EQ(select.Validate(), "");
        return false;
    });
    session.Command(kCmdSelectOpeningByMoves);
    EXPECT_EQ(session.platform.dialogTitles.size(), 1u);
    EXPECT_TRUE(session.window.Search().criteria.variation.Empty());
    // In Variation Edit the popup finder opens the list on the entry found and loads the chosen line.
    session.ClearRecords();
    search::SearchVariation& variation = session.window.Search().criteria.variation;
    SetVariation(variation, {"e4", "e5", "Nf3", "Nc6", "Bb5", "a6"});
    session.window.displayMode = kModeVariationEdit;
    std::string foundRow;
    int foundEntry = eco::kNoEcoEntry;
    session.OnDialog<SelectOpeningDialog>([&](SelectOpeningDialog& select) {
        foundEntry = select.ChosenEntry();
        foundRow = select.List().rows.at(static_cast<std::size_t>(select.selectedRow));
        select.SetOrder(eco::EcoSortOrder::kByName);  // another order keeps the selection on the entry
        EXPECT_EQ(select.ChosenEntry(), foundEntry);
        return true;
    });
    session.Command(kCmdFindExactVariation);
    EXPECT_EQ(session.platform.dialogTitles, Texts{"Find Opening - Exact Variation"});
    ASSERT_NE(foundEntry, eco::kNoEcoEntry);
    EXPECT_EQ(foundRow.substr(0, 3), "C70") << foundRow;
    // The chosen line replaced the variation, and "Edit Variation" shows it.
    EXPECT_EQ(variation.Plies(), 6);
    EXPECT_EQ(chess::SanView(variation.whiteMoves[2]), "Bb5");
    EXPECT_EQ(session.window.displayMode, kModeVariationEdit);
    EXPECT_EQ(session.window.Searches().Variation().Plies(), 6);
}

}  // namespace
}  // namespace ravelin::shell
