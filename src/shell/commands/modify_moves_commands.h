#pragma once

// "Modify Moves": the shown game's main line is taken onto the move-entry board, where moves can be
// taken back and played anew and the header edited; "Save" writes the new moves in place of the
// game's movetext, keeping its tag lines (with the edited values).

namespace ravelin::shell {

class MainWindow;

inline constexpr int kCmdModifyMoves = 215;
inline constexpr int kCmdSaveModifiedMoves = 216;
inline constexpr int kCmdExitModifyMoves = 217;
inline constexpr int kCmdEditModifiedHeader = 218;

inline constexpr char kAnnotationsWillBeLost[] =
    "The comments, lines and move annotations of this game will not be kept. Save the moves?";

void RegisterModifyMovesCommands(MainWindow& window);

}  // namespace ravelin::shell
