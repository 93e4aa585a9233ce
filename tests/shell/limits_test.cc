// Files at and past the program's limits, and a file changed under the program, opened and walked
// by command ids: each gives its message, never a crash, a hang or a game cut short.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "shell/command_ids.h"
#include "shell_session.h"

namespace ravelin::shell {
namespace {

using testing_support::Session;
using Texts = std::vector<std::string>;

std::string Repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

std::string Junk() {
    std::string bytes(70000, '\0');
    unsigned value = 12345;
    for (char& byte : bytes) {
        value = value * 1103515245 + 12345;
        byte = static_cast<char>(value >> 16);
    }
    return bytes;
}

constexpr char kTooManyGames[] = "Warning: Maximum number 200000 games exceeded.";
constexpr char kTooManyMoves[] = "Warning: Maximum number 200 moves exceeded.";
constexpr char kNoGames[] = "No games found: every game must begin with tag lines such as [Event \"...\"].";
constexpr char kNoGame[] = "Error finding game.";

const std::string kGame = "[Event \"E\"]\n\n1.e4 *\n\n";
const std::string kMoves = Repeated("Nf3 Nf6 Ng1 Ng8 ", 100) + "Nf3 *";  // 201 moves

TEST(Limits, FilesAtAndPastTheLimitsGiveTheirMessages) {
    const struct {
        const char* name;
        std::string text;
        Texts messages;
        const char* gameLine;
    } cases[] = {
        // A full index cannot tell whether more games follow, so exactly 200000 warns too.
        {"200000 games", Repeated(kGame, 200000), {kTooManyGames}, "Game:  2 of 200000"},
        {"200001 games", Repeated(kGame, 200001), {kTooManyGames}, "Game:  2 of 200000"},
        {"201 moves", "[Event \"E\"]\n\n" + kMoves + "\n", {kTooManyMoves}, "Game:  1 of 1"},
        {"3001 lines of movetext",
         "[Event \"E\"]\n\n" + Repeated("Nf3 Nf6 Ng1 Ng8\n", 3001) + "*\n",
         {kTooManyMoves},
         "Game:  1 of 1"},
        {"a line of 100000 characters",
         "[Event \"E\"]\n\n1.e4 {" + std::string(100000, 'x') + "} e5 *\n",
         {},
         "Game:  1 of 1"},
        {"binary junk", Junk(), {kNoGames, kNoGame, kNoGame}, "Game:  1 of 0"},
        {"an empty file", "", {kNoGame, kNoGame, kNoGame}, "Game:  1 of 0"},
        {"no final line feed", "[Event \"E\"]\n\n1.e4 e5 *", {}, "Game:  1 of 1"},
    };
    for (const auto& limit : cases) {
        SCOPED_TRACE(limit.name);
        testing_support::Dirs dirs;
        Session session(dirs.work.Path().string());
        session.Start(dirs.files.Write("limit.pgn", limit.text));
        for (int id : {kCmdEndOfGame, kCmdNextGame, kCmdEndOfGame}) {
            session.Command(id);
        }
        EXPECT_EQ(session.Messages(), limit.messages);
        EXPECT_EQ(session.window.View().gameLine, limit.gameLine);
    }
}

TEST(Limits, AFileShortenedWhileOpenIsNoticedAndIndexedAgain) {
    testing_support::Dirs dirs;
    Session session(dirs.work.Path().string());
    const std::string text = Repeated(kGame, 2) + "[Event \"Last\"]\n\n1.e4 e5 2.Nf3 Nc6 3.Bb5 *\n";
    const std::string path = dirs.files.Write("changing.pgn", text);
    session.Start(path);
    session.ClearRecords();
    std::filesystem::resize_file(path, text.size() - 12);
    session.Command(kCmdNextGame);
    session.Command(kCmdNextGame);
    session.Command(kCmdEndOfGame);
    // The cut game is not shown as if whole: the file is indexed again and the game read from there.
    EXPECT_EQ(session.Messages(), Texts{"File has been reloaded."});
    EXPECT_EQ(session.window.View().gameLine, "Game:  3 of 3");
    EXPECT_EQ(session.window.File().Index().Count(), 3);
}

}  // namespace
}  // namespace ravelin::shell
