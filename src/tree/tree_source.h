#pragma once

// What an opening tree is grown from: a set of games read as FastMove words. Each kind of source
// (the open PGN file through its fast file or its text, a tree merge file, the ECO table) walks its
// games the same way, so the scan for next moves is one piece of code over all of them.

#include <memory>
#include <string>
#include <vector>

#include "search/variation_sources.h"

namespace ravelin::tree {

inline constexpr char kErrorOpeningTreeMergeFile[] = "Error opening tree merge file.";
inline constexpr char kErrorOpeningDatabase[] = "Error opening database.";
inline constexpr char kTreeNotEnoughMemory[] = "Not enough memory.";

// The kinds of source; each keeps one remembered line of its own.
enum class TreeSourceKind { kCurrentFile, kEcoTable, kMergeFile, kDatabase };

// One walk over a source's games, in game order.
class TreeGameWalk {
  public:
    virtual ~TreeGameWalk() = default;
    virtual bool Next(search::GameMoves& game) = 0;
};

class TreeMoveSource {
  public:
    virtual ~TreeMoveSource() = default;
    virtual TreeSourceKind Kind() const = 0;
    // Where the tree files of the source live: the path whose last three characters become
    // "TRE" and "TRX", or the ECO tree's own names.
    virtual std::string TreeFilePath(bool exact) const = 0;
    // A walk from the first game; null when the source cannot be read (the reason is in Error).
    virtual std::unique_ptr<TreeGameWalk> Games() = 0;
    virtual std::string Error() const { return error_; }
    // Games of the source as far as known (the "Helptreemsg" note is for large sources).
    virtual int GameCount() const = 0;
    // Whether the words were derived from moves played from a FEN position: such a tree is refused.
    virtual bool HasFenStarts() const { return false; }
    // Called after a complete walk: a warning to show once per tree, or empty.
    virtual std::string WarningAfterWalk() { return {}; }

  protected:
    std::string error_;
};

// The tree file of a source kind grown over the file at base: the open file's trees are X.TRE and
// X.TRX, a merge file's X.MTE and X.MTX, a database's X.DTE and X.DTX, so that a PGN file, a merge
// file and a database of the same name never share a tree file.
std::string TreeFilePathOf(TreeSourceKind kind, const std::string& base, bool exact);

// The records of a file in the fast move file layout (X.TRF, a tree merge file or a database's
// moves file), read whole once and walked in memory on every scan.
std::unique_ptr<TreeMoveSource> MakeFastRecordSource(TreeSourceKind kind, const std::string& recordPath,
                                                     const std::string& treeBasePath, int expectedGames);
// The PGN text of the file, parsed once and then walked as words.
std::unique_ptr<TreeMoveSource> MakePgnTextSource(search::SearchFile& file);
// The lines of the ECO table, each a game without result; the tree files in the directory.
std::unique_ptr<TreeMoveSource> MakeEcoTableSource(const std::vector<std::string>& ecoMoveLines,
                                                   const std::string& workingDirectory);

// The open file as the tree reads it: its fast file when that is current, else its text.
std::unique_ptr<TreeMoveSource> MakeCurrentFileSource(search::SearchFile& file);

// The ECO tree's files in the working directory.
inline constexpr char kEcoTreeFile[] = "ecotree.tre";
inline constexpr char kEcoExactTreeFile[] = "ecotree.trx";

}  // namespace ravelin::tree
