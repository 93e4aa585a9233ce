#include "search/fast_file_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <new>

#include "chess/position_history.h"
#include "gamefile/game_header.h"
#include "gamefile/game_index.h"
#include "gamefile/game_loader.h"
#include "gamefile/game_walk.h"
#include "gamefile/line_reader.h"
#include "gamefile/tag_line.h"
#include "search/fast_file_output.h"
#include "search/fast_game_reader.h"
#include "search/fast_header.h"
#include "search/fast_move.h"
#include "search/ordered_work.h"

namespace ravelin::search {

namespace {

constexpr int kEveryGameBelow = 100;
constexpr int kEveryTenthBelow = 1000;
constexpr int kEveryHundredth = 100;
constexpr int kEveryTenth = 10;
// The result of the merge files is read from the tag line's layout: [Result "1-0"].
constexpr std::size_t kResultFirstCharacter = 9;
constexpr std::size_t kResultSecondCharacter = 10;

// A descriptor of the PGN file of the worker's own, closed with it.
class OwnDescriptor {
  public:
    explicit OwnDescriptor(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~OwnDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    OwnDescriptor(const OwnDescriptor&) = delete;
    OwnDescriptor& operator=(const OwnDescriptor&) = delete;
    int Get() const { return fd_; }

  private:
    int fd_;
};

void RemoveIfNamed(const std::string& path) {
    if (!path.empty()) {
        std::remove(path.c_str());
    }
}

int MergeResultCode(std::string_view resultLine) {
    int code = kFastOtherResult;
    if (resultLine.size() > kResultSecondCharacter && resultLine[kResultSecondCharacter] == '-') {
        code = resultLine[kResultFirstCharacter] == '1' ? kFastWhiteWins : kFastBlackWins;
    }
    return code;
}

// Everything one walk over the games owns: none of it is shared with the window thread.
struct GameWalk {
    explicit GameWalk(int fd)
        : reader(gamefile::kScanBufferSize), header(std::make_unique<gamefile::GameHeader>()) {
        reader.Attach(fd);
    }

    bool Position(std::uint32_t offset) { return gamefile::PositionAtGameStart(reader, *header, offset); }

