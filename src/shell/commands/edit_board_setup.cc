#include "shell/commands/edit_board_setup.h"

#include <string>

#include "shell/commands/game_viewer.h"
#include "shell/main_window.h"

namespace ravelin::shell {

void ConfigureEditBoard(MainWindow& window, display::EditBoard& board) {
    board.Configure(display::GameDisplayOptions::From(window.Settings(), window.Paths().Directory()),
                    window.Viewer().Display().Flipped());
    const std::string failure = board.TakePieceSetFailure();
    if (!failure.empty()) {
        window.Messages().ShowMessage(failure);
    }
}

}  // namespace ravelin::shell
