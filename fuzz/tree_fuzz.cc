// libs: ravelin_tree ravelin_search ravelin_eco ravelin_gamefile ravelin_chess ravelin_platform
// Arbitrary bytes as the three files of a merge file's opening tree: the tree merge file (fast
// move records), its tree file and its path file. The tree is opened, returned to its remembered
// line and walked down by children the input picks, growing from the merge records as it goes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_files.h"
#include "tree/merge_file.h"
#include "tree/opening_tree.h"
#include "tree/tree_file.h"
#include "tree/tree_source.h"

namespace {

constexpr int kMaxSteps = 8;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace tree = ravelin::tree;
    const auto parts = ravelin::fuzz::SplitParts(data, size, 3);
    const std::string merge = ravelin::fuzz::ScratchDirectory() + "/merge.trm";
    const std::string treeFile = ravelin::fuzz::ScratchDirectory() + "/merge.TRE";
    ravelin::fuzz::WriteBytes(merge, parts[0]);
    ravelin::fuzz::WriteBytes(treeFile, parts[1]);
    ravelin::fuzz::WriteBytes(tree::PathFileOf(treeFile), parts[2]);

    tree::MergeFileIsTerminated(merge);
    tree::OpeningTree opening(tree::MakeFastRecordSource(tree::TreeSourceKind::kMergeFile, merge, merge, 0),
                              tree::TreeWalkOptions{}, [](std::string_view) {});
    if (!opening.Open()) {
        return 0;
    }
    opening.ReturnToRememberedLine();
    opening.StartOfTree();
    // The children to enter come from the last bytes of the input.
    for (int step = 0; step < kMaxSteps; ++step) {
        const std::vector<int> children = opening.Children();
        if (children.empty() || size == 0) {
            break;
        }
        const std::uint8_t pick = data[size - 1 - static_cast<std::size_t>(step) % size];
        if (opening.Enter(children[pick % children.size()]) == tree::EnterResult::kFailed) {
            break;
        }
    }
    opening.ToEndOfBranch();
    opening.Back();
    opening.Forward();
    return 0;
}
