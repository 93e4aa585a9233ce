#include "tree/tree_source.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "chess/move_list.h"
#include "chess/san_reader.h"
#include "gamefile/game_index.h"
#include "platform/file_util.h"
#include "search/fast_file_output.h"
#include "search/fast_file_reader.h"

namespace ravelin::tree {

namespace {

using search::FastMove;

// Where each record of an image starts, its plies and its result word: a scan then reads only the
// first words of each record instead of walking every word of the file.
struct RecordIndex {
    std::vector<std::uint32_t> starts;
    std::vector<std::uint16_t> plies;
    std::vector<FastMove> results;
};

RecordIndex IndexRecords(const std::vector<std::uint8_t>& image) {
    RecordIndex index;
    std::size_t start = 0;
    for (std::size_t at = 0; at + 1 < image.size(); at += 2) {
        const FastMove word = static_cast<FastMove>(image[at] | (image[at + 1] << 8));
        if (word == search::kEndOfFileWord) {
            break;
        }
        if (search::IsResultWord(word)) {
            index.starts.push_back(static_cast<std::uint32_t>(start));
            index.plies.push_back(
                static_cast<std::uint16_t>(std::min<std::size_t>((at - start) / 2, 0xffff)));
            index.results.push_back(word);
            start = at + 2;
        }
    }
    return index;
}

// Records held in memory in the fast move file layout, walked through their index.
class RecordImageWalk : public TreeGameWalk {
  public:
    RecordImageWalk(const std::vector<std::uint8_t>& image, const RecordIndex& index)
        : image_(image), index_(index) {}
    bool Next(search::GameMoves& game) override {
        if (next_ >= index_.starts.size()) {
            return false;
        }
        game.game = static_cast<int>(next_) + 1;
        game.plyWords = image_.data() + index_.starts[next_];
        game.plies = index_.plies[next_];
        game.resultWord = index_.results[next_];
        ++next_;
        return true;
    }

  private:
    const std::vector<std::uint8_t>& image_;
    const RecordIndex& index_;
    std::size_t next_ = 0;
};

// The records up to the end word, each of at most 400 moves; false when the file holds no such
// run of records.
bool RecordsAreWellFormed(const std::vector<std::uint8_t>& image, int& records) {
    records = 0;
    int moves = 0;
    for (std::size_t at = 0; at + 1 < image.size(); at += 2) {
        const FastMove word = static_cast<FastMove>(image[at] | (image[at + 1] << 8));
        if (word == search::kEndOfFileWord) {
            return moves == 0;
        }
        if (search::IsResultWord(word)) {
            ++records;
            moves = 0;
        } else if (++moves > search::kMaxFastRecordMoves) {
            return false;
        }
    }
    return false;
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const std::int64_t size = gamefile::FileSize(fd);
    bool ok = size >= 0;
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size));
        ok = search::ReadFully(fd, bytes.data(), bytes.size()) == bytes.size();
    }
    ::close(fd);
    return ok;
}

class FastRecordSource : public TreeMoveSource {
  public:
    FastRecordSource(TreeSourceKind kind, std::string recordPath, std::string treeBase, int expectedGames)
        : kind_(kind),
          recordPath_(std::move(recordPath)),
          treeBase_(std::move(treeBase)),
          expected_(expectedGames) {}
    TreeSourceKind Kind() const override { return kind_; }
    std::string TreeFilePath(bool exact) const override { return TreeFilePathOf(kind_, treeBase_, exact); }
    int GameCount() const override { return records_; }
    std::unique_ptr<TreeGameWalk> Games() override {
        if (!loaded_) {
            if (!ReadWholeFile(recordPath_, image_)) {
                error_ =
                    kind_ == TreeSourceKind::kMergeFile ? kErrorOpeningTreeMergeFile : kErrorOpeningDatabase;
                return nullptr;
            }
            wellFormed_ = RecordsAreWellFormed(image_, records_);
            index_ = IndexRecords(image_);
            loaded_ = true;
        }
        return std::make_unique<RecordImageWalk>(image_, index_);
    }
    std::string WarningAfterWalk() override {
        if (kind_ != TreeSourceKind::kCurrentFile || warned_ || (wellFormed_ && records_ == expected_)) {
            return {};
        }
        warned_ = true;
        return search::kRunMakeFastFileAgain;
    }

  private:
    TreeSourceKind kind_;
    std::string recordPath_;
    std::string treeBase_;
    int expected_;
    std::vector<std::uint8_t> image_;
    RecordIndex index_;
    bool loaded_ = false;
    bool wellFormed_ = false;
    bool warned_ = false;
    int records_ = 0;
};

class PgnWalk : public TreeGameWalk {
  public:
    explicit PgnWalk(search::PgnGames& games) : games_(games) { games_.Rewind(); }
    bool Next(search::GameMoves& game) override { return games_.Next(game); }

  private:
    search::PgnGames& games_;
};

// Whether any line of the file starts a FEN tag.
bool FileHasFenTag(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        return false;
    }
    static constexpr char kTag[] = "\n[FEN ";
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return text.starts_with(kTag + 1) || text.find(kTag) != std::string_view::npos;
}

