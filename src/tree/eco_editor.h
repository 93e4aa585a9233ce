#pragma once

// Editing the ECO table: lines added, their moves or names changed, added lines deleted, with the
// base table (the entries shipped) protected. Every edit writes the four table files anew (each
// under a temporary name renamed into place, the codes file last, since a table is read by its
// codes file); the files as they were on entry are kept as backups for "Exit" and "Save", and the
// state before the last saved visit for "Restore".

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravelin::tree {

inline constexpr char kEnterALineFirst[] = "Enter a line first.";
inline constexpr char kLineAlreadyInTable[] = "This line is already in the ECO table.";
inline constexpr char kTranspositionInTable[] = "This transposition is already in the ECO table. Continue?";
inline constexpr char kLineIncluded[] = "This line is included in a line already in the ECO table. Continue?";
inline constexpr char kTranspositionIncluded[] =
    "This transposition is included in a line already in the ECO table. Continue?";
inline constexpr char kNoCurrentEcoLine[] =
    "The moves entered belong to no line of the ECO table, so the new line has no ECO code to take.";
inline constexpr char kNullEcoName[] = "Cannot have a null ECO name.";
inline constexpr char kEcoNameLineBreak[] = "An ECO name cannot hold a line break.";
inline constexpr char kEcoTableCorruption[] = "ECO table corruption.";
inline constexpr char kLineAdded[] = "The line has been added.";
inline constexpr char kSelectALineFirst[] = "Select a line first.";
inline constexpr char kCannotModifyBase[] = "You cannot modify a line in the base ECO table.";
inline constexpr char kModifyLineQuestion[] = "Modify line. Are you sure?";
inline constexpr char kMovesModified[] = "The moves have been modified.";
inline constexpr char kNameNotChanged[] = "The name was not changed.";
inline constexpr char kNameModified[] = "The name has been modified.";
inline constexpr char kCannotDeleteBase[] = "You cannot delete a line from the base ECO table.";
inline constexpr char kDeleteLineQuestion[] = "Delete line. Are you sure?";
inline constexpr char kLineDeleted[] = "The line has been deleted.";
inline constexpr char kExitQuestion[] = "Are you sure you want to exit? All changes will be lost!";
inline constexpr char kRestoreQuestion[] =
    "Are you sure you want to restore the previous version of the ECO table?";
inline constexpr char kTableMayBeCorrupted[] = "The ECO table may have been corrupted!";
inline constexpr char kTableNotRestored[] = "The ECO table was not restored!";
inline constexpr char kBackupNotWritten[] = "The ECO table could not be backed up; it is left unchanged.";
inline constexpr char kTooManyEcoMoves[] = "The maximum number of moves for an ECO line is 30.";
inline constexpr int kMaxEcoNameLength = 400;
inline constexpr int kMaxEcoLinePlies = 60;

// The four table files in memory, entry by entry.
struct EcoTableFiles {
    std::vector<std::string> codes;
    std::vector<std::string> names;
    std::vector<std::string> moves;
    std::vector<std::uint32_t> order;
    int Count() const { return static_cast<int>(codes.size()); }
};

// Reads the four files of the directory; false when one is missing or they disagree in count.
bool ReadEcoTableFiles(const std::string& directory, EcoTableFiles& files);
// Writes the four files, each by rename, the codes file last.
bool WriteEcoTableFiles(const std::string& directory, const EcoTableFiles& files);

// The entered line as a moves-file line: "1.e4 e5 2.Nf3".
std::string EcoLineText(const std::vector<std::string>& plies);
// The name typed in the name dialog, cleaned: trailing blanks and control characters removed.
// Empty with the reason in problem when it cannot be a name.
std::string CleanEcoName(std::string_view typed, std::string& problem);

// What the editor asks the user and tells them.
struct EcoEditorHost {
    std::function<bool(std::string_view question)> confirm;
    // The name dialog prefilled with a name; the cleaned name, or nothing on cancel.
    std::function<std::optional<std::string>(const std::string& prefill)> askName;
    std::function<void(std::string_view text)> tell;
    // Called after every change of the files: the table is loaded again.
    std::function<void()> reload;
};

// The line the position belongs to, as the status line found it.
struct EcoPosition {
    std::vector<std::string> plies;  // the moves entered
    int currentEntry = -1;
    bool outOfBook = false;
};

class EcoEditor {
  public:
    EcoEditor(std::string directory, int baseEntries, EcoEditorHost host);

    // Writes the entry backups; false (and the editor is not entered) when they cannot be written.
    bool Enter();
    bool Active() const { return active_; }
    bool Changed() const { return changed_; }
    int Selected() const { return selected_; }
    void Select(int entry) { selected_ = entry; }

    void AddLine(const EcoPosition& position);
    void ModifyLine(const EcoPosition& position);
    void ModifyName(const EcoPosition& position);
    void DeleteLine();
    // Each leaves the editor when it succeeds (Exit also when the user keeps nothing to restore).
    void Save();
    void Exit();
    void Restore();

    static std::string BackupPath(const std::string& tablePath, char letter);

  private:
    // Compares the entered line with the current line; false when the user stops.
    bool AcceptAgainstCurrent(const EcoPosition& position, const EcoTableFiles& files);
    bool Write(const EcoTableFiles& files);
    bool Load(EcoTableFiles& files);
    bool BackupsExist(char letter) const;
    bool RenameBackups(char letter);
    void RemoveEcoTreeFiles();

    std::string directory_;
    int baseEntries_;
    EcoEditorHost host_;
    bool active_ = false;
    bool changed_ = false;
    int selected_ = -1;
};

}  // namespace ravelin::tree
