#pragma once

// The two dialogs of position edit as plain data: "Pawns and Pieces Remaining" (a count condition
// per side and kind) and "Set Position Move Number" (the switch and its criterion text).

#include <array>
#include <string>

#include "platform/dialog.h"
#include "search/search_criteria.h"

namespace ravelin::shell {

inline constexpr char kPiecesRemainingTitle[] = "Pawns and Pieces Remaining";
inline constexpr char kMoveNumberTitle[] = "Set Position Move Number";
inline constexpr char kCountDigitWanted[] = "Each count needs one digit, 0 to 9.";
inline constexpr char kEitherSideNeedsWhite[] =
    "\"Either side\" applies the White count of that kind: set the White count first.";
inline constexpr char kEitherSideBlackOnly[] = "\"Either side\" can only be chosen for Black.";
inline constexpr char kMoveNumberTooLong[] = "The move number criterion has at most 14 characters.";
inline constexpr char kMoveNumberWanted[] = "Give a move number, such as 20, >20, <=30 or 20-30.";

using CountTable = std::array<std::array<search::CountCondition, search::kCountKinds>, 2>;

class PiecesRemainingDialog : public platform::Dialog {
  public:
    explicit PiecesRemainingDialog(const CountTable& table) : counts(table) {}
    std::string Title() const override { return kPiecesRemainingTitle; }
    std::string Validate() override;

    CountTable counts;  // [0] White, [1] Black
};

// The label of a count kind in the dialog ("Queens" ... "Pawns").
const char* CountKindLabel(int kind);
// The character of a relation code ('=', '<', '>', '*'), 0 for none.
char CountRelationCharacter(int relation);

class MoveNumberDialog : public platform::Dialog {
  public:
    explicit MoveNumberDialog(const search::MoveNumberCondition& condition)
        : on(condition.on), criterion(condition.criterion) {}
    std::string Title() const override { return kMoveNumberTitle; }
    std::string Validate() override;

    bool on = false;
    std::string criterion;
};

}  // namespace ravelin::shell
