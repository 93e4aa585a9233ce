#include "database/database_search.h"

#include <algorithm>

#include "database/database_check.h"
#include "database/database_io.h"
#include "database/key_name.h"
#include "database/position_signature.h"
#include "platform/file_util.h"
#include "search/relation_criterion.h"

namespace ravelin::database {

namespace {

enum class PlayerMode { kNone, kWhite, kBlack, kWhiteAndBlack, kOneEither, kTwoEither };

constexpr int kFirstSortYear = 1800;
constexpr int kLastSortYear = 2099;

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c | 0x20) : c;
}

bool PrefixIgnoringCase(std::string_view value, std::string_view prefix) {
    if (value.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (Lower(value[i]) != Lower(prefix[i])) {
            return false;
        }
    }
    return true;
}

// The criteria prepared once per search.
struct Prepared {
    PlayerMode mode = PlayerMode::kNone;
    PlayerCriterion first;
    PlayerCriterion second;
    std::optional<search::RelationCriterion> year;
    std::optional<search::RelationCriterion> moves;
    std::string eco;
    std::optional<std::uint16_t> result;
    std::string site;
    std::string event;
    std::optional<search::FastBoard> position;
    PositionTarget target;
    std::uint16_t signature = 0;
};

std::string WithExactMark(std::string name, bool exact) {
    if (exact && !name.empty() && name.back() != '#' && name.back() != '?') {
        name += '#';
    }
    return name;
}

Prepared Prepare(const DatabaseCriteria& criteria) {
    Prepared p;
    std::string black = criteria.black;
    bool blackEither = false;
    if (!black.empty() && black[0] == '*') {
        blackEither = true;
        black.erase(0, 1);
    }
    const PlayerCriterion white(WithExactMark(criteria.white, criteria.exactMatch));
    const PlayerCriterion blackName(WithExactMark(black, criteria.exactMatch));
    if (white.Given() && blackName.Given()) {
        p.mode = blackEither ? PlayerMode::kTwoEither : PlayerMode::kWhiteAndBlack;
        p.first = white;
        p.second = blackName;
    } else if (white.Given()) {
        p.mode = criteria.eitherColor ? PlayerMode::kOneEither : PlayerMode::kWhite;
        p.first = white;
    } else if (blackName.Given()) {
        p.mode = blackEither ? PlayerMode::kOneEither : PlayerMode::kBlack;
        p.first = blackName;
    }
    if (!criteria.year.empty()) {
        p.year = search::ParseRelationCriterion(criteria.year);
    }
    if (!criteria.moves.empty()) {
        p.moves = search::ParseRelationCriterion(criteria.moves);
    }
    p.eco = criteria.eco.substr(0, 3);
    if (!criteria.result.empty()) {
        p.result = ResultBitsOf(criteria.result);
    }
    p.site = criteria.site;
    p.event = criteria.event;
    p.position = criteria.position;
    if (p.position) {
        p.signature = PositionSignature(*p.position);
        p.target = MakePositionTarget(*p.position);
    }
    return p;
}

bool EcoPasses(std::uint16_t resultEco, std::string_view eco) {
    const int letter = (resultEco >> 8) & 0xF;
    if (letter == 0) {
        return false;
    }
    const int wanted[] = {letter, (resultEco >> 4) & 0xF, resultEco & 0xF};
    for (std::size_t i = 0; i < eco.size(); ++i) {
        const int given = i == 0 ? (eco[0] | 0x20) - 'a' + 1 : eco[i] - '0';
        if (given != wanted[i]) {
            return false;
        }
    }
    return true;
}

// The fields of a game record the record criteria read, without its key names.
struct RecordFields {
    std::int32_t movesOffset = 0;
    std::uint16_t movesLength = 0;
    std::uint16_t year = 0;
    std::uint16_t resultEco = 0;
};

RecordFields FieldsOf(const std::uint8_t* record) {
    return {ReadI32(record + 20), ReadU16(record + 26), ReadU16(record + 28), ReadU16(record + 30)};
}

