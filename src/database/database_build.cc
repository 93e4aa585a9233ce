#include "database/database_build.h"

#include <cstdio>
#include <limits>
#include <vector>

#include "database/database_check.h"
#include "database/database_io.h"
#include "database/database_journal.h"
#include "database/key_name.h"
#include "database/position_signature.h"
#include "platform/file_util.h"

namespace ravelin::database {

namespace {

constexpr int kProgressInterval = 1000;

std::string FastFilePath(const std::string& pgnPath, const char* ending) {
    return (pgnPath.size() >= 3 ? pgnPath.substr(0, pgnPath.size() - 3) : pgnPath) + ending;
}

BuildOutcome Failed(std::string message) {
    BuildOutcome outcome;
    outcome.message = std::move(message);
    return outcome;
}

BuildOutcome Status(BuildStatus status, const char* message) {
    BuildOutcome outcome;
    outcome.status = status;
    outcome.message = message;
    return outcome;
}

// The fast file as read whole, with the spans of its records.
struct FastFile {
    std::string header;
    std::string moves;
    std::vector<RecordSpan> headerSpans;
    std::vector<RecordSpan> moveSpans;
};

// Appends records to the games file image and links each into the chains of its two keys.
class ChainBuilder {
  public:
    ChainBuilder(std::string& games, RootTable& root, std::size_t oldSize)
        : games_(games), root_(root), changed_(oldSize / kGameRecordSize, false) {}

    bool Append(GameRecord& record) {
        const auto offset = static_cast<std::int32_t>(games_.size());
        if (!Link(record.whiteKey, offset) ||
            (record.blackKey != record.whiteKey && !Link(record.blackKey, offset))) {
            return false;
        }
        record.whiteLink = 0;
        record.blackLink = 0;
        games_.resize(games_.size() + kGameRecordSize);
        EncodeGameRecord(record, reinterpret_cast<std::uint8_t*>(games_.data()) + offset);
        return true;
    }
    // Records of the old games file whose links changed.
    const std::vector<bool>& Changed() const { return changed_; }

  private:
    bool Link(std::int32_t key, std::int32_t offset) {
        RootEntry& entry = root_[key];
        if (entry.first == -1) {
            entry.first = offset;
            entry.last = offset;
            return true;
        }
        auto* last = reinterpret_cast<std::uint8_t*>(games_.data()) + entry.last;
        const bool white = ReadI32(last) == key;
        const bool black = ReadI32(last + 4) == key;
        if (!white && !black) {
            return false;
        }
        if (white) {
            WriteI32(last + 8, offset);
        }
        if (black) {
            WriteI32(last + 12, offset);
        }
        const std::size_t index = static_cast<std::size_t>(entry.last) / kGameRecordSize;
        if (index < changed_.size()) {
            changed_[index] = true;
        }
        entry.last = offset;
        return true;
    }

