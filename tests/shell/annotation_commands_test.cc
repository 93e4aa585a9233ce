// The annotation mode driven by command ids as its menus give them, on real annotated games.

#include "shell/commands/annotation_commands.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "gamefile/game_edit.h"
#include "gamefile/game_index.h"
#include "platform/messages.h"
#include "shell/command_ids.h"
#include "shell/commands/add_game_commands.h"
#include "shell/commands/add_game_editor.h"
#include "shell/commands/game_viewer.h"
#include "shell/dialogs/annotation_dialogs.h"
#include "shell_session.h"

namespace ravelin::shell {
namespace {

using testing_support::DataText;
using testing_support::OwnSession;
using testing_support::Session;
using Texts = std::vector<std::string>;

constexpr int kWorldMatchesGame = 4;

std::string Run(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char block[4096];
        std::size_t got = 0;
        while ((got = std::fread(block, 1, sizeof block, pipe)) > 0) {
            output.append(block, got);
        }
        pclose(pipe);
    }
    return output;
}

// The final position pgn-extract finds in the game, with what it says on its error stream.
std::string PgnExtractFinalFen(const ravelin::testing::TempDir& dir, const std::string& game) {
    const std::string path = dir.Write("one-game.pgn", game);
    return Run("/usr/games/pgn-extract -s -F --notags -C -N -V '" + path + "' 2>&1");
}

// Clicks the middle of a square of the move-entry board.
void ClickSquare(Session& session, const char* square) {
    const int file = square[0] - 'a' + 1;
    const int rank = square[1] - '0';
    for (int y = 0; y < 1024; y += 3) {
        for (int x = 0; x < 1280; x += 3) {
            const auto at = session.window.AddGame().SquareAt(x, y);
            if (at && at->file == file && at->rank == rank) {
                session.window.Viewer().Click(x + 6, y + 6);
                return;
            }
        }
    }
    FAIL() << "no pixel on " << square;
}

// Shows the line move of the column text with that move text, the first one after skip others.
void ShowLineMove(Session& session, const std::string& san, int skip = 0) {
    display::GameDisplay& display = session.window.Viewer().Display();
    const std::vector<display::ColumnWord>& words = display.ColumnWords();
    for (std::size_t word = 0; word < words.size(); ++word) {
        if (words[word].kind == display::ColumnWordKind::kVariationMove && words[word].san == san &&
            skip-- == 0) {
            ASSERT_TRUE(display.ShowVariationMove(word));
            return;
        }
    }
    FAIL() << "no line move " << san;
}

void TypeInto(Session& session, const std::string& text) {
    session.OnDialog<AnnotationTextDialog>([text](AnnotationTextDialog& dialog) {
        dialog.text = text;
        return true;
    });
}

struct AnnotatedFile : OwnSession {
    AnnotatedFile() : OwnSession(DataText("pgn/world_matches.pgn")) {
        window.Settings().SetAnalysisReplayMode(true);
        window.File().currentGame = kWorldMatchesGame;
        Command(kCmdDisplayGame);
    }
    display::GameDisplay& Display() { return window.Viewer().Display(); }
    std::string Scratch() { return ravelin::testing::ReadWholeFile(work.File("interact.pgn")); }
};

TEST(AnnotationCommandsTest, ACommentALineWithANestedLineAndANagAreSavedInPlaceOfTheGame) {
    if (!std::filesystem::exists("/usr/games/pgn-extract")) {
        GTEST_SKIP() << "pgn-extract is not installed";
    }
    AnnotatedFile session;
    const std::string path = session.window.File().Path();
    const std::string before = ravelin::testing::ReadWholeFile(path);
    const gamefile::GameSpan span =
        gamefile::SpanOfGame(session.window.File().Index(), kWorldMatchesGame, before.size());
    const std::string oldGame = before.substr(span.begin, span.end - span.begin);
    const int games = session.window.File().GameCount();
    session.Command(kCmdAnnotateGame);
    EXPECT_EQ(session.window.MenuBar().Kind(), MenuBarKind::kAnnotateModify);
    EXPECT_EQ(session.Scratch(), oldGame);

    // A comment after 2. f4.
    session.Display().GoToPly(3);
    TypeInto(session, "The King's Gambit.");
    session.Command(kCmdAppendComment);
    // A line in place of 2... exf4, played on the board and ended by its command again.
    session.Display().GoToPly(4);
    session.Command(kCmdAppendLine);
    ASSERT_EQ(session.window.displayMode, kModeAddGame);
    for (const char* square : {"d7", "d5", "e4", "d5"}) {
        ClickSquare(session, square);
    }
    session.Command(kCmdAppendLine);
    ASSERT_EQ(session.window.displayMode, kModeGame);
    EXPECT_EQ(session.Display().CurrentPly(), 4);
    // Inside it, a nested line in place of 3. exd5.
    ShowLineMove(session, "exd5");
    TypeInto(session, "3. Nf3 dxe4");
    session.Command(kCmdAppendLineText);
    // Before 2... exf4 a line in place of 2. f4, after which the black move gets its number.
    session.Display().GoToPly(4);
    TypeInto(session, "2. Nf3 Nc6");
    session.Command(kCmdInsertLineText);
    // A move annotation at 3. Bc4.
    session.Display().GoToPly(5);
    session.OnDialog<MoveAnnotationDialog>([](MoveAnnotationDialog& dialog) {
        dialog.selected = 5;  // $6, a dubious move
        return true;
    });
    session.Command(kCmdNewMoveAnnotation);
    EXPECT_EQ(session.Messages(), Texts{});
    const std::string edited = session.Scratch();
    EXPECT_NE(edited.find("2. f4 {The King's Gambit.} (2. Nf3 Nc6) 2... exf4 (2... d5 3. exd5 (3. Nf3 dxe4)) "
                          "3. Bc4 $6 Qh4+"),
              std::string::npos)
        << edited;

    // Annotate Game again changes nothing.
    session.Command(kCmdAnnotateGame);
    EXPECT_TRUE(session.Scratch() == edited);

    session.Command(kCmdAnnotationSave);
    EXPECT_EQ(session.Messages(), Texts{});
    EXPECT_EQ(session.window.MenuBar().Kind(), MenuBarKind::kMain);
    EXPECT_FALSE(std::filesystem::exists(session.work.File("interact.pgn")));
    const std::string after = ravelin::testing::ReadWholeFile(path);
    ASSERT_EQ(after.size(), before.size() - oldGame.size() + edited.size());
    EXPECT_TRUE(after.substr(0, span.begin) == before.substr(0, span.begin));
    EXPECT_TRUE(after.substr(span.begin, edited.size()) == edited);
    EXPECT_TRUE(after.substr(span.begin + edited.size()) == before.substr(span.end));
    EXPECT_EQ(session.window.File().GameCount(), games);

    // pgn-extract reads the game, lines included, and it ends where it ended.
    const std::string oldFinal = PgnExtractFinalFen(session.files, oldGame);
    const std::string newFinal = PgnExtractFinalFen(session.files, edited);
    EXPECT_NE(oldFinal.find("5b1r/2Q3pp/2n2nk1/8/3p4/N5PN/PPPB1p1P/R1K4q w - - 0 21"), std::string::npos)
        << oldFinal;
    EXPECT_EQ(newFinal, oldFinal);
}

TEST(AnnotationCommandsTest, MovesInsideLinesAreFoundInTheTextAndTheirItemsChanged) {
    AnnotatedFile session;
    session.Command(kCmdAnnotateGame);
    // "(8... Ke7 $1 {is even better.})": the line move carries both already.
    ShowLineMove(session, "Ke7");
    session.Command(kCmdAppendComment);
    session.Command(kCmdNewMoveAnnotation);
    EXPECT_EQ(session.Messages(), (Texts{kCommentExists, kMoveAnnotationExists}));
    session.OnDialog<MoveAnnotationDialog>([](MoveAnnotationDialog& dialog) {
        EXPECT_EQ(dialog.selected, 0);
        dialog.selected = 2;
        return true;
    });
    session.Command(kCmdModifyMoveAnnotation);
    session.Command(kCmdCopyComment);
    EXPECT_EQ(session.platform.clipboardText, "is even better.");
    EXPECT_NE(session.Scratch().find("(8... Ke7 $3 {is even better.})"), std::string::npos);
    // The nested line "(16. Kf2 Qf3+ 17. Kg1 Ne2#)" inside "(12. e5 ...)" goes with its blank, and
    // the black move after it needs no number any more.
    ShowLineMove(session, "Kf1");
    ASSERT_EQ(session.Display().Variation()->CurrentMove(), "Kf1");
    session.Command(kCmdDeleteLine);
    // A line replayed on the board: its last move taken back and another played.
    ShowLineMove(session, "Ke7");
    session.Command(kCmdModifyLine);
    ASSERT_EQ(session.window.displayMode, kModeAddGame);
    session.window.Viewer().Character('\b');
    ClickSquare(session, "f7");
    ClickSquare(session, "e8");
    session.Command(kCmdModifyLine);
    EXPECT_NE(session.Scratch().find("Kg6 (8... Ke8) 9. Qxb7"), std::string::npos) << session.Scratch();
    EXPECT_NE(
        session.Scratch().find(
            "(12. e5 c6 $1 13. exf6 fxg2+ 14. Kxg2\r\nBh3+ $1 15. Nxh3 Qg4+ 16. Kf1 Qe2+ 17. Kg1\r\nNf3#)"),
        std::string::npos)
        << session.Scratch();
}

TEST(AnnotationCommandsTest, GuardsRefuseWithTheirMessagesAndLeaveTheTextAsItWas) {
    struct Case {
        const char* name;
        int ply;  // 0: the start position
        int command;
        const char* message;
    };
    const Case cases[] = {
        {"a comment needs a move", 0, kCmdAppendComment, kSelectPositionFirst},
        {"a move annotation needs a move", 0, kCmdNewMoveAnnotation, kSelectMoveFirst},
        {"a line before the first move", 1, kCmdInsertLineText, kCannotInsertTextFirst},
        {"a line on the board before the first move", 1, kCmdInsertLine, kCannotInsertLineFirst},
        {"modify line needs a line move", 3, kCmdModifyLine, kSelectFirstMoveOfLine},
        {"no comment to delete", 1, kCmdDeleteComment, kCommentNotFound},
        {"no line to copy", 1, kCmdCopyLine, kLineNotFound},
        {"no annotation to delete", 1, kCmdDeleteMoveAnnotation, kMoveAnnotationNotFound},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AnnotatedFile session;
        session.Command(kCmdAnnotateGame);
        const std::string text = session.Scratch();
        if (c.ply > 0) {
            session.Display().GoToPly(c.ply);
        }
        session.Command(c.command);
        EXPECT_EQ(session.Messages(), Texts{c.message});
        EXPECT_EQ(session.Scratch(), text);
    }
}

TEST(AnnotationCommandsTest, TheModeNeedsAnalysisReplayModeAndExitAsksBeforeDroppingChanges) {
    AnnotatedFile session;
    session.window.Settings().SetAnalysisReplayMode(false);
    session.Command(kCmdAnnotateGame);
    EXPECT_EQ(session.Messages(), Texts{kNeedsAnalysisReplayMode});
    EXPECT_EQ(session.window.MenuBar().Kind(), MenuBarKind::kMain);

    session.window.Settings().SetAnalysisReplayMode(true);
    const std::string before = ravelin::testing::ReadWholeFile(session.window.File().Path());
    session.Command(kCmdAnnotateGame);
    session.OnDialog<AnnotatorDialog>([](AnnotatorDialog& dialog) {
        EXPECT_EQ(dialog.value, "JvR");
        dialog.value = "";
        return true;
    });
    session.Command(kCmdSetAnnotator);
    EXPECT_EQ(session.Scratch().find("[Annotator"), std::string::npos);
    session.ClearRecords();
    session.platform.questionAnswers = {platform::kAnswerNo, platform::kAnswerYes};
    session.Command(kCmdAnnotationExit);
    EXPECT_EQ(session.window.MenuBar().Kind(), MenuBarKind::kAnnotateModify);
    session.Command(kCmdAnnotationExit);
    ASSERT_EQ(session.platform.messages.size(), 2u);
    EXPECT_EQ(session.platform.messages[0].text, kExitLosesChanges);
    EXPECT_EQ(session.platform.messages[1].text, kExitLosesChanges);
    EXPECT_EQ(session.window.MenuBar().Kind(), MenuBarKind::kMain);
    EXPECT_TRUE(ravelin::testing::ReadWholeFile(session.window.File().Path()) == before);
}

TEST(AnnotationCommandsTest, SaveIsRefusedWhenTheGameChangedInTheFileMeanwhile) {
    AnnotatedFile session;
    session.Command(kCmdAnnotateGame);
    session.Display().GoToPly(1);
    TypeInto(session, "e4");
    session.Command(kCmdAppendComment);
    const std::string path = session.window.File().Path();
    std::string changed = ravelin::testing::ReadWholeFile(path);
    const std::size_t at = changed.find("Madrid");
    changed.replace(at, 6, "Madrid, Spain");  // another program edits game 1: game 4's bytes move
    session.files.Write(std::filesystem::path(path).filename().string(), changed);
    session.Command(kCmdAnnotationSave);
    EXPECT_EQ(session.Messages(), Texts{gamefile::kGameChangedOnDisk});
    EXPECT_TRUE(ravelin::testing::ReadWholeFile(path) == changed);
    EXPECT_EQ(session.window.MenuBar().Kind(), MenuBarKind::kAnnotateModify);
}

}  // namespace
}  // namespace ravelin::shell

