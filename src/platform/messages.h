#pragma once

#include <string>

namespace ravelin::platform {

// Answers of a Yes/No question, with the numeric values the command code compares against.
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

// One message box as the core decided it: the text, the caption and the dialog template that
// fixes its width and placement. The platform only shows it.
struct MessageBoxRequest {
    std::string text;
    std::string caption;
    std::string templateName;
    bool question = false;
    bool fromChildWindow = false;
};

// Modal messages and Yes/No questions.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual void ShowMessageBox(const MessageBoxRequest& request) = 0;
    // Returns kAnswerYes or kAnswerNo.
    virtual int AskQuestionBox(const MessageBoxRequest& request) = 0;
};

}  // namespace ravelin::platform
