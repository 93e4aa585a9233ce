#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "eco/eco_match.h"
#include "eco/eco_table.h"

namespace ravelin::eco {

// Who asks for the status line: the game display, or the opening tree (its current ply, or one
// less for kTreePrevious).
enum class OpeningStatusSource { kGame = 0, kTree = 1, kTreePrevious = 2 };

// Everything the status-line classification looks at besides the table and the game's moves.
struct OpeningStatusRequest {
    OpeningStatusSource source = OpeningStatusSource::kGame;
    // A ply of 0 or more is used as it is and the text is always drawn (move-entry modes pass the
    // plies entered); -1 takes the ply from the game display or the tree.
    int ply = -1;
    int gameCurrentPly = 0;
    int treeCurrentPly = 0;
    bool showOpeningOption = false;  // the show-opening option of the options file
    bool gameStartsFromFen = false;
    bool secondDisplayOption = false;  // the tree's own display option of the options file
    std::string_view openFilePath;     // the open PGN file, for the three exported openings files
};

// The line the last classification found, read by the ECO editor: which line is current and
// whether the position lies past the end of every matching line.
struct EcoStatusState {
    int currentEntry = kNoEcoEntry;
    bool outOfBook = false;
};

// What the status line shows. With draw false nothing is drawn and the state is unchanged; an
// empty text clears the line.
struct OpeningStatusLine {
    bool draw = false;
    std::string text;
};

// Classifies the game at the requested ply and makes the status text: code and name ("%s %s"),
// with " *" appended when the ply is past the end of every matching line.
OpeningStatusLine ShowOpeningStatus(const EcoTable& table, const EcoGameMoves& game,
                                    const OpeningStatusRequest& request, EcoStatusState& state);

// Drops characters from the end of the text until it fits the width (whole UTF-8 characters, so
// a name is never cut inside one). measure gives a text's width in the status line's font.
std::string FitStatusText(std::string text, int maxWidth,
                          const std::function<int(std::string_view)>& measure);

// True for the three exported openings files (base name ecocodes, ecomoves or econames, any case).
bool IsOpeningsFile(std::string_view path);

}  // namespace ravelin::eco
