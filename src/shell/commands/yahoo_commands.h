#pragma once

// "Convert Yahoo Games": Yahoo game records, from a file or pasted, added as PGN games to a file.

namespace ravelin::shell {

class MainWindow;

inline constexpr int kCmdYahooFromFile = 365;
inline constexpr int kCmdYahooFromClipboard = 366;
inline constexpr char kSelectYahooFileTitle[] = "Select Yahoo Game File";

void RegisterYahooCommands(MainWindow& window);

}  // namespace ravelin::shell
