// The engine commands through the main window, as the menus and the engine board issue them, with
// the engine adapter over the real UCI engine.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include "chess/fen.h"
#include "engine/adapter_position.h"
#include "shell/command_ids.h"
#include "shell/commands/add_game_editor.h"
#include "shell/commands/engine_commands.h"
#include "shell/commands/game_viewer.h"
#include "shell/dialogs/engine_dialogs.h"
#include "shell/display_mode.h"
#include "shell_session.h"

namespace ravelin::shell {
namespace {

using testing_support::OwnSession;

constexpr char kGames[] =
    "[Event \"Mate\"]\n[White \"A\"]\n[Black \"B\"]\n[Result \"1-0\"]\n\n"
    "1. e4 e5 2. Bc4 Nc6 3. Qh5 Nf6 4. Qxf7# 1-0\n\n"
    "[Event \"Ending\"]\n[White \"C\"]\n[Black \"D\"]\n[Result \"*\"]\n"
    "[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 1\"]\n[SetUp \"1\"]\n\n"
    "1... Kd7 2. Kd2 Ke6 3. Ke3 *\n\n"
    "[Event \"Short\"]\n[White \"E\"]\n[Black \"F\"]\n[Result \"*\"]\n\n"
    "1. d4 d5 *\n";

// Polls the engine as the window's timer does until the condition holds. The bound only keeps a
// broken engine from hanging the test; nothing is asserted about time.
bool WaitFor(OwnSession& session, const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline || !session.window.Engine().Running()) {
            return done();
        }
        session.window.HandleTimer(kEngineTimer);
        session.Run();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

BoardMove Move(const char* squares) {
    BoardMove move;
    move.fromFile = squares[0] - 'a' + 1;
    move.fromRank = squares[1] - '0';
    move.toFile = squares[2] - 'a' + 1;
    move.toRank = squares[3] - '0';
    return move;
}

class EngineCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("RAVELIN_ENGINE_DEPTH", "4", 1);
        // "Set Crafty Location" chooses the adapter, as a user would in the file dialog.
        session.platform.fileChoices.push_back(std::string(RAVELIN_ENGINE_BINARY));
        session.Command(377);
        session.ClearRecords();
    }
    EngineCommands& Engine() { return session.window.Engine(); }
    bool WindowShows(const std::function<bool(const std::string&)>& test) {
        for (const std::string& line : Engine().WindowView().lines) {
            if (test(line)) {
                return true;
            }
        }
        return false;
    }

    OwnSession session{kGames};
};

TEST_F(EngineCommandsTest, AGameAgainstTheEngine) {
    // A long think keeps the engine on move while the user tries to move for it.
    setenv("RAVELIN_ENGINE_DEPTH", "40", 1);
    session.OnDialog<CraftyGameInfoDialog>([](CraftyGameInfoDialog& dialog) {
        dialog.options.engineFirst = false;
        dialog.options.displayGeneral = true;
        return true;
    });
    session.Command(kCmdPlayGame);
    ASSERT_TRUE(Engine().Running()) << ::testing::PrintToString(session.Messages());
    ASSERT_TRUE(Engine().BoardShown());
    EXPECT_TRUE(Engine().WindowView().open);

    BoardMove e4 = Move("e2e4");
    Engine().EnterMove(e4, false);
    ASSERT_EQ(Engine().Board().LastPly(), 1);
    EXPECT_TRUE(session.window.engine.onMove);
    // Black is the engine's: the user's Black move is not made.
    BoardMove e5 = Move("e7e5");
    Engine().EnterMove(e5, false);
    EXPECT_EQ(Engine().Board().LastPly(), 1);
    // Score is refused while the engine is on move; Force makes it move now.
    session.Command(kCmdEngineScore);
    EXPECT_EQ(session.Messages().back(), kEngineOnMove);
    session.Command(kCmdEngineForce);
    ASSERT_TRUE(WaitFor(session, [&] { return Engine().Board().LastPly() == 2; }));
    const std::string reply(chess::SanView(Engine().Board().MoveOfPly(2)));
    engine::PlayedMove first;
    engine::PlayedMove second;
    ASSERT_TRUE(engine::PlaySanMove(std::string(chess::kStartFen), "e4", first));
    EXPECT_TRUE(engine::PlaySanMove(first.fen, reply, second)) << reply;
    EXPECT_FALSE(session.window.engine.onMove);
    EXPECT_FALSE(WindowShows([](const std::string& line) { return line.rfind("Error", 0) == 0; }));

    // Back takes the user's move and the engine's back.
    session.Command(kCmdEngineBack);
    EXPECT_EQ(Engine().Board().Entered(), 0);
    Engine().EnterMove(e4, false);
    session.Command(kCmdEngineForce);
    ASSERT_TRUE(WaitFor(session, [&] { return Engine().Board().LastPly() == 2; }));
    // "Save Crafty Game" hands the game to Add Game, which stops the engine.
    session.Command(380);
    EXPECT_EQ(session.window.displayMode, kModeAddGame);
    EXPECT_EQ(session.window.AddGame().Plies(), 2);
    EXPECT_FALSE(Engine().Running());
}

