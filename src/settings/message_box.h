#pragma once

#include <string>
#include <string_view>

#include "platform/messages.h"

namespace ravelin::settings {

// Which dialog template a message box uses depends on the screen layout and the display mode.
enum class LayoutSize { kSmall = 0, kMedium = 1, kLarge = 2 };

// Texts of this many characters or more use the wide template.
inline constexpr std::size_t kWideMessageLength = 45;

// The name of the dialog template for a message or question.
std::string MessageTemplateName(std::string_view text, bool question, LayoutSize layout, int displayMode,
                                bool fromChildWindow);

// Every message and Yes/No question of the program goes through here, so each shows the same
// way and tests can see them all.
class MessageBoxes {
  public:
    explicit MessageBoxes(platform::MessageService& service) : service_(service) {}

    // Placement follows the layout and the display mode in force.
    void SetPlacement(LayoutSize layout, int displayMode) {
        layout_ = layout;
        displayMode_ = displayMode;
    }

    void ShowMessage(std::string_view text);
    // Like ShowMessage, and records that a message was shown (callers test and clear it).
    void ShowError(std::string_view text);
    // "text: number".
    void ShowCountMessage(std::string_view text, int number);
    // Returns platform::kAnswerYes or platform::kAnswerNo.
    int AskQuestion(std::string_view text, bool fromChildWindow = false);
    int AskQuestionFlagged(std::string_view text);

    bool errorShown = false;

  private:
    platform::MessageService& service_;
    LayoutSize layout_ = LayoutSize::kSmall;
    int displayMode_ = 0;
};

}  // namespace ravelin::settings
