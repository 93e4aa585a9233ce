#include "tree/tree_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/file_util.h"

namespace ravelin::tree {

namespace {

// The largest tree file read: far beyond any tree a person walks, small enough to hold.
constexpr std::size_t kMaxTreeFileBytes = std::size_t{1} << 30;
constexpr std::int32_t kPathFileMark = -1;

void PutInt32(std::uint8_t* bytes, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

std::int32_t GetInt32(const std::uint8_t* bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        v |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    }
    return static_cast<std::int32_t>(v);
}

std::uint16_t GetWord(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

}  // namespace

std::string_view TreeNode::Text() const {
    return {text.data(), static_cast<std::size_t>(std::find(text.begin(), text.end(), '\0') - text.begin())};
}

void TreeNode::SetText(std::string_view san) {
    text.fill('\0');
    std::copy_n(san.begin(), std::min(san.size(), kNodeTextSize - 1), text.begin());
}

void EncodeNode(const TreeNode& node, std::uint8_t* bytes) {
    PutInt32(bytes, node.score);
    PutInt32(bytes + 4, node.parent);
    PutInt32(bytes + 8, node.firstChild);
    PutInt32(bytes + 12, node.games);
    PutInt32(bytes + 16, node.firstGame);
    bytes[20] = static_cast<std::uint8_t>(node.children & 0xff);
    bytes[21] = static_cast<std::uint8_t>(node.children >> 8);
    bytes[22] = static_cast<std::uint8_t>(node.move & 0xff);
    bytes[23] = static_cast<std::uint8_t>(node.move >> 8);
    std::memcpy(bytes + 24, node.text.data(), kNodeTextSize);
}

TreeNode DecodeNode(const std::uint8_t* bytes) {
    TreeNode node;
    node.score = GetInt32(bytes);
    node.parent = GetInt32(bytes + 4);
    node.firstChild = GetInt32(bytes + 8);
    node.games = GetInt32(bytes + 12);
    node.firstGame = GetInt32(bytes + 16);
    node.children = GetWord(bytes + 20);
    node.move = GetWord(bytes + 22);
    std::memcpy(node.text.data(), bytes + 24, kNodeTextSize);
    node.text.back() = '\0';
    return node;
}

bool TreeIsWellFormed(const std::vector<TreeNode>& nodes) {
    if (nodes.empty() || nodes[0].parent != kNoParent) {
        return false;
    }
    const auto count = static_cast<std::int64_t>(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const TreeNode& node = nodes[i];
        if (i > 0 &&
            (node.parent < 0 || node.parent >= count || !nodes[node.parent].Expanded() ||
             static_cast<std::int64_t>(i) < nodes[node.parent].firstChild ||
             static_cast<std::int64_t>(i) >= nodes[node.parent].firstChild + nodes[node.parent].children)) {
            return false;
        }
        if (node.Expanded() && (node.firstChild <= static_cast<std::int64_t>(i) ||
                                static_cast<std::int64_t>(node.firstChild) + node.children > count)) {
            return false;
        }
    }
    return true;
}

TreeFileLoad LoadTreeFile(const std::string& path, std::vector<TreeNode>& nodes) {
    nodes.clear();
    if (!platform::FileExists(path)) {
        return TreeFileLoad::kMissing;
    }
    std::string bytes;
    if (!platform::ReadSmallFile(path, bytes, kMaxTreeFileBytes)) {
        std::remove(path.c_str());
        return TreeFileLoad::kMalformed;
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    if (bytes.size() >= 4 && GetInt32(data) == -1) {
        std::remove(path.c_str());
        return TreeFileLoad::kOldFormat;
    }
    if (bytes.empty() || bytes.size() % kNodeSize != 0) {
        std::remove(path.c_str());
        return TreeFileLoad::kMalformed;
    }
    nodes.reserve(bytes.size() / kNodeSize);
    for (std::size_t at = 0; at < bytes.size(); at += kNodeSize) {
        nodes.push_back(DecodeNode(data + at));
    }
    if (!TreeIsWellFormed(nodes)) {
        nodes.clear();
        std::remove(path.c_str());
        return TreeFileLoad::kMalformed;
    }
    return TreeFileLoad::kLoaded;
}

bool SaveTreeFile(const std::string& path, const std::vector<TreeNode>& nodes) {
    std::vector<std::uint8_t> bytes(nodes.size() * kNodeSize);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        EncodeNode(nodes[i], bytes.data() + i * kNodeSize);
    }
    return platform::WriteFileReplacing(path, bytes.data(), bytes.size(), platform::Durability::kCache);
}

std::string PathFileOf(const std::string& treePath) {
    std::string path = treePath;
    if (!path.empty()) {
        path.back() = path.back() >= 'a' && path.back() <= 'z' ? 't' : 'T';
    }
    return path;
}

std::vector<int> LoadTreePath(const std::string& path, const std::vector<TreeNode>& nodes) {
    std::string bytes;
    if (!platform::ReadSmallFile(path, bytes, 8 + 4 * kMaxPathEntries) || bytes.size() < 8) {
        return {};
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::int32_t count = GetInt32(data + 4);
    if (GetInt32(data) != kPathFileMark || count < 0 || count > kMaxPathEntries ||
        bytes.size() != 8 + 4 * static_cast<std::size_t>(count)) {
        return {};
    }
    std::vector<int> line;
    int parent = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t node = GetInt32(data + 8 + 4 * i);
        if (node <= 0 || node >= static_cast<std::int32_t>(nodes.size()) || nodes[node].parent != parent) {
            return {};
        }
        line.push_back(node);
        parent = node;
    }
    return line;
}

bool SaveTreePath(const std::string& path, const std::vector<int>& line) {
    const std::size_t count = std::min(line.size(), static_cast<std::size_t>(kMaxPathEntries));
    std::vector<std::uint8_t> bytes(8 + 4 * count);
    PutInt32(bytes.data(), kPathFileMark);
    PutInt32(bytes.data() + 4, static_cast<std::int32_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        PutInt32(bytes.data() + 8 + 4 * i, line[i]);
    }
    return platform::WriteFileReplacing(path, bytes.data(), bytes.size(), platform::Durability::kCache);
}

}  // namespace ravelin::tree
