// A long scripted session of random menu commands: whatever the order, the program neither crashes
// nor hangs, and the open file keeps its bytes while nothing that writes games is confirmed: every
// question is answered No, the dialogs of the commands that rewrite games are cancelled, other
// dialogs are accepted as they are shown or cancelled, and every file dialog is cancelled or given
// a new file in a folder of its own.

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "shell/command_table.h"
#include "shell_session.h"
#include "temp_dir.h"

namespace ravelin::shell {
namespace {

using ravelin::testing::ReadWholeFile;
using testing_support::DataText;
using testing_support::Session;

constexpr int kCommandsPerSession = 2000;
// The last commands, shown when the session fails.
constexpr std::size_t kCommandsRemembered = 40;

struct MonkeyCase {
    std::uint32_t seed;
    const char* dataFile;
};

// Real files of different kinds: a tournament with FEN-started games, a plain tournament, an
// annotated engine game.
constexpr MonkeyCase kCases[] = {
    {1, "pgn/chess960rwch.pgn"},
    {2, "pgn/lichess-benchmark.pgn"},
    {3, "pgn/TCEC_Cup_6_Bronze.pgn"},
    {4, "pgn/uzchesscup.pgn"},
};

// The subsystems whose dialogs, once accepted, rewrite the games of a file.
bool WritesGames(CommandOwner owner) {
    return owner == CommandOwner::kGameWriting || owner == CommandOwner::kFileUtilities ||
           owner == CommandOwner::kAnnotation || owner == CommandOwner::kYahoo;
}

// The commands that put a game (entered, annotated or from the game buffer) into the open file
// when chosen, without a question, and the annotation editor's Save: after one of them the file as
// it then stands is the one kept.
bool WritesWhenChosen(const CommandInfo& command) {
    return command.label == "Append Game" || command.label == "Insert Game" ||
           command.label == "Overwrite Last" || command.label == "Save";
}

class MonkeyTest : public ::testing::TestWithParam<MonkeyCase>, protected testing_support::Dirs {};

TEST_P(MonkeyTest, RandomMenuCommandsLeaveTheOpenFileAsItWas) {
    const MonkeyCase monkey = GetParam();
    std::mt19937 random(monkey.seed);
    std::string original = DataText(monkey.dataFile);
    const std::string pgn = files.Write("games.pgn", original);
    ravelin::testing::TempDir scratch;

    Session session(work.Path().string());
    CommandOwner owner = CommandOwner::kShell;
    session.platform.dialogScript = [&random, &owner](platform::Dialog&) {
        return !WritesGames(owner) && random() % 2 == 0;
    };
    session.Start(pgn);

    const auto table = CommandTable();
    std::deque<int> recent;
    int newFiles = 0;
    for (int step = 0; step < kCommandsPerSession; ++step) {
        const CommandInfo& command = table[random() % table.size()];
        owner = command.owner;
        recent.push_back(command.id);
        if (recent.size() > kCommandsRemembered) {
            recent.pop_front();
        }
        // A file dialog, if the command shows one, is cancelled or given a file that is not there yet.
        session.platform.fileChoices.clear();
        if (random() % 2 == 0) {
            session.platform.fileChoices.push_back(scratch.File("new" + std::to_string(++newFiles) + ".pgn"));
        }
        session.platform.questionAnswers.clear();
        session.Command(command.id);
        session.ClearRecords();
        // Checked after every command, so that a failure names the command that wrote.
        if (WritesWhenChosen(command)) {
            original = ReadWholeFile(pgn);
        } else if (ReadWholeFile(pgn) != original) {
            std::ostringstream last;
            for (const int id : recent) {
                last << id << ' ';
            }
            FAIL() << "seed " << monkey.seed << ": the file changed at step " << step << ", command "
                   << command.id << " (" << command.label << "); last commands: " << last.str();
        }
    }
    session.window.PrepareToClose();
    session.Run();
    EXPECT_TRUE(ReadWholeFile(pgn) == original) << "seed " << monkey.seed << ": the file changed on closing";
}

INSTANTIATE_TEST_SUITE_P(Seeds, MonkeyTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<MonkeyCase>& param) {
                             return "Seed" + std::to_string(param.param.seed);
                         });

}  // namespace
}  // namespace ravelin::shell
