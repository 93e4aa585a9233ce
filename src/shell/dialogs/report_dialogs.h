#pragma once

// The lists and texts of the game list and the reports as plain data: a list whose rows are made
// when they are drawn (so a list of 200,000 games costs nothing to open), closed by one of its
// buttons; a read-only text; and the Select Player form that fills the player fields of the header
// search.

#include <functional>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "search/search_criteria.h"

namespace ravelin::shell {

inline constexpr char kSelectGameTitle[] = "Select Game";
inline constexpr char kPlayerScoresTitle[] = "Player Scores";
inline constexpr char kPlayerScoresExactTitle[] = "Player Scores/Exact Player Match";
inline constexpr char kCrossTableTitle[] = "Cross Table";
inline constexpr char kOpeningsTitle[] = "Openings";
inline constexpr char kSelectPlayerTitle[] = "Select Player";
inline constexpr char kClickOnAPlayerFirst[] = "Click on a player first.";
inline constexpr char kSelectAnOpeningFirst[] = "Select an opening first.";

class ReportListDialog : public platform::Dialog {
  public:
    struct Button {
        std::string label;
        bool needsRow = false;  // refused with needRowMessage while no row is selected
    };

    std::string Title() const override { return title; }
    std::string Validate() override;
    bool RowSelected() const { return selectedRow >= 0 && selectedRow < rowCount; }

    std::string title;
    int rowCount = 0;
    // The text of a row, asked for when the row is drawn.
    std::function<std::string(int row)> rowText;
    // The first button is the one a double click on a row presses.
    std::vector<Button> buttons;
    std::string needRowMessage;
    int selectedRow = -1;  // in: the row selected on opening; out: the chosen row
    int topRow = 0;        // in: the row shown at the top on opening; out: the top row
    int chosenButton = 0;
};

class ReportTextDialog : public platform::Dialog {
  public:
    ReportTextDialog(std::string title, std::string contents)
        : text(std::move(contents)), title_(std::move(title)) {}
    std::string Title() const override { return title_; }

    std::string text;

  private:
    std::string title_;
};

// "Select Player": a list of the players and the White and Black fields of the header search.
// "Set White" and "Set Black" put the chosen player in a field, "One Player Either Color" makes
// White the player with either colour (Black "*"), "Opponents Either Color" the chosen player and
// the one in White against each other in either colours (Black "*" and the chosen name).
class SelectPlayerDialog : public platform::Dialog {
  public:
    std::string Title() const override { return kSelectPlayerTitle; }

    // Each acts on the selected player (or the name given); false when none is selected.
    bool SetWhite();
    bool SetBlack();
    bool OnePlayerEitherColour();
    bool OpponentsEitherColour();
    void ClearWhite() { white.clear(); }
    void ClearBlack() { black.clear(); }

    std::vector<std::string> players;
    int selectedPlayer = -1;
    std::string white;
    std::string black;

  private:
    const std::string* Selected() const;
};

// The button labels of the Select Player form, in its order.
inline constexpr const char* kSelectPlayerButtons[] = {
    "Set White",   "Set Black",  "One Player Either Color", "Opponents Either Color",
    "Clear White", "Clear Black"};

}  // namespace ravelin::shell
