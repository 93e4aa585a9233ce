#pragma once

// The Select Opening dialog: the whole ECO table in one of four orders, one row per entry or
// wrapped rows, opened on a selected entry. The form shows Rows() and reports the chosen row.

#include <string>

#include "chess/piece_letters.h"
#include "eco/eco_select.h"
#include "eco/eco_table.h"
#include "platform/dialog.h"

namespace ravelin::shell {

inline constexpr char kSelectOpeningTitle[] = "Select Opening";
inline constexpr char kNoOpeningSelected[] = "Select an opening first.";

class SelectOpeningDialog : public platform::Dialog {
  public:
    SelectOpeningDialog(const eco::EcoTable& table, chess::PieceLetters letters, eco::EcoSortOrder order,
                        int selectedEntry, std::string title = kSelectOpeningTitle);

    std::string Title() const override { return title_; }
    // A row must be chosen before OK.
    std::string Validate() override;

    const eco::SelectOpeningList& List() const { return list_; }
    // The buttons: another order, wrapped or single rows; the selection follows its entry.
    void SetOrder(eco::EcoSortOrder order);
    void SetWrapped(bool wrapped);
    // "Select Current": the entry given as the current line, when there is one.
    void SelectEntry(int entry);

    // The row selected (-1 none) and the row the list scrolls to before it, or -1.
    int selectedRow = -1;
    int ScrollFirstRow() const;
    // The entry of the selected row, eco::kNoEcoEntry when none.
    int ChosenEntry() const;
    // The entry "Select Current" selects (the current line), kNoEcoEntry when there is none.
    int currentEntry = eco::kNoEcoEntry;

  private:
    void Rebuild(int entryToSelect);

    const eco::EcoTable& table_;
    chess::PieceLetters letters_;
    std::string title_;
    eco::SelectOpeningList list_;
};

}  // namespace ravelin::shell
