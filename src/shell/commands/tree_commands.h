#pragma once

// The Tree menu, its window and the tree merge files: "Start Tree" over the open file (292), the
// ECO table (345) or a merge file (352), "Return" to each source's remembered line (291, 346, 353),
// "Go to Position" (348, 349, 354), the tree window's menu (294, 303, 304, 344, 347), "Modify
// Settings" (295), "Reset Tree File" (296, 359), "Show Next Moves" (158, 136, 245, 139), "Show
// Maneuvers" (149, 137, 159), the open database's tree (240-243), and the merge files (351, 355,
// 356, 358, 220-223; their commands are in tree_merge_commands.cc).

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gamefile/line_reader.h"
#include "search/search_source.h"
#include "tree/opening_tree.h"
#include "tree/tree_display.h"

namespace ravelin::shell {

class MainWindow;

inline constexpr int kCmdTreeReturn = 291;
inline constexpr int kCmdStartTree = 292;
inline constexpr int kCmdBackOneLevel = 294;
inline constexpr int kCmdTreeSettings = 295;
inline constexpr int kCmdResetTreeFile = 296;
inline constexpr int kCmdForwardOneLevel = 303;
inline constexpr int kCmdDisplayTreePosition = 344;
inline constexpr int kCmdStartEcoTree = 345;
inline constexpr int kCmdReturnToEco = 346;
inline constexpr int kCmdGoToPositionInFile = 348;
inline constexpr int kCmdGoToPositionInEco = 349;
inline constexpr int kCmdOpenMergeFile = 351;
inline constexpr int kCmdStartMergeTree = 352;
inline constexpr int kCmdReturnToMergeTree = 353;
inline constexpr int kCmdGoToPositionInMerge = 354;
inline constexpr int kCmdNewMergeFile = 355;
inline constexpr int kCmdAppendToMergeFile = 356;
inline constexpr int kCmdMergeDuplicates = 358;
inline constexpr int kCmdResetMergeTreeFile = 359;
inline constexpr int kCmdNextMovesInFile = 158;
inline constexpr int kCmdNextMovesInEco = 136;
inline constexpr int kCmdNextMovesInDatabase = 245;
inline constexpr int kCmdStartDatabaseTree = 240;
inline constexpr int kCmdReturnToDatabaseTree = 241;
inline constexpr int kCmdGoToPositionInDatabase = 242;
inline constexpr int kCmdResetDatabaseTreeFile = 243;
inline constexpr int kCmdNextMovesInMerge = 139;
inline constexpr int kCmdManeuversInFile = 149;
inline constexpr int kCmdManeuversInEco = 137;
inline constexpr int kCmdSetLookAhead = 159;
inline constexpr int kCmdFoundGamesToNewMergeFile = 220;
inline constexpr int kCmdFoundGamesToMergeFile = 222;
inline constexpr int kCmdDirSearchGamesToNewMergeFile = 221;
inline constexpr int kCmdDirSearchGamesToMergeFile = 223;

// The keys of the list windows.
inline constexpr char kTreeWindowKey[] = "tree";
inline constexpr char kNextMovesWindowKey[] = "next-moves";
inline constexpr char kMergeDuplicatesWindowKey[] = "merge-duplicates";

inline constexpr char kTreeHelpNote[] =
    "The tree grows as you walk it: the first visit of a position scans the games for the moves played "
    "there and keeps them in the tree file, so every later visit is immediate. With a fast file "
    "('Make Fast File' in this menu) the scans read no PGN text and are many times faster.";
inline constexpr char kMergeFileCompleteText[] = "Merge file complete.";
inline constexpr char kNoDatabaseForTree[] = "Database does not exist.";
inline constexpr char kNoMovesFound[] = "No moves found.";

class TreeCommands {
  public:
    explicit TreeCommands(MainWindow& window);
    ~TreeCommands();
    TreeCommands(const TreeCommands&) = delete;
    TreeCommands& operator=(const TreeCommands&) = delete;

    // The tree in use (null when none): tests and the board read its line.
    const tree::OpeningTree* Tree() const { return tree_.get(); }
    const std::string& MergePath() const { return mergePath_; }
    // The open file changed: a tree over the old one is closed.
    void ForgetFileTree();
    void Register();

  private:
    void Start(tree::TreeSourceKind kind, bool returning);
    std::unique_ptr<tree::TreeMoveSource> MakeSource(tree::TreeSourceKind kind);
    bool OpenSearchFile();
    void Show();
    void Activate(int row);
    void Entered(tree::EnterResult result);
    void EndOfBranchReached();
    void ShowLineOnBoard(bool enterEditor);
    void GoToPosition(tree::TreeSourceKind kind);
    void ResetTreeFile(tree::TreeSourceKind kind);
    void ModifySettings();
    void ShowNextMoves(tree::TreeSourceKind kind);
    void ShowManeuvers(tree::TreeSourceKind kind);
    void SetLookAhead();
    void OpenMergeFile();
    void NewMergeFile();
    void AppendToMergeFile();
    void FillMergeFile(const std::string& path, bool append);
    void MergeDuplicates();
    void FoundGamesToMergeFile(bool append, bool fromDirectory);
    std::optional<std::string> ChooseMergeFile(bool save);
    // The files a merge file may never be: the open file's own and the open database's.
    std::vector<std::string> ProtectedFiles() const;
    // The moves on the board: the game shown up to its ply, or the line in Variation Edit.
    std::vector<std::string> BoardLine() const;
    tree::TreeWalkOptions WalkOptions() const;
    tree::TreeDisplayOptions DisplayOptions() const;
    void Message(std::string_view text);

    MainWindow& window_;
    std::unique_ptr<tree::OpeningTree> tree_;
    // The open file as the tree's text source reads it, through a reader of its own.
    std::unique_ptr<gamefile::LineReader> reader_;
    std::unique_ptr<chess::ChessContext> searchContext_;
    std::unique_ptr<search::SearchFile> searchFile_;
    std::string mergePath_;
    std::vector<int> rows_;  // the node of each line of the tree window
    bool helpNoteShown_ = false;
};

std::shared_ptr<TreeCommands> RegisterTreeCommands(MainWindow& window);

}  // namespace ravelin::shell
