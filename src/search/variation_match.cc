#include "search/variation_match.h"

#include <algorithm>
#include <string_view>

#include "chess/san_reader.h"
#include "search/search_result.h"

namespace ravelin::search {

namespace {

constexpr int kWhite = 0;
constexpr int kBlack = 1;

bool IsAnyMove(const chess::SanText& text) {
    return chess::SanView(text) == kAnyMove;
}

// Move i of a side in a game's ply words.
FastMove GameMove(const std::uint8_t* plyWords, int side, int i) {
    const std::size_t at = 2 * (2 * static_cast<std::size_t>(i) + static_cast<std::size_t>(side));
    return static_cast<FastMove>(plyWords[at] | (plyWords[at + 1] << 8));
}

}  // namespace

void DeriveVariationWords(const SearchVariation& variation, chess::ChessContext& context,
                          VariationWords& words) {
    words = VariationWords{};
    words.whiteCount = variation.WhiteCount();
    words.blackCount = variation.BlackCount();
    context.batch = true;
    context.fenSwitch = false;
    context.setupSwitch = false;
    chess::SetStartPosition(context);
    bool playable = true;
    const int plies = words.whiteCount + words.blackCount;
    for (int ply = 1; ply <= plies; ++ply) {
        const bool white = ply % 2 == 1;
        const int index = (ply - 1) / 2;
        FastMove& word = white ? words.white[index] : words.black[index];
        chess::SanText text = variation.MoveOfPly(ply);
        if (IsAnyMove(text)) {
            word = kAnyMoveWord;
        } else if (playable &&
                   chess::ApplySan(context, ply, text,
                                   white ? variation.whiteHints[index] : variation.blackHints[index])) {
            chess::SavePosition(context, ply);
            word = DeriveFastMove(context.history, ply);
            continue;
        } else {
            playable = false;
            word = kUnplayableWord;
        }
        // Nothing was played: the next ply starts from the same board.
        chess::SavePosition(context, ply);
    }
}

VariationMatcher::VariationMatcher(const VariationWords& words, int whiteMoves, int blackMoves, bool exact)
    : white_(std::clamp(whiteMoves, 0, words.whiteCount)),
      black_(std::clamp(blackMoves, 0, std::min(words.blackCount, white_))),
      exact_(exact) {
    moves_[kWhite] = words.white;
    moves_[kBlack] = words.black;
    const int counts[2] = {white_, black_};
    for (int side = kWhite; side <= kBlack; ++side) {
        const auto& list = moves_[side];
        for (int i = 0; i < counts[side]; ++i) {
            int repeats = 0;
            if (list[i] != kAnyMoveWord) {
                for (int j = i + 2; j < counts[side]; ++j) {
                    repeats += list[j] == list[i] ? 1 : 0;
                }
            }
            repeats_[side][i] = static_cast<std::uint8_t>(repeats);
        }
    }
}

bool VariationMatcher::SideMatches(const std::uint8_t* plyWords, int side, int gameMoves, int tested) const {
    // The game's moves of this side that the variation's length covers.
    const int window = std::min(white_, gameMoves);
    for (int i = 0; i < tested; ++i) {
        const FastMove move = moves_[side][i];
        if (move == kAnyMoveWord) {
            continue;
        }
        if (exact_) {
            if (i >= gameMoves || GameMove(plyWords, side, i) != move) {
                return false;
            }
            continue;
        }
        int first = 0;
        while (first < window && GameMove(plyWords, side, first) != move) {
            ++first;
        }
        if (first == window) {
            return false;
        }
        const int repeats = repeats_[side][i];
        if (repeats == 0) {
            continue;
        }
        int found = 0;
        for (int k = i + 2; k < window; ++k) {
            found += GameMove(plyWords, side, k) == move ? 1 : 0;
        }
        if (found != repeats) {
            return false;
        }
    }
    return true;
}

bool VariationMatcher::Matches(const std::uint8_t* plyWords, int plies) const {
    const int gameWhite = (plies + 1) / 2;
    const int gameBlack = plies / 2;
    if (gameWhite < white_) {
        return false;
    }
    // Black moves from black_ to white_ - 1 are not tested: they count as matched.
    return SideMatches(plyWords, kWhite, gameWhite, white_) &&
           SideMatches(plyWords, kBlack, gameBlack, black_);
}

std::uint8_t OutcomeOfResultWord(FastMove resultWord) {
    if (resultWord == ResultWord(kFastWhiteWins)) {
        return kOutcomeWhiteWon;
    }
    return resultWord == ResultWord(kFastBlackWins) ? kOutcomeBlackWon : kOutcomeOther;
}

}  // namespace ravelin::search
