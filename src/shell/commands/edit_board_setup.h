#pragma once

#include "display/edit_board.h"

namespace ravelin::shell {

class MainWindow;

// The criteria editors draw their board with the game display's settings and its flip; a piece
// set that cannot be loaded is reported once, here, outside any painting.
void ConfigureEditBoard(MainWindow& window, display::EditBoard& board);

}  // namespace ravelin::shell
