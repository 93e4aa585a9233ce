#include "search/position_index.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <list>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include "gamefile/game_index.h"
#include "platform/file_util.h"
#include "search/fast_file_output.h"
#include "search/fast_file_reader.h"
#include "search/file_stamp.h"
#include "search/ordered_work.h"
#include "search/position_search.h"
#include "search/variation_match.h"

namespace ravelin::search {
namespace {

constexpr std::uint16_t kNeverLeft = 0xffff;
constexpr int kPlyBits = 9;
constexpr std::uint16_t kPlyMask = (1 << kPlyBits) - 1;
constexpr int kSlotShift = kPlyBits;
constexpr std::uint16_t kSlotMask = 0xf;
constexpr std::uint16_t kOneMore = 1 << 13;

constexpr int kWhitePawnRank = 2;
constexpr int kBlackPawnRank = 7;

// 0..11 for the piece codes 1-6 and 11-16, -1 for the rest.
constexpr int SlotOf(int code) {
    if (code >= chess::kPawn && code <= chess::kKing) {
        return code - chess::kPawn;
    }
    if (code >= chess::kPawn + chess::kBlackOffset && code <= chess::kKing + chess::kBlackOffset) {
        return code - chess::kPawn - chess::kBlackOffset + chess::kKing;
    }
    return -1;
}

constexpr int CodeOfSlot(int slot) {
    return slot < chess::kKing ? slot + chess::kPawn
                               : slot - chess::kKing + chess::kPawn + chess::kBlackOffset;
}

// The pawn of home index h (0-7 white a2..h2, 8-15 black a7..h7).
constexpr std::uint8_t HomePawn(int home) {
    return home < 8 ? chess::kPawn : chess::kPawn + chess::kBlackOffset;
}
// The home index of a square, -1 when no pawn starts there.
constexpr int HomeOfSquare(int square) {
    const int rank = square % 8 + 1;
    const int file = square / 8 + 1;
    if (rank == kWhitePawnRank) {
        return file - 1;
    }
    return rank == kBlackPawnRank ? 8 + file - 1 : -1;
}

std::uint64_t Word(const std::uint8_t* bytes) {
    std::uint64_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// A hash of the first and last bytes of the move file: with its size and time it tells the file an
// index was made from.
std::uint64_t SampleOf(const std::uint8_t* bytes, std::size_t size) {
    constexpr std::size_t kSampleBytes = 4096;
    std::uint64_t hash = 0xcbf29ce484222325u;
    const auto mix = [&hash](const std::uint8_t* from, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            hash = (hash ^ from[i]) * 0x100000001b3u;
        }
    };
    const std::size_t head = std::min(size, kSampleBytes);
    mix(bytes, head);
    mix(bytes + size - std::min(size - head, kSampleBytes), std::min(size - head, kSampleBytes));
    return hash ^ size;
}

PieceCounts StartCounts() {
    const FastBoard start = FastStartBoard();
    return CountPieces(start.data());
}

}  // namespace

// What a query allows, worked out once per search in the terms of the index.
struct PositionSearchIndex::SearchPlan {
    explicit SearchPlan(const PositionQuery& q) : query(q) {
        for (int ply = 0; ply <= chess::kMaxPly; ++ply) {
            plyAllowed[static_cast<std::size_t>(ply)] = query.MoveNumberHolds(ply);
            if (plyAllowed[static_cast<std::size_t>(ply)]) {
                firstPly = std::min(firstPly, ply);
                lastPly = ply;
            }
        }
        std::array<int, kHomeSquares> homeState{};  // 0 unknown, 1 its pawn, 2 anything else
        std::array<std::uint64_t, 2> pawnSquares{};
        for (const PiecePlacement& placement : query.placements) {
            const int slot = SlotOf(placement.code);
            const std::uint64_t bit = std::uint64_t{1} << placement.square;
            if (slot >= 0) {
                const bool known = std::any_of(seen.begin(), seen.end(), [&](const auto& s) {
                    return s.first == slot && s.second == bit;
                });
                if (!known) {
                    seen.emplace_back(slot, bit);
                    ++minCount[static_cast<std::size_t>(placement.code)];
                }
            }
            if (placement.code == chess::kPawn) {
                pawnSquares[0] |= bit;
            } else if (placement.code == chess::kPawn + chess::kBlackOffset) {
                pawnSquares[1] |= bit;
            }
            const int home = HomeOfSquare(placement.square);
            if (home >= 0) {
                homeState[static_cast<std::size_t>(home)] = placement.code == HomePawn(home) ? 1 : 2;
            }
        }
        // A side whose pawns are all placed: its other starting squares hold none of its pawns.
        for (const PieceCountTest& test : query.counts) {
            const int side = chess::SideIndex(test.side);
            const bool bounded = test.relation == kCountEqual || test.relation == kCountAtMost;
            const bool blackMayMeetIt = test.side == chess::Side::kWhite && query.eitherSide[chess::kPawn];
            if (test.kind != chess::kPawn || !bounded || blackMayMeetIt ||
                std::popcount(pawnSquares[static_cast<std::size_t>(side)]) < test.value) {
                continue;
            }
            for (int home = side * 8; home < side * 8 + 8; ++home) {
                if (homeState[static_cast<std::size_t>(home)] == 0) {
                    homeState[static_cast<std::size_t>(home)] = 2;
                }
            }
        }
        for (int home = 0; home < kHomeSquares; ++home) {
            if (homeState[static_cast<std::size_t>(home)] == 1) {
                present.push_back(home);
            } else if (homeState[static_cast<std::size_t>(home)] == 2) {
                absent.push_back(home);
            }
        }
        needMaterial = query.HasCounts() || !seen.empty();
    }

