#pragma once

// Every command id of the main window as data: its label, the subsystem that carries it out and
// the precondition the dispatch checks before handing it over. Subsystems built later only
// register handlers; the rows stay as they are.

#include <optional>
#include <span>
#include <string_view>

namespace ravelin::shell {

// The subsystem that carries a command out.
enum class CommandOwner {
    kShell,          // start-up, main window, options
    kGameFile,       // open, previous, reload
    kGameWriting,    // add, move, copy, delete and modify games
    kFileUtilities,  // check, sort, adjust, split, trim, strip, duplicates
    kGameDisplay,    // navigation, move list, game and text display
    kBoard,          // board drawing, colours, flip
    kPositionSetup,  // position edit
    kFastFile,
    kSearch,          // variation, position, header and directory search
    kMoveStatistics,  // next moves and maneuvers (with the tree)
    kDatabase,
    kTree,
    kTreeMerge,
    kEco,
    kEcoEditing,
    kEngine,
    kEnginePlay,
    kHtml,
    kStatistics,  // scores, players, cross tables, openings
    kPrinting,    // printing, clipboard and image diagrams
    kAnnotation,
    kYahoo,
};

// The precondition of a command, checked in this order after the busy refusal.
enum class CommandGuard {
    kNone,
    kOpenFile,               // "Must open a file."
    kOpenFileOrDatabase,     // an open database does as well
    kFileInGameOrVariation,  // an open file, and the game or variation edit display
    kVariationOrAnalysis,    // variation edit or an analysis under way
    kEngineOff,              // refused while the engine runs
};

struct CommandInfo {
    int id = 0;
    std::string_view label;
    CommandOwner owner = CommandOwner::kShell;
    CommandGuard guard = CommandGuard::kNone;
    // The command replaces the current view: the tool windows of the previous view close first.
    bool startsNewView = false;
    // Still allowed while a background operation runs (it neither reads nor changes the file).
    bool allowedWhileBusy = false;
};

// All rows, ordered by id.
std::span<const CommandInfo> CommandTable();
// The row of a command id, or nothing for an id no menu issues.
const CommandInfo* FindCommand(int id);

}  // namespace ravelin::shell
