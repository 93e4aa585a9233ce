#include "utilities/duplicates.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "chess/movetext.h"
#include "utilities/game_moves.h"

namespace ravelin::utilities {

namespace {

constexpr std::size_t kSlot = 8;

class Marker {
  public:
    explicit Marker(DuplicateResult& result, std::size_t games)
        : result_(result), marked_(games + 1, false) {}
    // False once the limit is reached.
    bool Add(int first, int second, int toDelete) {
        if (static_cast<int>(result_.marked.size()) >= kMaxDuplicates) {
            result_.limitReached = true;
            return false;
        }
        result_.pairs.push_back({first, second});
        if (!marked_[static_cast<std::size_t>(toDelete)]) {
            marked_[static_cast<std::size_t>(toDelete)] = true;
            result_.marked.push_back(toDelete);
        }
        return true;
    }

  private:
    DuplicateResult& result_;
    std::vector<bool> marked_;
};

bool PlyEquals(const GameLine& a, const GameLine& b, int ply) {
    return std::memcmp(a.plies.data() + static_cast<std::size_t>(ply) * kSlot,
                       b.plies.data() + static_cast<std::size_t>(ply) * kSlot, kSlot) == 0;
}

// The text of a ply, "" beyond the game's end.
bool PlyPresent(const GameLine& line, int ply) {
    return ply < line.PlyCount() && line.plies[static_cast<std::size_t>(ply) * kSlot] != '\0';
}

}  // namespace

bool AreDuplicates(const GameLine& a, const GameLine& b, int maxDifference) {
    if (std::abs(a.whiteMoves - b.whiteMoves) > maxDifference ||
        std::abs(a.PlyCount() / 2 - b.PlyCount() / 2) > maxDifference) {
        return false;
    }
    const int moves = std::max(1, std::min(a.whiteMoves, b.whiteMoves));
    for (int ply = 0; ply < 2 * moves; ++ply) {
        const bool lastBlack = ply == 2 * moves - 1;
        const bool aHas = PlyPresent(a, ply);
        const bool bHas = PlyPresent(b, ply);
        if (lastBlack && (!aHas || !bHas)) {
            return true;
        }
        if (aHas != bHas || (aHas && !PlyEquals(a, b, ply))) {
            return false;
        }
    }
    return true;
}

DuplicateResult FindDuplicates(const std::vector<GameLine>& games, const DuplicateSettings& settings,
                               int currentGame, const UtilityProgress& progress) {
    DuplicateResult result;
    Marker marker(result, games.size());
    const int count = static_cast<int>(games.size());
    const int lookAhead = settings.entireFile ? count : std::max(settings.lookAhead, 1);
    const int every = currentGame > 0 || lookAhead <= 10 ? 100 : lookAhead <= 100 ? 10 : 1;
    auto record = [&](int a, int b) {
        const int first = std::min(a, b) + 1;
        const int second = std::max(a, b) + 1;
        const bool secondLonger = games[static_cast<std::size_t>(second - 1)].PlyCount() >
                                  games[static_cast<std::size_t>(first - 1)].PlyCount();
        return marker.Add(first, second, secondLonger ? first : second);
    };
    for (int i = 0; i < count; ++i) {
        bool more = true;
        if (currentGame > 0) {
            if (i != currentGame - 1 &&
                AreDuplicates(games[static_cast<std::size_t>(currentGame - 1)],
                              games[static_cast<std::size_t>(i)], settings.maxMoveDifference)) {
                more = record(currentGame - 1, i);
            }
        } else {
            const int end = std::min(i + lookAhead, count);
            for (int j = i + 1; j < end && more; ++j) {
                if (AreDuplicates(games[static_cast<std::size_t>(i)], games[static_cast<std::size_t>(j)],
                                  settings.maxMoveDifference)) {
                    more = record(i, j);
                }
            }
        }
        if (progress && ((i + 1) % every == 0 || i + 1 == count) &&
            !progress(i + 1, static_cast<int>(result.pairs.size()))) {
            result.cancelled = true;
            break;
        }
        if (!more) {
            break;
        }
    }
    return result;
}

std::vector<GameLine> ReadGameLines(const PgnText& text, const UtilityProgress& progress) {
    std::vector<GameLine> lines(static_cast<std::size_t>(text.Count()));
    GameMoves reader(text.path);
    for (int i = 0; i < text.Count(); ++i) {
        GameLine& line = lines[static_cast<std::size_t>(i)];
        if (reader.Read(text.index.offsets[static_cast<std::size_t>(i)])) {
            chess::MoveList& moves = reader.Context().moves;
            const int plies = chess::ParsedPlies(reader.Record());
            line.whiteMoves = reader.Record().moveCount;
            line.plies.assign(static_cast<std::size_t>(plies) * kSlot, '\0');
            for (int ply = 1; ply <= plies; ++ply) {
                const std::string_view san = chess::SanView(moves.MoveOfPly(ply));
                std::memcpy(line.plies.data() + static_cast<std::size_t>(ply - 1) * kSlot, san.data(),
                            san.size());
            }
        }
        if (progress && ProgressDue(i + 1, text.Count()) && !progress(i + 1, 0)) {
            lines.resize(static_cast<std::size_t>(i + 1));
            break;
        }
    }
    return lines;
}

std::string DeleteDuplicates(const PgnText& text, std::vector<int> marked) {
    std::sort(marked.begin(), marked.end());
    std::string contents;
    contents.reserve(text.bytes.size());
    contents.append(text.Preamble());
    auto next = marked.begin();
    for (int i = 0; i < text.Count(); ++i) {
        while (next != marked.end() && *next < i + 1) {
            ++next;
        }
        if (next == marked.end() || *next != i + 1) {
            contents.append(text.Game(i));
        }
    }
    return contents;
}

}  // namespace ravelin::utilities
