#include "eco/eco_commands.h"

namespace ravelin::eco {

int GamePliesForFindOpening(const chess::MoveList& moves) {
    int count = 0;
    while (count < kMaxEcoMovesPerSide &&
           !chess::SanView(moves.whiteMoves[static_cast<std::size_t>(count)]).empty()) {
        ++count;
    }
    if (count == 0) {
        return 0;
    }
    const bool lastBlackEmpty = chess::SanView(moves.blackMoves[static_cast<std::size_t>(count - 1)]).empty();
    return 2 * count - (lastBlackEmpty ? 1 : 0);
}

int FindOpeningInGame(const EcoTable& table, const chess::MoveList& moves, const EcoMessageSink& messages) {
    const int plies = GamePliesForFindOpening(moves);
    if (plies == 0) {
        Report(messages, EcoMessageKind::kError, kNoMovesToCheck);
        return kNoEcoEntry;
    }
    const int entry = ClassifyOpening(table, PrepareGameMoves(moves), plies);
    if (entry == kNoEcoEntry) {
        Report(messages, EcoMessageKind::kInformation, kNoOpeningMatch);
        return kNoEcoEntry;
    }
    Report(messages, EcoMessageKind::kInformation,
           std::string(EcoCode(table, entry)) + " " + std::string(EcoName(table, entry)));
    return entry;
}

std::string FindOpeningTitle(MatchMode mode) {
    switch (mode) {
        case MatchMode::kClosestMatch:
            return "Find Opening - Closest Match";
        case MatchMode::kExactNumberOfMoves:
            return "Find Opening - Exact Number of Moves";
        case MatchMode::kExactVariation:
            break;
    }
    return "Find Opening - Exact Variation";
}

std::optional<FindOpeningDialog> FindOpeningCommand(const EcoTable& table, const chess::MoveList& moves,
                                                    int enteredPlies, MatchMode mode,
                                                    bool inVariationEditOrAnalyze,
                                                    const EcoMessageSink& messages) {
    if (!inVariationEditOrAnalyze) {
        Report(messages, EcoMessageKind::kError, kMustBeInVariationEdit);
        return std::nullopt;
    }
    if (enteredPlies <= 0) {
        Report(messages, EcoMessageKind::kError, kNoMovesToCheck);
        return std::nullopt;
    }
    const int entry = FindOpening(table, PrepareGameMoves(moves), enteredPlies, mode);
    if (entry == kNoEcoEntry) {
        Report(messages, EcoMessageKind::kInformation, kNoOpeningMatch);
        return std::nullopt;
    }
    return FindOpeningDialog{entry, FindOpeningTitle(mode)};
}

}  // namespace ravelin::eco
