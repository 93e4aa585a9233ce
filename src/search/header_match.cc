#include "search/header_match.h"

#include <algorithm>

#include "platform/text_case.h"

namespace ravelin::search {

namespace {

constexpr char kEitherColour = '*';
constexpr char kExactMark = '#';
// "*1-0": the player form of a Result criterion.
constexpr std::size_t kPlayerResultLength = 4;
constexpr std::string_view kWhiteWon = "1-0";
constexpr std::string_view kBlackWon = "0-1";

// The value cut to the criterion's length equals it, case ignored. An empty criterion sets no
// condition.
bool PrefixMatches(std::string_view value, std::string_view criterion) {
    return platform::StartsWithIgnoringCase(value, criterion);
}

bool EloPasses(bool given, const RelationCriterion& criterion, std::string_view elo) {
    if (!given) {
        return true;
    }
    const long value = DecimalValue(elo);
    return value != 0 && criterion.Satisfies(value);
}

bool NumericCondition(std::string_view text, RelationCriterion& criterion) {
    criterion = ParseRelationCriterion(text);
    return !text.empty() && criterion.SetsNumericCondition();
}

}  // namespace

std::uint8_t OutcomeOfResult(std::string_view result) {
    if (result.size() >= 2 && result[1] == '-') {
        return result[0] == '1' ? kOutcomeWhiteWon : kOutcomeBlackWon;
    }
    return kOutcomeOther;
}

HeaderMatcher::HeaderMatcher(const HeaderCriteria& criteria) {
    event_ = criteria[HeaderField::kEvent];
    if (!event_.empty() && event_.back() == kExactMark) {
        event_.remove_suffix(1);
        eventExact_ = true;
    }
    site_ = criteria[HeaderField::kSite];
    round_ = criteria[HeaderField::kRound];
    eco_ = criteria[HeaderField::kEco];
    result_ = criteria[HeaderField::kResult];
    const std::string& date = criteria[HeaderField::kDate];
    dateGiven_ = !date.empty();
    if (dateGiven_) {
        date_ = ParseRelationCriterion(date);
    }
    numberOfMovesGiven_ = NumericCondition(criteria[HeaderField::kNumberOfMoves], numberOfMoves_);
    whiteEloGiven_ = NumericCondition(criteria[HeaderField::kWhiteElo], whiteElo_);
    blackEloGiven_ = NumericCondition(criteria[HeaderField::kBlackElo], blackElo_);
    specificMove_ = ParseSpecificMove(criteria[HeaderField::kSpecificMove]);

    const std::string_view white = criteria[HeaderField::kWhite];
    std::string_view black = criteria[HeaderField::kBlack];
    white_ = NameCriterion(white);
    if (white_.Given() && !black.empty() && black[0] == kEitherColour) {
        if (black.size() == 1) {
            form_ = PlayerForm::kEitherColour;
        } else if (white_.Mode() != NameMode::kLastDiffers) {
            // A '?' name looks for players other than the one named; a pairing makes no sense
            // with it, and the Black field is then left out.
            form_ = PlayerForm::kPairing;
            black.remove_prefix(1);
            while (!black.empty() && black[0] == ' ') {
                black.remove_prefix(1);
            }
            black_ = NameCriterion(black);
        }
    } else if (white_.Mode() != NameMode::kLastDiffers || !white_.Given()) {
        // Without a White name a Black beginning with '*' is an ordinary name.
        black_ = NameCriterion(black);
    }
    resultPlayerForm_ = form_ != PlayerForm::kPlain && result_.size() == kPlayerResultLength &&
                        result_[0] == kEitherColour && result_[2] == '-';
    resultWanted_ = resultPlayerForm_ && result_.substr(1) == kWhiteWon;
}

int HeaderMatcher::RecordValuesLookedAt() const {
    // The Result is always read: it gives the outcome.
    int count = 3;
    const auto need = [&count](bool given, int values) { count = given ? std::max(count, values) : count; };
    need(dateGiven_, 4);
    need(!eco_.empty(), 5);
    need(whiteEloGiven_, 6);
    need(blackEloGiven_, 7);
    need(!round_.empty(), 8);
    need(!event_.empty() || eventExact_, 9);
    need(!site_.empty(), 10);
    return count;
}

bool HeaderMatcher::LooksOnlyAtDateAndEco() const {
    return form_ == PlayerForm::kPlain && !white_.Given() && !black_.Given() && result_.empty() &&
           event_.empty() && !eventExact_ && site_.empty() && round_.empty() && !whiteEloGiven_ &&
           !blackEloGiven_ && !numberOfMovesGiven_ && !specificMove_.given;
}

bool HeaderMatcher::PlayersMatch(const HeaderGameValues& game, Side& side) const {
    switch (form_) {
        case PlayerForm::kPlain:
            return (!white_.Given() || white_.Matches(game.white)) &&
                   (!black_.Given() || black_.Matches(game.black));
        case PlayerForm::kEitherColour:
            if (white_.Matches(game.white)) {
                side = Side::kWhite;
                return true;
            }
            if (white_.Matches(game.black)) {
                side = Side::kBlack;
                return true;
            }
            return false;
        case PlayerForm::kPairing:
            if (white_.Matches(game.white)) {
                side = Side::kWhite;
                return black_.Matches(game.black);
            }
            side = Side::kBlack;
            return black_.Matches(game.white) && white_.Matches(game.black);
    }
    return false;
}

bool HeaderMatcher::ResultMatches(std::string_view result, Side side) const {
    if (result_.empty()) {
        return true;
    }
    if (resultPlayerForm_ && side != Side::kNone) {
        const std::string_view won = side == Side::kWhite ? kWhiteWon : kBlackWon;
        const std::string_view lost = side == Side::kWhite ? kBlackWon : kWhiteWon;
        return result.substr(0, won.size()) == (resultWanted_ ? won : lost);
    }
    return PrefixMatches(result, result_);
}

bool HeaderMatcher::Matches(const HeaderGameValues& game, std::uint8_t& outcome) const {
    Side side = Side::kNone;
    if ((form_ != PlayerForm::kPlain || white_.Given() || black_.Given()) && !PlayersMatch(game, side)) {
        return false;
    }
    if (!result_.empty() && !ResultMatches(game.result, side)) {
        return false;
    }
    if (!event_.empty() && !(eventExact_ ? game.event == event_ : PrefixMatches(game.event, event_))) {
        return false;
    }
    if (!PrefixMatches(game.site, site_) || !PrefixMatches(game.round, round_) ||
        !PrefixMatches(game.eco, eco_)) {
        return false;
    }
    if (dateGiven_ && !game.date.empty() && (game.date[0] == '?' || !date_.SatisfiesText(game.date))) {
        return false;
    }
    if (!EloPasses(whiteEloGiven_, whiteElo_, game.whiteElo) ||
        !EloPasses(blackEloGiven_, blackElo_, game.blackElo)) {
        return false;
    }
    if (numberOfMovesGiven_ && !numberOfMoves_.Satisfies(game.moves)) {
        return false;
    }
    if (specificMove_.given &&
        (game.moveList == nullptr || !GameHasSpecificMove(specificMove_, *game.moveList, game.moves))) {
        return false;
    }
    outcome = OutcomeOfResult(game.result);
    if (form_ == PlayerForm::kEitherColour) {
        const bool white = side == Side::kWhite;
        if (outcome == kOutcomeOther) {
            outcome = white ? kOutcomeUndecidedAsWhite : kOutcomeUndecidedAsBlack;
        } else if (outcome != (white ? kOutcomeWhiteWon : kOutcomeBlackWon)) {
            outcome = kOutcomeOther;  // a loss is not counted
        }
    }
    return true;
}

void HeaderMatcher::StartResult(SearchResult& result) const {
    result.Clear(form_ == PlayerForm::kPlain ? kNotCounted : 0);
    if (form_ == PlayerForm::kPairing) {
        result.counter4 = kNotCounted;
    }
    result.pliesMatched = 0;
}

void HeaderMatcher::AddMatch(SearchResult& result, int game, std::uint8_t outcome) const {
    result.Add(game, outcome);
    if (form_ == PlayerForm::kEitherColour) {
        result.counter3 += outcome == kOutcomeUndecidedAsWhite ? 1 : 0;
        result.counter4 += outcome == kOutcomeUndecidedAsBlack ? 1 : 0;
    } else if (form_ == PlayerForm::kPairing && outcome == kOutcomeOther) {
        ++result.counter3;
    }
}

}  // namespace ravelin::search