TEST_F(EngineCommandsTest, AGameContinuedWithTheEngineToMove) {
    // After 1.e4 of the shown game Black is to move, and the engine plays Black: it moves first.
    session.window.Viewer().Key(GameKey::kNext);
    session.OnDialog<CraftyGameInfoDialog>([](CraftyGameInfoDialog& dialog) {
        dialog.options.engineFirst = false;
        dialog.continueGame = true;
        return true;
    });
    session.Command(kCmdPlayGame);
    ASSERT_TRUE(Engine().Running()) << ::testing::PrintToString(session.Messages());
    const std::string gameFile = ravelin::testing::ReadWholeFile(session.work.File("engine/craftyqq.pgn"));
    EXPECT_NE(gameFile.find("[Event \"Mate\"]\r\n"), std::string::npos) << gameFile;
    EXPECT_NE(gameFile.find("\r\n\r\n1.e4 *\r\n"), std::string::npos) << gameFile;
    ASSERT_TRUE(WaitFor(session, [&] { return Engine().Board().Entered() == 1; }));
    EXPECT_FALSE(session.window.engine.onMove);
    const std::string reply(chess::SanView(Engine().Board().MoveOfPly(2)));
    engine::PlayedMove first;
    engine::PlayedMove second;
    ASSERT_TRUE(engine::PlaySanMove(std::string(chess::kStartFen), "e4", first));
    EXPECT_TRUE(engine::PlaySanMove(first.fen, reply, second)) << reply;
}

TEST_F(EngineCommandsTest, AnalysingAGameFromASetUpPosition) {
    session.Command(kCmdNextGame);
    session.window.Viewer().Key(GameKey::kNext);
    session.window.Viewer().Key(GameKey::kNext);
    session.Command(kCmdAnalyzePosition);
    ASSERT_TRUE(Engine().Running()) << ::testing::PrintToString(session.Messages());
    EXPECT_EQ(Engine().Mode(), engine::EngineMode::kAnalyse);
    // The move file carries the set-up position, so the engine analyses from there.
    const std::string moveFile = ravelin::testing::ReadWholeFile(session.work.File("engine/crafanal.pgn"));
    EXPECT_NE(moveFile.find("[FEN \"4k3/8/8/8/8/8/4P3/4K3 b"), std::string::npos) << moveFile;
    const std::string fen = Engine().Board().Fen();
    std::string line;
    ASSERT_TRUE(WaitFor(session, [&] {
        return WindowShows([&](const std::string& text) {
            const std::size_t dots = text.find(". ");
            if (dots == std::string::npos || text.find("  3 ") != 0) {
                return false;
            }
            line = text;
            return true;
        });
    }));
    // The line's first move (after depth, score and move number) is legal in the analysed position.
    std::istringstream words(line);
    std::string depth;
    std::string score;
    std::string number;
    std::string move;
    words >> depth >> score >> number >> move;
    engine::PlayedMove played;
    EXPECT_TRUE(engine::PlaySanMove(fen, move, played)) << line << " in " << fen;

    // A move on the board goes to the engine; typed moves are then refused.
    const int entered = Engine().Board().Entered();
    BoardMove kingMove = Move(played.uci.c_str());
    Engine().EnterMove(kingMove, false);
    EXPECT_EQ(Engine().Board().Entered(), entered + 1);
    Engine().TypedCommand("Ke6");
    EXPECT_EQ(session.Messages().back(), kMoveCommandsRefused);
    session.Command(kCmdExit);
    EXPECT_FALSE(Engine().Running());
}

