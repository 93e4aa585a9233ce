#include "search/relation_criterion.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "platform/text_case.h"

namespace ravelin::search {
namespace {

std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
    }
    return pos;
}

std::string_view ValueAt(std::string_view text, std::size_t pos) {
    const std::size_t end = std::min(text.find_first_of(" -", pos), text.size());
    return text.substr(pos, end - pos);
}

bool Holds(Relation relation, int comparison) {
    switch (relation) {
        case Relation::kEqual:
            return comparison == 0;
        case Relation::kGreater:
            return comparison > 0;
        case Relation::kAtLeast:
        case Relation::kRange:
            return comparison >= 0;
        case Relation::kLess:
            return comparison < 0;
        case Relation::kAtMost:
            return comparison <= 0;
    }
    return false;
}

}  // namespace

long DecimalValue(std::string_view text) {
    std::size_t pos = SkipBlanks(text, 0);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    long value = 0;
    constexpr long kLimit = std::numeric_limits<long>::max() / 10 - 9;
    for (; pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])); ++pos) {
        if (value < kLimit) {  // a value this large satisfies nothing sensible anyway; never overflow
            value = value * 10 + (text[pos] - '0');
        }
    }
    return negative ? -value : value;
}

RelationCriterion ParseRelationCriterion(std::string_view text) {
    RelationCriterion criterion;
    std::size_t pos = SkipBlanks(text, 0);
    bool hasOperator = true;
    const char first = pos < text.size() ? text[pos] : '\0';
    const char second = pos + 1 < text.size() ? text[pos + 1] : '\0';
    if ((first == '>' && second == '=') || (first == '=' && second == '>')) {
        criterion.relation = Relation::kAtLeast;
        pos += 2;
    } else if ((first == '<' && second == '=') || (first == '=' && second == '<')) {
        criterion.relation = Relation::kAtMost;
        pos += 2;
    } else if (first == '>') {
        criterion.relation = Relation::kGreater;
        ++pos;
    } else if (first == '<') {
        criterion.relation = Relation::kLess;
        ++pos;
    } else if (first == '=') {
        ++pos;
    } else {
        hasOperator = false;
    }
    pos = SkipBlanks(text, pos);
    criterion.low = std::string(ValueAt(text, pos));
    criterion.lowNumber = DecimalValue(criterion.low);
    if (!hasOperator) {
        const std::size_t dash = text.find('-', pos);
        if (dash != std::string_view::npos) {
            criterion.relation = Relation::kRange;
            criterion.high = std::string(ValueAt(text, SkipBlanks(text, dash + 1)));
            criterion.highNumber = DecimalValue(criterion.high);
        }
    }
    return criterion;
}

bool RelationCriterion::Satisfies(long value) const {
    if (relation == Relation::kRange) {
        return value >= lowNumber && (highNumber == 0 || value <= highNumber);
    }
    return Holds(relation, value < lowNumber ? -1 : (value > lowNumber ? 1 : 0));
}

bool RelationCriterion::SatisfiesText(std::string_view text) const {
    const int comparison = platform::CompareIgnoringCase(text.substr(0, low.size()), low);
    if (!Holds(relation, comparison)) {
        return false;
    }
    if (relation == Relation::kRange) {
        return platform::CompareIgnoringCase(text.substr(0, high.size()), high) <= 0;
    }
    return true;
}

}  // namespace ravelin::search
