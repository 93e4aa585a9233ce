// A game's text read for annotation, the scratch copy, and the save in place of the game.

#include "annotation/annotation_session.h"

#include <gtest/gtest.h>

#include <string>

#include "gamefile/game_edit.h"
#include "gamefile/game_index.h"
#include "temp_dir.h"

namespace ravelin::annotation {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;

const std::string kFirst = "[Event \"One\"]\r\n[Result \"*\"]\r\n\r\n1. e4 e5 *\r\n\r\n";
const std::string kSecond = "[Event \"Two\"]\r\n[Result \"*\"]\r\n\r\n1. d4  d5 *\r\n\r\n";
const std::string kThird = "[Event \"Three\"]\r\n[Result \"*\"]\r\n\r\n1. c4 *\r\n";

gamefile::GameIndex IndexOf(const std::string& path) {
    gamefile::GameIndex index;
    gamefile::IndexGameFileAt(path, index);
    return index;
}

TEST(AnnotationSessionTest, SavingReplacesOnlyTheGameAndKeepsEveryOtherByte) {
    TempDir dir;
    const std::string path = dir.Write("games.pgn", kFirst + kSecond + kThird);
    AnnotationSession session;
    ASSERT_EQ(session.LoadFromFile(path, IndexOf(path), 2, dir.File("interact.pgn")), nullptr);
    EXPECT_EQ(session.Text(), kSecond);
    EXPECT_EQ(ReadWholeFile(dir.File("interact.pgn")), kSecond);

    session.Text().insert(session.Text().find(" *"), " {longer now}");
    ASSERT_EQ(session.Commit(), nullptr);
    EXPECT_TRUE(session.Changed());
    const std::string edited = "[Event \"Two\"]\r\n[Result \"*\"]\r\n\r\n1. d4 d5 {longer now} *\r\n\r\n";
    EXPECT_EQ(ReadWholeFile(dir.File("interact.pgn")), edited);

    ASSERT_EQ(session.SaveToFile(), nullptr);
    EXPECT_EQ(ReadWholeFile(path), kFirst + edited + kThird);
    EXPECT_EQ(IndexOf(path).Count(), 3);
}

TEST(AnnotationSessionTest, SavingIsRefusedWhenAnotherProgramChangedTheGameInTheFile) {
    TempDir dir;
    const std::string path = dir.Write("games.pgn", kFirst + kSecond);
    AnnotationSession session;
    ASSERT_EQ(session.LoadFromFile(path, IndexOf(path), 2, dir.File("interact.pgn")), nullptr);
    session.Text().insert(session.Text().find(" *"), " $1");
    ASSERT_EQ(session.Commit(), nullptr);
    // Another program adds a game at the end: the last game's bytes are no longer those read.
    const std::string changed = kFirst + kSecond + kThird;
    dir.Write("games.pgn", changed);
    EXPECT_STREQ(session.SaveToFile(), gamefile::kGameChangedOnDisk);
    EXPECT_EQ(ReadWholeFile(path), changed);
}

TEST(AnnotationSessionTest, ALastGameLongerThanTheBufferIsRefusedInsteadOfCut) {
    TempDir dir;
    std::string longGame = "[Event \"Long\"]\r\n[Result \"*\"]\r\n\r\n";
    while (longGame.size() <= kAnnotationBufferSize) {
        longGame += "{" + std::string(70, 'x') + "}\r\n";
    }
    longGame += "1. e4 *\r\n";
    const std::string path = dir.Write("games.pgn", kFirst + longGame);
    AnnotationSession session;
    EXPECT_STREQ(session.LoadFromFile(path, IndexOf(path), 2, dir.File("interact.pgn")),
                 kGameTooBigToAnnotate);
    EXPECT_FALSE(session.Active());
    EXPECT_EQ(session.LoadFromFile(path, IndexOf(path), 1, dir.File("interact.pgn")), nullptr);
}

TEST(AnnotationSessionTest, ClosingRemovesTheScratchFile) {
    TempDir dir;
    const std::string path = dir.Write("games.pgn", kFirst);
    AnnotationSession session;
    ASSERT_EQ(session.LoadFromFile(path, IndexOf(path), 1, dir.File("interact.pgn")), nullptr);
    session.Close();
    EXPECT_FALSE(std::filesystem::exists(dir.File("interact.pgn")));
    EXPECT_EQ(ReadWholeFile(path), kFirst);
}

}  // namespace
}  // namespace ravelin::annotation
