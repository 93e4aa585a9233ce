#include "search/directory_listing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "temp_dir.h"

namespace ravelin::search {
namespace {

using ravelin::testing::TempDir;

std::vector<std::string> Names(const std::vector<ListedFile>& files) {
    std::vector<std::string> names;
    for (const ListedFile& file : files) {
        names.push_back(file.name);
    }
    return names;
}

TEST(DirectoryListing, OnlyPgnFilesSortedWithCaseIgnoredAndOnlyTheFinalExtensionStripped) {
    TempDir dir;
    for (const char* name :
         {"zebra.pgn", "Alpha.pgn", "beta.PGN", "games.old.pgn", "notes.txt", "pgn", "x.pgn.bak"}) {
        dir.Write(name, "");
    }
    std::filesystem::create_directory(dir.File("folder.pgn"));
    const std::vector<ListedFile> files = ListPgnFiles(dir.Path().string());
    EXPECT_EQ(Names(files), (std::vector<std::string>{"Alpha", "beta", "games.old", "zebra"}));
    EXPECT_EQ(files[1].fileName, "beta.PGN");
    EXPECT_EQ(files[2].fileName, "games.old.pgn");
}

TEST(DirectoryListing, NamesEqualButForCaseKeepAFixedOrder) {
    std::vector<ListedFile> files = {{"abc", "abc.pgn"}, {"ABC", "ABC.pgn"}, {"Abd", "Abd.pgn"}};
    SortNamesIgnoringCase(files);
    EXPECT_EQ(Names(files), (std::vector<std::string>{"ABC", "abc", "Abd"}));
}

TEST(DirectoryListing, A4097thFileIsLeftOut) {
    TempDir dir;
    for (int i = 0; i < 4097; ++i) {
        dir.Write("g" + std::to_string(i) + ".pgn", "");
    }
    const std::vector<ListedFile> files = ListPgnFiles(dir.Path().string());
    ASSERT_EQ(files.size(), 4096u);
    std::set<std::string> unique;
    for (const ListedFile& file : files) {
        EXPECT_TRUE(std::filesystem::exists(dir.File(file.fileName)));
        unique.insert(file.name);
    }
    EXPECT_EQ(unique.size(), 4096u);
}

TEST(DirectoryListing, NamesStopAt32KilobytesOfNames) {
    TempDir dir;
    // 50 characters and a NUL each: 642 names fill 32,742 of the 32,768 bytes.
    for (int i = 0; i < 700; ++i) {
        std::string name = std::to_string(i);
        name.insert(0, 50 - name.size(), 'n');
        dir.Write(name + ".pgn", "");
    }
    EXPECT_EQ(ListPgnFiles(dir.Path().string()).size(), 642u);
}

TEST(DirectoryListing, EmptyOrMissingDirectoryListsNothing) {
    TempDir dir;
    EXPECT_TRUE(ListPgnFiles(dir.Path().string()).empty());
    EXPECT_TRUE(ListPgnFiles(dir.File("missing")).empty());
}

TEST(DirectoryListing, FiftyTwoCharacterNamesAreTooLongFiftyOneAreNot) {
    EXPECT_FALSE(NameTooLongToSearch(std::string(51, 'a')));
    EXPECT_TRUE(NameTooLongToSearch(std::string(52, 'a')));
    EXPECT_EQ(FilenameTooLongMessage("abc"), "Filename abc is too long.");
}

TEST(DirectoryListing, FindPgnFileAcceptsAnExtensionInCapitals) {
    TempDir dir;
    dir.Write("lower.pgn", "");
    dir.Write("UPPER.PGN", "");
    const std::string directory = dir.Path().string();
    EXPECT_EQ(FindPgnFile(directory, "lower"), dir.File("lower.pgn"));
    EXPECT_EQ(FindPgnFile(directory, "UPPER"), dir.File("UPPER.PGN"));
    EXPECT_EQ(FindPgnFile(directory, "upper"), "");
    EXPECT_EQ(FindPgnFile(directory, "none"), "");
}

}  // namespace
}  // namespace ravelin::search
