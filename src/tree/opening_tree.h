#pragma once

// An opening tree grown lazily over one source: the node array kept in the tree file, the line of
// the current node, and the walk through it (enter a child, back, forward, start, go to a line).

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "chess/chess_context.h"
#include "tree/next_moves.h"
#include "tree/tree_file.h"
#include "tree/tree_source.h"

namespace ravelin::tree {

inline constexpr char kErrorOpeningTreeFile[] = "Error opening tree file.";
inline constexpr char kTreeFormatChanged[] = "Tree file format has changed. Start tree again.";
inline constexpr char kTreeFenStarts[] = "Tree is not supported for PGN files with FEN starting positions.";
inline constexpr char kEndOfTheBranch[] = "This is the end of the branch.";
inline constexpr char kNoTreeInProcess[] = "There is no tree in process.";
inline constexpr char kResetTreeQuestion[] = "Reset the tree file. Are you sure?";

// The tree settings the walk reads.
struct TreeWalkOptions {
    int singleNodes = 10;  // consecutive single nodes before a branch ends
    bool exact = false;    // match the line in exact order, in the exact-variation tree file
};

enum class EnterResult {
    kShown,        // the node's moves are shown
    kBranchEnded,  // the node ends its branch
    kFailed,       // nothing changed; the reason went to the messages
};

class OpeningTree {
  public:
    using Messages = std::function<void(std::string_view)>;

    OpeningTree(std::unique_ptr<TreeMoveSource> source, TreeWalkOptions options, Messages messages);

    // Opens the tree file or builds the root; false with a message when the tree cannot be had.
    bool Open();

    TreeSourceKind Kind() const { return source_->Kind(); }
    TreeMoveSource& Source() { return *source_; }
    // New settings for the walks to come; the tree file stays the one opened.
    void SetOptions(const TreeWalkOptions& options) { options_.singleNodes = options.singleNodes; }
    const std::string& TreePath() const { return treePath_; }
    const std::vector<TreeNode>& Nodes() const { return nodes_; }
    int Current() const { return line_.empty() ? 0 : line_.back(); }
    const TreeNode& CurrentNode() const { return nodes_[static_cast<std::size_t>(Current())]; }
    // The node indices from the root's child to the current node.
    const std::vector<int>& LinePath() const { return line_; }
    TreeLine Line() const;
    // The children of the current node in stored order; empty at an unexpanded or ended node.
    std::vector<int> Children() const;
    bool AtEndOfBranch() const { return CurrentNode().children == kEndOfBranch; }

    // Enters a child of the current node, expanding it when it was never entered.
    EnterResult Enter(int child);
    bool Back();
    EnterResult Forward();
    void StartOfTree();
    // Follows single moves until a node with several moves or the end of the branch.
    EnterResult ToEndOfBranch();
    // Walks the tree along the moves (SAN texts from the initial position), reopening ended
    // branches; stops at the first move the games do not play. The number of moves walked.
    int GoToLine(const std::vector<std::string>& texts);

    // The remembered line: written to the path file, and read back for "Return".
    void RememberLine();
    void ForgetRememberedLine();
    bool ReturnToRememberedLine();

  private:
    EnterResult Expand(int node, bool walking);
    bool Save();
    void Append(int node, const std::vector<NextMove>& moves);

    std::unique_ptr<TreeMoveSource> source_;
    TreeWalkOptions options_;
    Messages messages_;
    std::string treePath_;
    std::vector<TreeNode> nodes_;
    std::vector<int> line_;
    std::vector<int> forward_;
    std::unique_ptr<chess::ChessContext> context_;
};

}  // namespace ravelin::tree
