#pragma once

// "Copy Games from Clipboard": games pasted into a text field, then stored in a new file or
// appended to one.

#include <string>

#include "platform/dialog.h"

namespace ravelin::shell {

inline constexpr char kPasteGamesTitle[] = "Copy Games from Clipboard";
inline constexpr char kPasteGamesPrompt[] =
    "Copy and paste game(s) into box and then click New File or Append";

class PasteGamesDialog : public platform::Dialog {
  public:
    std::string Title() const override { return kPasteGamesTitle; }

    std::string text;  // CR LF line ends; empty when the dialog opens
    // Closed with "Append" rather than "New File".
    bool append = false;
};

}  // namespace ravelin::shell
