#pragma once

namespace ravelin::shell {

// Menu command ids. Every menu item, button and context-menu entry reaches the main window as one
// of these numbers.
inline constexpr int kFirstCommandId = 100;
inline constexpr int kLastCommandId = 517;

inline constexpr int kCmdOpenFile = 100;
inline constexpr int kCmdDisplayGame = 101;
inline constexpr int kCmdDisplayText = 102;
inline constexpr int kCmdPrintNormalText = 103;
inline constexpr int kCmdNextGame = 104;
inline constexpr int kCmdPrevGame = 105;
inline constexpr int kCmdReloadFile = 106;
inline constexpr int kCmdReturn = 110;
inline constexpr int kCmdEditVariation = 111;
inline constexpr int kCmdSearchDirectory = 113;
inline constexpr int kCmdPreviousFile = 119;
inline constexpr int kCmdCheckFile = 191;
inline constexpr int kCmdOptions = 190;
inline constexpr int kCmdFlip = 194;
inline constexpr int kCmdExit = 199;
inline constexpr int kCmdShowVersion = 212;
inline constexpr int kCmdSelectGame = 272;
inline constexpr int kCmdMakeFastFile = 293;
inline constexpr int kCmdEndOfBranch = 304;
inline constexpr int kCmdStartOfTree = 347;
inline constexpr int kCmdAutoPlay = 392;
inline constexpr int kCmdHelp = 400;

// The engine's play-mode buttons; they are handled before the command table.
inline constexpr int kFirstEngineCommandId = 600;
inline constexpr int kLastEngineCommandId = 618;
inline constexpr int kCmdEngineBack = 600;
inline constexpr int kCmdEngineScore = 602;
inline constexpr int kCmdEngineNew = 606;

// Timers of the main window.
inline constexpr int kAutoPlayTimer = 1;
inline constexpr int kEngineTimer = 2;
inline constexpr int kOpeningLineTimer = 6;

}  // namespace ravelin::shell
