#include "eco/eco_select.h"

#include <algorithm>

#include "eco/eco_line.h"

namespace ravelin::eco {

namespace {

// A wrapped line continues at these moves once it has more than the paired number of plies.
struct WrapPoint {
    int plies;
    const char* moveNumber;
};
constexpr WrapPoint kWrapPoints[] = {{18, " 10."}, {32, " 17."}, {46, " 24."}};
constexpr char kContinuationIndent[] = "       ";

std::string Localised(std::string text, const chess::PieceLetters& letters) {
    if (letters.custom) {
        chess::LocaliseAfterMoveNumber(text, letters);
    }
    return text;
}

}  // namespace

int EntryAtOrderPosition(const EcoTable& table, EcoSortOrder order, int position) {
    if (position < 0 || position >= table.count) {
        return kNoEcoEntry;
    }
    const std::size_t at = static_cast<std::size_t>(position);
    switch (order) {
        case EcoSortOrder::kByEco:
            return table.ecoOrder[at];
        case EcoSortOrder::kByName:
            return table.byName[at];
        case EcoSortOrder::kByMoves:
            return table.byMoves[at];
        case EcoSortOrder::kByEntry:
            break;
    }
    return position;
}

SelectOpeningList BuildSelectOpeningList(const EcoTable& table, EcoSortOrder order, bool wrapped,
                                         const chess::PieceLetters& letters) {
    SelectOpeningList list;
    list.order = order;
    list.wrapped = wrapped;
    list.rows.reserve(static_cast<std::size_t>(table.count + (wrapped ? table.extraRows : 0)));
    for (int position = 0; position < table.count; ++position) {
        const int entry = EntryAtOrderPosition(table, order, position);
        const std::string_view moves = EcoMoves(table, entry);
        const std::string code(EcoCode(table, entry));
        if (!wrapped) {
            list.rows.push_back(Localised(code + " " + std::string(moves), letters));
            list.rowMap.push_back(position);
            continue;
        }
        const int plies = table.plies[static_cast<std::size_t>(entry)];
        std::string_view rest = moves;
        std::string prefix = code + " ";
        for (const WrapPoint& wrap : kWrapPoints) {
            if (plies <= wrap.plies) {
                break;
            }
            const std::size_t cut = rest.find(wrap.moveNumber);
            if (cut == std::string_view::npos) {
                break;
            }
            list.rows.push_back(Localised(prefix + std::string(rest.substr(0, cut)), letters));
            list.rowMap.push_back(position);
            rest.remove_prefix(cut + 1);
            prefix = kContinuationIndent;
        }
        list.rows.push_back(Localised(prefix + std::string(rest), letters));
        list.rowMap.push_back(position);
    }
    return list;
}

int EntryOfRow(const EcoTable& table, const SelectOpeningList& list, int row) {
    if (row < 0 || row >= static_cast<int>(list.rowMap.size())) {
        return kNoEcoEntry;
    }
    return EntryAtOrderPosition(table, list.order, list.rowMap[static_cast<std::size_t>(row)]);
}

int RowOfEntry(const EcoTable& table, const SelectOpeningList& list, int entry) {
    for (std::size_t row = 0; row < list.rowMap.size(); ++row) {
        if (EntryAtOrderPosition(table, list.order, list.rowMap[row]) == entry) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

int RowToScrollFirst(int selectedRow, int rowCount) {
    if (selectedRow < kScrollAheadFromRow || rowCount <= 0) {
        return -1;
    }
    return std::min(selectedRow + kScrollAheadRows, rowCount - 1);
}

EcoEntryLine EntryLine(const EcoTable& table, int entry) {
    EcoEntryLine line;
    if (entry < 0 || entry >= table.count) {
        return line;
    }
    const EcoLineMoves split = SplitEcoLine(EcoMoves(table, entry));
    line.white.assign(split.white.begin(), split.white.end());
    line.black.assign(split.black.begin(), split.black.end());
    return line;
}

}  // namespace ravelin::eco
