#include "eco/eco_table.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <string>

#include "eco/eco_line.h"
#include "platform/file_util.h"
#include "platform/text_case.h"

namespace ravelin::eco {

namespace {

// The wrapped Select Opening list gives a line one more row past each of these ply counts.
constexpr int kWrapPlies[] = {18, 32, 46};

std::string PathOf(const std::string& directory, const char* name) {
    return directory + "/" + name;
}

bool ReadWhole(const std::string& path, std::vector<char>& contents) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Turns the first `lines` CR LF endings of a text buffer into NUL LF and records where each line
// starts. False when the buffer holds fewer complete lines: nothing is read past its end.
bool TerminateLines(std::vector<char>& buffer, int lines, std::vector<std::uint32_t>& offsets) {
    offsets.clear();
    offsets.reserve(static_cast<std::size_t>(lines));
    std::size_t start = 0;
    for (int line = 0; line < lines; ++line) {
        const auto begin = buffer.begin() + static_cast<std::ptrdiff_t>(start);
        const auto cr = std::find(begin, buffer.end(), '\r');
        const std::size_t end = static_cast<std::size_t>(cr - buffer.begin());
        if (cr == buffer.end() || end + 1 >= buffer.size() || buffer[end + 1] != '\n') {
            return false;
        }
        // A NUL inside the line would cut it short and shift every later line.
        if (std::find(begin, cr, '\0') != cr) {
            return false;
        }
        offsets.push_back(static_cast<std::uint32_t>(start));
        buffer[end] = '\0';
        start = end + 2;
    }
    return true;
}

bool TerminateCodes(std::vector<char>& codes, int count) {
    for (int i = 0; i < count; ++i) {
        char* record = codes.data() + static_cast<std::ptrdiff_t>(i) * kEcoCodeRecordSize;
        if (record[kEcoCodeLength] != '\r' || record[kEcoCodeLength + 1] != '\n' ||
            std::memchr(record, '\0', kEcoCodeLength) != nullptr) {
            return false;
        }
        record[kEcoCodeLength] = '\0';
    }
    return true;
}

std::uint32_t ReadLittleEndian32(const char* bytes) {
    std::uint32_t value = 0;
    for (int i = kEcoSortRecordSize - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

std::string EncodeIdentityOrder(int count) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(count) * kEcoSortRecordSize);
    for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(count); ++i) {
        for (int b = 0; b < kEcoSortRecordSize; ++b) {
            bytes.push_back(static_cast<char>((i >> (8 * b)) & 0xFF));
        }
    }
    return bytes;
}

// Reads the sort file into the order; false when it is missing and may not be rebuilt, short, or
// not a permutation of the entries.
bool LoadOrder(const std::string& directory, int count, std::vector<int>& order) {
    const std::string path = PathOf(directory, kEcoSortFile);
    std::vector<char> bytes;
    if (!ReadWhole(path, bytes)) {
        if (count != kShippedEcoEntries) {
            return false;
        }
        const std::string identity = EncodeIdentityOrder(count);
        if (!platform::WriteFileReplacing(path, identity.data(), identity.size())) {
            return false;
        }
        bytes.assign(identity.begin(), identity.end());
    }
    if (bytes.size() < static_cast<std::size_t>(count) * kEcoSortRecordSize) {
        return false;
    }
    order.clear();
    // Room for one more number, so that the editor's insertion fits without a reload.
    order.reserve(static_cast<std::size_t>(count) + 1);
    std::vector<bool> seen(static_cast<std::size_t>(count), false);
    for (int i = 0; i < count; ++i) {
        const std::uint32_t entry = ReadLittleEndian32(bytes.data() + static_cast<std::ptrdiff_t>(i) * 4);
        if (entry >= static_cast<std::uint32_t>(count) || seen[entry]) {
            return false;
        }
        seen[entry] = true;
        order.push_back(static_cast<int>(entry));
    }
    return true;
}

void SplitMoves(EcoTable& table) {
    const std::size_t n = static_cast<std::size_t>(table.count);
    table.split.assign(n, EcoEntryMoves{});
    table.exactSlots.assign(n * kMaxEcoPlies, 0);
    table.bareSlots.assign(n * kMaxEcoPlies, 0);
    for (int e = 0; e < table.count; ++e) {
        const EcoLineMoves line = SplitEcoLine(EcoMoves(table, e));
        EcoEntryMoves& entry = table.split[static_cast<std::size_t>(e)];
        entry.first = static_cast<std::uint32_t>(e) * kMaxEcoPlies;
        entry.whiteCount = static_cast<int>(line.white.size());
        entry.blackCount = static_cast<int>(line.black.size());
        for (int side = 0; side < 2; ++side) {
            const auto& sideMoves = side == 0 ? line.white : line.black;
            const std::size_t base = entry.first + static_cast<std::size_t>(side) * kMaxEcoMovesPerSide;
            const std::size_t kept = std::min<std::size_t>(sideMoves.size(), kMaxEcoMovesPerSide);
            for (std::size_t i = 0; i < kept; ++i) {
                table.exactSlots[base + i] = PackMove(sideMoves[i]);
                table.bareSlots[base + i] = PackMove(WithoutCheckSign(sideMoves[i]));
            }
        }
    }
}

void BuildOrders(EcoTable& table) {
    const int n = table.count;
    table.byName.resize(static_cast<std::size_t>(n));
    std::iota(table.byName.begin(), table.byName.end(), 0);
    std::sort(table.byName.begin(), table.byName.end(),
              [&table](int a, int b) { return EcoName(table, a) < EcoName(table, b); });
    table.byMoves.resize(static_cast<std::size_t>(n));
    std::iota(table.byMoves.begin(), table.byMoves.end(), 0);
    std::sort(table.byMoves.begin(), table.byMoves.end(), [&table](int a, int b) {
        return platform::CompareIgnoringCase(EcoMoves(table, a), EcoMoves(table, b)) < 0;
    });
    table.plies.resize(static_cast<std::size_t>(n));
    table.extraRows = 0;
    for (int e = 0; e < n; ++e) {
        const int plies = EcoLinePlies(EcoMoves(table, e));
        table.plies[static_cast<std::size_t>(e)] = plies;
        for (const int wrap : kWrapPlies) {
            table.extraRows += plies > wrap ? 1 : 0;
        }
    }
}

}  // namespace

