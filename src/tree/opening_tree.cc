#include "tree/opening_tree.h"

#include <algorithm>
#include <cstdio>

namespace ravelin::tree {

namespace {

// The end-of-branch allowance of a walk along a given line, and of the ECO tree.
constexpr int kWalkingSingleNodes = 100;

}  // namespace

OpeningTree::OpeningTree(std::unique_ptr<TreeMoveSource> source, TreeWalkOptions options, Messages messages)
    : source_(std::move(source)),
      options_(options),
      messages_(std::move(messages)),
      context_(chess::MakeChessContext()) {
    treePath_ = source_->TreeFilePath(options_.exact);
    context_->batch = true;
}

bool OpeningTree::Open() {
    line_.clear();
    forward_.clear();
    if (source_->HasFenStarts()) {
        messages_(kTreeFenStarts);
        return false;
    }
    switch (LoadTreeFile(treePath_, nodes_)) {
        case TreeFileLoad::kLoaded:
            return true;
        case TreeFileLoad::kOldFormat:
            messages_(kTreeFormatChanged);
            return false;
        case TreeFileLoad::kMissing:
        case TreeFileLoad::kMalformed:
            break;
    }
    const NextMoveScan scan = ScanNextMoves(*source_, TreeLine{}, options_.exact, *context_);
    if (!scan.ok) {
        messages_(source_->Error());
        return false;
    }
    if (const std::string warning = source_->WarningAfterWalk(); !warning.empty()) {
        messages_(warning);
    }
    nodes_.assign(1, TreeNode{});
    Append(0, scan.moves);
    if (scan.moves.empty()) {
        nodes_[0].children = kEndOfBranch;
    }
    return Save();
}

TreeLine OpeningTree::Line() const {
    TreeLine line;
    for (const int node : line_) {
        line.words.push_back(nodes_[static_cast<std::size_t>(node)].move);
        line.texts.emplace_back(nodes_[static_cast<std::size_t>(node)].Text());
    }
    return line;
}

std::vector<int> OpeningTree::Children() const {
    std::vector<int> children;
    const TreeNode& node = CurrentNode();
    if (node.Expanded()) {
        for (int i = 0; i < node.children; ++i) {
            children.push_back(node.firstChild + i);
        }
    }
    return children;
}

void OpeningTree::Append(int node, const std::vector<NextMove>& moves) {
    TreeNode& parent = nodes_[static_cast<std::size_t>(node)];
    parent.firstChild = static_cast<std::int32_t>(nodes_.size());
    parent.children = static_cast<std::uint16_t>(moves.size());
    for (const NextMove& move : moves) {
        TreeNode child;
        child.parent = node;
        child.score = move.score;
        child.games = move.games;
        child.firstGame = move.firstGame;
        child.move = move.move;
        child.SetText(move.text);
        nodes_.push_back(child);
    }
}

bool OpeningTree::Save() {
    if (!SaveTreeFile(treePath_, nodes_)) {
        messages_(kErrorOpeningTreeFile);
        return false;
    }
    return true;
}

EnterResult OpeningTree::Expand(int node, bool walking) {
    const NextMoveScan scan = ScanNextMoves(*source_, Line(), options_.exact, *context_);
    if (!scan.ok) {
        messages_(source_->Error());
        return EnterResult::kFailed;
    }
    if (const std::string warning = source_->WarningAfterWalk(); !warning.empty()) {
        messages_(warning);
    }
    TreeNode& entered = nodes_[static_cast<std::size_t>(node)];
    bool ended = scan.moves.empty();
    if (scan.moves.size() == 1) {
        const bool longRule = walking || source_->Kind() == TreeSourceKind::kEcoTable;
        int k = (longRule ? kWalkingSingleNodes : std::max(options_.singleNodes, 1)) - 1;
        int at = node;
        while (k > 0 && at != 0 &&
               nodes_[static_cast<std::size_t>(nodes_[static_cast<std::size_t>(at)].parent)].children == 1) {
            --k;
            at = nodes_[static_cast<std::size_t>(at)].parent;
        }
        ended = k == 0;
    }
    if (ended) {
        entered.children = kEndOfBranch;
    } else {
        Append(node, scan.moves);
    }
    Save();
    return ended ? EnterResult::kBranchEnded : EnterResult::kShown;
}

EnterResult OpeningTree::Enter(int child) {
    const TreeNode& node = CurrentNode();
    if (!node.Expanded() || child < node.firstChild || child >= node.firstChild + node.children) {
        return EnterResult::kFailed;
    }
    line_.push_back(child);
    const TreeNode& entered = nodes_[static_cast<std::size_t>(child)];
    if (entered.children == kEndOfBranch) {
        return EnterResult::kBranchEnded;
    }
    if (entered.Expanded()) {
        return EnterResult::kShown;
    }
    const EnterResult result = Expand(child, false);
    if (result == EnterResult::kFailed) {
        line_.pop_back();
    }
    return result;
}

bool OpeningTree::Back() {
    if (line_.empty()) {
        return false;
    }
    forward_.push_back(line_.back());
    line_.pop_back();
    return true;
}

EnterResult OpeningTree::Forward() {
    if (forward_.empty() || nodes_[static_cast<std::size_t>(forward_.back())].parent != Current()) {
        forward_.clear();
        return EnterResult::kFailed;
    }
    const int child = forward_.back();
    forward_.pop_back();
    return Enter(child);
}

void OpeningTree::StartOfTree() {
    forward_.assign(line_.rbegin(), line_.rend());
    line_.clear();
}

EnterResult OpeningTree::ToEndOfBranch() {
    EnterResult result = AtEndOfBranch() ? EnterResult::kBranchEnded : EnterResult::kShown;
    while (result == EnterResult::kShown && CurrentNode().children == 1) {
        result = Enter(CurrentNode().firstChild);
    }
    return result;
}

int OpeningTree::GoToLine(const std::vector<std::string>& texts) {
    line_.clear();
    forward_.clear();
    int walked = 0;
    for (const std::string& text : texts) {
        if (CurrentNode().children == kEndOfBranch || !CurrentNode().Expanded()) {
            // Reopened for scanning: the walk follows a line the user gave.
            if (Expand(Current(), true) != EnterResult::kShown) {
                break;
            }
        }
        const std::vector<int> children = Children();
        const auto found = std::find_if(children.begin(), children.end(), [&](int child) {
            return nodes_[static_cast<std::size_t>(child)].Text() == text;
        });
        if (found == children.end()) {
            break;
        }
        line_.push_back(*found);
        ++walked;
    }
    if (!line_.empty() && !CurrentNode().Expanded() && CurrentNode().children != kEndOfBranch) {
        Expand(Current(), true);
    }
    return walked;
}

void OpeningTree::RememberLine() {
    SaveTreePath(PathFileOf(treePath_), line_);
}

void OpeningTree::ForgetRememberedLine() {
    std::remove(PathFileOf(treePath_).c_str());
}

bool OpeningTree::ReturnToRememberedLine() {
    std::vector<int> line = LoadTreePath(PathFileOf(treePath_), nodes_);
    forward_.clear();
    line_ = std::move(line);
    return true;
}

}  // namespace ravelin::tree
