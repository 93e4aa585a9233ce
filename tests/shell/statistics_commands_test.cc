// "Select", "Return" and the reports by command id, as the menus give them.

#include "shell/commands/statistics_commands.h"

#include <gtest/gtest.h>

#include "shell/command_ids.h"
#include "shell/commands/search_session.h"
#include "shell/dialogs/header_search_dialog.h"
#include "shell/dialogs/report_dialogs.h"
#include "shell_session.h"

namespace ravelin::shell {
namespace {

using testing_support::DataText;
using testing_support::OwnSession;

// Answers the list dialogs with scripted button presses in turn, recording each list's rows.
struct ListScript {
    struct Press {
        int button;
        int row;
    };
    std::vector<Press> presses;
    std::vector<std::vector<std::string>> shown;  // the first rows of each list shown

    void Install(OwnSession& session) {
        session.platform.dialogScript = [this](platform::Dialog& dialog) {
            auto* list = dynamic_cast<ReportListDialog*>(&dialog);
            if (list == nullptr || presses.empty()) {
                return false;
            }
            std::vector<std::string> rows;
            for (int row = 0; row < list->rowCount && row < 3; ++row) {
                rows.push_back(list->rowText(row));
            }
            rows.push_back(std::to_string(list->rowCount) + " rows, selected " +
                           std::to_string(list->selectedRow));
            shown.push_back(rows);
            const Press press = presses.front();
            presses.erase(presses.begin());
            list->chosenButton = press.button;
            list->selectedRow = press.row;
            return list->Validate().empty();
        };
    }
};

TEST(StatisticsCommandsTest, SelectShowsTheChosenGameAndReturnGoesBack) {
    OwnSession session(DataText("pgn/dortmund.pgn"));
    session.window.displayMode = kModeGame;
    ListScript script{{{3, -1}, {1, -1}, {0, 41}}, {}};
    script.Install(session);
    session.Command(kCmdSelectGame);  // Alt Info, Current, then OK on row 41

    ASSERT_EQ(script.shown.size(), 3u);
    EXPECT_EQ(script.shown[0].back(), "347 rows, selected -1");
    EXPECT_EQ(script.shown[0][0].substr(0, 6), "   1  ");
    EXPECT_NE(script.shown[1][0], script.shown[0][0]);          // the second format
    EXPECT_EQ(script.shown[2].back(), "347 rows, selected 0");  // "Current" found game 1
    EXPECT_EQ(session.window.File().currentGame, 42);
    EXPECT_EQ(session.window.View().gameLine, "Game:  42 of 347");

    session.Command(kCmdReturn);
    EXPECT_EQ(session.window.File().currentGame, 1);
    session.Command(kCmdReturn);
    EXPECT_EQ(session.window.File().currentGame, 42);
}

TEST(StatisticsCommandsTest, WithANavigationListTheRowsAreItsGames) {
    OwnSession session(DataText("pgn/dortmund.pgn"));
    session.window.Search().navigation.Set(search::MatchListKind::kHeader, {5, 17, 300}, {});
    ListScript script{{{0, 2}}, {}};
    script.Install(session);
    session.Command(kCmdSelectGame);
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].back(), "3 rows, selected -1");
    EXPECT_EQ(script.shown[0][1].substr(0, 6), "  17  ");
    EXPECT_EQ(session.window.File().currentGame, 300);
    EXPECT_EQ(session.window.Search().navigation.Current()->position, 3);
}

TEST(StatisticsCommandsTest, SelectHandsOverToTheDatabaseWhileItsViewIsActive) {
    OwnSession session;
    bool databaseView = true;
    session.window.Statistics().databaseViewActive = [&databaseView] { return databaseView; };
    int handedOver = 0;
    auto select = [&] {
        session.platform.PostCommand(kCmdSelectGame);
        session.platform.RunPending([&](int id) {
            if (id == kCmdDatabaseResultList) {
                ++handedOver;
            } else {
                session.window.HandleCommand(id);
            }
        });
    };
    select();
    EXPECT_EQ(handedOver, 1);
    EXPECT_TRUE(session.Messages().empty());
    databaseView = false;
    select();
    EXPECT_EQ(handedOver, 1);
    EXPECT_EQ(session.Messages(), std::vector<std::string>{"Must open a file."});
}

