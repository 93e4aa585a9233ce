#include "search/search_file_list.h"

#include <gtest/gtest.h>

namespace ravelin::search {
namespace {

ResultFile FileWithCounts(const std::vector<int>& counts) {
    ResultFile file;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        ResultFileRecord record;
        record.name = "file" + std::to_string(i);
        for (int g = 1; g <= counts[i]; ++g) {
            record.games.push_back(g);
        }
        file.records.push_back(record);
    }
    return file;
}

TEST(SearchFileListCase, LowerCaseStartOrTwoCapitalsGivesMixedCase) {
    EXPECT_EQ(MixedCaseEntry("SICILIAN:3"), "Sicilian:3");
    EXPECT_EQ(MixedCaseEntry("najdorf:12"), "Najdorf:12");
    EXPECT_EQ(MixedCaseEntry("my-games:1"), "My-Games:1");
    EXPECT_EQ(MixedCaseEntry("WORLD CH 2004:2"), "World Ch 2004:2");
    // Letters after a digit or punctuation above '/' are small.
    EXPECT_EQ(MixedCaseEntry("x_yZ:1"), "X_yz:1");
    EXPECT_EQ(MixedCaseEntry("a2B:1"), "A2b:1");
}

TEST(SearchFileListCase, OtherNamesAreShownAsTheyAre) {
    EXPECT_EQ(MixedCaseEntry("Kasparov-DEEP:1"), "Kasparov-DEEP:1");
    EXPECT_EQ(MixedCaseEntry("2004games:1"), "2004games:1");
    EXPECT_EQ(MixedCaseEntry("B:4"), "B:4");
}

TEST(SearchFileListEntryTest, EntryThatFitsIsNameColonCount) {
    EXPECT_EQ(SearchFileListEntry("Dortmund", 17, AverageTextWidth, false), "Dortmund:17");
}

TEST(SearchFileListEntryTest, WideEntryIsCutWithATildeUntilItFits) {
    // Six units a character: 340 units hold 56 characters, 136 hold 22.
    const std::string name = "Abcdefghij" + std::string(45, 'k');  // 55 characters
    const std::string wide = SearchFileListEntry(name, 5, AverageTextWidth, false);
    EXPECT_EQ(wide, name.substr(0, 53) + "~:5");
    EXPECT_LE(AverageTextWidth(wide), kListWidth);
    const std::string narrow = SearchFileListEntry(name, 123, AverageTextWidth, true);
    EXPECT_EQ(narrow, name.substr(0, 17) + "~:123");
    EXPECT_EQ(narrow.size(), 22u);
}

TEST(SearchFileListEntryTest, CutStartsAtFiftyFiveCharactersEvenWhenMoreWouldFit) {
    const auto generous = [](std::string_view text) { return text.size() > 58 ? 1000 : 10; };
    const std::string name(70, 'Q');
    // "QQ..." starts with two capitals: mixed case applies before the cut.
    EXPECT_EQ(SearchFileListEntry(name, 1, generous, false), "Q" + std::string(53, 'q') + "~:1");
}

TEST(SearchFileListEntryTest, NothingFitsLeavesTheTildeAndTheCount) {
    const auto tiny = [](std::string_view) { return 1000; };
    EXPECT_EQ(SearchFileListEntry("Dortmund", 3, tiny, false), "~:3");
}

TEST(SearchFileListBuild, TotalLineNeedsTwoFilesAndSomeGames) {
    SearchFileList list = BuildSearchFileList(FileWithCounts({3, 4}), AverageTextWidth, false);
    EXPECT_EQ(list.entries, (std::vector<std::string>{"File0:3", "File1:4"}));
    EXPECT_EQ(list.totalGames, 7);
    EXPECT_EQ(list.totalLine, "Total games: 7");
    EXPECT_FALSE(list.exceeded);

    list = BuildSearchFileList(FileWithCounts({9}), AverageTextWidth, false);
    EXPECT_EQ(list.totalGames, 9);
    EXPECT_EQ(list.totalLine, "");
    EXPECT_EQ(BuildSearchFileList(FileWithCounts({0, 0}), AverageTextWidth, false).totalLine, "");
}

TEST(SearchFileListBuild, MoreThanAThousandRecordsKeepTheFirstThousand) {
    const SearchFileList list =
        BuildSearchFileList(FileWithCounts(std::vector<int>(1001, 1)), AverageTextWidth, false);
    EXPECT_EQ(list.Count(), 1000);
    EXPECT_TRUE(list.exceeded);
    EXPECT_EQ(list.totalGames, 1000);
    EXPECT_EQ(list.entries.back(), "File999:1");
    EXPECT_EQ(MaxSearchFilesExceededMessage(), "Maximum number 1000 search files exceeded.");
    EXPECT_FALSE(
        BuildSearchFileList(FileWithCounts(std::vector<int>(1000, 1)), AverageTextWidth, false).exceeded);
}

}  // namespace
}  // namespace ravelin::search
