#include "gamefile/game_edit.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <limits>
#include <optional>
#include <vector>

#include "gamefile/line_reader.h"
#include "platform/file_util.h"

namespace ravelin::gamefile {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A PGN file opened for reading while its new contents are produced.
class SourceFile {
  public:
    explicit SourceFile(const std::string& path) : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~SourceFile() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    std::int64_t Size() const { return FileSize(fd_); }

    // Streams bytes [begin, end) of the file into the sink.
    bool CopyRange(std::uint64_t begin, std::uint64_t end, platform::FileSink& sink) const {
        return begin >= end || sink.CopyFrom(fd_, begin, end - begin);
    }

    // The last bytes before an offset (fewer at the start of the file).
    std::string BytesBefore(std::uint64_t offset, std::size_t count) const {
        const std::uint64_t from = offset > count ? offset - count : 0;
        std::string bytes(static_cast<std::size_t>(offset - from), '\0');
        ssize_t got = pread(fd_, bytes.data(), bytes.size(), static_cast<off_t>(from));
        bytes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        return bytes;
    }

  private:
    int fd_;
};

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// The game text without trailing empty lines, ended by one line end, and by an empty line too
// when another game follows it, so that it never runs into the next header.
std::string AsGameText(std::string_view text, bool anotherFollows) {
    std::size_t end = text.find_last_not_of("\r\n");
    std::string game(text.substr(0, end == std::string_view::npos ? 0 : end + 1));
    game += kLineEnd;
    if (anotherFollows) {
        game += kLineEnd;
    }
    return game;
}

// The game starts the index scan finds in a text that is put into a file at a game's start: the
// text must begin with a tag line (so its first game starts where it is put, whatever stood before),
// and a tag line right after it must start a game (so the games after it keep theirs). Nothing when
// either does not hold: the file is then scanned anew.
std::optional<std::vector<std::uint32_t>> GameStartsOf(std::string_view text) {
    if (text.empty()) {
        return std::vector<std::uint32_t>{};
    }
    if (text[0] != '[') {
        return std::nullopt;
    }
    constexpr std::string_view kNextTag = "[Event \"?\"]\r\n";
    const int fd = platform::OpenMemoryFile(std::string(text) + std::string(kNextTag));
    if (fd < 0) {
        return std::nullopt;
    }
    LineReader scanner(kScanBufferSize);
    scanner.Attach(fd);
    scanner.Seek(0);
    GameIndex scanned;
    ScanGameOffsets(scanner, scanned);
    close(fd);
    std::vector<std::uint32_t>& starts = scanned.offsets;
    if (starts.size() < 2 || starts.front() != 0 || starts.back() != text.size()) {
        return std::nullopt;
    }
    starts.pop_back();
    return starts;
}

// The index of the file after the splice, without a scan: the games before the cut keep their
// offsets, those of the insertion follow, and those from the cut's end on move by the change in size.
std::optional<GameIndex> SplicedIndex(const GameIndex& old, std::uint64_t cutBegin, std::uint64_t cutEnd,
                                      std::string_view insertion, std::uint64_t newSize) {
    const std::optional<std::vector<std::uint32_t>> inserted = GameStartsOf(insertion);
    if (!inserted || newSize > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    GameIndex index;
    for (const std::uint32_t offset : old.offsets) {
        if (offset < cutBegin) {
            index.offsets.push_back(offset);
        }
    }
    for (const std::uint32_t start : *inserted) {
        index.offsets.push_back(static_cast<std::uint32_t>(cutBegin + start));
    }
    for (const std::uint32_t offset : old.offsets) {
        if (offset >= cutEnd) {
            index.offsets.push_back(
                static_cast<std::uint32_t>(offset - cutEnd + cutBegin + insertion.size()));
        }
    }
    if (index.Count() > kMaxGames) {
        return std::nullopt;
    }
    return index;
}

// Writes the file anew with the bytes [cutBegin, cutEnd) replaced by the insertion, and its index
// cache with the games' new offsets when they can be known without a scan.
const char* Splice(const std::string& path, const GameIndex& index, std::uint64_t cutBegin,
                   std::uint64_t cutEnd, std::string_view insertion, const char* failure) {
    SourceFile source(path);
    const std::int64_t size = source.Size();
    if (!source.IsOpen() || size < 0 || cutBegin > cutEnd || cutEnd > static_cast<std::uint64_t>(size)) {
        return failure;
    }
    // The old cache goes first: should the program stop after the rename, none describes the new file.
    DeleteStaleCompanions(path);
    const bool written = platform::WriteFileReplacing(path, [&](platform::FileSink& sink) {
        return source.CopyRange(0, cutBegin, sink) && sink.Write(insertion.data(), insertion.size()) &&
               source.CopyRange(cutEnd, static_cast<std::uint64_t>(size), sink);
    });
    if (!written) {
        return failure;
    }
    const std::uint64_t newSize = static_cast<std::uint64_t>(size) - (cutEnd - cutBegin) + insertion.size();
    if (const std::optional<GameIndex> spliced = SplicedIndex(index, cutBegin, cutEnd, insertion, newSize)) {
        WriteIndexCache(path, static_cast<std::int64_t>(newSize), *spliced);
    }
    return nullptr;
}

bool ValidGame(const GameIndex& index, int game) {
    return game >= 1 && game <= index.Count();
}

void RemoveIfCompanion(const std::string& pgnPath, const std::string& companion) {
    if (!companion.empty() && companion != pgnPath) {
        std::remove(companion.c_str());
    }
}

}  // namespace

GameSpan SpanOfGame(const GameIndex& index, int game, std::uint64_t fileSize) {
    GameSpan span;
    span.begin = index.Offset(game);
    span.end = game < index.Count() ? index.Offset(game + 1) : fileSize;
    return span;
}

const char* DeleteGameFromFile(const std::string& path, const GameIndex& index, int game) {
    SourceFile source(path);
    const std::int64_t size = source.Size();
    if (!source.IsOpen() || size < 0 || !ValidGame(index, game)) {
        return kErrorSavingGame;
    }
    GameSpan span = SpanOfGame(index, game, static_cast<std::uint64_t>(size));
    if (game == index.Count() && span.begin > 0) {
        // The empty line that separates the last game from the one before goes with it, when it
        // is really there.
        const std::string before = source.BytesBefore(span.begin, 4);
        if (EndsWith(before, "\n\r\n")) {
            span.begin -= 2;
        } else if (EndsWith(before, "\n\n")) {
            span.begin -= 1;
        }
    }
    return Splice(path, index, span.begin, span.end, {}, kErrorSavingGame);
}

const char* ReplaceGameInFile(const std::string& path, const GameIndex& index, int game,
                              std::string_view text) {
    SourceFile source(path);
    const std::int64_t size = source.Size();
    if (!source.IsOpen() || size < 0 || !ValidGame(index, game)) {
        return kErrorSavingGame;
    }
    const GameSpan span = SpanOfGame(index, game, static_cast<std::uint64_t>(size));
    const char* failure =
        Splice(path, index, span.begin, span.end, AsGameText(text, game < index.Count()), kErrorSavingGame);
    if (failure == nullptr) {
        // The fast file is judged current by its game count, which a replace keeps: left in place it
        // would still be read and describe the old game.
        DeleteFastFileCompanions(path);
    }
    return failure;
}

GameBytesRead ReadGameBytes(const std::string& path, const GameIndex& index, int game, std::size_t maxBytes,
                            std::string& bytes) {
    SourceFile source(path);
    const std::int64_t size = source.Size();
    if (!source.IsOpen() || size < 0 || !ValidGame(index, game)) {
        return GameBytesRead::kFailed;
    }
    const GameSpan span = SpanOfGame(index, game, static_cast<std::uint64_t>(size));
    if (span.begin > span.end) {
        return GameBytesRead::kFailed;
    }
    if (span.end - span.begin > maxBytes) {
        return GameBytesRead::kTooLong;
    }
    bytes = source.BytesBefore(span.end, static_cast<std::size_t>(span.end - span.begin));
    return bytes.size() == span.end - span.begin ? GameBytesRead::kRead : GameBytesRead::kFailed;
}

const char* ReplaceGameBytesIfUnchanged(const std::string& path, const GameIndex& index, int game,
                                        std::string_view expected, std::string_view text) {
    SourceFile source(path);
    const std::int64_t size = source.Size();
    if (!source.IsOpen() || size < 0 || !ValidGame(index, game)) {
        return kErrorSavingGame;
    }
    const GameSpan span = SpanOfGame(index, game, static_cast<std::uint64_t>(size));
    if (span.begin > span.end || span.end - span.begin != expected.size() ||
        source.BytesBefore(span.end, expected.size()) != expected) {
        return kGameChangedOnDisk;
    }
    const char* failure = Splice(path, index, span.begin, span.end, text, kErrorSavingGame);
    if (failure == nullptr) {
        // As for a replace: the game count stays, so a fast file left in place would look current.
        DeleteFastFileCompanions(path);
    }
    return failure;
}

const char* InsertGamesIntoFile(const std::string& path, const GameIndex& index, int game,
                                const std::vector<std::string>& games) {
    if (index.Count() == 0) {
        GameIndex grown = index;
        return AppendGamesToFile(path, grown, games);
    }
    if (games.empty() || !ValidGame(index, game)) {
        return kErrorInsertingGame;
    }
    if (index.Count() + static_cast<int>(games.size()) > kMaxGames) {
        return kFileIsFull;
    }
    std::string texts;
    for (const std::string& text : games) {
        texts += AsGameText(text, true);
    }
    const std::uint64_t at = index.Offset(game);
    return Splice(path, index, at, at, texts, kErrorInsertingGame);
}

const char* AppendGamesToFile(const std::string& path, GameIndex& index,
                              const std::vector<std::string>& games) {
    if (games.empty()) {
        return kErrorInsertingGame;
    }
    if (index.Count() + static_cast<int>(games.size()) > kMaxGames) {
        return kFileIsFull;
    }
    std::string separator;
    {
        SourceFile source(path);
        const std::int64_t size = source.Size();
        if (!source.IsOpen() || size < 0) {
            return kErrorInsertingGame;
        }
        const std::string tail = source.BytesBefore(static_cast<std::uint64_t>(size), 3);
        if (tail.empty() || EndsWith(tail, "\n\n") || EndsWith(tail, "\n\r\n")) {
            separator = "";  // an empty file, or the empty line is already there
        } else if (EndsWith(tail, "\n")) {
            separator = kLineEnd;
        } else {
            separator = "\r\n\r\n";  // the last line has no line end of its own
        }
    }
    std::string texts = separator;
    for (std::size_t i = 0; i < games.size(); ++i) {
        texts += AsGameText(games[i], i + 1 < games.size());
    }
    std::int64_t oldSize = 0;
    if (!platform::AppendToFile(
            path, [&](platform::FileSink& sink) { return sink.Write(texts); }, oldSize)) {
        return kErrorInsertingGame;
    }
    DeleteStaleCompanions(path);
    // One text may hold several games (a paste): the new offsets are those a scan of the appended
    // games finds; when a scan could find others, no cache is written and the file is scanned.
    const std::uint64_t newSize = static_cast<std::uint64_t>(oldSize) + texts.size();
    const std::optional<std::vector<std::uint32_t>> starts =
        GameStartsOf(std::string_view(texts).substr(separator.size()));
    if (starts && newSize <= std::numeric_limits<std::uint32_t>::max() &&
        index.Count() + static_cast<int>(starts->size()) <= kMaxGames) {
        for (const std::uint32_t start : *starts) {
            index.offsets.push_back(
                static_cast<std::uint32_t>(static_cast<std::uint64_t>(oldSize) + separator.size() + start));
        }
        WriteIndexCache(path, static_cast<std::int64_t>(newSize), index);
    }
    return nullptr;
}

const char* OverwriteLastGame(const std::string& path, const GameIndex& index, std::string_view text) {
    if (index.Count() == 0) {
        GameIndex grown = index;
        return AppendGamesToFile(path, grown, {std::string(text)});
    }
    return ReplaceGameInFile(path, index, index.Count(), text);
}

const char* WriteNewGameFile(const std::string& path, std::string_view text) {
    const std::string game = AsGameText(text, false);
    if (!platform::WriteFileReplacing(path, game.data(), game.size())) {
        return kErrorCreatingFile;
    }
    DeleteStaleCompanions(path);
    return nullptr;
}

void DeleteStaleCompanions(const std::string& path) {
    for (const char* suffix : {"PGO", "TRE", "TRX"}) {
        RemoveIfCompanion(path, CompanionPath(path, suffix));
    }
    // The game list and score caches replace only the last character.
    if (!path.empty()) {
        for (char last : {'s', 'q', 'x'}) {
            std::string cache = path;
            cache.back() = last;
            RemoveIfCompanion(path, cache);
        }
    }
}

void DeleteFastFileCompanions(const std::string& path) {
    for (const char* suffix : {"TRF", "TRH", "TRP", "TRQ"}) {
        RemoveIfCompanion(path, CompanionPath(path, suffix));
    }
}

}  // namespace ravelin::gamefile