TEST_F(EngineCommandsTest, AMoveFileThatCannotBeWrittenStopsTheAnalysis) {
    // Where the engine's folder should be stands a file.
    session.work.Write("engine", "not a folder");
    session.window.Viewer().Key(GameKey::kNext);
    session.Command(kCmdAnalyzePosition);
    EXPECT_EQ(session.Messages(), std::vector<std::string>{kMoveFileError});
    EXPECT_FALSE(Engine().Running());
}

TEST_F(EngineCommandsTest, ConvertingAnAnnotationFileNeverOverwritesWithoutAsking) {
    const std::string can = session.files.Write("game.can", "[Event \"x\"]\n  1.   e4      e5\n");
    const std::string pgn = session.files.Write("game.pgn", "kept");
    struct Case {
        std::string input;
        int answer;
        std::string output;
    };
    const Case cases[] = {
        {can, platform::kAnswerNo, "kept"},
        {can, platform::kAnswerYes, "[Event \"x\"]\r\n1.e4 e5\r\n"},
        {pgn, platform::kAnswerYes, "[Event \"x\"]\r\n1.e4 e5\r\n"},  // its own output: refused
    };
    for (const Case& test : cases) {
        session.platform.fileChoices.push_back(test.input);
        session.platform.questionAnswers.push_back(test.answer);
        session.Command(372);
        EXPECT_EQ(ravelin::testing::ReadWholeFile(pgn), test.output) << test.input;
    }
}

TEST_F(EngineCommandsTest, AnEngineThatEndsOrNeverAnswersIsReported) {
    // Typed "exit" ends the engine; the next poll notices, says so, and the interface closes.
    session.Command(kCmdDirectInterface);
    ASSERT_TRUE(Engine().Running());
    Engine().TypedCommand("EXIT");
    EXPECT_FALSE(WaitFor(session, [] { return false; }));
    EXPECT_EQ(session.Messages().back(), engine::kEngineEnded);
    EXPECT_FALSE(Engine().WindowView().open);
    EXPECT_FALSE(session.window.engine.running);

    // An adapter without its back end says why before it ends, and the message passes that on.
    setenv("RAVELIN_ENGINE_BACKEND", "/nonexistent/stockfish", 1);
    session.Command(kCmdDirectInterface);
    unsetenv("RAVELIN_ENGINE_BACKEND");
    WaitFor(session, [] { return false; });
    EXPECT_FALSE(Engine().Running());
    EXPECT_EQ(session.Messages().back().rfind(
                  std::string(engine::kEngineEnded) + "\nError (cannot start the back end", 0),
              0U)
        << session.Messages().back();

    // A program that never writes its banner is given up on.
    const std::string silent = session.files.Write("silent.sh", "#!/bin/sh\nexec sleep 600\n");
    std::filesystem::permissions(silent, std::filesystem::perms::owner_all);
    session.platform.fileChoices.push_back(silent);
    session.Command(377);
    Engine().Link().startupWaitMs = 100;
    session.Command(kCmdDirectInterface);
    EXPECT_FALSE(Engine().Running());
    EXPECT_EQ(session.Messages().back(), engine::kEngineDoesNotAnswer);
}