bool PositionPasses(const Database& database, const RecordFields& fields, const Prepared& p) {
    const std::size_t length = fields.movesLength;
    const std::uint8_t* words = database.PositionsAt(fields.movesOffset, length);
    if (words == nullptr) {
        return false;
    }
    const int count = static_cast<int>(length / 2) - 1;
    // The signatures are sorted: the first one not below the wanted one decides.
    int low = 1;
    int high = count + 1;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (ReadU16(words + 2 * middle) < p.signature) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    if (low > count || ReadU16(words + 2 * low) != p.signature) {
        return false;
    }
    const std::uint8_t* moves = database.MovesAt(fields.movesOffset, length);
    return moves != nullptr && MovesReachBoard(moves, count, p.target);
}

// The criteria a game record can answer alone.
bool RecordPasses(const Database& database, const RecordFields& record, const Prepared& p) {
    if (p.year && (record.year == 0 || !p.year->Satisfies(record.year))) {
        return false;
    }
    if (!p.eco.empty() && !EcoPasses(record.resultEco, p.eco)) {
        return false;
    }
    if (p.result && (record.resultEco & 0x3000) != *p.result) {
        return false;
    }
    if (p.moves && !p.moves->Satisfies(record.movesLength / 4)) {
        return false;
    }
    return !p.position || PositionPasses(database, record, p);
}

// Whether the record passes the names of the mode; the key is the chain being walked.
bool NamesPass(const GameRecord& record, std::int32_t key, const Prepared& p) {
    switch (p.mode) {
        case PlayerMode::kWhite:
            return record.whiteKey == key && p.first.Passes(record.whiteName);
        case PlayerMode::kBlack:
            return record.blackKey == key && p.first.Passes(record.blackName);
        case PlayerMode::kWhiteAndBlack:
            return record.whiteKey == key && p.first.Passes(record.whiteName) &&
                   p.second.Passes(record.blackName);
        case PlayerMode::kOneEither:
            return (record.whiteKey == key && p.first.Passes(record.whiteName)) ||
                   (record.blackKey == key && p.first.Passes(record.blackName));
        case PlayerMode::kTwoEither:
            return (p.first.Passes(record.whiteName) && p.second.Passes(record.blackName)) ||
                   (record.blackKey == key && p.first.Passes(record.blackName) &&
                    p.second.Passes(record.whiteName));
        case PlayerMode::kNone:
            break;
    }
    return false;
}

// Walks the chains of the first name's keys, marking the games that pass.
const char* PlayerSearch(const Database& database, const Prepared& p, std::vector<char>& marked) {
    const int count = database.GameCount();
    GameRecord record;
    for (int key = p.first.FirstKey(); key < p.first.FirstKey() + p.first.KeyCount() && key < kKeyCount;
         ++key) {
        std::int64_t offset = database.Root()[key].first;
        // Links only lead forward, so a chain holds at most every game once.
        for (int steps = 0; offset != -1; ++steps) {
            const int index = static_cast<int>(offset / static_cast<std::int64_t>(kGameRecordSize));
            if (steps > count || !database.Record(index, record) ||
                (record.whiteKey != key && record.blackKey != key)) {
                return kRootError;
            }
            if (!marked[index] && NamesPass(record, key, p) &&
                RecordPasses(database, FieldsOf(database.RecordBytes(index)), p)) {
                marked[index] = 1;
            }
            const std::int32_t link = record.whiteKey == key ? record.whiteLink : record.blackLink;
            if (!LinkInRange(link, offset, count)) {
                return kRootError;
            }
            offset = link == 0 ? -1 : link;
        }
    }
    return nullptr;
}

bool FullNamesPass(const HeaderValues& values, const Prepared& p) {
    const std::string_view white = values[kWhite];
    const std::string_view black = values[kBlack];
    switch (p.mode) {
        case PlayerMode::kWhite:
            return p.first.FullNamePasses(white);
        case PlayerMode::kBlack:
            return p.first.FullNamePasses(black);
        case PlayerMode::kWhiteAndBlack:
            return p.first.FullNamePasses(white) && p.second.FullNamePasses(black);
        case PlayerMode::kOneEither:
            return p.first.FullNamePasses(white) || p.first.FullNamePasses(black);
        case PlayerMode::kTwoEither:
            return (p.first.FullNamePasses(white) && p.second.FullNamePasses(black)) ||
                   (p.first.FullNamePasses(black) && p.second.FullNamePasses(white));
        case PlayerMode::kNone:
            break;
    }
    return true;
}

