#include "search/position_index.h"

#include <sys/stat.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <list>
#include <mutex>
#include <new>

#include "search/fast_file_reader.h"
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

std::unique_ptr<PositionSearchIndex> PositionSearchIndex::Build(const std::string& movePath) {
    FastMoveReader reader;
    if (!reader.Open(movePath)) {
        return nullptr;
    }
    std::unique_ptr<PositionSearchIndex> index(new (std::nothrow) PositionSearchIndex);
    if (!index) {
        return nullptr;
    }
    try {
        // The records first, so that the tables of the games are made once at their size.
        struct stat info {};
        if (::stat(movePath.c_str(), &info) == 0 && info.st_size > 0) {
            index->moves_.reserve(static_cast<std::size_t>(info.st_size) / sizeof(FastMove));
        }
        std::vector<FastMove> moves;
        moves.reserve(kMaxFastRecordMoves);
        FastMove resultWord = 0;
        while (reader.Next(moves, resultWord) == FastMoveReader::Step::kRecord) {
            Game game;
            game.firstMove = static_cast<std::uint32_t>(index->moves_.size());
            game.plies = static_cast<std::uint16_t>(moves.size());
            game.outcome = OutcomeOfResultWord(resultWord);
            index->moves_.insert(index->moves_.end(), moves.begin(), moves.end());
            index->games_.push_back(game);
        }
        index->games_.shrink_to_fit();
        index->leavePlies_.resize(index->games_.size());
        index->squaresSeen_.resize(index->games_.size());
        // About one change of material in four plies.
        index->changes_.reserve(index->moves_.size() / 3);
        for (std::size_t game = 0; game < index->games_.size(); ++game) {
            index->Describe(game);
        }
        index->changes_.shrink_to_fit();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return index;
}

std::size_t PositionSearchIndex::MemoryBytes() const {
    return moves_.capacity() * sizeof(FastMove) + games_.capacity() * sizeof(Game) +
           leavePlies_.capacity() * sizeof(leavePlies_[0]) +
           squaresSeen_.capacity() * sizeof(squaresSeen_[0]) + changes_.capacity() * sizeof(MaterialChange);
}

void PositionSearchIndex::Describe(std::size_t index) {
    Game& game = games_[index];
    game.firstChange = static_cast<std::uint32_t>(changes_.size());
    const FastMove* const moves = moves_.data() + game.firstMove;
    std::array<std::uint16_t, kHomeSquares>& leave = leavePlies_[index];
    leave.fill(kNeverLeft);
    std::array<std::uint64_t, kCodeSlots>& seen = squaresSeen_[index];
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
                    game.pawnReturned = true;
                }
            }
        }
        for (std::size_t i = 0; i < deltaCount; ++i) {
            const auto [slot, by] = delta[i];
            for (int n = by; n != 0; n += n > 0 ? -1 : 1) {
                changes_.push_back(
                    static_cast<MaterialChange>(ply | (slot << kSlotShift) | (n > 0 ? kOneMore : 0)));
            }
        }
    }
    game.changeCount = static_cast<std::uint16_t>(changes_.size() - game.firstChange);
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
                std::uint8_t& count =
                    counts[static_cast<std::size_t>(CodeOfSlot((*change >> kSlotShift) & kSlotMask))];
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
    const SearchPlan plan(query);
    if (query.neverMet || plan.firstPly > plan.lastPly) {
        return;
    }
    const std::size_t count = static_cast<std::size_t>(std::clamp(games, 0, GameCount()));
    for (std::size_t game = 0; game < count; ++game) {
        if (file.Cancelled()) {
            break;
        }
        int ply = 0;
        if (SearchGame(plan, game, ply)) {
            result.Add(static_cast<int>(game) + 1, games_[game].outcome, ply);
        }
    }
}

namespace {

struct FileStamp {
    std::string path;
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::uint64_t inode = 0;
    std::uint64_t device = 0;
    bool operator==(const FileStamp&) const = default;
};

bool StampOf(const std::string& path, FileStamp& stamp) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return false;
    }
    stamp.path = path;
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.modifiedSeconds = info.st_mtim.tv_sec;
    stamp.modifiedNanoseconds = info.st_mtim.tv_nsec;
    stamp.inode = info.st_ino;
    stamp.device = info.st_dev;
    return true;
}

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
    if (!buildWhenMissing) {
        return nullptr;
    }
    std::shared_ptr<const PositionSearchIndex> index = PositionSearchIndex::Build(movePath);
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

void ForgetPositionIndexes() {
    KeptIndexes& kept = Kept();
    const std::lock_guard<std::mutex> lock(kept.mutex);
    kept.entries.clear();
}

}  // namespace ravelin::search
