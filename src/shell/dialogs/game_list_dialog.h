#pragma once

// The result lists of the file utilities: "Errors" (a check's first errors) and "Duplicates"
// (pairs of duplicate games, with the deletion of the marked games). Each row names a game; the
// form reports the row chosen to be shown, or that the duplicates are to be deleted.

#include <string>
#include <vector>

#include "platform/dialog.h"

namespace ravelin::shell {

inline constexpr char kErrorsTitle[] = "Errors";
inline constexpr char kDuplicatesTitle[] = "Duplicates";
inline constexpr char kSelectAGame[] = "Select a game first.";

class GameListDialog : public platform::Dialog {
  public:
    struct Row {
        std::string text;
        int game = 0;  // 1-based game shown when the row is chosen
    };

    GameListDialog(std::string title, std::vector<Row> rows, bool offersDeletion)
        : title_(std::move(title)), rows_(std::move(rows)), offersDeletion_(offersDeletion) {}

    std::string Title() const override { return title_; }
    // Showing a game needs a row; deleting the duplicates does not.
    std::string Validate() override {
        return deleteRequested || (selectedRow >= 0 && selectedRow < static_cast<int>(rows_.size()))
                   ? std::string()
                   : std::string(kSelectAGame);
    }

    const std::vector<Row>& Rows() const { return rows_; }
    bool OffersDeletion() const { return offersDeletion_; }
    // The game of the chosen row, 0 when none.
    int ChosenGame() const {
        return selectedRow >= 0 && selectedRow < static_cast<int>(rows_.size())
                   ? rows_[static_cast<std::size_t>(selectedRow)].game
                   : 0;
    }

    int selectedRow = -1;
    bool deleteRequested = false;

  private:
    std::string title_;
    std::vector<Row> rows_;
    bool offersDeletion_;
};

}  // namespace ravelin::shell
