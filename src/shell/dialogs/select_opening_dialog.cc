#include "shell/dialogs/select_opening_dialog.h"

#include <utility>

namespace ravelin::shell {

SelectOpeningDialog::SelectOpeningDialog(const eco::EcoTable& table, chess::PieceLetters letters,
                                         eco::EcoSortOrder order, int selectedEntry, std::string title)
    : table_(table), letters_(std::move(letters)), title_(std::move(title)) {
    list_.order = order;
    Rebuild(selectedEntry);
}

void SelectOpeningDialog::Rebuild(int entryToSelect) {
    list_ = eco::BuildSelectOpeningList(table_, list_.order, list_.wrapped, letters_);
    selectedRow = entryToSelect == eco::kNoEcoEntry ? -1 : eco::RowOfEntry(table_, list_, entryToSelect);
}

void SelectOpeningDialog::SetOrder(eco::EcoSortOrder order) {
    const int entry = ChosenEntry();
    list_.order = order;
    Rebuild(entry);
}

void SelectOpeningDialog::SetWrapped(bool wrapped) {
    const int entry = ChosenEntry();
    list_.wrapped = wrapped;
    Rebuild(entry);
}

void SelectOpeningDialog::SelectEntry(int entry) {
    if (entry != eco::kNoEcoEntry) {
        selectedRow = eco::RowOfEntry(table_, list_, entry);
    }
}

int SelectOpeningDialog::ScrollFirstRow() const {
    return eco::RowToScrollFirst(selectedRow, static_cast<int>(list_.rows.size()));
}

int SelectOpeningDialog::ChosenEntry() const {
    return selectedRow < 0 ? eco::kNoEcoEntry : eco::EntryOfRow(table_, list_, selectedRow);
}

std::string SelectOpeningDialog::Validate() {
    return ChosenEntry() == eco::kNoEcoEntry ? kNoOpeningSelected : std::string();
}

}  // namespace ravelin::shell