    std::string& games_;
    RootTable& root_;
    std::vector<bool> changed_;
};

// The new records of the batch; positions receives the position file's records of the batch.
bool MakeRecords(const FastFile& fast, std::int64_t headerBase, std::int64_t movesBase, ChainBuilder& chains,
                 std::string& positions, const BuildHooks& hooks) {
    positions = fast.moves;
    auto* words = reinterpret_cast<std::uint8_t*>(positions.data());
    const int total = static_cast<int>(fast.headerSpans.size());
    HeaderValues values;
    for (int i = 0; i < total; ++i) {
        const RecordSpan& header = fast.headerSpans[i];
        const RecordSpan& moves = fast.moveSpans[i];
        SplitHeaderRecord(std::string_view(fast.header).substr(static_cast<std::size_t>(header.offset)),
                          values);
        const KeyName white = MakeKeyName(values[kWhite]);
        const KeyName black = MakeKeyName(values[kBlack]);
        GameRecord record;
        record.whiteKey = KeyIndexOf(white.stored);
        record.blackKey = KeyIndexOf(black.stored);
        record.whiteName = white.stored.substr(0, kMaxKeyNameLetters);
        record.blackName = black.stored.substr(0, kMaxKeyNameLetters);
        record.headerOffset = static_cast<std::int32_t>(headerBase + header.offset - kHeaderCountSize);
        record.headerLength = static_cast<std::uint16_t>(header.length);
        record.movesOffset = static_cast<std::int32_t>(movesBase + moves.offset);
        record.movesLength = static_cast<std::uint16_t>(moves.length);
        record.year = YearOf(values[kDate]);
        record.resultEco =
            static_cast<std::uint16_t>(ResultBitsOf(values[kResult]) | EcoBitsOf(values[kEco]));
        if (!chains.Append(record)) {
            return false;
        }
        WritePositionRecord(words + moves.offset, static_cast<int>(moves.length / 2 - 1));
        if (hooks.progress && (i + 1) % kProgressInterval == 0) {
            hooks.progress(i + 1, total);
        }
    }
    positions.resize(positions.size() - kMovesEndWordSize);
    return true;
}

void RemoveDerivedFiles(const DatabasePaths& paths) {
    std::remove(paths.results.c_str());
    std::remove(paths.tree.c_str());
    std::remove(paths.exactTree.c_str());
    std::remove(paths.treeLine.c_str());
}

BuildOutcome WriteNewDatabase(const DatabasePaths& paths, const FastFile& fast, const std::string& games,
                              const std::string& positions, const RootTable& root) {
    const std::string rootBytes = EncodeRootTable(root);
    // The old set's results and trees go first: a crash must not leave them beside a new set.
    RemoveDerivedFiles(paths);
    if (!platform::ReplaceFileSet(paths.setJournal, {{paths.header, fast.header},
                                                     {paths.moves, fast.moves},
                                                     {paths.positions, positions},
                                                     {paths.games, games},
                                                     {paths.root, rootBytes}})) {
        return Failed(kFileWriteError);
    }
    BuildOutcome outcome;
    outcome.status = BuildStatus::kComplete;
    outcome.message = kDatabaseComplete;
    outcome.gamesAdded = static_cast<int>(fast.headerSpans.size());
    outcome.gameCount = outcome.gamesAdded;
    return outcome;
}

BuildOutcome AppendToDatabase(const DatabasePaths& paths, const FastFile& fast, const DatabaseImage& old,
                              const std::string& games, const std::string& positions, const RootTable& root,
                              const std::vector<bool>& changed) {
    const int added = static_cast<int>(fast.headerSpans.size());
    const auto newCount = static_cast<std::int32_t>(old.gameCount + added);
    const std::string_view newRecords = std::string_view(games).substr(old.games.size());
    // Written in place after the journal that undoes it; a crash is undone by the next reader.
    if (!WriteUndoJournal(paths, old, changed)) {
        return Failed(kFileWriteError);
    }
    std::string count(4, '\0');
    WriteI32(reinterpret_cast<std::uint8_t*>(count.data()), newCount);
    const auto writeAt = [](const std::string& path, std::int64_t offset, std::string_view bytes) {
        const bool written = WriteAt(path, offset, bytes);
        platform::ReportRewriteStep(platform::RewriteStep::kWrittenInPlace);
        return written;
    };
    bool ok = writeAt(paths.positions, old.positionsSize, positions) &&
              writeAt(paths.moves, old.movesSize - 2, fast.moves) &&
              writeAt(paths.header, old.headerSize, std::string_view(fast.header).substr(kHeaderCountSize)) &&
              writeAt(paths.header, 0, count) &&
              writeAt(paths.games, static_cast<std::int64_t>(old.games.size()), newRecords);
    for (std::size_t i = 0; ok && i < changed.size(); ++i) {
        if (changed[i]) {
            ok = WriteAt(paths.games, static_cast<std::int64_t>(i * kGameRecordSize + 8),
                         std::string_view(games).substr(i * kGameRecordSize + 8, 8));
        }
    }
    for (const std::string* path : {&paths.positions, &paths.moves, &paths.header, &paths.games}) {
        ok = ok && SyncFile(*path);
    }
    const std::string rootBytes = EncodeRootTable(root);
    ok = ok && platform::WriteFileReplacing(paths.root, rootBytes.data(), rootBytes.size());
    if (!ok) {
        UndoInterruptedAdd(paths);
        return Failed(kFileWriteError);
    }
    // The results and trees of the old set go before the add counts as done.
    RemoveDerivedFiles(paths);
    RemoveUndoJournal(paths);
    BuildOutcome outcome;
    outcome.status = BuildStatus::kComplete;
    outcome.message = kDatabaseComplete;
    outcome.gamesAdded = added;
    outcome.gameCount = newCount;
    return outcome;
}

}  // namespace

BuildOutcome RemakeDatabase(const std::string& gamesPath) {
    if (!HasDatabaseExtension(gamesPath)) {
        return Failed(kNotADatabaseName);
    }
    const DatabasePaths paths = PathsOf(gamesPath);
    RecoverDatabase(paths);
    FastFile set;
    for (const auto& [path, bytes] :
         {std::pair{&paths.header, &set.header}, std::pair{&paths.moves, &set.moves}}) {
        if (const ReadStatus status = ReadWholeFile(*path, *bytes); status != ReadStatus::kOk) {
            return Failed(ReadFailureMessage(status));
        }
    }
    const bool headerWalked = WalkHeaderRecords(set.header, set.headerSpans);
    const int stored = headerWalked ? ReadI32(reinterpret_cast<const std::uint8_t*>(set.header.data())) : -1;
    if (!headerWalked || static_cast<int>(set.headerSpans.size()) != stored) {
        return Failed("Header file is out of sync.");
    }
    if (!WalkMovesRecords(set.moves, set.moveSpans) || static_cast<int>(set.moveSpans.size()) != stored) {
        return Failed("Moves file is out of sync.");
    }
    std::string games;
    RootTable root = EmptyRootTable();
    ChainBuilder chains(games, root, 0);
    std::string positions;
    if (!MakeRecords(set, kHeaderCountSize, 0, chains, positions, {})) {
        return Failed(kRootError);
    }
    const std::string rootBytes = EncodeRootTable(root);
    RemoveDerivedFiles(paths);
    if (!platform::ReplaceFileSet(
            paths.setJournal,
            {{paths.positions, positions}, {paths.games, games}, {paths.root, rootBytes}})) {
        return Failed(kFileWriteError);
    }
    BuildOutcome outcome;
    outcome.status = BuildStatus::kComplete;
    outcome.message = kDatabaseRemakeComplete;
    outcome.gameCount = stored;
    return outcome;
}

BuildOutcome BuildDatabase(const std::string& gamesPath, BuildMode mode, const std::string& pgnPath,
                           int gameCount, const BuildHooks& hooks) {
    if (!HasDatabaseExtension(gamesPath)) {
        return Failed(kNotADatabaseName);
    }
    const DatabasePaths paths = PathsOf(gamesPath);
    RecoverDatabase(paths);
    FastFile fast;
    const ReadStatus headerRead = ReadWholeFile(FastFilePath(pgnPath, "TRH"), fast.header);
    const ReadStatus movesRead = ReadWholeFile(FastFilePath(pgnPath, "TRF"), fast.moves);
    if (headerRead == ReadStatus::kOpenFailed || movesRead == ReadStatus::kOpenFailed) {
        return Status(BuildStatus::kNoFastFile, kNoFastFileQuestion);
    }
    if (headerRead != ReadStatus::kOk || movesRead != ReadStatus::kOk) {
        return Failed(kFileReadError);
    }
    // A fast file whose walk or count does not fit the PGN file is stale or broken.
    const bool headerFits = WalkHeaderRecords(fast.header, fast.headerSpans) &&
                            ReadI32(reinterpret_cast<const std::uint8_t*>(fast.header.data())) == gameCount &&
                            static_cast<int>(fast.headerSpans.size()) == gameCount;
    if (!headerFits || !WalkMovesRecords(fast.moves, fast.moveSpans) ||
        static_cast<int>(fast.moveSpans.size()) != gameCount) {
        return Status(BuildStatus::kStaleFastFile, kStaleFastFileQuestion);
    }

    DatabaseImage old;
    if (mode == BuildMode::kAdd) {
        const DatabaseCheck check = CheckDatabase(paths, &old);
        if (!check.ok) {
            return Failed(check.message);
        }
        constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
        if (old.headerSize + static_cast<std::int64_t>(fast.header.size()) > kLimit ||
            old.movesSize + static_cast<std::int64_t>(fast.moves.size()) > kLimit ||
            static_cast<std::int64_t>(old.games.size()) + std::int64_t{gameCount} * 64 > kLimit) {
            return Failed(kFileWriteError);
        }
    } else {
        old.root = EmptyRootTable();
        old.headerSize = kHeaderCountSize;
        old.movesSize = kMovesEndWordSize;
    }
    std::string games = old.games;
    RootTable root = old.root;
    ChainBuilder chains(games, root, old.games.size());
    std::string positions;
    if (!MakeRecords(fast, old.headerSize, old.movesSize - 2, chains, positions, hooks)) {
        return Failed(kRootError);
    }
    if (mode == BuildMode::kNew) {
        return WriteNewDatabase(paths, fast, games, positions, root);
    }
    return AppendToDatabase(paths, fast, old, games, positions, root, chains.Changed());
}

}  // namespace ravelin::database