bool HeaderPasses(const HeaderValues& values, const Prepared& p) {
    if (!FullNamesPass(values, p)) {
        return false;
    }
    if (!p.site.empty() && !PrefixIgnoringCase(values[kSite], p.site)) {
        return false;
    }
    if (!p.event.empty()) {
        if (p.event.back() == '#') {
            return values[kEvent] == std::string_view(p.event).substr(0, p.event.size() - 1);
        }
        return PrefixIgnoringCase(values[kEvent], p.event);
    }
    return true;
}

bool NeedsHeader(const Prepared& p) {
    return !p.site.empty() || !p.event.empty() || p.first.NeedsFullName() || p.second.NeedsFullName();
}

int SortYear(int year) {
    return std::clamp(year, kFirstSortYear, kLastSortYear);
}

}  // namespace

DatabaseSearchOutcome SearchDatabase(const Database& database, const DatabaseCriteria& criteria) {
    DatabaseSearchOutcome outcome;
    const Prepared p = Prepare(criteria);
    const bool recordCriteria = p.year || p.moves || !p.eco.empty() || p.result || p.position;
    if (p.mode == PlayerMode::kNone && !recordCriteria) {
        outcome.failure = (p.site.empty() && p.event.empty()) ? kNothingToSearch : kNeedMoreCriteria;
        return outcome;
    }
    const int count = database.GameCount();
    std::vector<char> marked(static_cast<std::size_t>(count), 0);
    if (p.mode != PlayerMode::kNone) {
        if (const char* failure = PlayerSearch(database, p, marked)) {
            outcome.failure = failure;
            return outcome;
        }
    } else {
        for (int index = 0; index < count; ++index) {
            marked[index] = RecordPasses(database, FieldsOf(database.RecordBytes(index)), p) ? 1 : 0;
        }
    }
    std::string header;
    HeaderValues values;
    GameRecord record;
    for (int index = 0; index < count; ++index) {
        if (!marked[index]) {
            continue;
        }
        if (NeedsHeader(p) && !(database.Record(index, record) && database.Header(record, header, values) &&
                                HeaderPasses(values, p))) {
            continue;
        }
        outcome.games.push_back(index);
    }
    if (criteria.sortByYear) {
        const auto yearOf = [&database](int index) {
            return SortYear(ReadU16(database.RecordBytes(index) + 28));
        };
        std::stable_sort(outcome.games.begin(), outcome.games.end(), [&](int a, int b) {
            return criteria.descending ? yearOf(a) > yearOf(b) : yearOf(a) < yearOf(b);
        });
    }
    return outcome;
}

bool WriteResultFile(const std::string& path, const std::vector<int>& games) {
    std::string bytes(games.size() * 4, '\0');
    for (std::size_t i = 0; i < games.size(); ++i) {
        WriteI32(reinterpret_cast<std::uint8_t*>(bytes.data()) + 4 * i, games[i]);
    }
    return platform::WriteFileReplacing(path, bytes.data(), bytes.size(), platform::Durability::kCache);
}

std::optional<search::FastBoard> FastBoardOfFen(std::string_view fen) {
    search::FastBoard board{};
    int rank = 8;
    int file = 1;
    for (const char c : fen.substr(0, fen.find(' '))) {
        if (c == '/') {
            if (file != 9 || rank == 1) {
                return std::nullopt;
            }
            --rank;
            file = 1;
        } else if (c >= '1' && c <= '8') {
            file += c - '0';
        } else {
            static constexpr std::string_view kLetters = "PNBRQK";
            const std::size_t kind = kLetters.find(static_cast<char>(c & ~0x20));
            if (kind == std::string_view::npos || file > 8) {
                return std::nullopt;
            }
            const int code = static_cast<int>(kind) + 1 + ((c & 0x20) != 0 ? 10 : 0);
            board[search::FastSquare(file, rank)] = static_cast<std::uint8_t>(code);
            ++file;
        }
        if (file > 9) {
            return std::nullopt;
        }
    }
    if (rank != 1 || file != 9) {
        return std::nullopt;
    }
    return board;
}

}  // namespace ravelin::database
