#pragma once

// The opening finders of the main window: "Find Opening" for the game shown (273), the Find
// Opening popup for the moves entered in Variation Edit (288-290) and the Select Opening list in
// its four orders (362, 286, 287, 285). A chosen opening becomes the variation of the variation
// search and is shown in Variation Edit.

#include "eco/eco_match.h"
#include "eco/eco_select.h"
#include "shell/command_ids.h"

namespace ravelin::shell {

class MainWindow;

class OpeningCommands {
  public:
    explicit OpeningCommands(MainWindow& window);
    OpeningCommands(const OpeningCommands&) = delete;
    OpeningCommands& operator=(const OpeningCommands&) = delete;

    void FindOpeningInGame();
    void FindOpeningInVariation(eco::MatchMode mode);
    // Opens the Select Opening list on an entry (kNoEcoEntry: none selected); a chosen row
    // becomes the variation and "Edit Variation" is posted.
    void SelectOpening(eco::EcoSortOrder order, int entry, const std::string& title);

    // The line last chosen from the list, which "Select Current" selects again.
    int CurrentLine() const { return currentLine_; }

  private:
    void LoadEntryAsVariation(int entry);

    MainWindow& window_;
    int currentLine_ = -1;
};

// Makes the commands and registers their handlers with the window.
void RegisterOpeningCommands(MainWindow& window);

}  // namespace ravelin::shell
