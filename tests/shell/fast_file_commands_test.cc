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
using ravelin::testing::TempDir;
using ravelin::testing::TestDataPath;
using testing_support::Session;

// A session with the sample file open, its fast file commands in reach so that the test can wait
// for the worker, and "Display Game" recorded instead of drawn.
class FastFileCommandsTest : public ::testing::Test {
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
    std::vector<std::string> Messages() const { return session->platform.MessageTexts(); }

    TempDir work;
    TempDir files;
    std::string pgn;
    std::unique_ptr<Session> session;
    std::shared_ptr<FastFileCommands> commands;
    int displays = 0;
};

// --- Make Fast File ---

TEST_F(FastFileCommandsTest, MakeFastFileAsksFirstAndNoDoesNothing) {
    session->Command(kCmdMakeFastFile);
    ASSERT_EQ(session->platform.messages.size(), 1u);
    EXPECT_EQ(session->platform.messages[0].text, "Generate a new fast file. Are you sure?");
    EXPECT_FALSE(std::filesystem::exists(files.File("sample.TRF")));
}

TEST_F(FastFileCommandsTest, MakeFastFileRunsOnTheWorkerAndReportsCompletion) {
    MakeFastFile();
    EXPECT_EQ(session->window.displayMode, kModeBackground);
    EXPECT_EQ(session->platform.progress.titles, std::vector<std::string>{"Make Fast File"});
    session->Run();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Fast file complete."});
    EXPECT_FALSE(session->platform.progress.open);
    EXPECT_EQ(displays, 1);
    EXPECT_EQ(ReadWholeFile(files.File("sample.TRF")), ReadWholeFile(TestDataPath("fastfile/sample.TRF")));
    EXPECT_EQ(ReadWholeFile(files.File("sample.TRH")), ReadWholeFile(TestDataPath("fastfile/sample.TRH")));
}

TEST_F(FastFileCommandsTest, FileCommandsAreRefusedUntilTheRunIsReported) {
    MakeFastFile();
    // The worker has ended, but until its report has run on the window thread the file is its.
    session->window.HandleCommand(kCmdCheckFastFile);
    session->window.HandleCommand(kCmdMakeFastFile);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Must terminate fast file generation first.",
                                                    "Must terminate fast file generation first."}));
    session->Run();
    session->Command(kCmdCheckFastFile);
    EXPECT_EQ(Messages().back(), "Fast file OK");
}

TEST_F(FastFileCommandsTest, MinimizedWindowGetsTheReportAfterRestoreThroughCommand461) {
    session->platform.progress.Minimize();
    MakeFastFile();
    session->Run();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(displays, 0);
    session->platform.progress.Restore();
    session->Run();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Fast file complete."});
    EXPECT_EQ(displays, 1);
    EXPECT_EQ(session->window.displayMode, kModeGame);
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
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error creating fast file."});
    EXPECT_EQ(displays, 1);
}

TEST_F(FastFileCommandsTest, DatabaseStepGetsNoQuestionNoMessageAndItsCommandFollows) {
    std::vector<int> followed;
    session->window.Handlers().Set(kCmdAddToDatabase, [&followed] { followed.push_back(kCmdAddToDatabase); });
    commands->MakeFastFile(kCmdAddToDatabase);
    commands->Worker().Join();
    session->Run();
    EXPECT_TRUE(session->platform.messages.empty());
    EXPECT_EQ(followed, std::vector<int>{kCmdAddToDatabase});
    EXPECT_EQ(displays, 0);
}

TEST_F(FastFileCommandsTest, DatabaseStepWhileAFastFileIsMadeIsRefused) {
    commands->MakeFastFile(kCmdAddToDatabase);
    commands->MakeFastFile(kCmdAddToDatabase);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Must terminate fast file generation first."});
    commands->Worker().Join();
    session->Run();
}

// --- Check and Delete Fast File ---

TEST_F(FastFileCommandsTest, CheckAndDeleteWithoutFastFileSayItDoesNotExist) {
    session->Command(kCmdCheckFastFile);
    session->Command(kCmdDeleteFastFile);
    EXPECT_EQ(Messages(), std::vector<std::string>(2, "Fast file does not exist."));
}

TEST_F(FastFileCommandsTest, CheckAfterAGameWasAddedWarnsToMakeItAgain) {
    MakeFastFile();
    session->Run();
    std::ofstream(pgn, std::ios::app) << "\r\n[Event \"Added\"]\r\n\r\n1. c4 *\r\n";
    session->Command(kCmdReloadFile);
    session->ClearRecords();
    session->Command(kCmdCheckFastFile);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Warning: You need to run 'Make Fast File' again."});
}

TEST_F(FastFileCommandsTest, DeleteAsksAndYesRemovesBothFiles) {
    MakeFastFile();
    session->Run();
    session->Command(kCmdDeleteFastFile);  // answered No
    EXPECT_TRUE(std::filesystem::exists(files.File("sample.TRF")));
    session->ClearRecords();
    AnswerYes();
    session->Command(kCmdDeleteFastFile);
    EXPECT_EQ(session->platform.messages.front().text, "Delete the fast file. Are you sure?");
    EXPECT_EQ(Messages(), std::vector<std::string>{"Fast file deleted."});
    EXPECT_FALSE(std::filesystem::exists(files.File("sample.TRF")));
    EXPECT_FALSE(std::filesystem::exists(files.File("sample.TRH")));
}

}  // namespace
}  // namespace ravelin::shell
