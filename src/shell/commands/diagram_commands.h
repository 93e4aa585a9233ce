#pragma once

// The board as a diagram: an HTML page of square images ("Html Diagram", "Html"), and a BMP or
// JPEG picture with or without the board's colours ("Save Diagram").

#include <string>

#include "chess/board.h"
#include "reports/diagram_bitmap.h"

namespace ravelin::shell {

class MainWindow;

inline constexpr int kCmdHtmlDiagram = 118;
inline constexpr int kCmdHtmlDiagramToFile = 184;
inline constexpr int kCmdBitmapDiagram = 180;
inline constexpr int kCmdBitmapDiagramWithColour = 181;
inline constexpr int kCmdJpegDiagram = 182;
inline constexpr int kCmdJpegDiagramWithColour = 183;

inline constexpr char kDiagramTooBigToEdit[] = "This diagram is too big to edit.";
inline constexpr char kDiagramImagesNotCopied[] =
    "The diagram images could not be copied beside the page; it shows without them.";

// The board a diagram shows now (the set-up board in position edit, the variation's in variation
// edit, else the game's) and the caption's move text ("12. Nf3"), empty before any move.
struct DiagramPosition {
    chess::Board board{};
    bool flipped = false;
    std::string caption;
};
DiagramPosition CurrentDiagramPosition(MainWindow& window);

// Writes the HTML diagram of the position to path and copies the images beside it. False, with
// the message shown, when the page could not be written.
bool WriteHtmlDiagram(MainWindow& window, const std::string& path);

void RegisterDiagramCommands(MainWindow& window);

}  // namespace ravelin::shell
