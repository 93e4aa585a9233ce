#include "settings/message_box.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_platform.h"

namespace ravelin::settings {
namespace {

TEST(MessageBoxesTest, ErrorSetsTheFlagAndMessageDoesNot) {
    platform::HeadlessPlatform platform;
    MessageBoxes boxes(platform);
    boxes.ShowMessage("plain");
    EXPECT_FALSE(boxes.errorShown);
    boxes.ShowError("wrong");
    EXPECT_TRUE(boxes.errorShown);
    EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{"plain", "wrong"}));
}

TEST(MessageBoxesTest, CountMessageJoinsTextAndNumber) {
    platform::HeadlessPlatform platform;
    MessageBoxes boxes(platform);
    boxes.ShowCountMessage("Games found", 12);
    EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Games found: 12"});
}

TEST(MessageBoxesTest, QuestionsAnswerSixOrSeven) {
    platform::HeadlessPlatform platform;
    platform.questionAnswers = {platform::kAnswerYes, platform::kAnswerNo};
    MessageBoxes boxes(platform);
    EXPECT_EQ(boxes.AskQuestion("Sure?"), 6);
    EXPECT_FALSE(boxes.errorShown);
    EXPECT_EQ(boxes.AskQuestionFlagged("Really?"), 7);
    EXPECT_TRUE(boxes.errorShown);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_TRUE(platform.messages[0].question);
    EXPECT_EQ(platform.messages[0].templateName, "Showques");
}

TEST(MessageBoxesTest, PlacementFollowsTheModeInForce) {
    platform::HeadlessPlatform platform;
    MessageBoxes boxes(platform);
    boxes.SetPlacement(LayoutSize::kLarge, 2);
    boxes.ShowMessage(std::string(44, 'a'));
    boxes.ShowMessage(std::string(45, 'a'));
    boxes.SetPlacement(LayoutSize::kLarge, 1);
    boxes.ShowMessage("x");
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages[0].templateName, "Showmsgh1");
    EXPECT_EQ(platform.messages[1].templateName, "Showmsgh2");
    EXPECT_EQ(platform.messages[2].templateName, "Showmsgh3");
}

}  // namespace
}  // namespace ravelin::settings