TEST(StatisticsCommandsTest, TheReportsShowTheirListsAndTexts) {
    OwnSession session(DataText("pgn/uzchesscup.pgn"));
    ListScript script{{{2, -1}, {0, -1}}, {}};  // Re-Sort, then Select without a row: refused
    script.Install(session);
    session.Command(kCmdDisplayScores);
    ASSERT_EQ(script.shown.size(), 2u);
    EXPECT_EQ(script.shown[0][0].substr(0, 30), "Abdusattorov, Nodirbek...2767 ");
    EXPECT_EQ(script.shown[1][0].substr(0, 22), "Erigaisi Arjun........");  // by rating
    EXPECT_EQ(script.shown[1].back(), "10 rows, selected -1");

    std::string crossTable;
    session.OnDialog<ReportTextDialog>([&crossTable](ReportTextDialog& dialog) {
        crossTable = dialog.text;
        return true;
    });
    session.Command(kCmdDisplayCrossTable);
    EXPECT_EQ(std::count(crossTable.begin(), crossTable.end(), '\n'), 11);
    EXPECT_NE(crossTable.find("  1. Abdusattorov, Nodirbek... 2767     8w+"), std::string::npos);

    // This file's games have no moves: every one is of the other openings.
    script = {{{0, 0}}, {}};
    script.Install(session);
    session.Command(kCmdDisplayOpenings);
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0][0], "Other openings: 45                  W Wins: 12  B Wins: 9  Draws: 24");
}

TEST(StatisticsCommandsTest, AnOpeningChosenFromTheOpeningsIsEditedAsTheVariation) {
    OwnSession session(DataText("pgn/dortmund.pgn"));
    ListScript script{{{2, -1}, {0, 0}}, {}};  // Re-Sort by name, then Select the first
    script.Install(session);
    session.Command(kCmdDisplayOpenings);
    ASSERT_EQ(script.shown.size(), 2u);
    EXPECT_EQ(script.shown[0][0].substr(0, 34), "Sicilian Defense: Old Sicilian: 33");
    EXPECT_EQ(script.shown[1][0].substr(0, 19), "Alekhine Defense: 2");
    EXPECT_EQ(session.window.displayMode, kModeVariationEdit);
    EXPECT_EQ(session.window.Search().criteria.variation.Plies(), 2);
}

TEST(StatisticsCommandsTest, ThePlayersButtonFillsThePlayerFieldsFromSelectPlayer) {
    OwnSession session(DataText("pgn/uzchesscup.pgn"));
    std::vector<std::string> players;
    search::HeaderCriteria filled;
    session.platform.dialogScript = [&](platform::Dialog& dialog) {
        if (auto* header = dynamic_cast<HeaderSearchDialog*>(&dialog)) {
            EXPECT_TRUE(header->choosePlayers(header->fields));
            filled = header->fields;
            return false;
        }
        auto* select = dynamic_cast<SelectPlayerDialog*>(&dialog);
        if (select == nullptr) {
            return false;
        }
        players = select->players;
        select->selectedPlayer = 0;
        EXPECT_TRUE(select->OnePlayerEitherColour());
        return true;
    };
    session.Command(kCmdEditHeader);
    ASSERT_EQ(players.size(), 10u);
    EXPECT_EQ(players[0], "Abdusattorov");
    EXPECT_EQ(filled[search::HeaderField::kWhite], "Abdusattorov");
    EXPECT_EQ(filled[search::HeaderField::kBlack], "*");
}

}  // namespace
}  // namespace ravelin::shell
