#pragma once

// "Modify Text": the current game's text to edit, adjust and save in place of the game.

#include <cstddef>
#include <string>
#include <utility>

#include "platform/dialog.h"

namespace ravelin::shell {

inline constexpr char kModifyTextTitle[] = "Modify Text";
inline constexpr char kGameTooBigToEdit[] = "This game is too big to edit.";
// The most text the editor holds.
inline constexpr std::size_t kEditableTextSize = 299998;

class ModifyTextDialog : public platform::Dialog {
  public:
    explicit ModifyTextDialog(std::string gameText) : text(std::move(gameText)) {}
    std::string Title() const override { return kModifyTextTitle; }
    // "Adjust" (173): the adjust rule on the text, joining short lines when join is on.
    void Adjust();

    std::string text;  // CR LF line ends
    bool join = false;
    // A game larger than the editor holds is only shown; Save (171) is not offered.
    bool ViewOnly() const { return text.size() > kEditableTextSize; }
};

}  // namespace ravelin::shell
