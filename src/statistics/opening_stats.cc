#include "statistics/opening_stats.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace ravelin::statistics {

namespace {

std::string NameOf(const OpeningTally& tally, const eco::EcoTable& table) {
    return tally.entryPlusOne == 0 ? std::string(kOtherOpenings)
                                   : std::string(eco::EcoName(table, tally.entryPlusOne - 1));
}

// The text padded with blanks to width characters, counting a UTF-8 sequence as one character
// (the table's names are UTF-8).
std::string PadRight(std::string text, std::size_t width) {
    std::size_t characters = 0;
    for (const char c : text) {
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    if (characters < width) {
        text.append(width - characters, ' ');
    }
    return text;
}

}  // namespace

std::vector<OpeningTally> ComputeOpeningStats(const ReportSource& source, const eco::EcoTable& table,
                                              const MainOpenings& openings, OpeningSort sort) {
    std::map<int, OpeningTally> byEntry;
    ForEachGame(source, true, [&](int, const GameTags& tags) {
        const int item = openings.Find(ReadOpeningMoves(tags.firstMoves));
        const int key = item < 0 ? 0 : openings.Items()[static_cast<std::size_t>(item)].entry + 1;
        OpeningTally& tally = byEntry[key];
        tally.entryPlusOne = key;
        const std::string result = tags.result.substr(0, 7);
        if (result == "1-0") {
            ++tally.whiteWins;
        } else if (result == "0-1") {
            ++tally.blackWins;
        } else {
            ++tally.draws;
        }
        ++tally.total;
    });
    std::vector<OpeningTally> tallies;
    for (const auto& [key, tally] : byEntry) {
        tallies.push_back(tally);
    }
    std::stable_sort(tallies.begin(), tallies.end(), [&](const OpeningTally& a, const OpeningTally& b) {
        if ((a.entryPlusOne == 0) != (b.entryPlusOne == 0) && sort == OpeningSort::kByName) {
            return b.entryPlusOne == 0;  // "Other openings" last
        }
        if (sort == OpeningSort::kByCount && a.total != b.total) {
            return a.total > b.total;
        }
        return NameOf(a, table) < NameOf(b, table);
    });
    return tallies;
}

std::string OpeningRow(const OpeningTally& tally, const eco::EcoTable& table) {
    const std::string name = NameOf(tally, table);
    std::string head = name + ": " + std::to_string(tally.total);
    if (head.size() > 34) {
        // The word before the colon goes.
        const std::size_t colon = name.size();
        const std::size_t space = name.rfind(' ');
        if (space != std::string::npos) {
            head = name.substr(0, space) + head.substr(colon);
        }
    }
    char row[256];
    std::snprintf(row, sizeof row, "  W Wins: %d  B Wins: %d  Draws: %d", tally.whiteWins, tally.blackWins,
                  tally.draws);
    return PadRight(head, 34) + row;
}

}  // namespace ravelin::statistics
