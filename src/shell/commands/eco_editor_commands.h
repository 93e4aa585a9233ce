#pragma once

// The ECO editor in the main window: "Add to ECO Table" (509) enters it with its own menu bar and
// the board in Variation Edit; Save (510), Restore (511), Exit (512), Check (517), Add Line (513),
// Modify Line (514), Modify Name (515) and Delete Line (516) work on the entered moves and on the
// line last chosen from the Select Opening list.

#include <memory>

#include "tree/eco_editor.h"

namespace ravelin::shell {

class MainWindow;

inline constexpr int kCmdAddToEcoTable = 509;
inline constexpr int kCmdEcoSave = 510;
inline constexpr int kCmdEcoRestore = 511;
inline constexpr int kCmdEcoExit = 512;
inline constexpr int kCmdEcoAddLine = 513;
inline constexpr int kCmdEcoModifyLine = 514;
inline constexpr int kCmdEcoModifyName = 515;
inline constexpr int kCmdEcoDeleteLine = 516;
inline constexpr int kCmdEcoCheck = 517;

class EcoEditorCommands {
  public:
    explicit EcoEditorCommands(MainWindow& window);
    void Register();
    const tree::EcoEditor& Editor() const { return editor_; }

  private:
    void Enter();
    // Runs an editing command with the entered moves and the chosen line; nothing outside the editor.
    void Edit(void (tree::EcoEditor::*command)(const tree::EcoPosition&));
    void TakeChosenLine();
    void Leave();
    tree::EcoPosition Position() const;

    MainWindow& window_;
    tree::EcoEditor editor_;
    int statusLineBefore_ = 0;
};

std::shared_ptr<EcoEditorCommands> RegisterEcoEditorCommands(MainWindow& window);

}  // namespace ravelin::shell