PackedMove PackMove(std::string_view san) {
    if (san.size() > 7) {
        return kUnmatchableMove;
    }
    PackedMove packed = 0;
    std::memcpy(&packed, san.data(), san.size());
    return packed;
}

std::string_view EcoCode(const EcoTable& table, int entry) {
    return std::string_view(table.codes.data() + static_cast<std::ptrdiff_t>(entry) * kEcoCodeRecordSize,
                            kEcoCodeLength);
}

std::string_view EcoName(const EcoTable& table, int entry) {
    return table.names.data() + table.nameOffsets[static_cast<std::size_t>(entry)];
}

std::string_view EcoMoves(const EcoTable& table, int entry) {
    return table.moves.data() + table.movesOffsets[static_cast<std::size_t>(entry)];
}

std::vector<std::string> EcoTablePaths(const std::string& directory) {
    return {PathOf(directory, kEcoNamesFile), PathOf(directory, kEcoMovesFile),
            PathOf(directory, kEcoSortFile), PathOf(directory, kEcoCodesFile)};
}

void FinishEcoTableWrite(const std::string& directory) {
    platform::FinishFileSet(PathOf(directory, kEcoJournalFile), EcoTablePaths(directory));
}

bool LoadEcoTable(EcoTable& table, const std::string& directory, const EcoMessageSink& messages) {
    FinishEcoTableWrite(directory);
    EcoTable fresh;
    bool ok = ReadWhole(PathOf(directory, kEcoCodesFile), fresh.codes) &&
              ReadWhole(PathOf(directory, kEcoNamesFile), fresh.names) &&
              ReadWhole(PathOf(directory, kEcoMovesFile), fresh.moves);
    if (ok) {
        fresh.count = static_cast<int>(fresh.codes.size() / kEcoCodeRecordSize);
        ok = LoadOrder(directory, fresh.count, fresh.ecoOrder) && TerminateCodes(fresh.codes, fresh.count) &&
             TerminateLines(fresh.names, fresh.count, fresh.nameOffsets) &&
             TerminateLines(fresh.moves, fresh.count, fresh.movesOffsets);
    }
    if (!ok) {
        Report(messages, EcoMessageKind::kError, kEcoTableCorruption);
        return false;
    }
    BuildOrders(fresh);
    SplitMoves(fresh);
    fresh.loaded = true;
    table = std::move(fresh);
    return true;
}

