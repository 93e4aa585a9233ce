#pragma once

// Trees over PGN files written into a temporary directory, opened as the window opens them.

#include <memory>
#include <string>
#include <vector>

#include "search/fast_file_writer.h"
#include "search/search_source.h"
#include "temp_dir.h"
#include "tree/opening_tree.h"
#include "tree/tree_source.h"

namespace ravelin::tree::testing_support {

// A PGN file opened for the tree, with the messages its tree sends.
struct TreeFile {
    TreeFile(const std::string& pgnPath, bool withFastFile) : opened(pgnPath) {
        if (withFastFile) {
            search::FastFileJob job;
            job.pgnPath = pgnPath;
            job.offsets = opened.File().index->offsets;
            search::WriteFastFile(job, {});
        }
    }
    std::unique_ptr<OpeningTree> Open(TreeWalkOptions options = {}) {
        auto tree =
            std::make_unique<OpeningTree>(MakeCurrentFileSource(opened.File()), options,
                                          [this](std::string_view text) { messages.emplace_back(text); });
        if (!tree->Open()) {
            return nullptr;
        }
        return tree;
    }
    // The child of the current node that plays the move; -1 when none does.
    static int ChildPlaying(const OpeningTree& tree, std::string_view san) {
        for (const int child : tree.Children()) {
            if (tree.Nodes()[static_cast<std::size_t>(child)].Text() == san) {
                return child;
            }
        }
        return -1;
    }

    search::OpenedSearchFile opened;
    std::vector<std::string> messages;
};

}  // namespace ravelin::tree::testing_support
