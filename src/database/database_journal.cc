#include "database/database_journal.h"

#include <unistd.h>

#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "database/database_io.h"
#include "platform/file_util.h"

namespace ravelin::database {

namespace {

constexpr char kUndoMagic[4] = {'R', 'D', 'B', 'U'};
constexpr std::size_t kSizesCount = 4;  // positions, moves, header, games
// Magic, game count, four 64-bit sizes, number of patched links.
constexpr std::size_t kUndoHeadSize = 4 + 4 + kSizesCount * 8 + 4;
constexpr std::size_t kLinkItemSize = 4 + 8;  // record number, the old links
constexpr std::size_t kLinksOffset = 8;       // the links' place inside a game record

void PutI32(std::string& out, std::int32_t value) {
    std::uint8_t bytes[4];
    WriteI32(bytes, value);
    out.append(reinterpret_cast<const char*>(bytes), 4);
}

void PutI64(std::string& out, std::int64_t value) {
    PutI32(out, static_cast<std::int32_t>(static_cast<std::uint64_t>(value) & 0xffffffffU));
    PutI32(out, static_cast<std::int32_t>(static_cast<std::uint64_t>(value) >> 32));
}

std::int32_t GetI32(std::string_view bytes, std::size_t at) {
    return ReadI32(reinterpret_cast<const std::uint8_t*>(bytes.data() + at));
}

std::int64_t GetI64(std::string_view bytes, std::size_t at) {
    const auto low = static_cast<std::uint32_t>(GetI32(bytes, at));
    const auto high = static_cast<std::uint32_t>(GetI32(bytes, at + 4));
    return static_cast<std::int64_t>((std::uint64_t{high} << 32) | low);
}

std::string CountBytes(std::int32_t count) {
    std::string bytes;
    PutI32(bytes, count);
    return bytes;
}

std::vector<std::string> SetFiles(const DatabasePaths& paths) {
    return {paths.header, paths.moves, paths.positions, paths.games, paths.root};
}

}  // namespace

bool WriteUndoJournal(const DatabasePaths& paths, const DatabaseImage& old,
                      const std::vector<bool>& changed) {
    std::string journal(kUndoMagic, sizeof kUndoMagic);
    PutI32(journal, old.gameCount);
    for (const std::int64_t size :
         {old.positionsSize, old.movesSize, old.headerSize, static_cast<std::int64_t>(old.games.size())}) {
        PutI64(journal, size);
    }
    std::string links;
    std::int32_t linkCount = 0;
    for (std::size_t i = 0; i < changed.size(); ++i) {
        if (changed[i]) {
            PutI32(links, static_cast<std::int32_t>(i));
            links.append(old.games, i * kGameRecordSize + kLinksOffset, 8);
            ++linkCount;
        }
    }
    PutI32(journal, linkCount);
    journal += links;
    journal += EncodeRootTable(old.root);
    return platform::WriteFileReplacing(paths.undoJournal, journal.data(), journal.size());
}

void RemoveUndoJournal(const DatabasePaths& paths) {
    ::unlink(paths.undoJournal.c_str());
    platform::SyncDirectoryOf(paths.undoJournal);
}

bool UndoInterruptedAdd(const DatabasePaths& paths) {
    std::string journal;
    if (ReadWholeFile(paths.undoJournal, journal) != ReadStatus::kOk) {
        return false;
    }
    // The journal is renamed into place whole, so a short or foreign one is not ours to follow.
    if (journal.size() < kUndoHeadSize || std::memcmp(journal.data(), kUndoMagic, sizeof kUndoMagic) != 0) {
        return false;
    }
    const std::int32_t gameCount = GetI32(journal, 4);
    const std::int64_t positionsSize = GetI64(journal, 8);
    const std::int64_t movesSize = GetI64(journal, 16);
    const std::int64_t headerSize = GetI64(journal, 24);
    const std::int64_t gamesSize = GetI64(journal, 32);
    const std::int32_t linkCount = GetI32(journal, 40);
    constexpr auto kEndWord = static_cast<std::int64_t>(kMovesEndWordSize);
    if (linkCount < 0 || movesSize < kEndWord ||
        journal.size() < kUndoHeadSize + static_cast<std::size_t>(linkCount) * kLinkItemSize) {
        return false;
    }
    const std::size_t rootAt = kUndoHeadSize + static_cast<std::size_t>(linkCount) * kLinkItemSize;
    // An add only makes the files longer: a journal that would grow one is not followed.
    for (const auto& [path, size] :
         {std::pair{&paths.positions, positionsSize}, std::pair{&paths.moves, movesSize},
          std::pair{&paths.header, headerSize}, std::pair{&paths.games, gamesSize}}) {
        if (size < 0 || size > FileSizeOf(*path)) {
            return false;
        }
    }
    bool ok = TruncateTo(paths.positions, positionsSize) && TruncateTo(paths.moves, movesSize) &&
              WriteAt(paths.moves, movesSize - kEndWord, std::string(kMovesEndWordSize, '\0')) &&
              TruncateTo(paths.header, headerSize) && WriteAt(paths.header, 0, CountBytes(gameCount)) &&
              TruncateTo(paths.games, gamesSize);
    for (std::size_t at = kUndoHeadSize; ok && at < rootAt; at += kLinkItemSize) {
        const std::int64_t record = GetI32(journal, at);
        ok = WriteAt(paths.games, record * kGameRecordSize + static_cast<std::int64_t>(kLinksOffset),
                     std::string_view(journal).substr(at + 4, 8));
    }
    for (const std::string* path : {&paths.positions, &paths.moves, &paths.header, &paths.games}) {
        ok = ok && SyncFile(*path);
    }
    const std::string_view root = std::string_view(journal).substr(rootAt);
    ok = ok && platform::WriteFileReplacing(paths.root, root.data(), root.size());
    if (ok) {
        RemoveUndoJournal(paths);
    }
    return ok;
}

void RecoverDatabase(const DatabasePaths& paths) {
    platform::FinishFileSet(paths.setJournal, SetFiles(paths));
    if (platform::FileExists(paths.undoJournal)) {
        UndoInterruptedAdd(paths);
    }
}

}  // namespace ravelin::database
