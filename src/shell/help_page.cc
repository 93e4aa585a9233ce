#include "shell/help_page.h"

namespace ravelin::shell {

std::string_view HelpPageHtml() {
    static constexpr std::string_view kPage = R"html(<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Ravelin Help</title></head>
<body>
<h1>Ravelin</h1>
<p>Ravelin is a program for studying chess games kept in PGN files.</p>
<h2>Opening a file</h2>
<p><b>File &gt; Open File</b> shows the "Select PGN File" dialog. The games of the chosen file are
indexed; the index is kept beside the file (same name, last three letters "PGO"), so a large file
that has not changed opens at once the next time. A file can also be named on the command line:
<code>ravelin games.pgn</code>.</p>
<p><b>File &gt; Previous File</b> switches back to the file that was open before, at the game
you were looking at.</p>
<p><b>File &gt; Utilities &gt; File Utilities &gt; Reload File</b> indexes the open file again,
for instance after another program changed it.</p>
<h2>Moving through the games</h2>
<p>The scroll bar at the right moves through the games of the file; the status lines show the
file name and the game number.</p>
<p>In a game, the arrow keys step one move, Home and End go to the start and the end, Page Up and
Page Down ten moves, and G asks for a move number to go to.</p>
<h2>Variations and the shown game</h2>
<p><b>Play Analysis</b> in the board's right-click menu plays the variations after the shown move
one move at a time (again, or the Right arrow, for the next move); the Left arrow or <b>End of
Variation</b> goes back to the game. <b>Copy to Variation</b> and <b>Copy to Position</b> make the
moves so far, or the position on the board, the search criteria. <b>Piece Count</b> tells the
material on the board and <b>PGN NAG Help</b> lists the annotation codes. <b>Set New Start</b> makes
the shown position the one Home and <b>Start of Game</b> go to in this game. <b>Select Line</b> lists
the variations after the shown move and shows the one you choose; <b>Show Line</b> plays a line to its
end.</p>
<h2>Colours and the screen</h2>
<p><b>File &gt; Colors/Screen</b> changes each colour of the board and the texts with a colour
chooser, offers six preset schemes (<b>Save</b> keeps the board's colours in the checked one) and
<b>Reset Colors</b> brings back the original ones. <b>Reset Screen</b> puts the window back where its
board size places it. The board size itself is set in <b>File &gt; Options</b>.</p>
<h2>Searching</h2>
<p><b>Search &gt; Variation &gt; Edit Variation</b> lets you play a move sequence on the board (click
a piece, then its square; <code>*</code> stands for any move, Backspace takes a move back).
<b>Search File</b> finds the games with those moves in any order within the same number of moves,
or in exactly that order with <b>Exact Variation</b>; <b>Force Match</b> settles for the longest
part that some game matches.</p>
<p><b>Search &gt; Position &gt; Edit Position</b> sets up pieces that must stand on their squares,
with piece counts ("Pawns and Pieces Remaining") and a move-number condition.
<b>Search &gt; Header &gt; Edit Header</b> selects games by players, event, site, date, round,
result, ECO code, Elo, number of moves or a specific move. <b>Combination</b> runs them together.</p>
<p>After a search <b>Next</b> and <b>Prev</b> step through the games found, <b>Searched Position</b>
goes to the position found and <b>Reset Navigation</b> walks every game again. <b>Search
Directory</b> searches every PGN file in the folder of the open file; <b>Display Dir Search</b>
lists the files with matches. Searches are fastest after <b>Make Fast File</b>.</p>
<h2><a name="annotation-file"></a>Annotation File</h2>
<p><b>File &gt; Annotation File</b> builds a web page about a game while you go through it; its own
menu bar takes the place of the main one. <b>Title</b> starts the page with a title, a heading and
a sub head. Step through the game (or enter moves in Variation Edit) and choose <b>End Move</b>:
the moves since the last run (or since <b>Start Move</b>) are added in bold. <b>Enter Comment</b>
opens a comment; moves added with End Move meanwhile go into it, and <b>End Comment</b> adds it to
the page and puts the board back. <b>Diagram</b> adds the board as a picture of square images;
<b>View</b> shows the page's text for editing. <b>Save</b> writes the page, its images and a file
of the moves beside it (the page's name ending in "x"), so that <b>Open</b> takes up the work
again; <b>Exit</b> leaves the mode, asking first when the page has changes not saved.</p>
<h2>Working directory</h2>
<p>Settings and working files are kept in <code>$XDG_DATA_HOME/ravelin</code>
(normally <code>~/.local/share/ravelin</code>). Start the program with
<code>--workdir DIR</code> to use another directory.</p>
<h2>Limits</h2>
<p>A file may hold up to 200000 games; the program warns when a file reaches that number.
Lines longer than 255 characters are split at a blank.</p>
</body></html>
)html";
    return kPage;
}

}  // namespace ravelin::shell
