#include "tree/next_moves.h"

#include <algorithm>
#include <unordered_map>

#include "chess/move_legality.h"
#include "search/variation_match.h"

namespace ravelin::tree {

namespace {

using search::FastMove;

constexpr int kPromotionChoices[] = {chess::kQueen, chess::kKnight, chess::kBishop, chess::kRook};

FastMove WordAt(const std::uint8_t* words, int ply) {
    return static_cast<FastMove>(words[2 * ply] | (words[2 * ply + 1] << 8));
}

search::VariationMatcher MatcherFor(const TreeLine& line, bool exact) {
    search::VariationWords words;
    for (int ply = 0; ply < line.Plies(); ++ply) {
        if (ply % 2 == 0) {
            words.white[static_cast<std::size_t>(ply / 2)] = line.words[static_cast<std::size_t>(ply)];
        } else {
            words.black[static_cast<std::size_t>(ply / 2)] = line.words[static_cast<std::size_t>(ply)];
        }
    }
    words.whiteCount = (line.Plies() + 1) / 2;
    words.blackCount = line.Plies() / 2;
    return search::VariationMatcher(words, words.whiteCount, words.blackCount, exact);
}

// The FastResultCode a record's result word carries.
int ResultCode(FastMove resultWord) {
    const int code = resultWord & ~search::kResultFlag;
    return code == search::kFastWhiteWins || code == search::kFastBlackWins ? code : search::kFastOtherResult;
}

}  // namespace

bool ReplayLine(const TreeLine& line, chess::ChessContext& context) {
    context.batch = true;
    context.fenSwitch = false;
    context.setupSwitch = false;
    context.moves.Clear();
    chess::SetStartPosition(context);
    for (int ply = 1; ply <= line.Plies(); ++ply) {
        const FastMove word = line.words[static_cast<std::size_t>(ply - 1)];
        const int from = search::FastOrigin(word);
        const int to = search::FastDestination(word);
        context.promotionChoice = kPromotionChoices[(word & search::kFastPromotionMask) >> 6];
        if (chess::MakeCoordinateMove(context, true, ply, from / 8 + 1, from % 8 + 1, to / 8 + 1,
                                      to % 8 + 1) != 0) {
            return false;
        }
    }
    return true;
}

std::string TextOfWord(FastMove word, int ply, chess::ChessContext& context) {
    if (ply > chess::kMaxPly) {
        return {};
    }
    const int from = search::FastOrigin(word);
    const int to = search::FastDestination(word);
    context.promotionChoice = kPromotionChoices[(word & search::kFastPromotionMask) >> 6];
    context.scratchSan = chess::SanText{};
    if (chess::MakeCoordinateMove(context, false, ply, from / 8 + 1, from % 8 + 1, to / 8 + 1, to % 8 + 1) !=
        0) {
        return {};
    }
    return std::string(chess::SanView(context.scratchSan));
}

NextMoveScan ScanNextMoves(TreeMoveSource& source, const TreeLine& line, bool exact,
                           chess::ChessContext& context) {
    NextMoveScan scan;
    std::unique_ptr<TreeGameWalk> walk = source.Games();
    if (!walk) {
        return scan;
    }
    scan.ok = true;
    const search::VariationMatcher matcher = MatcherFor(line, exact);
    const int length = line.Plies();
    std::unordered_map<FastMove, std::size_t> slots;
    search::GameMoves game;
    while (walk->Next(game)) {
        if (game.plies <= length || !matcher.Matches(game.plyWords, game.plies)) {
            continue;
        }
        const FastMove next = WordAt(game.plyWords, length);
        auto [it, added] = slots.try_emplace(next, scan.moves.size());
        if (added) {
            if (scan.moves.size() >= static_cast<std::size_t>(kMaxNextMoves)) {
                slots.erase(it);
                continue;
            }
            scan.moves.push_back(NextMove{{}, next, 0, 0, game.game});
        }
        NextMove& entry = scan.moves[it->second];
        entry.score += ResultCode(game.resultWord);
        ++entry.games;
    }
    if (!ReplayLine(line, context)) {
        scan.moves.clear();
        return scan;
    }
    std::erase_if(scan.moves, [&](NextMove& move) {
        move.text = TextOfWord(move.move, length + 1, context);
        return move.text.empty();
    });
    return scan;
}

NextMoveScan ScanManeuvers(TreeMoveSource& source, const TreeLine& line, int lookAhead,
                           chess::ChessContext& context) {
    NextMoveScan scan;
    std::unique_ptr<TreeGameWalk> walk = source.Games();
    if (!walk || !ReplayLine(line, context)) {
        return scan;
    }
    scan.ok = true;
    const search::VariationMatcher matcher = MatcherFor(line, false);
    const int length = line.Plies();
    std::vector<std::string> texts;
    search::GameMoves game;
    while (walk->Next(game)) {
        if (game.plies <= length || !matcher.Matches(game.plyWords, game.plies)) {
            continue;
        }
        // The side to move's next moves, replayed on a board of the game's own.
        chess::ReplayToPly(context, length, false);
        for (int ply = length + 1, taken = 0; ply <= game.plies && taken < lookAhead; ++ply) {
            const FastMove word = WordAt(game.plyWords, ply - 1);
            const std::string text = TextOfWord(word, ply, context);
            if (text.empty()) {
                break;
            }
            if ((ply - length) % 2 == 1) {
                ++taken;
                auto found = std::find_if(scan.moves.begin(), scan.moves.end(),
                                          [&](const NextMove& move) { return move.text == text; });
                if (found == scan.moves.end()) {
                    if (scan.moves.size() >= static_cast<std::size_t>(kMaxNextMoves)) {
                        continue;
                    }
                    scan.moves.push_back(NextMove{text, word, 0, 0, game.game});
                    found = scan.moves.end() - 1;
                }
                found->score += ResultCode(game.resultWord);
                ++found->games;
            }
            const int from = search::FastOrigin(word);
            const int to = search::FastDestination(word);
            chess::MakeCoordinateMove(context, true, ply, from / 8 + 1, from % 8 + 1, to / 8 + 1, to % 8 + 1);
        }
    }
    std::stable_sort(scan.moves.begin(), scan.moves.end(),
                     [](const NextMove& a, const NextMove& b) { return a.games > b.games; });
    return scan;
}

}  // namespace ravelin::tree
