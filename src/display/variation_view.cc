#include "display/variation_view.h"

#include <cctype>
#include <cstdio>
#include <map>
#include <memory>

#include "chess/movetext.h"
#include "chess/san_reader.h"
#include "chess/variation_stepper.h"

namespace ravelin::display {

namespace {

// "n.." and "n..." both number black's move.
constexpr std::size_t kBlackNumberDots = 2;

struct Variation {
    int parent = 0;
    int branchIndex = 0;
    int hangPly = 0;
    std::vector<std::size_t> moves;  // word indices, in order
};

std::string Trimmed(std::string_view text) {
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return std::string(text);
}

// Plays a variation token as the move of a ply on the scratch position and saves it; the SAN
// reader's rewritten text on success.
std::optional<std::string> Play(chess::ChessContext& context, int ply, std::string_view token) {
    if (ply < 1 || ply > chess::kMaxPly || token.empty()) {
        return std::nullopt;
    }
    chess::SanText text{};
    chess::FromHint hint{};
    chess::StoreMoveToken(token, true, false, text, hint);
    if (!chess::ApplySan(context, ply, text, hint)) {
        return std::nullopt;
    }
    chess::SavePosition(context, ply);
    return std::string(chess::SanView(text));
}

VariationReplay Failure(std::string message) {
    VariationReplay replay;
    replay.error = std::move(message);
    return replay;
}

}  // namespace

int VariationFirstPly(std::string_view moveText, int fallback) {
    std::size_t digits = 0;
    long long number = 0;
    while (digits < moveText.size() && std::isdigit(static_cast<unsigned char>(moveText[digits])) != 0) {
        // Beyond the longest game the exact number no longer matters.
        if (number <= chess::kMaxPly) {
            number = number * 10 + (moveText[digits] - '0');
        }
        ++digits;
    }
    std::size_t dots = 0;
    while (digits + dots < moveText.size() && moveText[digits + dots] == '.') {
        ++dots;
    }
    if (digits == 0 || dots == 0) {
        return fallback;
    }
    const long long first = dots >= kBlackNumberDots ? 2 * number : 2 * number - 1;
    return first > chess::kMaxPly + 1 ? chess::kMaxPly + 1 : static_cast<int>(first);
}

VariationReplay ReplayVariation(const std::vector<ColumnWord>& words, std::size_t word,
                                const chess::ChessContext& game, int mainPlies) {
    if (word >= words.size() || words[word].kind != ColumnWordKind::kVariationMove) {
        return Failure(std::string(kVariationMoveNotPlayable));
    }
    std::map<int, Variation> variations;
    for (std::size_t k = 0; k < words.size(); ++k) {
        const ColumnWord& move = words[k];
        if (move.kind != ColumnWordKind::kVariationMove) {
            continue;
        }
        Variation& variation = variations[move.variationId];
        if (variation.moves.empty()) {
            variation.parent = move.parentVariation;
            variation.branchIndex = move.branchIndex;
            variation.hangPly = move.ply;
        }
        variation.moves.push_back(k);
    }
    // The clicked variation and its parents, outermost first.
    std::vector<int> chain;
    for (int id = words[word].variationId; id != 0;) {
        const auto found = variations.find(id);
        if (found == variations.end() || chain.size() > variations.size()) {
            return Failure(std::string(kVariationMoveNotPlayable) + Trimmed(words[word].text));
        }
        chain.insert(chain.begin(), id);
        id = found->second.parent;
    }

    const Variation& outer = variations[chain.front()];
    const int hangPly = outer.hangPly;
    int firstPly = VariationFirstPly(words[outer.moves.front()].text, hangPly);
    // A variation replaces a move already played or continues after it, never one further on.
    if (firstPly < 1 || firstPly > hangPly + 1 || firstPly - 1 > mainPlies) {
        return Failure(chess::kInvalidMoveNumberAfterParen);
    }
    auto scratch = std::make_unique<chess::ChessContext>(game);
    scratch->messages = {};
    scratch->warningsOff = true;
    chess::RestorePosition(*scratch, firstPly - 1);

    // Through each parent up to the branch point of the next variation in.
    for (std::size_t level = 0; level + 1 < chain.size(); ++level) {
        const Variation& parent = variations[chain[level]];
        const Variation& child = variations[chain[level + 1]];
        const int fallback = firstPly + std::max(child.branchIndex - 1, 0);
        const int childFirst = VariationFirstPly(words[child.moves.front()].text, fallback);
        if (childFirst < firstPly || childFirst > firstPly + child.branchIndex ||
            childFirst - firstPly > static_cast<int>(parent.moves.size())) {
            return Failure(chess::kInvalidMoveNumberAfterParen);
        }
        for (int ply = firstPly; ply < childFirst; ++ply) {
            const ColumnWord& move = words[parent.moves[static_cast<std::size_t>(ply - firstPly)]];
            if (!Play(*scratch, ply, move.san)) {
                return Failure(std::string(kVariationMoveNotPlayable) + Trimmed(move.text));
            }
        }
        firstPly = childFirst;
    }

    VariationLine line;
    line.hangPly = hangPly;
    line.variationId = words[word].variationId;
    line.firstPly = firstPly;
    line.boards.push_back(scratch->board);
    const Variation& clicked = variations[chain.back()];
    for (std::size_t k = 0; k < clicked.moves.size(); ++k) {
        const ColumnWord& move = words[clicked.moves[k]];
        std::optional<std::string> played = Play(*scratch, firstPly + static_cast<int>(k), move.san);
        if (!played) {
            if (clicked.moves[k] <= word) {
                return Failure(std::string(kVariationMoveNotPlayable) + Trimmed(move.text));
            }
            break;
        }
        line.moves.push_back(*played);
        line.boards.push_back(scratch->board);
    }
    line.current = words[word].indexInVariation;
    if (line.current < 1 || line.current > line.MoveCount()) {
        return Failure(std::string(kVariationMoveNotPlayable) + Trimmed(words[word].text));
    }
    VariationReplay replay;
    replay.line = std::move(line);
    return replay;
}

std::vector<VariationChoice> VariationsAfter(const std::vector<ColumnWord>& words, int ply) {
    std::vector<VariationChoice> choices;
    for (std::size_t k = 0; k < words.size(); ++k) {
        const ColumnWord& word = words[k];
        if (word.kind != ColumnWordKind::kVariationMove || word.depth != 1 || word.ply != ply) {
            continue;
        }
        if (choices.empty() || words[choices.back().firstWord].variationId != word.variationId) {
            choices.push_back({k, {}});
        }
        choices.back().text += word.text;
    }
    for (VariationChoice& choice : choices) {
        choice.text = Trimmed(choice.text);
    }
    return choices;
}

std::string VariationMoveNumberText(int ply, std::string_view move) {
    char buffer[64];
    if (ply % 2 == 1) {
        std::snprintf(buffer, sizeof buffer, "%3d. %s", (ply + 1) / 2, std::string(move).c_str());
    } else {
        std::snprintf(buffer, sizeof buffer, "%3d. ... %s", ply / 2, std::string(move).c_str());
    }
    return buffer;
}

}  // namespace ravelin::display
