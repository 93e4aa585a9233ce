#pragma once

// The header criteria prepared once per search, and the test of one game's values against them.

#include <cstdint>
#include <string_view>

#include "chess/move_list.h"
#include "search/move_pattern.h"
#include "search/name_key.h"
#include "search/relation_criterion.h"
#include "search/search_criteria.h"
#include "search/search_result.h"

namespace ravelin::search {

// One game's values as the header search reads them, from an X.TRH record or the parsed header
// (Round reduced as the fast file stores it). Views into the source's buffers.
struct HeaderGameValues {
    std::string_view white, black, result, date, eco, whiteElo, blackElo, round, event, site;
    // White moves; read only when the criteria need it (Number of Moves or Specific Move).
    int moves = 0;
    // The main line, only on the PGN path and only for a Specific Move criterion.
    const chess::MoveList* moveList = nullptr;
};

// How the White and Black fields select players.
enum class PlayerForm {
    kPlain,         // White and/or Black names, each on its own side
    kEitherColour,  // White name, Black "*": the player with either colour
    kPairing,       // White name, Black '*' and a second name: the two in either colours
};

// The outcome byte of a Result value: 1 when its second character is '-' and its first '1', 2 when
// the second is '-' after anything else, 0 otherwise.
std::uint8_t OutcomeOfResult(std::string_view result);

// Keeps views into the criteria: they must outlive the matcher (one search).
class HeaderMatcher {
  public:
    explicit HeaderMatcher(const HeaderCriteria& criteria);

    PlayerForm Form() const { return form_; }
    bool HasNumberOfMoves() const { return numberOfMovesGiven_; }
    bool HasSpecificMove() const { return specificMove_.given; }
    bool NeedsMoves() const { return HasNumberOfMoves() || HasSpecificMove(); }
    // How many leading values of an X.TRH record (White, Black, Result, Date, ECO, WhiteElo,
    // BlackElo, Round, Event, Site) the criteria look at; the others may be left empty.
    int RecordValuesLookedAt() const;
    // Whether the criteria look at nothing but the Date, the ECO code and the outcome.
    bool LooksOnlyAtDateAndEco() const;

    // Whether the game passes every criterion; outcome is then its outcome byte (for the
    // either-colour form the player's: 1 won as White, 2 won as Black, 3 and 4 undecided as White
    // and Black, 0 lost).
    bool Matches(const HeaderGameValues& game, std::uint8_t& outcome) const;

    // The result emptied with the counters this form counts.
    void StartResult(SearchResult& result) const;
    // Appends a match and counts it.
    void AddMatch(SearchResult& result, int game, std::uint8_t outcome) const;

  private:
    enum class Side { kNone, kWhite, kBlack };
    bool PlayersMatch(const HeaderGameValues& game, Side& side) const;
    bool ResultMatches(std::string_view result, Side side) const;

    std::string_view event_;
    bool eventExact_ = false;
    std::string_view site_, round_, eco_, result_;
    bool dateGiven_ = false;
    RelationCriterion date_;
    bool numberOfMovesGiven_ = false, whiteEloGiven_ = false, blackEloGiven_ = false;
    RelationCriterion numberOfMoves_, whiteElo_, blackElo_;
    PlayerForm form_ = PlayerForm::kPlain;
    NameCriterion white_, black_;
    // A Result criterion of the player form ("*1-0" won, "*0-1" and the like lost), used when the
    // player's side is known.
    bool resultPlayerForm_ = false;
    bool resultWanted_ = false;
    SpecificMove specificMove_;
};

}  // namespace ravelin::search
