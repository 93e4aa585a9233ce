#include "eco/eco_match.h"

#include <algorithm>

#include "eco/eco_line.h"

namespace ravelin::eco {

namespace {

// The number of k in [from, end) with moves[k] == move.
int CountFrom(const PackedMove* moves, int from, int end, PackedMove move) {
    int count = 0;
    for (int k = from; k < end; ++k) {
        count += moves[k] == move ? 1 : 0;
    }
    return count;
}

// One side's transposition test for the entry's move i: the game must hold the move among its
// first n moves and, when the entry repeats it later (from i + 2 on), repeat it as often there.
bool SideHolds(const PackedMove* entryMoves, const PackedMove* gameMoves, int i, int n) {
    const PackedMove move = entryMoves[i];
    if (std::find(gameMoves, gameMoves + n, move) == gameMoves + n) {
        return false;
    }
    const int repeats = i < n - 2 ? CountFrom(entryMoves, i + 2, n, move) : 0;
    return repeats == 0 || CountFrom(gameMoves, i + 2, n, move) == repeats;
}

}  // namespace

EcoGameMoves PrepareGameMoves(const chess::MoveList& moves) {
    EcoGameMoves game;
    for (int i = 0; i < kMaxEcoMovesPerSide; ++i) {
        const std::string_view white = chess::SanView(moves.whiteMoves[static_cast<std::size_t>(i)]);
        const std::string_view black = chess::SanView(moves.blackMoves[static_cast<std::size_t>(i)]);
        game.exactWhite[static_cast<std::size_t>(i)] = PackMove(white.substr(0, chess::kMaxSanLength));
        game.exactBlack[static_cast<std::size_t>(i)] = PackMove(black.substr(0, chess::kMaxSanLength));
    }
    for (int i = 0; i < kMaxEcoMovesPerSide; ++i) {
        const std::string_view white = chess::SanView(moves.whiteMoves[static_cast<std::size_t>(i)]);
        if (white.empty()) {
            break;
        }
        game.white[static_cast<std::size_t>(i)] =
            PackMove(WithoutCheckSign(white.substr(0, chess::kMaxSanLength)));
        const std::string_view black = chess::SanView(moves.blackMoves[static_cast<std::size_t>(i)]);
        if (black.empty()) {
            break;
        }
        game.black[static_cast<std::size_t>(i)] =
            PackMove(WithoutCheckSign(black.substr(0, chess::kMaxSanLength)));
    }
    return game;
}

bool EntryMatches(const EcoTable& table, const EcoGameMoves& game, int entry, MatchMode mode, int plyLimit) {
    const EcoEntryMoves& split = table.split[static_cast<std::size_t>(entry)];
    int whiteCount = split.whiteCount;
    int blackCount = split.blackCount;
    if (plyLimit > 0) {
        whiteCount = std::min(whiteCount, (plyLimit - 1) / 2 + 1);
        blackCount = std::min(blackCount, plyLimit / 2);
    }
    if (whiteCount > kMaxEcoMovesPerSide || blackCount > kMaxEcoMovesPerSide) {
        return false;
    }
    const bool exact = mode == MatchMode::kExactVariation;
    const PackedMove* slots = (exact ? table.exactSlots : table.bareSlots).data() + split.first;
    const PackedMove* white = slots;
    const PackedMove* black = slots + kMaxEcoMovesPerSide;
    if (exact) {
        for (int i = 0; i < whiteCount; ++i) {
            if (white[i] != game.exactWhite[static_cast<std::size_t>(i)] ||
                (i < blackCount && black[i] != game.exactBlack[static_cast<std::size_t>(i)])) {
                return false;
            }
        }
        return true;
    }
    for (int i = 0; i < whiteCount; ++i) {
        if (!SideHolds(white, game.white.data(), i, whiteCount) ||
            (i < blackCount && !SideHolds(black, game.black.data(), i, blackCount))) {
            return false;
        }
    }
    return true;
}

OpeningMatch ClosestMatch(const EcoTable& table, const EcoGameMoves& game, int plies) {
    OpeningMatch match;
    if (plies <= 0 || !table.loaded) {
        return match;
    }
    int best1Plies = 0;
    for (int e = 0; e < table.count; ++e) {
        const int entryPlies = table.plies[static_cast<std::size_t>(e)];
        if (entryPlies <= plies && entryPlies > best1Plies &&
            EntryMatches(table, game, e, MatchMode::kExactNumberOfMoves, 0)) {
            match.best1 = e;
            best1Plies = entryPlies;
        }
        if (entryPlies > match.best2Plies &&
            EntryMatches(table, game, e, MatchMode::kExactNumberOfMoves, plies)) {
            match.best2 = e;
            match.best2Plies = entryPlies;
        }
    }
    // Still inside a longer line past the end of the longest completed one: name the longer line.
    const bool takeBest2 =
        match.best2 != kNoEcoEntry &&
        (match.best1 == kNoEcoEntry || (match.best2Plies > best1Plies && plies > best1Plies));
    match.entry = takeBest2 ? match.best2 : match.best1;
    return match;
}

int ClassifyOpening(const EcoTable& table, const EcoGameMoves& game, int plies) {
    return ClosestMatch(table, game, plies).entry;
}

int FindOpening(const EcoTable& table, const EcoGameMoves& game, int plies, MatchMode mode) {
    if (mode == MatchMode::kClosestMatch) {
        return ClassifyOpening(table, game, plies);
    }
    if (plies <= 0 || !table.loaded) {
        return kNoEcoEntry;
    }
    for (int e = 0; e < table.count; ++e) {
        if (table.plies[static_cast<std::size_t>(e)] == plies && EntryMatches(table, game, e, mode, 0)) {
            return e;
        }
    }
    return kNoEcoEntry;
}

}  // namespace ravelin::eco
