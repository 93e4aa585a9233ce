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
inline constexpr int kCmdDeleteGame = 108;
inline constexpr int kCmdReturn = 110;
inline constexpr int kCmdEditVariation = 111;
inline constexpr int kCmdSearchDirectory = 113;
inline constexpr int kCmdPreviousFile = 119;
inline constexpr int kCmdResetScreen = 131;
inline constexpr int kCmdCheckFile = 191;
inline constexpr int kCmdOptions = 190;
inline constexpr int kCmdFlip = 194;
inline constexpr int kCmdExit = 199;
inline constexpr int kCmdShowVersion = 212;
// The "Colors/Screen" menu.
inline constexpr int kCmdPresetColours = 174;
inline constexpr int kCmdDarkSquaresColour = 175;
inline constexpr int kCmdLightSquaresColour = 176;
inline constexpr int kCmdBackgroundColour = 177;
inline constexpr int kCmdLastMoveColour = 178;
inline constexpr int kCmdResetColours = 179;
inline constexpr int kCmdBorderColour = 382;
inline constexpr int kCmdMovesTextBackgroundColour = 385;
inline constexpr int kCmdGridColour = 386;
inline constexpr int kCmdMoveNumberBackgroundColour = 387;
inline constexpr int kCmdCurrentPositionColour = 388;
inline constexpr int kCmdVariationsColour = 389;
inline constexpr int kCmdReplayHighlightColour = 390;
inline constexpr int kCmdHighlightCurrentPosition = 391;
// The shown game and its text.
inline constexpr int kCmdNormalText = 249;
inline constexpr int kCmdStartOfGame = 254;
inline constexpr int kCmdMiddleOfGame = 255;
inline constexpr int kCmdEndOfGame = 256;
inline constexpr int kCmdActualText = 257;
inline constexpr int kCmdPageTextUp = 258;
inline constexpr int kCmdPageTextDown = 259;
inline constexpr int kCmdEndOfVariation = 260;
inline constexpr int kCmdPieceCount = 262;
inline constexpr int kCmdShowActualText = 263;
inline constexpr int kCmdPlayAnalysis = 264;
inline constexpr int kCmdShowNormalText = 266;
inline constexpr int kCmdNagHelp = 267;
inline constexpr int kCmdSelectLine = 269;
inline constexpr int kCmdShowLine = 270;
inline constexpr int kCmdPrevGameText = 271;
inline constexpr int kCmdSelectGame = 272;
inline constexpr int kCmdActualListBox = 274;
inline constexpr int kCmdCopyToVariation = 281;
inline constexpr int kCmdCopyToPosition = 282;
inline constexpr int kCmdSetNewStart = 284;
inline constexpr int kCmdMakeFastFile = 293;
inline constexpr int kCmdEndOfBranch = 304;
inline constexpr int kCmdStartOfTree = 347;
inline constexpr int kCmdAutoPlay = 392;
inline constexpr int kCmdHelp = 400;

// Search, its criteria files and the opening finders.
inline constexpr int kCmdVariationSearchFile = 112;
inline constexpr int kCmdExactVariation = 114;
inline constexpr int kCmdLoadVariation = 115;
inline constexpr int kCmdSaveVariation = 116;
inline constexpr int kCmdForceMatch = 117;
inline constexpr int kCmdEditPosition = 120;
inline constexpr int kCmdPositionSearchFile = 122;
inline constexpr int kCmdPositionSearchDirectory = 123;
inline constexpr int kCmdLoadPosition = 124;
inline constexpr int kCmdSavePosition = 125;
inline constexpr int kCmdEditHeader = 130;
inline constexpr int kCmdHeaderSearchFile = 132;
inline constexpr int kCmdHeaderSearchDirectory = 133;
inline constexpr int kCmdLoadHeader = 134;
inline constexpr int kCmdSaveHeader = 135;
inline constexpr int kCmdDisplayDirSearch = 150;
inline constexpr int kCmdLoadDirSearch = 151;
inline constexpr int kCmdSaveDirSearch = 152;
inline constexpr int kCmdResetNavigation = 153;
inline constexpr int kCmdSearchedPosition = 261;
inline constexpr int kCmdFindOpeningInGame = 273;
inline constexpr int kCmdSelectOpeningByEntry = 285;
inline constexpr int kCmdSelectOpeningByName = 286;
inline constexpr int kCmdSelectOpeningByMoves = 287;
inline constexpr int kCmdFindClosestMatch = 288;
inline constexpr int kCmdFindExactNumberOfMoves = 289;
inline constexpr int kCmdFindExactVariation = 290;
inline constexpr int kCmdSelectOpeningByEco = 362;
inline constexpr int kCmdLoadCombination = 367;
inline constexpr int kCmdSaveCombination = 368;

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