    gamefile::LineReader reader;
    std::unique_ptr<gamefile::GameHeader> header;
    FastGameReader games;
    FastGameMoves moves;
    // The longest record: 400 moves and the result word.
    std::array<char, 2 * (chess::kMaxPly + 1)> moveRecord{};
    std::size_t moveRecordSize = 0;
    std::string headerRecord;
};

// Reads the movetext that follows the header and makes the game's record.
void AppendMoveRecord(GameWalk& walk, int resultCode) {
    walk.games.ReadMoves(walk.reader, *walk.header, FastGamePath::kLeanFirst, walk.moves);
    std::size_t used = 0;
    auto word = [&walk, &used](FastMove move) {
        walk.moveRecord[used++] = static_cast<char>(move & 0xff);
        walk.moveRecord[used++] = static_cast<char>(move >> 8);
    };
    if (walk.moves.plies == 0) {
        word(kEmptyGameMove);
    }
    for (int ply = 0; ply < walk.moves.plies; ++ply) {
        word(walk.moves.words[static_cast<std::size_t>(ply)]);
    }
    word(ResultWord(resultCode));
    walk.moveRecordSize = used;
}

bool MustReposition(const GameWalk& walk, const FastFileJob& job, std::size_t next) {
    return gamefile::MustRepositionForNextGame(walk.moves.cutOff, *walk.header, job.offsets, next);
}

struct Outputs {
    BufferedOutput moves;
    BufferedOutput headers;
    std::string movePath;
    std::string headerPath;
    std::uint64_t appendOffset = 0;  // mode 2: where the merge file's end word was
    bool appending = false;          // mode 2: the merge file is open and may have been written
};

FastFileStatus OpenOutputs(const FastFileJob& job, Outputs& out) {
    if (job.mode == MergeFileMode::kFastFile) {
        out.movePath = FastMoveFilePath(job.pgnPath);
        out.headerPath = FastHeaderFilePath(job.pgnPath);
        RemoveIfNamed(gamefile::CompanionPath(job.pgnPath, "TRE"));
        RemoveIfNamed(gamefile::CompanionPath(job.pgnPath, "TRX"));
        RemoveIfNamed(out.headerPath);
        RemoveIfNamed(out.movePath);
        // The position index and the header places describe the old files; they are made again.
        RemoveIfNamed(PositionIndexFilePath(job.pgnPath));
        RemoveIfNamed(HeaderPlacesFilePath(job.pgnPath));
        if (out.movePath.empty() || out.headerPath.empty() ||
            !out.moves.Create(TemporaryNameFor(out.movePath)) ||
            !out.headers.Create(TemporaryNameFor(out.headerPath))) {
            return FastFileStatus::kCreateError;
        }
        return FastFileStatus::kComplete;
    }
    RemoveIfNamed(gamefile::CompanionPath(job.mergePath, "TRE"));
    RemoveIfNamed(gamefile::CompanionPath(job.mergePath, "TRX"));
    out.movePath = job.mergePath;
    if (job.mode == MergeFileMode::kNewMergeFile) {
        return out.moves.Create(TemporaryNameFor(out.movePath)) ? FastFileStatus::kComplete
                                                                : FastFileStatus::kCreateError;
    }
    const int fd = ::open(job.mergePath.c_str(), O_RDONLY | O_CLOEXEC);
    const std::int64_t size = gamefile::FileSize(fd);
    if (fd >= 0) {
        ::close(fd);
    }
    if (size < 2 || !out.moves.OpenAt(job.mergePath, static_cast<std::uint64_t>(size - 2))) {
        return FastFileStatus::kMergeOpenError;
    }
    out.appendOffset = static_cast<std::uint64_t>(size - 2);
    out.appending = true;
    return FastFileStatus::kComplete;
}

// Puts an appended merge file back as it was: its old records and the end word.
void RestoreMergeFile(const Outputs& out) {
    if (::truncate(out.movePath.c_str(), static_cast<off_t>(out.appendOffset)) != 0) {
        return;
    }
    BufferedOutput end;
    if (end.OpenAt(out.movePath, out.appendOffset)) {
        end.AppendWord(kEndOfFileWord);
        end.Finish();
    }
}

// Writes the end word, closes the files and moves them into place.
bool FinishOutputs(const FastFileJob& job, Outputs& out) {
    out.moves.AppendWord(kEndOfFileWord);
    bool written = out.moves.Finish();
    if (job.mode == MergeFileMode::kFastFile) {
        written = out.headers.Finish() && written;
    }
    if (job.mode == MergeFileMode::kAppendMergeFile) {
        if (written) {
            out.appending = false;
        }
        return written;
    }
    const std::string moveTemp = TemporaryNameFor(out.movePath);
    if (written && std::rename(moveTemp.c_str(), out.movePath.c_str()) != 0) {
        written = false;
    }
    if (job.mode == MergeFileMode::kFastFile) {
        const std::string headerTemp = TemporaryNameFor(out.headerPath);
        if (written && std::rename(headerTemp.c_str(), out.headerPath.c_str()) != 0) {
            // Without its header file a move file would still look current to some readers.
            std::remove(out.movePath.c_str());
            written = false;
        }
        std::remove(headerTemp.c_str());
    }
    std::remove(moveTemp.c_str());
    return written;
}

void AbandonOutputs(const FastFileJob& job, Outputs& out) {
    out.moves.Abandon();
    out.headers.Abandon();
    if (job.mode == MergeFileMode::kAppendMergeFile) {
        if (out.appending) {
            RestoreMergeFile(out);
        }
        return;
    }
    std::remove(TemporaryNameFor(out.movePath).c_str());
    if (!out.headerPath.empty()) {
        std::remove(TemporaryNameFor(out.headerPath).c_str());
    }
}

}  // namespace

std::string_view FastFileStatusMessage(FastFileStatus status) {
    switch (status) {
        case FastFileStatus::kComplete:
            return kFastFileComplete;
        case FastFileStatus::kFenWarning:
            return kFenPositionsWarning;
        case FastFileStatus::kIncomplete:
            return kErrorMakingFastFile;
        case FastFileStatus::kCreateError:
            return kErrorCreatingFastFile;
        case FastFileStatus::kMergeOpenError:
            return kErrorOpeningMergeFile;
        case FastFileStatus::kMergeComplete:
            break;
    }
    return kMergeFileComplete;
}

int FastFileProgressInterval(int gameCount) {
    if (gameCount < kEveryGameBelow) {
        return 1;
    }
    return gameCount < kEveryTenthBelow ? kEveryTenth : kEveryHundredth;
}

namespace {

// What one run of consecutive games gives: their records, in order.
struct ChunkOutput {
    std::string moves;
    std::string headers;
    int gamesWritten = 0;
    bool fenSeen = false;
    int repositions = 0;
    // A game could not be found: nothing after the games written is written.
    bool stopped = false;
};

// What one thread reads the games with: its own descriptor of the PGN file and its own walk.
struct ChunkReader {
    explicit ChunkReader(const std::string& path) : pgn(path) {
        if (pgn.Get() >= 0) {
            walk = std::make_unique<GameWalk>(pgn.Get());
        }
    }
    OwnDescriptor pgn;
    std::unique_ptr<GameWalk> walk;
};

// Reads games first..last-1, positioned at the first game by the index and going on game by game
// as one walk over the file does.
void WriteChunk(const FastFileJob& job, ChunkReader& reader, int first, int last, ChunkOutput& out) {
    const bool fastFile = job.mode == MergeFileMode::kFastFile;
    if (!reader.walk) {
        out.stopped = true;
        return;
    }
    GameWalk& walk = *reader.walk;
    // About the sizes of a game's records in real files, so that they are rarely grown.
    constexpr std::size_t kMoveBytesPerGame = 192;
    constexpr std::size_t kHeaderBytesPerGame = 96;
    out.moves.reserve(static_cast<std::size_t>(last - first) * kMoveBytesPerGame);
    if (fastFile) {
        out.headers.reserve(static_cast<std::size_t>(last - first) * kHeaderBytesPerGame);
    }
    bool reposition = true;
    for (int i = first; i < last; ++i) {
        if (reposition) {
            if (!walk.Position(job.offsets[static_cast<std::size_t>(i)])) {
                out.stopped = true;
                return;
            }
            ++out.repositions;
        }
        gamefile::ParseGameHeader(walk.reader, *walk.header, true);
        const gamefile::GameHeader& header = *walk.header;
        int resultCode = kFastOtherResult;
        if (fastFile) {
            out.fenSeen = out.fenSeen || header.fenPresent;
            AppendFastHeaderRecord(header, out.headers);
            resultCode = FastResultCodeOf(TagValueOf(header.Slot(gamefile::TagSlot::kResult)));
        } else {
            resultCode = MergeResultCode(header.Slot(gamefile::TagSlot::kResult));
        }
        AppendMoveRecord(walk, resultCode);
        out.moves.append(walk.moveRecord.data(), walk.moveRecordSize);
        ++out.gamesWritten;
        reposition = MustReposition(walk, job, static_cast<std::size_t>(i) + 1);
    }
}

// Games per chunk: small enough that every core gets many and progress moves smoothly, large
// enough that positioning at each chunk's first game costs nothing.
int ChunkGames(int total, unsigned threads) {
    constexpr int kFewest = 64;
    constexpr int kMost = 1024;
    constexpr int kChunksPerThread = 16;
    return std::clamp(total / static_cast<int>(threads * kChunksPerThread), kFewest, kMost);
}

}  // namespace

FastFileOutcome WriteFastFile(const FastFileJob& job, const FastFileHooks& hooks) {
    FastFileOutcome outcome;
    const bool fastFile = job.mode == MergeFileMode::kFastFile;
    Outputs out;
    outcome.status = OpenOutputs(job, out);
    if (outcome.status != FastFileStatus::kComplete) {
        AbandonOutputs(job, out);
        return outcome;
    }
    const int total = static_cast<int>(std::min<std::size_t>(job.offsets.size(), gamefile::kMaxGames));
    if (fastFile) {
        std::string count;
        AppendFastHeaderCount(total, count);
        out.headers.Append(count);
    }
    // Every core reads its own chunks of games, found through the index; the records are written
    // here, chunk after chunk in game order, so the files are those one walk over the games makes.
    // Progress and the hook after each game are called from this thread, in game order.
    const int perChunk = ChunkGames(total, CoreCount());
    std::vector<ChunkOutput> chunks(static_cast<std::size_t>((total + perChunk - 1) / perChunk));
    const int interval = FastFileProgressInterval(total);
    OrderedWork work;
    work.count = static_cast<int>(chunks.size());
    // Each thread keeps its reader from chunk to chunk.
    std::vector<std::unique_ptr<ChunkReader>> readers(OrderedWorkers(work.count));
    work.produce = [&job, &chunks, &readers, perChunk, total](int chunk, unsigned worker) {
        ChunkOutput& part = chunks[static_cast<std::size_t>(chunk)];
        try {
            std::unique_ptr<ChunkReader>& reader = readers[worker];
            if (!reader) {
                reader = std::make_unique<ChunkReader>(job.pgnPath);
            }
            WriteChunk(job, *reader, chunk * perChunk, std::min(total, (chunk + 1) * perChunk), part);
        } catch (const std::bad_alloc&) {
            part.stopped = true;
        }
    };
    work.consume = [&](int chunk) {
        ChunkOutput part = std::move(chunks[static_cast<std::size_t>(chunk)]);
        if (!out.moves.Append(part.moves) || (fastFile && !out.headers.Append(part.headers))) {
            return false;
        }
        outcome.fenSeen = outcome.fenSeen || part.fenSeen;
        outcome.repositions += part.repositions;
        for (int i = chunk * perChunk; i < chunk * perChunk + part.gamesWritten; ++i) {
            if (hooks.progress && (i % interval == 0 || i + 1 == total)) {
                hooks.progress(i + 1, total);
            }
            ++outcome.gamesWritten;
            if (hooks.afterGame) {
                hooks.afterGame();
            }
        }
        return !part.stopped;
    };
    RunOrderedWork(work);
    if (out.moves.Failed() || out.headers.Failed() || !FinishOutputs(job, out)) {
        AbandonOutputs(job, out);
        outcome.status = FastFileStatus::kCreateError;
        return outcome;
    }
    if (!fastFile) {
        outcome.status = FastFileStatus::kMergeComplete;
    } else if (outcome.gamesWritten != total) {
        outcome.status = FastFileStatus::kIncomplete;
    } else if (outcome.fenSeen) {
        outcome.status = FastFileStatus::kFenWarning;
    }
    return outcome;
}

}  // namespace ravelin::search
