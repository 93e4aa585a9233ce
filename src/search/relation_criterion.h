#pragma once

// A relation typed into a criteria field: "=5", ">1990", ">= 2400", "<20", "1990-1995".

#include <string>
#include <string_view>

namespace ravelin::search {

enum class Relation { kEqual, kGreater, kAtLeast, kLess, kAtMost, kRange };

struct RelationCriterion {
    Relation relation = Relation::kEqual;
    std::string low;   // the value (the lower end of a range)
    std::string high;  // the upper end of a range, else empty
    long lowNumber = 0;
    long highNumber = 0;

    // A numeric criterion (move number, Elo, Number of Moves) whose first value reads as 0 sets no
    // condition.
    bool SetsNumericCondition() const { return lowNumber != 0; }
    // value against the numbers; a range needs value >= low and, when high is not 0, value <= high.
    bool Satisfies(long value) const;
    // A text (a Date) against the texts, case ignored: the text cut to the length of the value is
    // compared with it; a range also needs the text cut to the upper value's length to be at most it.
    bool SatisfiesText(std::string_view text) const;
};

RelationCriterion ParseRelationCriterion(std::string_view text);

// The usual decimal conversion: optional blanks and sign, then digits up to the first non-digit;
// 0 when there are none.
long DecimalValue(std::string_view text);

}  // namespace ravelin::search
