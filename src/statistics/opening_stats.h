#pragma once

// Opening statistics: the games grouped by the main openings, with White wins, Black wins and
// draws of each, sorted by count or by name.

#include <string>
#include <vector>

#include "eco/eco_table.h"
#include "statistics/main_openings.h"
#include "statistics/report_source.h"

namespace ravelin::statistics {

inline constexpr char kOtherOpenings[] = "Other openings";

struct OpeningTally {
    int total = 0, whiteWins = 0, blackWins = 0, draws = 0;
    int entryPlusOne = 0;  // the ECO entry + 1; 0 for "Other openings"
};

enum class OpeningSort { kByCount, kByName };

// One tally per opening met, sorted.
std::vector<OpeningTally> ComputeOpeningStats(const ReportSource& source, const eco::EcoTable& table,
                                              const MainOpenings& openings, OpeningSort sort);

// "%-34s  W Wins: %d  B Wins: %d  Draws: %d" with "name: total" in front.
std::string OpeningRow(const OpeningTally& tally, const eco::EcoTable& table);

}  // namespace ravelin::statistics
