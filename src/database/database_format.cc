#include "database/database_format.h"

#include <cstring>

namespace ravelin::database {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void EncodeKeyName(const std::string& name, std::uint8_t* field) {
    std::memset(field, 0, kKeyNameField);
    const std::size_t length = name.size() < kMaxKeyNameLetters ? name.size() : kMaxKeyNameLetters;
    field[0] = static_cast<std::uint8_t>(length);
    std::memcpy(field + 1, name.data(), length);
}

bool DecodeKeyName(const std::uint8_t* field, std::string& name) {
    const std::size_t length = field[0];
    if (length > kMaxKeyNameLetters) {
        return false;
    }
    name.assign(reinterpret_cast<const char*>(field + 1), length);
    for (const char c : name) {
        if (c < 'a' || c > 'z') {
            return false;
        }
    }
    return true;
}

}  // namespace

bool HasDatabaseExtension(std::string_view path) {
    if (path.size() < 5) {
        return false;
    }
    const std::string_view tail = path.substr(path.size() - 4);
    return tail[0] == '.' && (tail[1] | 0x20) == 'd' && (tail[2] | 0x20) == 'b' && (tail[3] | 0x20) == 'g';
}

DatabasePaths PathsOf(const std::string& gamesPath) {
    const std::string base = gamesPath.size() >= 3 ? gamesPath.substr(0, gamesPath.size() - 3) : gamesPath;
    DatabasePaths paths;
    paths.games = gamesPath;
    paths.header = base + "DBH";
    paths.moves = base + "DBM";
    paths.positions = base + "DBP";
    paths.root = base + "DBR";
    paths.results = base + "DBS";
    paths.tree = base + "DTE";
    paths.exactTree = base + "DTX";
    paths.treeLine = base + "DTT";
    paths.setJournal = base + "DBJ";
    paths.undoJournal = base + "DBU";
    return paths;
}

void EncodeGameRecord(const GameRecord& record, std::uint8_t* out) {
    WriteI32(out + 0, record.whiteKey);
    WriteI32(out + 4, record.blackKey);
    WriteI32(out + 8, record.whiteLink);
    WriteI32(out + 12, record.blackLink);
    WriteI32(out + 16, record.headerOffset);
    WriteI32(out + 20, record.movesOffset);
    WriteU16(out + 24, record.headerLength);
    WriteU16(out + 26, record.movesLength);
    WriteU16(out + 28, record.year);
    WriteU16(out + 30, record.resultEco);
    EncodeKeyName(record.whiteName, out + 32);
    EncodeKeyName(record.blackName, out + 48);
}

bool DecodeGameRecord(const std::uint8_t* in, GameRecord& record) {
    record.whiteKey = ReadI32(in + 0);
    record.blackKey = ReadI32(in + 4);
    record.whiteLink = ReadI32(in + 8);
    record.blackLink = ReadI32(in + 12);
    record.headerOffset = ReadI32(in + 16);
    record.movesOffset = ReadI32(in + 20);
    record.headerLength = ReadU16(in + 24);
    record.movesLength = ReadU16(in + 26);
    record.year = ReadU16(in + 28);
    record.resultEco = ReadU16(in + 30);
    return record.whiteKey >= 0 && record.whiteKey < kKeyCount && record.blackKey >= 0 &&
           record.blackKey < kKeyCount && DecodeKeyName(in + 32, record.whiteName) &&
           DecodeKeyName(in + 48, record.blackName);
}

std::uint16_t ResultBitsOf(std::string_view result) {
    std::uint16_t code = 0;
    if (result.size() >= 2 && result[1] == '-') {
        code = result[0] == '1' ? kResultWhiteWins : kResultBlackWins;
    } else if (result.size() >= 2 && result[1] == '/') {
        code = kResultDraw;
    }
    return static_cast<std::uint16_t>(code << kResultShift);
}

std::uint16_t EcoBitsOf(std::string_view eco) {
    if (eco.size() < 3 || eco[0] < 'A' || eco[0] > 'E' || !IsDigit(eco[1]) || !IsDigit(eco[2])) {
        return 0;
    }
    return static_cast<std::uint16_t>(((eco[0] - 'A' + 1) << 8) | ((eco[1] - '0') << 4) | (eco[2] - '0'));
}

std::uint16_t YearOf(std::string_view date) {
    if (date.size() < 4) {
        return 0;
    }
    int year = 0;
    for (int i = 0; i < 4; ++i) {
        if (!IsDigit(date[i])) {
            return 0;
        }
        year = year * 10 + (date[i] - '0');
    }
    return static_cast<std::uint16_t>(year);
}

RootTable EmptyRootTable() {
    return RootTable(kKeyCount);
}

std::string EncodeRootTable(const RootTable& root) {
    std::string bytes(root.size() * kRootEntrySize, '\0');
    auto* out = reinterpret_cast<std::uint8_t*>(bytes.data());
    for (const RootEntry& entry : root) {
        WriteI32(out, entry.first);
        WriteI32(out + 4, entry.last);
        out += kRootEntrySize;
    }
    return bytes;
}

bool DecodeRootTable(std::string_view bytes, int gameCount, RootTable& root) {
    if (bytes.size() != static_cast<std::size_t>(kKeyCount) * kRootEntrySize) {
        return false;
    }
    const std::int64_t limit =
        static_cast<std::int64_t>(gameCount) * static_cast<std::int64_t>(kGameRecordSize);
    const auto valid = [limit](std::int32_t offset) {
        return offset >= 0 && offset < limit && offset % static_cast<std::int32_t>(kGameRecordSize) == 0;
    };
    root.assign(kKeyCount, RootEntry{});
    const auto* in = reinterpret_cast<const std::uint8_t*>(bytes.data());
    for (RootEntry& entry : root) {
        entry.first = ReadI32(in);
        entry.last = ReadI32(in + 4);
        in += kRootEntrySize;
        const bool empty = entry.first == -1 && entry.last == -1;
        if (!empty && !(valid(entry.first) && valid(entry.last) && entry.first <= entry.last)) {
            return false;
        }
    }
    return true;
}

std::size_t SplitHeaderRecord(std::string_view bytes, HeaderValues& values) {
    std::size_t at = 0;
    for (std::string_view& value : values) {
        if (at >= bytes.size()) {
            return 0;
        }
        const std::size_t length = static_cast<unsigned char>(bytes[at]);
        if (bytes.size() - at - 1 < length) {
            return 0;
        }
        value = bytes.substr(at + 1, length);
        at += 1 + length;
    }
    return at;
}

}  // namespace ravelin::database
