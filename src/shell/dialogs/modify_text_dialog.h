#pragma once

// "Modify Text": the current game's text to edit, adjust and save in place of the game.

#include <cstddef>
#include <string>
#include <utility>

#include "platform/dialog.h"

namespace ravelin::shell {

inline constexpr char kModifyTextTitle[] = "Modify Text";
inline constexpr char kGameBufferTitle[] = "Game Buffer";
inline constexpr char kGameTooBigToEdit[] = "This game is too big to edit.";
// The most text the editor holds.
inline constexpr std::size_t kEditableTextSize = 299998;

class ModifyTextDialog : public platform::Dialog {
  public:
    explicit ModifyTextDialog(std::string gameText, std::string title = kModifyTextTitle)
        : text(std::move(gameText)), viewOnly(text.size() > kEditableTextSize), title_(std::move(title)) {}
    std::string Title() const override { return title_; }
    // "Adjust" (173): the adjust rule on the text, joining short lines when join is on.
    void Adjust();

    std::string text;  // CR LF line ends
    bool join = false;
    // Only shown, without Adjust and Save (171): a game larger than the editor holds, or a text
    // that is not the current game's.
    bool viewOnly = false;

  private:
    std::string title_;
};

}  // namespace ravelin::shell
