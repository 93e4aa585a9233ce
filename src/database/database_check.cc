#include "database/database_check.h"

#include <cstdio>

#include "database/database_io.h"
#include "database/database_journal.h"

namespace ravelin::database {

namespace {

std::string Formatted(const char* format, int a, int b) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

DatabaseCheck Failure(std::string message) {
    DatabaseCheck check;
    check.message = std::move(message);
    return check;
}

bool CarriesKey(const GameRecord& record, std::int32_t key) {
    return record.whiteKey == key || record.blackKey == key;
}

// Every record's offsets against the walked records, every link against the games file, and the
// root table's first and last records of each key.
bool RecordsConsistent(const std::string& games, const std::vector<RecordSpan>& headers,
                       const std::vector<RecordSpan>& moves, const RootTable& root) {
    const int count = static_cast<int>(headers.size());
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(games.data());
    const auto recordAt = [&](std::int64_t offset, GameRecord& record) {
        return DecodeGameRecord(bytes + offset, record);
    };
    GameRecord record;
    GameRecord next;
    for (int i = 0; i < count; ++i) {
        const std::int64_t offset = static_cast<std::int64_t>(i) * kGameRecordSize;
        if (!recordAt(offset, record) || record.headerOffset != headers[i].offset ||
            record.headerLength != headers[i].length || record.movesOffset != moves[i].offset ||
            record.movesLength != moves[i].length) {
            return false;
        }
        for (const auto& [key, link] :
             {std::pair{record.whiteKey, record.whiteLink}, std::pair{record.blackKey, record.blackLink}}) {
            if (!LinkInRange(link, offset, count) ||
                (link != 0 && (!recordAt(link, next) || !CarriesKey(next, key)))) {
                return false;
            }
        }
    }
    for (int key = 0; key < kKeyCount; ++key) {
        const RootEntry& entry = root[key];
        if (entry.first == -1) {
            continue;
        }
        if (!recordAt(entry.first, record) || !CarriesKey(record, key) || !recordAt(entry.last, record) ||
            !CarriesKey(record, key)) {
            return false;
        }
        const std::int32_t link = record.whiteKey == key ? record.whiteLink : record.blackLink;
        if (link != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool LinkInRange(std::int32_t link, std::int64_t recordOffset, int gameCount) {
    return link == 0 ||
           (link > recordOffset && link % static_cast<std::int32_t>(kGameRecordSize) == 0 &&
            link < static_cast<std::int64_t>(gameCount) * static_cast<std::int64_t>(kGameRecordSize));
}

bool WalkHeaderRecords(std::string_view bytes, std::vector<RecordSpan>& spans) {
    spans.clear();
    std::size_t at = kHeaderCountSize;
    if (bytes.size() < at) {
        return false;
    }
    HeaderValues values;
    while (at < bytes.size()) {
        const std::size_t length = SplitHeaderRecord(bytes.substr(at), values);
        if (length == 0) {
            return false;
        }
        spans.push_back({static_cast<std::int64_t>(at), static_cast<std::int64_t>(length)});
        at += length;
    }
    return true;
}

bool WalkMovesRecords(std::string_view bytes, std::vector<RecordSpan>& spans) {
    spans.clear();
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    std::size_t at = 0;
    std::size_t start = 0;
    while (at + 2 <= bytes.size()) {
        const std::uint16_t word = ReadU16(data + at);
        if (word == 0 && at == start) {
            return at + 2 == bytes.size();
        }
        at += 2;
        if (at - start > kMaxMovesRecordBytes || word == 0) {
            return false;
        }
        if ((word & 0x8000) != 0) {
            spans.push_back({static_cast<std::int64_t>(start), static_cast<std::int64_t>(at - start)});
            start = at;
        }
    }
    return false;
}

DatabaseCheck CheckDatabase(const DatabasePaths& paths, DatabaseImage* image) {
    RecoverDatabase(paths);
    std::string header;
    if (const ReadStatus status = ReadWholeFile(paths.header, header); status != ReadStatus::kOk) {
        return Failure(ReadFailureMessage(status));
    }
    std::vector<RecordSpan> headers;
    const bool headerWalked = WalkHeaderRecords(header, headers);
    const int stored =
        header.size() >= 4 ? ReadI32(reinterpret_cast<const std::uint8_t*>(header.data())) : -1;
    if (!headerWalked || static_cast<int>(headers.size()) != stored) {
        return Failure(
            Formatted("Header file is out of sync: %d vs %d", static_cast<int>(headers.size()), stored));
    }
    const std::int64_t positionsSize = FileSizeOf(paths.positions);
    const std::int64_t movesSize = FileSizeOf(paths.moves);
    if (positionsSize < 0 || movesSize < 0) {
        return Failure(kFileOpenError);
    }
    if (positionsSize != movesSize - 2) {
        return Failure(kPositionFileOutOfSync);
    }
    std::string moves;
    if (const ReadStatus status = ReadWholeFile(paths.moves, moves); status != ReadStatus::kOk) {
        return Failure(ReadFailureMessage(status));
    }
    std::vector<RecordSpan> moveSpans;
    const bool movesWalked = WalkMovesRecords(moves, moveSpans);
    if (!movesWalked || static_cast<int>(moveSpans.size()) != stored) {
        return Failure(
            Formatted("Moves file is out of sync: %d vs %d", static_cast<int>(moveSpans.size()), stored));
    }
    std::string games;
    if (const ReadStatus status = ReadWholeFile(paths.games, games); status != ReadStatus::kOk) {
        return Failure(ReadFailureMessage(status));
    }
    const int records = static_cast<int>(games.size() / kGameRecordSize);
    if (games.size() % kGameRecordSize != 0 || records != stored) {
        return Failure(Formatted("Games file is out of sync: %d vs %d", records, stored));
    }
    std::string rootBytes;
    if (const ReadStatus status = ReadWholeFile(paths.root, rootBytes); status != ReadStatus::kOk) {
        return Failure(ReadFailureMessage(status));
    }
    RootTable root;
    if (!DecodeRootTable(rootBytes, stored, root) || !RecordsConsistent(games, headers, moveSpans, root)) {
        return Failure(kRootError);
    }
    DatabaseCheck check;
    check.ok = true;
    check.gameCount = stored;
    check.message = std::string(kDatabaseOk) + ": " + std::to_string(stored);
    if (image != nullptr) {
        image->gameCount = stored;
        image->games = std::move(games);
        image->root = std::move(root);
        image->headerSize = static_cast<std::int64_t>(header.size());
        image->movesSize = movesSize;
        image->positionsSize = positionsSize;
    }
    return check;
}

}  // namespace ravelin::database