namespace ravelin::shell {
namespace {

TEST(AnnotationCommandsTest, AGameEnteredOnTheBoardIsAnnotatedAndThenAppendedToTheOpenFile) {
    const std::string open = "[Event \"Open\"]\r\n[Result \"*\"]\r\n\r\n1. d4 *\r\n";
    OwnSession session(open);
    session.window.Settings().SetAnalysisReplayMode(true);
    session.Command(kCmdAddGame);
    for (const char* square : {"e2", "e4", "e7", "e5"}) {
        ClickSquare(session, square);
    }
    session.Command(kCmdAnnotateGame);
    EXPECT_EQ(session.window.MenuBar().Kind(), MenuBarKind::kAnnotateAdd);
    session.window.Viewer().Display().GoToPly(2);
    TypeInto(session, "Symmetry.");
    session.Command(kCmdAppendComment);
    session.Command(kCmdAnnotationAppendGame);
    EXPECT_EQ(session.Messages(), Texts{});
    const std::string file = ravelin::testing::ReadWholeFile(session.window.File().Path());
    EXPECT_EQ(file.substr(0, open.size()), open);
    EXPECT_NE(file.find("1.e4 e5 {Symmetry.} *"), std::string::npos) << file;
    EXPECT_EQ(session.window.File().GameCount(), 2);
    EXPECT_EQ(session.window.MenuBar().Kind(), MenuBarKind::kMain);
}

}  // namespace
}  // namespace ravelin::shell

namespace ravelin::shell {
namespace {

TEST(AnnotationCommandsTest, TheAnnotatedGameStaysShownAndAnotherFileEndsTheAnnotation) {
    AnnotatedFile session;
    session.Command(kCmdAnnotateGame);
    session.window.ScrollToGame(7);
    session.Run();
    EXPECT_EQ(session.window.File().currentGame, kWorldMatchesGame);
    EXPECT_EQ(session.window.MenuBar().Kind(), MenuBarKind::kAnnotateModify);

    const std::string other = session.files.Write("other.pgn", "[Event \"Other\"]\r\n\r\n1. e4 *\r\n");
    session.platform.fileChoices = {other};
    session.Command(kCmdOpenFile);
    EXPECT_EQ(session.window.File().Path(), other);
    EXPECT_EQ(session.Messages(), Texts{kAnnotationEndedByOtherFile});
    EXPECT_EQ(session.window.MenuBar().Kind(), MenuBarKind::kMain);
    EXPECT_FALSE(std::filesystem::exists(session.work.File("interact.pgn")));
}

}  // namespace
}  // namespace ravelin::shell
