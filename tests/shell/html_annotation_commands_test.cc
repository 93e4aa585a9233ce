// The annotation page built through the window by command id, saved and taken up again.

#include "shell/commands/html_annotation_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game_view/game_view_session.h"
#include "platform/messages.h"
#include "reports/html_annotation.h"
#include "shell/commands/search_commands.h"
#include "shell/commands/variation_editor.h"
#include "shell/dialogs/html_text_dialog.h"

namespace ravelin::shell {
namespace {

using display::testing::GameViewSession;
using Texts = std::vector<std::string>;

const std::string kGame = "[Event \"Lopez\"]\n[Result \"*\"]\n\n1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 *\n";

// Answers the title, comment and view dialogs; view keeps the page's text it was shown.
struct Dialogs {
    std::string comment;
    std::string viewed;
    void Script(GameViewSession& session) {
        session.platform.dialogScript = [this](platform::Dialog& dialog) {
            if (auto* title = dynamic_cast<HtmlTitleDialog*>(&dialog)) {
                title->title = "Lopez & <others>";
                title->heading = "Heading";
                return true;
            }
            if (auto* text = dynamic_cast<HtmlCommentDialog*>(&dialog)) {
                text->text = comment;
                return true;
            }
            if (auto* view = dynamic_cast<HtmlTextDialog*>(&dialog)) {
                viewed = view->text;
                return false;
            }
            return false;
        };
    }
};

TEST(HtmlAnnotation, PageOfRunsCommentsAndADiagramIsSavedAndTakenUpAgain) {
    GameViewSession session(kGame);
    Dialogs dialogs;
    dialogs.Script(session);
    session.Command(kCmdAnnotationFile);
    EXPECT_EQ(session.window.View().menuBarKind, MenuBarKind::kHtmlAnnotation);
    session.Command(kCmdHtmlEndMove);
    session.Command(kCmdHtmlEndComment);
    session.Command(kCmdHtmlPageDiagram);
    EXPECT_EQ(session.Messages(), (Texts{kEnterTitleFirst, kEnterCommentFirst, kEnterTitleFirst}));
    session.ClearRecords();

    session.Command(kCmdHtmlTitle);
    session.Command(kCmdHtmlTitle);
    EXPECT_EQ(session.Messages(), Texts{kEditTitleWithView});
    session.ClearRecords();
    session.Step(GameKey::kNext, 3);
    session.Command(kCmdHtmlEndMove);
    dialogs.comment = "Now <b> & Nc6";
    session.Command(kCmdHtmlEnterComment);
    session.Step(GameKey::kNext, 2);
    session.Command(kCmdHtmlEndMove);
    session.Command(kCmdHtmlPageDiagram);
    session.Command(kCmdHtmlEndComment);
    EXPECT_EQ(session.Ply(), 3) << "the board goes back to where the comment began";
    session.Command(kCmdHtmlPageDiagram);
    EXPECT_EQ(session.Messages(), Texts{kEndCommentFirst}) << "no diagram inside a comment";
    session.ClearRecords();
    session.Command(kCmdHtmlView);
    const std::string head =
        "<html>\r\n<head>\r\n<title>Lopez &amp; &lt;others&gt;</title>\r\n</head>\r\n<body "
        "bgcolor=\"#ffffff\">\r\n"
        "<font face=\"Arial\">\r\n<h2>Heading</h2>\r\n<hr>\r\n";
    const std::string body =
        "<p><b>1.e4 e5 2.Nf3</b></p>\r\n<blockquote><p>\r\nNow &lt;b&gt; &amp; Nc6\r\n"
        "2...Nc6 3.Bb5\r\n</p></blockquote>\r\n<center>\r\n";
    EXPECT_EQ(dialogs.viewed.substr(0, head.size() + body.size()), head + body);
    EXPECT_NE(dialogs.viewed.find("<I>Position after 2. Nf3</I>"), std::string::npos);

    const std::string page = session.files.File("lopez.html");
    session.platform.fileChoices = {session.files.File("lopez")};
    session.Command(kCmdHtmlSave);
    EXPECT_EQ(ravelin::testing::ReadWholeFile(page), dialogs.viewed + reports::kPageClosingTags);
    EXPECT_EQ(std::filesystem::file_size(session.files.File("lopez.htmx")), reports::kStateFileSize);
    EXPECT_TRUE(std::filesystem::exists(session.files.File("wpw.gif")));
    session.ClearRecords();
    session.Command(kCmdHtmlExit);
    EXPECT_TRUE(session.platform.messages.empty()) << "nothing to lose after the save";
    EXPECT_EQ(session.window.View().menuBarKind, MenuBarKind::kMain);

    // Taken up again: the page without its closing tags, the moves in variation edit at the start ply.
    session.Command(kCmdAnnotationFile);
    session.platform.fileChoices = {page};
    session.Command(kCmdHtmlOpen);
    EXPECT_TRUE(session.Messages().empty());
    EXPECT_EQ(session.window.displayMode, kModeVariationEdit);
    EXPECT_EQ(session.window.Searches().Variation().CurrentPly(), 3);
    EXPECT_EQ(session.window.Searches().Variation().Plies(), 3);
    session.Command(kCmdHtmlView);
    EXPECT_EQ(dialogs.viewed + reports::kPageClosingTags, ravelin::testing::ReadWholeFile(page));
    session.Command(kCmdHtmlExit);
    EXPECT_TRUE(session.platform.messages.empty()) << "nothing changed since it was opened";
}

TEST(HtmlAnnotation, AStateFileThatIsNotThePagesIsRefusedAndHelpOpensAtItsSection) {
    GameViewSession session(kGame);
    const std::string page =
        session.files.Write("page.html", "<html><body><p>mine</p>\r\n</body>\r\n</html>\r\n");
    session.files.Write("page.htmx", std::string(100, '\0'));
    std::filesystem::last_write_time(session.files.File("page.htmx"),
                                     std::filesystem::last_write_time(page) + std::chrono::seconds(5));
    Dialogs dialogs;
    dialogs.Script(session);
    session.Command(kCmdAnnotationFile);
    session.platform.fileChoices = {page};
    session.Command(kCmdHtmlOpen);
    EXPECT_EQ(session.Messages(), Texts{kStaleStateFile});
    session.Command(kCmdHtmlView);
    EXPECT_EQ(dialogs.viewed, "<html><body><p>mine</p>\r\n");
    // A change not saved since the page was opened is asked about.
    session.Command(kCmdHtmlPageDiagram);
    session.ClearRecords();
    session.Command(kCmdHtmlExit);
    ASSERT_EQ(session.platform.messages.size(), 1u);
    EXPECT_EQ(session.platform.messages[0].text, kHtmlChangesLost);
    EXPECT_EQ(session.window.View().menuBarKind, MenuBarKind::kHtmlAnnotation) << "No stays";

    std::string shown;
    session.window.onShowHelp = [&shown](const std::string& path) { shown = path; };
    session.Command(kCmdHtmlHelp);
    ASSERT_TRUE(shown.ends_with("#annotation-file")) << shown;
    const std::string help = ravelin::testing::ReadWholeFile(shown.substr(0, shown.size() - 16));
    EXPECT_NE(help.find("<a name=\"annotation-file\"></a>Annotation File"), std::string::npos);
}

}  // namespace
}  // namespace ravelin::shell
