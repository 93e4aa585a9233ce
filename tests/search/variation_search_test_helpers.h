#pragma once

#include <initializer_list>
#include <string_view>
#include <vector>

#include "chess/move_list.h"
#include "search/search_criteria.h"
#include "search/variation_match.h"

namespace ravelin::search::testing_support {

// A variation from its plies in playing order: {"e4", "e5", "Nf3"}.
inline SearchVariation VariationOf(std::initializer_list<std::string_view> plies) {
    SearchVariation variation;
    int ply = 1;
    for (const std::string_view text : plies) {
        chess::SetSanText(variation.MoveOfPly(ply++), text);
    }
    return variation;
}

inline SearchVariation VariationOf(const std::vector<std::string_view>& plies) {
    SearchVariation variation;
    int ply = 1;
    for (const std::string_view text : plies) {
        chess::SetSanText(variation.MoveOfPly(ply++), text);
    }
    return variation;
}

// A game's plies as X.TRF stores them, derived by the same replay as the variation's.
inline std::vector<std::uint8_t> GameWordsOf(std::initializer_list<std::string_view> plies) {
    VariationWords words;
    const auto context = chess::MakeChessContext();
    DeriveVariationWords(VariationOf(plies), *context, words);
    std::vector<std::uint8_t> bytes;
    for (int ply = 1; ply <= words.whiteCount + words.blackCount; ++ply) {
        const FastMove word = ply % 2 == 1 ? words.white[(ply - 1) / 2] : words.black[ply / 2 - 1];
        bytes.push_back(static_cast<std::uint8_t>(word & 0xff));
        bytes.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    return bytes;
}

}  // namespace ravelin::search::testing_support