class PgnTextSource : public TreeMoveSource {
  public:
    explicit PgnTextSource(search::SearchFile& file)
        : file_(file), games_(file, true), fenStarts_(FileHasFenTag(file.path)) {}
    TreeSourceKind Kind() const override { return TreeSourceKind::kCurrentFile; }
    std::string TreeFilePath(bool exact) const override {
        return TreeFilePathOf(TreeSourceKind::kCurrentFile, file_.path, exact);
    }
    int GameCount() const override { return file_.gameCount; }
    bool HasFenStarts() const override { return fenStarts_; }
    std::unique_ptr<TreeGameWalk> Games() override { return std::make_unique<PgnWalk>(games_); }

  private:
    search::SearchFile& file_;
    search::PgnGames games_;
    bool fenStarts_;
};

void AppendWord(std::vector<std::uint8_t>& bytes, FastMove word) {
    bytes.push_back(static_cast<std::uint8_t>(word & 0xff));
    bytes.push_back(static_cast<std::uint8_t>(word >> 8));
}

// The words of an .ecm line ("1.e4 e5 2.Nf3"), up to its first move that does not play.
void AppendEcoLineWords(std::string_view line, chess::ChessContext& context,
                        std::vector<std::uint8_t>& image) {
    chess::SetStartPosition(context);
    int ply = 1;
    while (!line.empty()) {
        const std::size_t space = line.find(' ');
        std::string_view token = line.substr(0, space);
        line = space == std::string_view::npos ? std::string_view{} : line.substr(space + 1);
        if (const std::size_t dot = token.rfind('.'); dot != std::string_view::npos) {
            token.remove_prefix(dot + 1);
        }
        if (token.empty()) {
            continue;
        }
        chess::SanText text{};
        if (token.size() > static_cast<std::size_t>(chess::kMaxSanLength) || ply > chess::kMaxPly) {
            break;
        }
        chess::SetSanText(text, token);
        if (!chess::ApplySan(context, ply, text, chess::FromHint{})) {
            break;
        }
        chess::SavePosition(context, ply);
        AppendWord(image, search::DeriveFastMove(context.history, ply));
        ++ply;
    }
    AppendWord(image, search::ResultWord(search::kFastOtherResult));
}

class EcoTableSource : public TreeMoveSource {
  public:
    EcoTableSource(const std::vector<std::string>& lines, std::string directory)
        : directory_(std::move(directory)), count_(static_cast<int>(lines.size())) {
        auto context = chess::MakeChessContext();
        context->batch = true;
        for (const std::string& line : lines) {
            AppendEcoLineWords(line, *context, image_);
        }
        AppendWord(image_, search::kEndOfFileWord);
        index_ = IndexRecords(image_);
    }
    TreeSourceKind Kind() const override { return TreeSourceKind::kEcoTable; }
    std::string TreeFilePath(bool exact) const override {
        return directory_ + "/" + (exact ? kEcoExactTreeFile : kEcoTreeFile);
    }
    int GameCount() const override { return count_; }
    std::unique_ptr<TreeGameWalk> Games() override {
        return std::make_unique<RecordImageWalk>(image_, index_);
    }

  private:
    std::string directory_;
    int count_;
    std::vector<std::uint8_t> image_;
    RecordIndex index_;
};

}  // namespace

std::string TreeFilePathOf(TreeSourceKind kind, const std::string& base, bool exact) {
    switch (kind) {
        case TreeSourceKind::kMergeFile:
            return gamefile::CompanionPath(base, exact ? "MTX" : "MTE");
        case TreeSourceKind::kDatabase:
            return gamefile::CompanionPath(base, exact ? "DTX" : "DTE");
        case TreeSourceKind::kCurrentFile:
        case TreeSourceKind::kEcoTable:
            break;
    }
    return gamefile::CompanionPath(base, exact ? "TRX" : "TRE");
}

std::unique_ptr<TreeMoveSource> MakeFastRecordSource(TreeSourceKind kind, const std::string& recordPath,
                                                     const std::string& treeBasePath, int expectedGames) {
    return std::make_unique<FastRecordSource>(kind, recordPath, treeBasePath, expectedGames);
}

std::unique_ptr<TreeMoveSource> MakePgnTextSource(search::SearchFile& file) {
    return std::make_unique<PgnTextSource>(file);
}

std::unique_ptr<TreeMoveSource> MakeEcoTableSource(const std::vector<std::string>& ecoMoveLines,
                                                   const std::string& workingDirectory) {
    return std::make_unique<EcoTableSource>(ecoMoveLines, workingDirectory);
}

std::unique_ptr<TreeMoveSource> MakeCurrentFileSource(search::SearchFile& file) {
    // A stale fast file is no source: the warning is the fast file readers' own.
    if (search::UseFastFileOrWarn(file.path, file.gameCount, file.messages)) {
        return MakeFastRecordSource(TreeSourceKind::kCurrentFile, search::FastMoveFilePath(file.path),
                                    file.path, file.gameCount);
    }
    return MakePgnTextSource(file);
}

}  // namespace ravelin::tree
