#pragma once

// "Convert Yahoo Game": a Yahoo game record pasted into a text field and converted.

#include <string>

#include "platform/dialog.h"

namespace ravelin::shell {

inline constexpr char kYahooDialogTitle[] = "Convert Yahoo Game";
inline constexpr char kYahooDialogPrompt[] = "Copy and paste Yahoo game into box and click Convert";

class YahooDialog : public platform::Dialog {
  public:
    std::string Title() const override { return kYahooDialogTitle; }

    std::string text;  // empty when the dialog opens
};

}  // namespace ravelin::shell
