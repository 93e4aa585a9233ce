#pragma once

namespace ravelin::shell {

// Menu command ids. Every menu item, button and context-menu entry reaches the main window as one
// of these numbers.
inline constexpr int kFirstCommandId = 100;
inline constexpr int kLastCommandId = 517;

inline constexpr int kCmdOpenFile = 100;
inline constexpr int kCmdDisplayGame = 101;
inline constexpr int kCmdDisplayText = 102;
inline constexpr int kCmdReloadFile = 106;
inline constexpr int kCmdPreviousFile = 119;
inline constexpr int kCmdExit = 199;
inline constexpr int kCmdShowVersion = 212;
inline constexpr int kCmdHelp = 400;

}  // namespace ravelin::shell
