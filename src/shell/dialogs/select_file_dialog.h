#pragma once

// The "Select File" dialog of a directory search's result: one entry per file with matches, the
// total of the games, a "Win Stats" button for the selected file, OK and Cancel.

#include <functional>
#include <string>
#include <vector>

#include "platform/dialog.h"

namespace ravelin::shell {

inline constexpr char kSelectFileTitle[] = "Select File";

class SelectFileDialog : public platform::Dialog {
  public:
    std::string Title() const override { return kSelectFileTitle; }

    std::vector<std::string> entries;
    std::string totalLine;  // "Total games: %d", or empty
    // The selected entry, -1 for none.
    int selected = -1;
    // "Win Stats": the owner shows the statistics of the selected entry (or says to select one).
    std::function<void(int selected)> onWinStats;

    void PressWinStats() {
        if (onWinStats) {
            onWinStats(selected);
        }
    }
};

}  // namespace ravelin::shell
