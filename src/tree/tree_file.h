#pragma once

// The tree file: the node array of an opening tree written whole, 32 bytes a node, node 0 the
// root. And the path file beside it, which remembers one line of the tree.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "search/fast_move.h"

namespace ravelin::tree {

inline constexpr std::size_t kNodeSize = 32;
inline constexpr int kNoParent = -1;
// Children counts: not yet expanded, and the mark of a node where the branch ends.
inline constexpr std::uint16_t kNotExpanded = 0;
inline constexpr std::uint16_t kEndOfBranch = 0xffff;
// The move text field: seven characters and a NUL.
inline constexpr std::size_t kNodeTextSize = 8;
// The path file keeps at most this many entries.
inline constexpr int kMaxPathEntries = 401;

struct TreeNode {
    std::int32_t score = 0;  // sum of the games' result codes (2 White won, 1 other, 0 Black won)
    std::int32_t parent = kNoParent;
    std::int32_t firstChild = 0;
    std::int32_t games = 0;
    std::int32_t firstGame = 0;  // 1-based
    std::uint16_t children = kNotExpanded;
    search::FastMove move = 0;
    std::array<char, kNodeTextSize> text{};

    std::string_view Text() const;
    void SetText(std::string_view san);
    bool Expanded() const { return children != kNotExpanded && children != kEndOfBranch; }
};

void EncodeNode(const TreeNode& node, std::uint8_t* bytes);
TreeNode DecodeNode(const std::uint8_t* bytes);

enum class TreeFileLoad {
    kLoaded,
    kMissing,
    kOldFormat,  // first word -1: the file was deleted
    kMalformed,  // the file cannot be the node array of a tree: deleted, to be built again
};

// Reads and checks a tree file: its size a multiple of 32, a root without parent, every child run
// inside the array and pointing back at its parent.
TreeFileLoad LoadTreeFile(const std::string& path, std::vector<TreeNode>& nodes);
// Whether the nodes form a tree this program can walk without leaving the array.
bool TreeIsWellFormed(const std::vector<TreeNode>& nodes);
// Writes the array whole under a temporary name and renames it into place.
bool SaveTreeFile(const std::string& path, const std::vector<TreeNode>& nodes);

// The path file of a tree file: its last character replaced by 'T'.
std::string PathFileOf(const std::string& treePath);
// The remembered line as node indices from the root's child on; empty when the file is missing
// or does not describe a walk down this tree.
std::vector<int> LoadTreePath(const std::string& path, const std::vector<TreeNode>& nodes);
bool SaveTreePath(const std::string& path, const std::vector<int>& line);

}  // namespace ravelin::tree
