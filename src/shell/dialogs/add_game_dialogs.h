#pragma once

// The dialogs of add-game mode: the header of the game being entered, the piece a pawn promotes
// to, and the text mode, where the whole game is typed as PGN text.

#include <array>
#include <string>

#include "gamefile/game_writer.h"
#include "platform/dialog.h"

namespace ravelin::shell {

inline constexpr char kEnteredHeaderTitle[] = "Game Header";
inline constexpr char kPromotionTitle[] = "Promote Pawn";
inline constexpr char kAddGameTextTitle[] = "Add Game Text";

// The ten header values of the entered game, in the order they are written.
class EnteredHeaderDialog : public platform::Dialog {
  public:
    explicit EnteredHeaderDialog(const std::array<std::string, gamefile::kEnteredTagCount>& initial)
        : values(initial) {}
    std::string Title() const override { return kEnteredHeaderTitle; }
    // A value that would break its tag line (a double quote, a line break, 96 characters or more).
    std::string Validate() override;

    std::array<std::string, gamefile::kEnteredTagCount> values;
};

// The piece a pawn reaching the last rank becomes: 'Q', 'R', 'B' or 'N'.
class PromotionDialog : public platform::Dialog {
  public:
    std::string Title() const override { return kPromotionTitle; }
    std::string Validate() override;
    // The chess core's promotion choice for the piece.
    int Choice() const;

    char piece = 'Q';
};

// What the text dialog's own menu did: the dialog closes with one of the saves or Exit; the clear
// and copy actions change its text and leave it open.
enum class AddTextAction {
    kNewFile,
    kAppend,
    kInsert,
    kOverwriteLast,
    kExit,
    kClearAll,
    kClearHeader,
    kClearMoves,
    kCopyAll,
    kCopyHeader,
    kCopyMoves,
};

// The add-game text mode: the game typed as text, starting from the header template.
class AddGameTextDialog : public platform::Dialog {
  public:
    std::string Title() const override { return kAddGameTextTitle; }
    // Runs a clear or copy action on the text; true when the action closes the dialog instead.
    bool Act(AddTextAction action);

    std::string text = HeaderTemplate() + "1.";
    // The current game's header and moves as the copy actions take them (empty without a game).
    std::string currentHeader;
    std::string currentMoves;
    AddTextAction closedWith = AddTextAction::kExit;

    // The ten tags with the value ? (Date ????.??.??), then an empty line.
    static std::string HeaderTemplate();
};

}  // namespace ravelin::shell
