#include "shell/commands/fast_file_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/messages.h"
#include "shell/command_ids.h"
#include "shell/display_mode.h"
#include "shell_session.h"
#include "temp_dir.h"

namespace ravelin::shell {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TestDataPath;
using testing_support::Session;
using Texts = std::vector<std::string>;

// A session with the sample file open, its fast file commands in reach so that the test can wait
// for the worker, and "Display Game" recorded instead of drawn.
class FastFileCommandsTest : public ::testing::Test, protected testing_support::Dirs {
  protected:
    void SetUp() override {
        pgn = files.Write("sample.pgn", ReadWholeFile(TestDataPath("fastfile/sample.pgn")));
        session = std::make_unique<Session>(work.Path().string());
        commands = RegisterFastFileCommands(session->window, session->platform.AsPlatform());
        session->window.Handlers().Set(kCmdDisplayGame, [this] {
            ++displays;
            session->window.displayMode = kModeGame;
        });
        session->Start(pgn);
        session->ClearRecords();
        displays = 0;
    }
    void AnswerYes() { session->platform.questionAnswers.push_back(platform::kAnswerYes); }
    // Makes the fast file and waits for the worker; the report is left to the queue.
    void MakeFastFile() {
        AnswerYes();
        session->window.HandleCommand(kCmdMakeFastFile);
        commands->Worker().Join();
    }
    Texts Messages() const { return session->platform.MessageTexts(); }
    std::string pgn;
    std::unique_ptr<Session> session;
    std::shared_ptr<FastFileCommands> commands;
    int displays = 0;
};

// The file is the worker's until its report has run on the window thread; then the run is reported,
// the game shown and the fast file is the one made outside the program.
TEST_F(FastFileCommandsTest, MakeFastFileRunsOnTheWorkerAndReportsCompletion) {
    MakeFastFile();
    EXPECT_EQ(session->window.displayMode, kModeBackground);
    EXPECT_EQ(session->platform.progress.titles, Texts{"Make Fast File"});
    session->window.HandleCommand(kCmdCheckFastFile);
    session->window.HandleCommand(kCmdMakeFastFile);
    session->Run();
    EXPECT_EQ(Messages(), (Texts{"Must terminate fast file generation first.",
                                 "Must terminate fast file generation first.", "Fast file complete."}));
    EXPECT_FALSE(session->platform.progress.open);
    EXPECT_EQ(displays, 1);
    EXPECT_EQ(ReadWholeFile(files.File("sample.TRF")), ReadWholeFile(TestDataPath("fastfile/sample.TRF")));
    EXPECT_EQ(ReadWholeFile(files.File("sample.TRH")), ReadWholeFile(TestDataPath("fastfile/sample.TRH")));
    session->Command(kCmdCheckFastFile);
    EXPECT_EQ(Messages().back(), "Fast file OK");
}

TEST_F(FastFileCommandsTest, ExitWhileMakingWaitsForACompleteFastFile) {
    AnswerYes();
    session->window.HandleCommand(kCmdMakeFastFile);
    session->window.PrepareToClose();
    EXPECT_EQ(ReadWholeFile(files.File("sample.TRF")), ReadWholeFile(TestDataPath("fastfile/sample.TRF")));
}

TEST_F(FastFileCommandsTest, FileThatCannotBeCreatedReportsTheError) {
    std::filesystem::create_directory(files.File("sample.TRF.tmp~"));
    MakeFastFile();
    session->Run();
    EXPECT_EQ(Messages(), Texts{"Error creating fast file."});
    EXPECT_EQ(displays, 1);
}

// The database's step makes the fast file without a question or a message and then runs its
// command; a second request while one is made is refused.
TEST_F(FastFileCommandsTest, DatabaseStepAsksNothingAndCheckAfterAnAddedGameWarns) {
    std::vector<int> followed;
    session->window.Handlers().Set(kCmdAddToDatabase, [&followed] { followed.push_back(kCmdAddToDatabase); });
    commands->MakeFastFile(kCmdAddToDatabase);
    commands->MakeFastFile(kCmdAddToDatabase);
    EXPECT_EQ(Messages(), Texts{"Must terminate fast file generation first."});
    commands->Worker().Join();
    session->ClearRecords();
    session->Run();
    EXPECT_TRUE(session->platform.messages.empty());
    EXPECT_EQ(followed, std::vector<int>{kCmdAddToDatabase});
    EXPECT_EQ(displays, 0);
    // After a game was added, Check warns to make the fast file again.
    MakeFastFile();
    session->Run();
    std::ofstream(pgn, std::ios::app) << "\r\n[Event \"Added\"]\r\n\r\n1. c4 *\r\n";
    session->Command(kCmdReloadFile);
    session->ClearRecords();
    session->Command(kCmdCheckFastFile);
    EXPECT_EQ(Messages(), Texts{"Warning: You need to run 'Make Fast File' again."});
}

// Without a fast file Check and Delete say so; Make and Delete ask first, and No changes nothing.
TEST_F(FastFileCommandsTest, MakeAndDeleteAskFirstAndYesRemovesBothFiles) {
    session->Command(kCmdCheckFastFile);
    session->Command(kCmdDeleteFastFile);
    EXPECT_EQ(Messages(), Texts(2, "Fast file does not exist."));
    session->Command(kCmdMakeFastFile);
    EXPECT_EQ(session->platform.messages.at(2).text, "Generate a new fast file. Are you sure?");
    EXPECT_FALSE(std::filesystem::exists(files.File("sample.TRF")));
    MakeFastFile();
    session->Run();
    // The position index and the header places are made with it, and go with it.
    EXPECT_TRUE(std::filesystem::exists(files.File("sample.TRP")));
    EXPECT_TRUE(std::filesystem::exists(files.File("sample.TRQ")));
    session->Command(kCmdDeleteFastFile);  // answered No
    EXPECT_TRUE(std::filesystem::exists(files.File("sample.TRF")));
    session->ClearRecords();
    AnswerYes();
    session->Command(kCmdDeleteFastFile);
    EXPECT_EQ(session->platform.messages.front().text, "Delete the fast file. Are you sure?");
    EXPECT_EQ(Messages(), Texts{"Fast file deleted."});
    EXPECT_FALSE(std::filesystem::exists(files.File("sample.TRF")));
    EXPECT_FALSE(std::filesystem::exists(files.File("sample.TRH")));
    EXPECT_FALSE(std::filesystem::exists(files.File("sample.TRP")));
    EXPECT_FALSE(std::filesystem::exists(files.File("sample.TRQ")));
}

}  // namespace
}  // namespace ravelin::shell
