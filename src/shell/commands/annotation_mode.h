#pragma once

// The state of the annotation mode and its operations; annotation_commands.cc gives them their
// command ids, annotation_lines.cc holds the line operations.

#include <cstddef>
#include <optional>
#include <string>

#include "annotation/annotation_session.h"
#include "annotation/annotation_text.h"
#include "display/game_display.h"
#include "gamefile/game_file.h"
#include "settings/message_box.h"
#include "shell/commands/add_game_commands.h"
#include "shell/commands/annotation_commands.h"
#include "shell/commands/game_viewer.h"
#include "shell/main_window.h"
#include "shell/menu_bar.h"

namespace ravelin::shell::annotating {

using annotation::ItemKind;
using annotation::TextSpan;

// The move shown when a command begins: where it ends in the text and where it stands.
struct ShownMove {
    std::size_t end = 0;
    int ply = 0;
    bool inLine = false;
    bool firstOfLine = false;
    int depth = 0;
};

enum class EntryKind { kAppend, kInsert, kModify };

// A line being played on the board: where its text goes once the same command ends the entry.
struct LineEntry {
    EntryKind kind = EntryKind::kAppend;
    int command = 0;
    int basePly = 0;
    std::size_t at = 0;
    TextSpan replaced;
    int shownPly = 0;  // the main-line ply shown when the entry began, shown again after it
};

class AnnotationMode {
  public:
    explicit AnnotationMode(MainWindow& window) : window_(window) {}

    bool Active() const { return session_.Active(); }
    // How the display reads the shown game: from the scratch file while a game is annotated.
    bool ShowGame(display::GameDisplay& display) {
        gamefile::GameFile& file = window_.File();
        if (session_.Active() && session_.FromFile() && file.Path() != session_.Path()) {
            // Another file was opened: the annotation of a game of the old one cannot go on.
            Leave();
            Messages().ShowMessage(kAnnotationEndedByOtherFile);
        }
        if (!session_.Active() || readFromFile_) {
            return display.ShowGame(file, file.currentGame);
        }
        if (session_.FromFile()) {
            // The game annotated stays the current game whatever moved the game number.
            file.currentGame = session_.Game();
        }
        return display.ShowGameFrom(std::string(annotation::kScratchFileName), &session_.ScratchReader(),
                                    session_.ScratchIndex(), 1);
    }

    void Enter();
    void Save();
    void SaveAs(SaveHow how);
    void Exit();
    void Comment(bool before);
    void ModifyComment();
    void DeleteComment();
    void CopyComment();
    void LineFromBoard(int command, EntryKind kind);
    void LineFromText(bool before);
    void ModifyLineText();
    void DeleteLine();
    void CopyLine();
    void NewMoveAnnotation(bool replace);
    void DeleteMoveAnnotation();
    void SetAnnotator();

  private:
    settings::MessageBoxes& Messages() { return window_.Messages(); }
    display::GameDisplay& Display() { return window_.Viewer().Display(); }
    std::string& Text() { return session_.Text(); }
    std::optional<ShownMove> Shown(const char* noMoveMessage);
    // The comment after the move, or the one right before it.
    std::optional<TextSpan> CommentAt(const ShownMove& move);
    std::optional<TextSpan> LineAt(const ShownMove& move);
    // Writes the change out and shows the game again at the move shown before, which now ends at
    // expectedEnd in the text.
    void Commit(std::size_t expectedEnd, bool normalise = true);
    void Leave();
    void FinishLineEntry();
    // Inserts a line item (typed or entered), with the black move number it makes necessary.
    bool InsertLine(std::size_t at, const std::string& item, bool before, int plyAfterLine);
    bool Refused(const char* failure) {
        if (failure != nullptr) {
            Messages().ShowMessage(failure);
        }
        return failure != nullptr;
    }

    MainWindow& window_;
    annotation::AnnotationSession session_;
    MenuBarKind kind_ = MenuBarKind::kAnnotateModify;
    std::optional<LineEntry> entry_;
    bool readFromFile_ = false;
};

inline bool IsBlackPly(int ply) {
    return ply % 2 == 0;
}

}  // namespace ravelin::shell::annotating
