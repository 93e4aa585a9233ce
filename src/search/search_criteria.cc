#include "search/search_criteria.h"

#include <algorithm>

namespace ravelin::search {

int SearchVariation::WhiteCount() const {
    // The plies run W1, B1, W2, ... up to the first empty entry: a white move after an empty
    // black one (as a loaded file may hold) is not part of the variation.
    int count = 0;
    while (count < chess::kMaxMovesPerSide && whiteMoves[count][0] != 0 &&
           (count == 0 || blackMoves[count - 1][0] != 0)) {
        ++count;
    }
    return count;
}

int SearchVariation::BlackCount() const {
    const int white = WhiteCount();
    int count = 0;
    while (count < white && blackMoves[count][0] != 0) {
        ++count;
    }
    return count;
}

bool HeaderCriteria::Empty() const {
    return std::all_of(fields.begin(), fields.end(), [](const std::string& field) { return field.empty(); });
}

std::string_view HeaderFieldLabel(HeaderField field) {
    static constexpr std::string_view kLabels[kHeaderFieldCount] = {
        "Event",           "Site",      "Date",      "Round",         "White", "Black", "Result", "ECO",
        "Number of Moves", "White ELO", "Black ELO", "Specific Move",
    };
    return kLabels[static_cast<int>(field)];
}

void SetPositionEntry(PositionEntry& entry, std::string_view text) {
    entry.fill(0);
    std::copy_n(text.begin(), std::min(text.size(), entry.size() - 1), entry.begin());
}

std::string_view PositionEntryText(const PositionEntry& entry) {
    const auto end = std::find(entry.begin(), entry.end(), '\0');
    return std::string_view(entry.data(), static_cast<std::size_t>(end - entry.begin()));
}

}  // namespace ravelin::search
