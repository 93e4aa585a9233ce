#pragma once

// The "Colors/Screen" menu: "Preset Colors" (174), the colour chooser of each colour item (175-178,
// 382, 385-390), "Reset Colors" (179) and the "Highlight Current Position" check mark (391). Every
// change is written to the options file and the board and texts are drawn in the new colours at
// once.

namespace ravelin::shell {

class MainWindow;

void RegisterColourCommands(MainWindow& window);
// The check mark of "Highlight Current Position" follows the loaded settings.
void ShowColourMenuMarks(MainWindow& window);

}  // namespace ravelin::shell
