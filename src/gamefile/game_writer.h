#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "settings/message_box.h"

namespace ravelin::gamefile {

inline constexpr char kResultMustBe[] = "Result must be 1-0, 0-1, 1/2-1/2 or *. Game not saved.";
inline constexpr char kHeaderValueRefused[] =
    "A header value may not contain a double quote or a line break. Game not saved.";
inline constexpr char kHeaderValueTooLong[] =
    "A header value may hold at most 95 characters. Game not saved.";

// The ten header lines of an entered game, in the order they are written.
inline constexpr int kEnteredTagCount = 10;
inline constexpr std::array<const char*, kEnteredTagCount> kEnteredTagNames = {
    "Event", "Site", "Date", "Round", "White", "Black", "Result", "WhiteElo", "BlackElo", "ECO"};
enum EnteredTag { kTagEvent, kTagSite, kTagDate, kTagRound, kTagWhite, kTagBlack, kTagResult };
// Each header value holds fewer characters than this.
inline constexpr std::size_t kEnteredValueSize = 96;
inline constexpr int kMaxEnteredMoves = 200;
// A movetext line is broken once it reaches this many characters.
inline constexpr std::size_t kMovetextLineBreak = 60;

// A game built in add-game mode: header values, the main line as SAN texts, the FEN tag of a
// game that starts from a set-up position, or the whole game typed as text.
struct EnteredGame {
    std::array<std::string, kEnteredTagCount> header;
    std::vector<std::string> whiteMoves;  // "." stands for white's move before black's first
    std::vector<std::string> blackMoves;
    std::string fenTag;  // the FEN tag line(s) with their CR LF, empty without a set-up position
    bool typedAsText = false;
    std::string text;

    // The number of leading non-empty white entries.
    int MoveCount() const;
    // Whether there is anything to save: moves, typed text or a set-up position.
    bool HasContents() const { return MoveCount() > 0 || typedAsText || !fenTag.empty(); }
};

// Texts go either to a file's contents or to the game text buffer (for the clipboard and editing):
// the caller decides by where it sends the string built here.
void WriteText(std::string& out, std::string_view text);

// The ten tag lines, then an empty line, or the FEN tag instead of it for a set-up position.
void WriteHeader(const EnteredGame& game, std::string& out);

// The moves "1.e4 e5 2.Nf3", lines broken at 60 characters, ended by two blanks and the result.
// Without moves nothing is written, or "1." when the text is built in memory.
void WriteMovetext(const EnteredGame& game, std::string& out, bool inMemory);

// The whole game as written into a file: the typed text, or header and moves.
std::string EnteredGameText(const EnteredGame& game);

// 1 (refused, after the message) unless the result is one of the four PGN results; 0 otherwise.
int CheckResult(const EnteredGame& game, settings::MessageBoxes& messages);

// 1 (refused, after the message) when a header value would break its tag line; 0 otherwise.
int CheckHeaderValues(const EnteredGame& game, settings::MessageBoxes& messages);

}  // namespace ravelin::gamefile