    bool MaterialHolds(const PieceCounts& counts) const {
        for (std::size_t code = 0; code < counts.size(); ++code) {
            if (counts[code] < minCount[code]) {
                return false;
            }
        }
        return query.CountsHold(counts);
    }

    const PositionQuery& query;
    std::array<bool, chess::kMaxPly + 1> plyAllowed{};
    int firstPly = chess::kMaxPly + 1;
    int lastPly = -1;
    std::vector<int> present;
    std::vector<int> absent;
    // (code slot, square bit) of every placement: the game must have had that piece there.
    std::vector<std::pair<int, std::uint64_t>> seen;
    PieceCounts minCount{};
    bool needMaterial = false;
    PieceCounts startCounts = StartCounts();
};

struct PositionSearchIndex::Built {
    std::vector<FastMove> moves;
    std::vector<Game> games;
    std::vector<LeavePlies> leavePlies;
    std::vector<SquaresSeen> squaresSeen;
    std::vector<MaterialChange> changes;
};

PositionSearchIndex::PositionSearchIndex() = default;
PositionSearchIndex::~PositionSearchIndex() = default;

namespace {

// Fills the leave plies, material changes (appended to changes; firstChange counts from the start
// of that vector) and squares seen of a game whose record starts at moves.
template <typename Game, typename LeavePlies, typename SquaresSeen, typename MaterialChange>
void DescribeGame(const FastMove* moves, Game& game, LeavePlies& leave, SquaresSeen& seen,
                  std::vector<MaterialChange>& changes) {
    game.firstChange = static_cast<std::uint32_t>(changes.size());
    leave.fill(kNeverLeft);
    seen.fill(0);
    FastBoard board = FastStartBoard();
    for (int square = 0; square < chess::kSquareCount; ++square) {
        const int slot = SlotOf(board[static_cast<std::size_t>(square)]);
        if (slot >= 0) {
            seen[static_cast<std::size_t>(slot)] |= std::uint64_t{1} << square;
        }
    }
    for (int ply = 1; ply <= game.plies; ++ply) {
        const FastBoard before = board;
        ApplyFastMove(board, moves[ply - 1], ply);
        // The net change of each code slot over the squares the move changed: a word changes at
        // most four squares, each of them two slots.
        std::array<std::pair<int, int>, 8> delta;
        std::size_t deltaCount = 0;
        const auto change = [&delta, &deltaCount](int slot, int by) {
            for (std::size_t i = 0; i < deltaCount; ++i) {
                if (delta[i].first == slot) {
                    delta[i].second += by;
                    return;
                }
            }
            delta[deltaCount++] = {slot, by};
        };
        for (int word = 0; word < chess::kSquareCount / 8; ++word) {
            std::uint64_t changed = Word(before.data() + word * 8) ^ Word(board.data() + word * 8);
            while (changed != 0) {
                const int byte = std::countr_zero(changed) / 8;
                changed &= ~(std::uint64_t{0xff} << (byte * 8));
                const int square = word * 8 + byte;
                const int oldSlot = SlotOf(before[static_cast<std::size_t>(square)]);
                const int newSlot = SlotOf(board[static_cast<std::size_t>(square)]);
                if (oldSlot >= 0 && deltaCount < delta.size()) {
                    change(oldSlot, -1);
                }
                if (newSlot >= 0 && deltaCount < delta.size()) {
                    change(newSlot, 1);
                    seen[static_cast<std::size_t>(newSlot)] |= std::uint64_t{1} << square;
                }
                const int home = HomeOfSquare(square);
                if (home < 0) {
                    continue;
                }
                const bool hasPawn = board[static_cast<std::size_t>(square)] == HomePawn(home);
                std::uint16_t& left = leave[static_cast<std::size_t>(home)];
                if (left == kNeverLeft && !hasPawn) {
                    left = static_cast<std::uint16_t>(ply);
                } else if (left != kNeverLeft && hasPawn) {
                    game.pawnReturned = 1;
                }
            }
        }
        for (std::size_t i = 0; i < deltaCount; ++i) {
            const auto [slot, by] = delta[i];
            for (int n = by; n != 0; n += n > 0 ? -1 : 1) {
                changes.push_back(
                    static_cast<MaterialChange>(ply | (slot << kSlotShift) | (n > 0 ? kOneMore : 0)));
            }
        }
    }
    game.changeCount = static_cast<std::uint16_t>(changes.size() - game.firstChange);
}

// The whole move file as words; false when it cannot be read or there is no memory for it.
bool ReadMoveWords(const std::string& movePath, std::vector<FastMove>& words) {
    const int fd = ::open(movePath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    bool read = ::fstat(fd, &info) == 0 && info.st_size >= 0;
    if (read) {
        const auto bytes = static_cast<std::size_t>(info.st_size);
        words.resize(bytes / 2);
        read = ReadFully(fd, words.data(), words.size() * 2) == words.size() * 2;
        if constexpr (std::endian::native != std::endian::little) {
            for (FastMove& word : words) {
                word = static_cast<FastMove>((word >> 8) | (word << 8));
            }
        }
        // A word cut in half is no record: the readers call such a file stale.
        if (bytes % 2 != 0) {
            words.clear();
        }
    }
    ::close(fd);
    return read;
}

// How many threads describe the games: one per core, and one for a small file.
unsigned DescribingThreads(std::size_t games) {
    constexpr std::size_t kGamesPerThreadAtLeast = 2048;
    const unsigned cores = CoreCount();
    return static_cast<unsigned>(std::clamp<std::size_t>(games / kGamesPerThreadAtLeast, 1, cores));
}

}  // namespace

std::unique_ptr<PositionSearchIndex> PositionSearchIndex::Build(const std::string& movePath) {
    std::unique_ptr<PositionSearchIndex> index(new (std::nothrow) PositionSearchIndex);
    if (!index) {
        return nullptr;
    }
    FileStamp before;
    FileStamp after;
    try {
        index->built_ = std::make_unique<Built>();
        Built& built = *index->built_;
        if (!StampOf(movePath, before) || !ReadMoveWords(movePath, built.moves)) {
            return nullptr;
        }
        // The records as a reader walks them: up to the end word, the first malformed record, or
        // the most games a file may hold.
        const std::size_t words = built.moves.size();
        std::size_t pos = 0;
        while (pos < words && built.moves[pos] != kEndOfFileWord &&
               built.games.size() < gamefile::kMaxGames) {
            Game game;
            game.firstMove = static_cast<std::uint32_t>(pos);
            while (pos < words && !IsResultWord(built.moves[pos]) && built.moves[pos] != kEndOfFileWord &&
                   pos - game.firstMove < kMaxFastRecordMoves) {
                ++pos;
            }
            if (pos >= words || !IsResultWord(built.moves[pos])) {
                break;
            }
            game.plies = static_cast<std::uint16_t>(pos - game.firstMove);
            game.outcome = OutcomeOfResultWord(built.moves[pos]);
            built.games.push_back(game);
            ++pos;
        }
        const std::size_t games = built.games.size();
        built.leavePlies.resize(games);
        built.squaresSeen.resize(games);
        // The games are described in parallel, each thread its own run of games and its own list
        // of changes; the lists are joined in game order.
        const unsigned threads = DescribingThreads(games);
        std::vector<std::vector<MaterialChange>> parts(threads);
        std::vector<char> failed(threads, 0);
        const auto describe = [&built, &parts, &failed, games, threads](unsigned part) {
            try {
                std::vector<MaterialChange>& changes = parts[part];
                const std::size_t first = games * part / threads;
                const std::size_t last = games * (part + 1) / threads;
                // About one change of material in four plies.
                changes.reserve((built.games[last - 1].firstMove - built.games[first].firstMove) / 3 + 64);
                for (std::size_t game = first; game < last; ++game) {
                    DescribeGame(built.moves.data() + built.games[game].firstMove, built.games[game],
                                 built.leavePlies[game], built.squaresSeen[game], changes);
                }
            } catch (const std::bad_alloc&) {
                failed[part] = 1;
            }
        };
        if (games > 0) {
            std::vector<std::thread> helpers;
            for (unsigned part = 1; part < threads; ++part) {
                try {
                    helpers.emplace_back(describe, part);
                } catch (const std::system_error&) {
                    describe(part);
                }
            }
            describe(0);
            for (std::thread& helper : helpers) {
                helper.join();
            }
        }
        if (std::find(failed.begin(), failed.end(), 1) != failed.end()) {
            return nullptr;
        }
        std::size_t total = 0;
        for (const auto& part : parts) {
            total += part.size();
        }
        built.changes.reserve(total);
        for (unsigned part = 0; part < threads; ++part) {
            const auto offset = static_cast<std::uint32_t>(built.changes.size());
            for (std::size_t game = games * part / threads; game < games * (part + 1) / threads; ++game) {
                built.games[game].firstChange += offset;
            }
            built.changes.insert(built.changes.end(), parts[part].begin(), parts[part].end());
            std::vector<MaterialChange>().swap(parts[part]);
        }
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    Built& built = *index->built_;
    index->moves_ = built.moves;
    index->games_ = built.games;
    index->leavePlies_ = built.leavePlies;
    index->squaresSeen_ = built.squaresSeen;
    index->changes_ = built.changes;
    // A file that changed while it was read is searched this once but never saved.
    if (StampOf(movePath, after) && after == before) {
        index->source_.size = before.size;
        index->source_.seconds = before.modifiedSeconds;
        index->source_.nanoseconds = before.modifiedNanoseconds;
        index->source_.sample = SampleOf(reinterpret_cast<const std::uint8_t*>(built.moves.data()),
                                         built.moves.size() * sizeof(FastMove));
        // The kept file holds the tables as they stand in memory: little-endian machines only.
        index->sourceKnown_ = std::endian::native == std::endian::little && before.size % 2 == 0;
    }
    return index;
}

std::size_t PositionSearchIndex::MemoryBytes() const {
    return moves_.size_bytes() + games_.size_bytes() + leavePlies_.size_bytes() + squaresSeen_.size_bytes() +
           changes_.size_bytes();
}

// X.TRP: this header, then the games, their leave plies, the squares seen, and the material
// changes, each table as it stands in memory. Every table starts at a multiple of 8 bytes.
struct PositionSearchIndex::FileLayout {
    char magic[8];
    std::uint64_t moveFileSize;
    std::int64_t moveFileSeconds;
    std::int64_t moveFileNanoseconds;
    std::uint64_t moveFileSample;
    std::uint32_t games;
    std::uint32_t changes;
    std::uint64_t unused;
    // A hash of the bytes above.
    std::uint64_t check;
};

namespace {

constexpr char kIndexMagic[8] = {'R', 'v', 'P', 'o', 's', 'I', 'x', '1'};

template <typename Layout>
std::uint64_t CheckOf(const Layout& layout) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&layout);
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (std::size_t i = 0; i < offsetof(Layout, check); ++i) {
        hash = (hash ^ bytes[i]) * 0x100000001b3u;
    }
    return hash;
}

}  // namespace

bool PositionSearchIndex::WellFormed() const {
    if (games_.size() > static_cast<std::size_t>(gamefile::kMaxGames)) {
        return false;
    }
    std::uint64_t nextMove = 0;
    std::uint64_t nextChange = 0;
    for (const Game& game : games_) {
        if (game.firstMove != nextMove || game.firstChange != nextChange ||
            game.plies > kMaxFastRecordMoves || game.outcome > kOutcomeBlackWon || game.pawnReturned > 1) {
            return false;
        }
        nextMove += game.plies + 1u;
        nextChange += game.changeCount;
    }
    // The changes are read only for the games a search gets to; each names its code slot, which
    // the search checks as it counts.
    return nextMove <= moves_.size() && nextChange == changes_.size();
}

std::unique_ptr<PositionSearchIndex> PositionSearchIndex::Load(const std::string& movePath,
                                                               const std::string& indexPath) {
    static_assert(sizeof(Game) == 16 && sizeof(FileLayout) == 64);
    if constexpr (std::endian::native != std::endian::little) {
        return nullptr;
    }
    std::unique_ptr<PositionSearchIndex> index(new (std::nothrow) PositionSearchIndex);
    FileStamp stamp;
    if (!index || indexPath.empty() || !StampOf(movePath, stamp) || !index->mappedIndex_.Map(indexPath)) {
        return nullptr;
    }
    const MappedFile& file = index->mappedIndex_;
    FileLayout layout;
    if (file.Size() < sizeof layout) {
        return nullptr;
    }
    std::memcpy(&layout, file.Data(), sizeof layout);
    const std::uint64_t games = layout.games;
    const std::uint64_t tableBytes = games * (sizeof(Game) + sizeof(LeavePlies) + sizeof(SquaresSeen));
    if (std::memcmp(layout.magic, kIndexMagic, sizeof kIndexMagic) != 0 || layout.check != CheckOf(layout) ||
        file.Size() != sizeof layout + tableBytes + std::uint64_t{layout.changes} * sizeof(MaterialChange) ||
        layout.moveFileSize != stamp.size || layout.moveFileSeconds != stamp.modifiedSeconds ||
        layout.moveFileNanoseconds != stamp.modifiedNanoseconds || !index->mappedMoves_.Map(movePath) ||
        index->mappedMoves_.Size() != stamp.size || stamp.size % 2 != 0 ||
        SampleOf(index->mappedMoves_.Data(), index->mappedMoves_.Size()) != layout.moveFileSample) {
        return nullptr;
    }
    const std::uint8_t* at = file.Data() + sizeof layout;
    const auto table = [&at]<typename T>(std::span<const T>& view, std::size_t count) {
        view = std::span<const T>(reinterpret_cast<const T*>(at), count);
        at += count * sizeof(T);
    };
    const auto count = static_cast<std::size_t>(games);
    table(index->games_, count);
    table(index->leavePlies_, count);
    table(index->squaresSeen_, count);
    table(index->changes_, layout.changes);
    index->moves_ = std::span<const FastMove>(reinterpret_cast<const FastMove*>(index->mappedMoves_.Data()),
                                              index->mappedMoves_.Size() / sizeof(FastMove));
    if (!index->WellFormed()) {
        return nullptr;
    }
    index->source_ = MoveFileStamp{layout.moveFileSize, layout.moveFileSeconds, layout.moveFileNanoseconds,
                                   layout.moveFileSample};
    index->sourceKnown_ = true;
    return index;
}

bool PositionSearchIndex::Save(const std::string& indexPath) const {
    if (!sourceKnown_ || indexPath.empty() || changes_.size() > UINT32_MAX) {
        return false;
    }
    FileLayout layout{};
    std::memcpy(layout.magic, kIndexMagic, sizeof kIndexMagic);
    layout.moveFileSize = source_.size;
    layout.moveFileSeconds = source_.seconds;
    layout.moveFileNanoseconds = source_.nanoseconds;
    layout.moveFileSample = source_.sample;
    layout.games = static_cast<std::uint32_t>(games_.size());
    layout.changes = static_cast<std::uint32_t>(changes_.size());
    layout.check = CheckOf(layout);
    return platform::WriteFileReplacing(
        indexPath,
        [&](platform::FileSink& sink) {
            return sink.Write(&layout, sizeof layout) && sink.Write(games_.data(), games_.size_bytes()) &&
                   sink.Write(leavePlies_.data(), leavePlies_.size_bytes()) &&
                   sink.Write(squaresSeen_.data(), squaresSeen_.size_bytes()) &&
                   sink.Write(changes_.data(), changes_.size_bytes());
        },
        platform::Durability::kCache);
}

bool PositionSearchIndex::SearchGame(const SearchPlan& plan, std::size_t index, int& hitPly) const {
    const Game& game = games_[index];
    int low = plan.firstPly;
    int high = std::min<int>(plan.lastPly, game.plies);
    if (!game.pawnReturned) {
        const auto& leave = leavePlies_[index];
        for (const int home : plan.absent) {
            low = std::max<int>(low, leave[static_cast<std::size_t>(home)]);
        }
        for (const int home : plan.present) {
            high = std::min<int>(high, leave[static_cast<std::size_t>(home)] - 1);
        }
    }
    if (low > high) {
        return false;
    }
    const auto& seen = squaresSeen_[index];
    for (const auto& [slot, bit] : plan.seen) {
        if ((seen[static_cast<std::size_t>(slot)] & bit) == 0) {
            return false;
        }
    }
    // The ply ranges within low..high where the material allows the position.
    struct Range {
        int first;
        int second;
    };
    std::array<Range, chess::kMaxPly + 1> ranges;
    std::size_t rangeCount = 0;
    if (plan.needMaterial) {
        PieceCounts counts = plan.startCounts;
        const MaterialChange* change = changes_.data() + game.firstChange;
        const MaterialChange* const end = change + game.changeCount;
        int from = 0;
        while (from <= high) {
            const int next = change < end ? (*change & kPlyMask) : game.plies + 1;
            const int to = std::min(next - 1, high);
            if (to >= low && plan.MaterialHolds(counts)) {
                const int first = std::max(from, low);
                if (rangeCount > 0 && ranges[rangeCount - 1].second + 1 == first) {
                    ranges[rangeCount - 1].second = to;
                } else {
                    ranges[rangeCount++] = Range{first, to};
                }
            }
            for (; change < end && (*change & kPlyMask) == next; ++change) {
                const int slot = (*change >> kSlotShift) & kSlotMask;
                if (slot >= kCodeSlots) {
                    // Only a damaged X.TRP holds such a change.
                    return false;
                }
                std::uint8_t& count = counts[static_cast<std::size_t>(CodeOfSlot(slot))];
                count = static_cast<std::uint8_t>((*change & kOneMore) != 0 ? count + 1 : count - 1);
            }
            from = next;
        }
    } else {
        ranges[rangeCount++] = Range{low, high};
    }
    if (rangeCount == 0) {
        return false;
    }
    if (plan.query.placements.empty()) {
        // The material alone decides: the first ply of the ranges the move number allows.
        for (std::size_t r = 0; r < rangeCount; ++r) {
            for (int ply = ranges[r].first; ply <= ranges[r].second; ++ply) {
                if (plan.plyAllowed[static_cast<std::size_t>(ply)]) {
                    hitPly = ply;
                    return true;
                }
            }
        }
        return false;
    }
    FastBoard board = FastStartBoard();
    const FastMove* move = moves_.data() + game.firstMove;
    int ply = 0;
    for (std::size_t r = 0; r < rangeCount; ++r) {
        for (; ply < ranges[r].first; ++ply) {
            ApplyFastMove(board, move[ply], ply + 1);
        }
        for (;;) {
            if (plan.plyAllowed[static_cast<std::size_t>(ply)] && plan.query.PlacementsHold(board.data())) {
                hitPly = ply;
                return true;
            }
            if (ply == ranges[r].second) {
                break;
            }
            ApplyFastMove(board, move[ply], ply + 1);
            ++ply;
        }
    }
    return false;
}

void PositionSearchIndex::Search(const PositionQuery& query, int games, const SearchFile& file,
                                 SearchResult& result) const {
    SearchRange(
        query, 0, games, [&file] { return file.Cancelled(); }, result);
}

bool PositionSearchIndex::SearchRange(const PositionQuery& query, int first, int last,
                                      const std::function<bool()>& cancelled, SearchResult& result) const {
    const SearchPlan plan(query);
    if (query.neverMet || plan.firstPly > plan.lastPly) {
        return true;
    }
    const auto begin = static_cast<std::size_t>(std::clamp(first, 0, GameCount()));
    const auto end = static_cast<std::size_t>(std::clamp(last, 0, GameCount()));
    for (std::size_t game = begin; game < end; ++game) {
        if (cancelled && cancelled()) {
            return false;
        }
        int ply = 0;
        if (SearchGame(plan, game, ply)) {
            result.Add(static_cast<int>(game) + 1, games_[game].outcome, ply);
        }
    }
    return true;
}

const std::uint8_t* PositionSearchIndex::RecordWords(int game, int& plies) const {
    const Game& record = games_[static_cast<std::size_t>(game)];
    plies = record.plies;
    return reinterpret_cast<const std::uint8_t*>(moves_.data() + record.firstMove);
}

bool PositionSearchIndex::EndWordFollows() const {
    const std::size_t end =
        games_.empty() ? 0 : games_.back().firstMove + std::size_t{games_.back().plies} + 1;
    return end < moves_.size() && moves_[end] == kEndOfFileWord;
}

namespace {

// The open file's index and one more (the file searched before), so that going back and forth
// between two files keeps both.
constexpr std::size_t kKeptIndexes = 2;

struct KeptIndexes {
    std::mutex mutex;
    std::list<std::pair<FileStamp, std::shared_ptr<const PositionSearchIndex>>> entries;
};

KeptIndexes& Kept() {
    static KeptIndexes kept;
    return kept;
}

}  // namespace

std::shared_ptr<const PositionSearchIndex> PositionIndexFor(const std::string& movePath,
                                                            bool buildWhenMissing) {
    FileStamp stamp;
    if (!StampOf(movePath, stamp)) {
        return nullptr;
    }
    KeptIndexes& kept = Kept();
    {
        const std::lock_guard<std::mutex> lock(kept.mutex);
        for (auto it = kept.entries.begin(); it != kept.entries.end(); ++it) {
            if (it->first == stamp) {
                kept.entries.splice(kept.entries.begin(), kept.entries, it);
                return it->second;
            }
        }
    }
    const std::string indexPath = PositionIndexFilePath(movePath);
    std::shared_ptr<const PositionSearchIndex> index = PositionSearchIndex::Load(movePath, indexPath);
    if (!index) {
        if (!buildWhenMissing) {
            return nullptr;
        }
        index = PositionSearchIndex::Build(movePath);
        if (index) {
            // Missing, stale or malformed: made again, silently. A file that cannot be written
            // costs only the time of the next build.
            index->Save(indexPath);
        }
    }
    FileStamp after;
    // A file that changed while it was read serves this search only.
    if (!index || !StampOf(movePath, after) || !(after == stamp)) {
        return index;
    }
    const std::lock_guard<std::mutex> lock(kept.mutex);
    kept.entries.remove_if([&stamp](const auto& entry) { return entry.first.path == stamp.path; });
    kept.entries.emplace_front(stamp, index);
    if (kept.entries.size() > kKeptIndexes) {
        kept.entries.pop_back();
    }
    return index;
}

std::shared_ptr<const PositionSearchIndex> SavedPositionIndex(const std::string& movePath) {
    FileStamp stamp;
    if (!StampOf(movePath, stamp)) {
        return nullptr;
    }
    {
        KeptIndexes& kept = Kept();
        const std::lock_guard<std::mutex> lock(kept.mutex);
        for (const auto& [keptStamp, index] : kept.entries) {
            if (keptStamp == stamp) {
                return index;
            }
        }
    }
    return PositionSearchIndex::Load(movePath, PositionIndexFilePath(movePath));
}

bool WritePositionIndexFile(const std::string& movePath) {
    const std::unique_ptr<PositionSearchIndex> index = PositionSearchIndex::Build(movePath);
    return index && index->Save(PositionIndexFilePath(movePath));
}

void ForgetPositionIndexes() {
    KeptIndexes& kept = Kept();
    const std::lock_guard<std::mutex> lock(kept.mutex);
    kept.entries.clear();
}

}  // namespace ravelin::search
