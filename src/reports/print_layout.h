#pragma once

// Lays the print list out on the printer's pages and draws it: a margin of 1/34 of the page width
// at the sides, one line of room at top and bottom, a font of 1/50 of the page height (or of the
// page height over "Max Print Lines" when that is above 50). A normal-text game is kept on one page
// when it fits one, else it goes on over the next; an actual-text line too wide for the page breaks
// at its last blank that fits, and where it has none, at the page's edge.

#include <string_view>
#include <vector>

#include "chess/piece_letters.h"
#include "platform/printer.h"
#include "reports/print_list.h"

namespace ravelin::reports {

inline constexpr char kPrintDocumentName[] = "Ravelin: Print Game";
inline constexpr char kPrintFont[] = "Arial";
inline constexpr char kGameSeparator[] = "********************";
inline constexpr char kErrorStartingDoc[] = "Error starting doc.";
inline constexpr char kErrorStartingPage[] = "Error starting page.";
inline constexpr char kErrorEndingPage[] = "Error ending page.";
inline constexpr char kErrorStartingNextPage[] = "Error starting next page.";

// The move lines of a normal-text game: "%d.%s %s " tokens ("%d.%s" for a lone white move), the
// result after the last, joined while they fit the width, each line localised.
std::vector<std::string> PrintedMoveLines(const PrintedGame& game, platform::PrintSurface& surface, int width,
                                          const chess::PieceLetters& letters);

// Prints the games; an empty answer when every page was printed, else the printer's failure.
std::string_view PrintGames(const std::vector<PrintedGame>& games, platform::PrintSurface& surface,
                            int maxPrintLines, const chess::PieceLetters& letters);

}  // namespace ravelin::reports
