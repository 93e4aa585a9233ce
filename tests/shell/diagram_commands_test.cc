// The diagram commands and Copy Moves during an analysis replay, given by command id as the menus
// give them.

#include "shell/commands/diagram_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game_view/game_view_session.h"
#include "reports/diagram_bitmap.h"
#include "reports/html_diagram.h"
#include "shell/commands/clipboard_commands.h"
#include "shell/dialogs/html_text_dialog.h"

namespace ravelin::shell {
namespace {

using display::testing::GameViewSession;
using Texts = std::vector<std::string>;

// After 2.Nf3 the game has 2.Bc4 Nf6 3.d3 as its variation.
const std::string kAnalysedGame =
    "[Event \"Analysed\"]\n[Result \"*\"]\n\n1.e4 e5 2.Nf3 (2.Bc4 Nf6 3.d3) 2...Nc6 3.Bb5 a6 *\n";

TEST(DiagramCommands, PicturesOfTheShownPositionAreWrittenWhole) {
    struct Case {
        int command;
        const char* name;
        const char* message;
    };
    const Case cases[] = {
        {kCmdBitmapDiagram, "plain.bmp", reports::kBitmapComplete},
        {kCmdBitmapDiagramWithColour, "colour", reports::kBitmapComplete},
        {kCmdJpegDiagram, "plain.jpg", reports::kJpegComplete},
        {kCmdJpegDiagramWithColour, "colour.JPG", reports::kJpegComplete},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GameViewSession session(kAnalysedGame);
        session.Step(GameKey::kNext, 4);
        session.ClearRecords();
        session.platform.fileChoices = {session.files.File(c.name)};
        session.Command(c.command);
        EXPECT_EQ(session.Messages(), Texts{c.message});
        const bool jpeg = c.command == kCmdJpegDiagram || c.command == kCmdJpegDiagramWithColour;
        const std::string expected =
            c.command == kCmdBitmapDiagramWithColour ? "colour.bmp" : std::string(c.name);
        const std::string written = ravelin::testing::ReadWholeFile(session.files.File(expected));
        if (jpeg) {
            EXPECT_TRUE(written.starts_with("\xFF\xD8\xFF"));
        } else {
            EXPECT_EQ(written.size(), 103478u);
        }
        // Nothing but the picture (and the game file's own companions) is left in the folder.
        for (const auto& entry : std::filesystem::directory_iterator(session.files.Path())) {
            EXPECT_EQ(entry.path().filename().string().find("tmp"), std::string::npos) << entry.path();
        }
    }
}

TEST(DiagramCommands, HtmlDiagramIsShownForEditingAndSavedWithItsImages) {
    GameViewSession session(kAnalysedGame);
    session.Step(GameKey::kNext, 3);
    session.ClearRecords();
    std::string shown;
    session.OnDialog<HtmlTextDialog>([&shown](HtmlTextDialog& dialog) {
        shown = dialog.text;
        dialog.text += "<p>mine</p>\r\n";
        dialog.save = true;
        return true;
    });
    session.platform.fileChoices = {session.files.File("saved")};
    session.Command(kCmdHtmlDiagram);
    EXPECT_TRUE(session.Messages().empty()) << session.Messages()[0];
    EXPECT_EQ(shown, ravelin::testing::ReadWholeFile(session.work.File("diagram.html")));
    EXPECT_NE(shown.find("<I>Position after 2. Nf3</I>"), std::string::npos);
    EXPECT_EQ(ravelin::testing::ReadWholeFile(session.files.File("saved.html")), shown + "<p>mine</p>\r\n");
    for (const std::string& image : reports::DiagramImageFiles()) {
        EXPECT_TRUE(std::filesystem::exists(session.files.File(image))) << image;
        EXPECT_TRUE(std::filesystem::exists(session.work.File(image))) << image;
    }
}

TEST(DiagramCommands, HtmlToAChosenFileShowsTheSetUpBoardInPositionEdit) {
    GameViewSession session(kAnalysedGame);
    session.Command(kCmdEditPosition);
    chess::Board& board = session.window.Search().criteriaBoard.squares;
    board = chess::Board{};
    board[1][1] = chess::kKing;
    board[8][8] = chess::kKing + chess::kBlackOffset;
    session.ClearRecords();
    session.platform.fileChoices = {session.files.File("kings.html")};
    session.Command(kCmdHtmlDiagramToFile);
    const std::string page = ravelin::testing::ReadWholeFile(session.files.File("kings.html"));
    EXPECT_EQ(page, reports::HtmlDiagramText(board, false, ""));
    EXPECT_TRUE(page.find("bkb.gif") != std::string::npos && page.find("wkb.gif") != std::string::npos);
}

// The replay puts 2.Bc4 Nf6 into the shown game's move list; the copy is of the game as stored.
TEST(CopyMoves, DuringAnAnalysisReplayCopiesTheGameAsTheFileHoldsIt) {
    GameViewSession session(kAnalysedGame);
    session.Step(GameKey::kNext, 3);
    session.Command(kCmdPlayAnalysis);
    session.Step(GameKey::kNext);
    ASSERT_TRUE(session.Display().AnalysisReplayActive());
    ASSERT_EQ(session.Display().PlainMove(3), "Bc4");
    session.Command(kCmdCopyMovesToClipboard);
    EXPECT_EQ(session.platform.clipboardText, "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 *\r\n");
}

}  // namespace
}  // namespace ravelin::shell
