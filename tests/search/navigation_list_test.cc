#include "search/navigation_list.h"

#include <gtest/gtest.h>

namespace ravelin::search {
namespace {

SearchResult ResultOf(std::initializer_list<std::pair<int, int>> gamesAndPlies) {
    SearchResult result;
    result.Clear();
    for (const auto& [game, ply] : gamesAndPlies) {
        result.Add(game, kOutcomeOther, ply);
    }
    return result;
}

TEST(NavigationListTest, StepsStayWithinTheMatchList) {
    NavigationList navigation;
    navigation.Set(MatchListKind::kPosition, ResultOf({{3, 10}, {8, 0}, {20, 7}}));
    EXPECT_EQ(navigation.CurrentGame(), 3);
    EXPECT_EQ(navigation.CurrentPly(), 10);
    EXPECT_EQ(navigation.Step(-1, 3, 100), 3);  // "Prev Game" on the first match stays on it
    EXPECT_EQ(navigation.Step(+1, 3, 100), 8);
    EXPECT_EQ(navigation.Step(+1, 8, 100), 20);
    EXPECT_EQ(navigation.CurrentPly(), 7);
    EXPECT_EQ(navigation.Step(+1, 20, 100), 20);
}

TEST(NavigationListTest, WithoutAListEveryGameIsWalked) {
    NavigationList navigation;
    EXPECT_FALSE(navigation.Active());
    EXPECT_EQ(navigation.Step(+1, 5, 6), 6);
    EXPECT_EQ(navigation.Step(+1, 6, 6), 6);
    EXPECT_EQ(navigation.Step(-1, 1, 6), 1);
    EXPECT_EQ(navigation.CurrentGame(), 0);
}

TEST(NavigationListTest, ANewSearchEmptiesTheOtherListsAndResetEmptiesAll) {
    NavigationList navigation;
    navigation.Set(MatchListKind::kVariation, ResultOf({{1, 0}, {2, 0}}));
    navigation.Set(MatchListKind::kHeader, ResultOf({{9, 0}}));
    EXPECT_EQ(navigation.CurrentGame(), 9);
    EXPECT_EQ(navigation.Step(+1, 9, 50), 9);
    navigation.Set(MatchListKind::kVariation, {4, 6}, {});
    EXPECT_EQ(navigation.Step(+1, 4, 50), 6);
    EXPECT_EQ(navigation.CurrentPly(), 0);
    navigation.Reset();
    EXPECT_FALSE(navigation.Active());
    EXPECT_EQ(navigation.Step(+1, 6, 50), 7);
}

TEST(NavigationListTest, AnEmptyResultLeavesNavigationOverAllGames) {
    NavigationList navigation;
    navigation.Set(MatchListKind::kVariation, ResultOf({}));
    EXPECT_FALSE(navigation.Active());
}

}  // namespace
}  // namespace ravelin::search
