#include "shell/dialogs/position_dialogs.h"

#include "search/relation_criterion.h"

namespace ravelin::shell {

std::string PiecesRemainingDialog::Validate() {
    for (int side = 0; side < 2; ++side) {
        for (int kind = 0; kind < search::kCountKinds; ++kind) {
            const search::CountCondition& condition = counts[side][kind];
            if (condition.relation == search::kNoCount) {
                continue;
            }
            if (condition.relation < search::kNoCount || condition.relation > search::kCountEitherSide) {
                return kCountDigitWanted;
            }
            if (condition.relation == search::kCountEitherSide) {
                if (side == 0) {
                    return kEitherSideBlackOnly;
                }
                if (counts[0][kind].relation == search::kNoCount) {
                    return kEitherSideNeedsWhite;
                }
                // The entry carries the digit of the White condition it extends.
                counts[1][kind].digit = counts[0][kind].digit;
                continue;
            }
            if (condition.digit < '0' || condition.digit > '9') {
                return kCountDigitWanted;
            }
        }
    }
    return {};
}

const char* CountKindLabel(int kind) {
    static constexpr const char* kLabels[] = {"Queens", "Rooks", "Bishops", "Knights", "Pawns"};
    return kind >= 0 && kind < search::kCountKinds ? kLabels[kind] : "";
}

char CountRelationCharacter(int relation) {
    switch (relation) {
        case search::kCountEqual:
            return '=';
        case search::kCountAtMost:
            return '<';
        case search::kCountAtLeast:
            return '>';
        case search::kCountEitherSide:
            return '*';
        default:
            return 0;
    }
}

std::string MoveNumberDialog::Validate() {
    if (criterion.size() > search::kMaxMoveNumberCriterion) {
        return kMoveNumberTooLong;
    }
    if (on && !criterion.empty() && !search::ParseRelationCriterion(criterion).SetsNumericCondition()) {
        return kMoveNumberWanted;
    }
    return {};
}

}  // namespace ravelin::shell