void FreeEcoTable(EcoTable& table) {
    table = EcoTable{};
}

namespace {

bool FileSize(const std::string& path, std::uintmax_t& size) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    size = std::filesystem::file_size(path, error);
    return !error;
}

int CountNul(const char* bytes, std::size_t size) {
    return static_cast<int>(std::count(bytes, bytes + size, '\0'));
}

}  // namespace

bool CheckEcoTable(const EcoTable& table, const std::string& directory, const EcoMessageSink& messages) {
    auto fail = [&messages](const std::string& text) {
        Report(messages, EcoMessageKind::kError, text);
        return false;
    };
    std::uintmax_t size = 0;
    if (!FileSize(PathOf(directory, kEcoCodesFile), size)) {
        return fail("The ECO file is missing.");
    }
    if (size / kEcoCodeRecordSize != static_cast<std::uintmax_t>(table.count)) {
        return fail("The ECO file has " + std::to_string(size / kEcoCodeRecordSize) + " entries.");
    }
    if (!FileSize(PathOf(directory, kEcoNamesFile), size)) {
        return fail("The ECO names file is missing.");
    }
    if (size != table.names.size()) {
        return fail("The ECO names file is out of sync.");
    }
    if (!FileSize(PathOf(directory, kEcoMovesFile), size)) {
        return fail("The ECO moves file is missing.");
    }
    if (size != table.moves.size()) {
        return fail("The ECO move file is out of sync.");
    }
    if (!FileSize(PathOf(directory, kEcoSortFile), size)) {
        return fail("The ECO sort file is missing.");
    }
    if (size / kEcoSortRecordSize != static_cast<std::uintmax_t>(table.count)) {
        return fail("The ECO sort file has " + std::to_string(size / kEcoSortRecordSize) + " entries.");
    }
    const std::size_t codeBytes = std::min(table.codes.size(), static_cast<std::size_t>(table.count) * 5);
    if (CountNul(table.codes.data(), codeBytes) != table.count) {
        return fail("The ECO file is out of sync.");
    }
    if (CountNul(table.names.data(), table.names.size()) != table.count) {
        return fail("The ECO names is out of sync.");
    }
    if (CountNul(table.moves.data(), table.moves.size()) != table.count) {
        return fail("The ECO moves is out of sync.");
    }
    Report(messages, EcoMessageKind::kInformation,
           "The ECO table is OK and has " + std::to_string(table.count) + " entries.");
    return true;
}

std::string InstallEcoTable(const std::string& shippedDirectory, const std::string& workingDirectory) {
    // The codes file decides: it is written last, so a copy cut short is simply made again.
    if (platform::FileExists(PathOf(workingDirectory, kEcoCodesFile))) {
        return "";
    }
    const char* const copyOrder[] = {kEcoSortFile, kEcoNamesFile, kEcoMovesFile, kEcoCodesFile};
    std::vector<std::vector<char>> contents(std::size(copyOrder));
    // Every shipped file is read before anything is written, so a broken installation changes nothing.
    for (std::size_t i = 0; i < std::size(copyOrder); ++i) {
        if (!ReadWhole(PathOf(shippedDirectory, copyOrder[i]), contents[i])) {
            return "cannot read " + PathOf(shippedDirectory, copyOrder[i]);
        }
    }
    for (std::size_t i = 0; i < std::size(copyOrder); ++i) {
        if (!platform::WriteFileReplacing(PathOf(workingDirectory, copyOrder[i]), contents[i].data(),
                                          contents[i].size())) {
            return "cannot write " + PathOf(workingDirectory, copyOrder[i]);
        }
    }
    return "";
}

}  // namespace ravelin::eco
