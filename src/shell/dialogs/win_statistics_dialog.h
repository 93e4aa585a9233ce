#pragma once

// The "Win Statistics" dialog after a search, or for a file of a directory search: read-only
// lines, closed with OK.

#include <string>

#include "platform/dialog.h"
#include "search/win_statistics.h"

namespace ravelin::shell {

class WinStatisticsDialog : public platform::Dialog {
  public:
    explicit WinStatisticsDialog(const search::WinCounts& counts)
        : lines(search::ComputeWinStatistics(counts)) {}
    std::string Title() const override { return search::kWinStatisticsTitle; }

    search::WinStatisticsLines lines;
};

}  // namespace ravelin::shell
