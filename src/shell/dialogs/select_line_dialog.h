#pragma once

// "Select Line": the variations after the shown move, one per row, to show one of them.

#include <string>
#include <vector>

#include "platform/dialog.h"

namespace ravelin::shell {

inline constexpr char kSelectLineTitle[] = "Select Line";
inline constexpr char kSelectLineFirst[] = "Select a line first.";

class SelectLineDialog : public platform::Dialog {
  public:
    std::string Title() const override { return kSelectLineTitle; }
    std::string Validate() override {
        return selected >= 0 && selected < static_cast<int>(lines.size()) ? std::string() : kSelectLineFirst;
    }

    std::vector<std::string> lines;
    int selected = 0;  // -1 for none
};

}  // namespace ravelin::shell
