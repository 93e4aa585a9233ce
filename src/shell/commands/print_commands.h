#pragma once

// The print list: "Normal Text" and "Actual Text" put the current game on it, "Flush Print List"
// prints every game on it in one job and empties it; leaving the program offers to print it.

#include "shell/command_ids.h"

namespace ravelin::shell {

class MainWindow;

inline constexpr int kCmdPrintActualText = 198;
inline constexpr int kCmdFlushPrintList = 109;

inline constexpr char kNoGameSelected[] = "There is no game selected.";
inline constexpr char kNoPrinter[] = "There is no printer to print on.";
inline constexpr char kPrintListUnreadable[] = "The print list could not be read; it was emptied.";

void RegisterPrintCommands(MainWindow& window);

}  // namespace ravelin::shell