TEST_F(EngineCommandsTest, SavingThePositionAndItsMoves) {
    for (int step = 0; step < 3; ++step) {
        session.window.Viewer().Key(GameKey::kNext);
    }
    session.OnDialog<CraftyPositionInfoDialog>([](CraftyPositionInfoDialog&) { return true; });
    session.platform.fileChoices.push_back(session.files.File("moves.pgn"));
    session.platform.fileChoices.push_back(session.files.File("position.pos"));
    session.Command(378);
    session.Command(370);
    EXPECT_EQ(ravelin::testing::ReadWholeFile(session.files.File("moves.pgn")), "1. e4 e5\r\n2. Bc4\r\n");
    EXPECT_EQ(ravelin::testing::ReadWholeFile(session.files.File("position.pos")),
              "setboard rnbqkbnr/pppp1ppp/8/4p3/2B1P3/8/PPPP1PPP/RNBQK1NR b\r\nexit\r\n");
}

TEST_F(EngineCommandsTest, EvaluatingAPosition) {
    session.window.Viewer().Key(GameKey::kNext);
    session.OnDialog<CraftyPositionInfoDialog>([](CraftyPositionInfoDialog& dialog) {
        EXPECT_TRUE(dialog.info.blackToMove);  // preset from the ply: Black moves after 1.e4
        dialog.info.whiteKingSide = dialog.info.whiteQueenSide = true;
        dialog.info.blackKingSide = dialog.info.blackQueenSide = true;
        return true;
    });
    session.Command(375);
    ASSERT_TRUE(Engine().Running()) << ::testing::PrintToString(session.Messages());
    EXPECT_TRUE(WaitFor(session, [&] {
        return WindowShows([](const std::string& text) { return text.rfind("score ", 0) == 0; });
    }));
    session.Command(kCmdDirectInterface);
    EXPECT_FALSE(Engine().Running());
}

TEST_F(EngineCommandsTest, StudyModeComparesMovesWithoutCheckSigns) {
    session.Command(kCmdStudyMode);
    ASSERT_TRUE(Engine().StudyOn());
    struct Step {
        const char* squares;
        const char* message;  // empty: accepted
    };
    const Step steps[] = {{"e2e4", ""}, {"d7d5", kIncorrectMove},
                          {"e7e5", ""}, {"f1c4", ""},
                          {"b8c6", ""}, {"d1h5", ""},
                          {"g8f6", ""}, {"h5f7", ""}};
    for (const Step& step : steps) {
        session.ClearRecords();
        const int before = Engine().Board().LastPly();
        BoardMove move = Move(step.squares);
        Engine().EnterMove(move, false);
        if (step.message[0] == '\0') {
            EXPECT_EQ(Engine().Board().LastPly(), before + 1) << step.squares;
            EXPECT_TRUE(session.Messages().empty()) << step.squares;
        } else {
            EXPECT_EQ(Engine().Board().LastPly(), before) << step.squares;
            EXPECT_EQ(session.Messages(), std::vector<std::string>{step.message}) << step.squares;
        }
    }
    // The board writes the mate as a mate.
    EXPECT_EQ(chess::SanView(Engine().Board().MoveOfPly(7)), "Qxf7#");

    // A move beyond the stored game's end.
    session.Command(kCmdNextGame);
    session.Command(kCmdNextGame);
    session.Command(kCmdStudyMode);
    for (const char* squares : {"d2d4", "d7d5", "e2e4"}) {
        BoardMove move = Move(squares);
        Engine().EnterMove(move, false);
    }
    EXPECT_EQ(Engine().Board().LastPly(), 2);
    EXPECT_EQ(session.Messages().back(), kEndOfStudyGame);
}

}  // namespace
}  // namespace ravelin::shell
