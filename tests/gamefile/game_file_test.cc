#include "gamefile/game_file.h"

#include <gtest/gtest.h>

namespace ravelin::gamefile {
namespace {

TEST(ApplyExtensionRule, ReplacesAShortExtensionOrAppends) {
    EXPECT_EQ(ApplyExtensionRule("games.pgn", ".pgn"), "games.pgn");
    EXPECT_EQ(ApplyExtensionRule("GAMES.PGN", ".pgn"), "GAMES.PGN");
    EXPECT_EQ(ApplyExtensionRule("games.txt", ".pgn"), "games.pgn");
    EXPECT_EQ(ApplyExtensionRule("games.c", ".pgn"), "games.pgn");
    EXPECT_EQ(ApplyExtensionRule("games", ".pgn"), "games.pgn");
    EXPECT_EQ(ApplyExtensionRule("a.b", ".pgn"), "a.b.pgn");
    EXPECT_EQ(ApplyExtensionRule("report.htm", ".html"), "report.html");
    EXPECT_EQ(ApplyExtensionRule("my.games.dat", ".ser"), "my.games.ser");
}

TEST(MakeDisplayFileName, ConvertsShoutedAndLowerCaseNames) {
    EXPECT_EQ(MakeDisplayFileName("WORLD-CH.PGN"), "World-Ch");
    EXPECT_EQ(MakeDisplayFileName("morrow.pgn"), "Morrow");
    EXPECT_EQ(MakeDisplayFileName("Kasparov.pgn"), "Kasparov");
    EXPECT_EQ(MakeDisplayFileName("KASPAROV-DEEP-BLUE-1997.PGN"), "Kasparov-Deep-Blue-1997");
    EXPECT_EQ(MakeDisplayFileName("dortmund 1992.pgn"), "Dortmund 1992");
    EXPECT_EQ(MakeDisplayFileName(""), "");
}

TEST(PathParts, DirectoryAndName) {
    EXPECT_EQ(DirectoryOf("/home/u/games.pgn"), "/home/u");
    EXPECT_EQ(NameOf("/home/u/games.pgn"), "games.pgn");
    EXPECT_EQ(DirectoryOf("/games.pgn"), "/");
    EXPECT_EQ(DirectoryOf("games.pgn"), "");
}

}  // namespace
}  // namespace ravelin::gamefile
