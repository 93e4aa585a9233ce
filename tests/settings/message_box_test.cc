#include "settings/message_box.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_platform.h"

namespace ravelin::settings {
namespace {

// An error sets the flag a message leaves alone; a question answers 6 (yes) or 7 (no), and only its
// flagged form sets the flag; each box takes the template of the placement in force (the names
// themselves are the shell's MessageTemplate test).
TEST(MessageBoxesTest, FlagsAnswersTextsAndPlacement) {
    platform::HeadlessPlatform platform;
    platform.questionAnswers = {platform::kAnswerYes, platform::kAnswerNo};
    MessageBoxes boxes(platform);
    boxes.ShowMessage("plain");
    boxes.ShowCountMessage("Games found", 12);
    EXPECT_EQ(boxes.AskQuestion("Sure?"), 6);
    EXPECT_FALSE(boxes.errorShown);
    EXPECT_EQ(boxes.AskQuestionFlagged("Really?"), 7);
    EXPECT_TRUE(boxes.errorShown);
    boxes.errorShown = false;
    boxes.ShowError("wrong");
    EXPECT_TRUE(boxes.errorShown);
    boxes.SetPlacement(LayoutSize::kLarge, 2);
    boxes.ShowMessage(std::string(45, 'a'));
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::string>{"plain", "Games found: 12", "wrong", std::string(45, 'a')}));
    ASSERT_EQ(platform.messages.size(), 6u);
    EXPECT_TRUE(platform.messages[2].question);
    EXPECT_EQ(platform.messages[2].templateName, "Showques");
    EXPECT_EQ(platform.messages[5].templateName, "Showmsgh2");
}

}  // namespace
}  // namespace ravelin::settings
