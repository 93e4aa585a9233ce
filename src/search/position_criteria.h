#pragma once

// The position lists decoded once per search into placements and count conditions, and the test
// of one position against them. Positions are 64 piece-code bytes in FastSquare order, the form
// of the fast file's boards and of the saved positions of a replay.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "chess/board.h"
#include "search/relation_criterion.h"
#include "search/search_criteria.h"

namespace ravelin::search {

inline constexpr char kMoveNumberLabelOff[] = "Move Num";

// A square that no position has: an entry that names no real placement is never satisfied.
inline constexpr int kNoSquare = -1;

struct PiecePlacement {
    int square = kNoSquare;  // FastSquare index 0..63
    chess::PieceCode code = chess::kEmpty;
};

// A condition on the number of one side's pieces of one kind.
struct PieceCountTest {
    chess::Side side = chess::Side::kWhite;
    chess::PieceCode kind = chess::kPawn;  // kPawn .. kQueen
    int relation = kCountEqual;            // kCountEqual, kCountAtMost or kCountAtLeast
    int value = 0;
};

// What one list entry says.
struct DecodedEntry {
    enum class Form {
        kPlacement,   // placement (square kNoSquare: never satisfied)
        kCount,       // count condition of the entry's side
        kEitherSide,  // black list: the white condition on kind may be met by black
        kIgnored,     // an either-side form in the white list: says nothing about white
    };
    Form form = Form::kPlacement;
    PiecePlacement placement;
    chess::PieceCode kind = chess::kPawn;
    int relation = kNoCount;
    char digit = 0;
};

// Reads one entry of the list of side; an empty text is not an entry (the caller stops there).
DecodedEntry DecodePositionEntry(std::string_view text, chess::Side side);

// The piece counts of a position, indexed by piece code (0..16; 7..10 unused).
using PieceCounts = std::array<std::uint8_t, chess::kKing + chess::kBlackOffset + 1>;
PieceCounts CountPieces(const std::uint8_t* board);

// The criteria of one position search, decoded once.
struct PositionQuery {
    std::vector<PiecePlacement> placements;
    std::vector<PieceCountTest> counts;
    // Per kind (index = piece code): the white condition may be met by the black pieces.
    std::array<bool, chess::kKing + 1> eitherSide{};
    bool moveNumberOn = false;
    RelationCriterion moveNumber;
    // An entry no position can satisfy (a placement on no square, two pieces on one square).
    bool neverMet = false;

    bool HasCounts() const { return !counts.empty(); }
    // Whether counts alone let this position pass (placements are tested separately).
    bool CountsHold(const PieceCounts& counts) const;
    bool MoveNumberHolds(int ply) const;
    bool PlacementsHold(const std::uint8_t* board) const;
    // The full test of the position after ply (0 = start) given its 64 bytes.
    bool Passes(const std::uint8_t* board, int ply) const;
};

PositionQuery DecodePositionQuery(const SearchPosition& position);

// The move of a position: ply / 2 rounded up (the start is move 0).
constexpr int MoveNumberOfPly(int ply) {
    return (ply + 1) / 2;
}

// The status label of the move-number condition: "Move %s", "Mov %s" or "M %s" by the length of
// the criterion text without blanks, "Move Num" when the condition is off or empty.
std::string MoveNumberLabel(const MoveNumberCondition& condition);

}  // namespace ravelin::search
