#pragma once

// "Modify Text" (193): the current game's text is edited and written back in place of the game.

namespace ravelin::shell {

class MainWindow;

inline constexpr int kCmdModifyText = 193;

void RegisterModifyTextCommand(MainWindow& window);

}  // namespace ravelin::shell
