#include "search/position_criteria.h"

#include <algorithm>

#include "search/fast_move.h"

namespace ravelin::search {
namespace {

int RelationOfCharacter(char c) {
    switch (c) {
        case '=':
            return kCountEqual;
        case '<':
            return kCountAtMost;
        case '>':
            return kCountAtLeast;
        case '*':
            return kCountEitherSide;
        default:
            return kNoCount;
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsCountKindLetter(char c) {
    return c == 'N' || c == 'B' || c == 'R' || c == 'Q';
}

DecodedEntry Never() {
    DecodedEntry entry;
    entry.form = DecodedEntry::Form::kPlacement;
    entry.placement.square = kNoSquare;
    return entry;
}

// The relation and digit that follow a count's kind letter (or begin a pawn count).
DecodedEntry CountEntry(chess::PieceCode kind, char relationCharacter, char digit, chess::Side side) {
    if (!IsDigit(digit)) {
        return Never();
    }
    DecodedEntry entry;
    entry.kind = kind;
    entry.relation = RelationOfCharacter(relationCharacter);
    entry.digit = digit;
    if (entry.relation == kCountEitherSide) {
        entry.form =
            side == chess::Side::kBlack ? DecodedEntry::Form::kEitherSide : DecodedEntry::Form::kIgnored;
    } else {
        entry.form = DecodedEntry::Form::kCount;
    }
    return entry;
}

DecodedEntry PlacementEntry(chess::PieceCode kind, char fileLetter, char rankDigit, chess::Side side) {
    const int file = chess::FileFromLetter(fileLetter);
    const int rank = chess::RankFromDigit(rankDigit);
    if (file == 0 || rank == 0) {
        return Never();
    }
    DecodedEntry entry;
    entry.form = DecodedEntry::Form::kPlacement;
    entry.placement.square = FastSquare(file, rank);
    entry.placement.code = chess::MakePiece(side, kind);
    return entry;
}

bool Satisfies(int relation, int count, int value) {
    switch (relation) {
        case kCountEqual:
            return count == value;
        case kCountAtMost:
            return count <= value;
        case kCountAtLeast:
            return count >= value;
        default:
            return false;
    }
}

}  // namespace

DecodedEntry DecodePositionEntry(std::string_view text, chess::Side side) {
    const auto at = [text](std::size_t i) { return i < text.size() ? text[i] : '\0'; };
    const char first = at(0);
    if (RelationOfCharacter(first) != kNoCount) {
        return CountEntry(chess::kPawn, first, at(1), side);
    }
    if (first >= 'A' && first <= 'Z') {
        if (IsCountKindLetter(first) && RelationOfCharacter(at(1)) != kNoCount) {
            return CountEntry(chess::KindOfPieceLetter(first), at(1), at(2), side);
        }
        const chess::PieceCode kind = chess::KindOfPieceLetter(first);
        return kind == chess::kEmpty ? Never() : PlacementEntry(kind, at(1), at(2), side);
    }
    return PlacementEntry(chess::kPawn, first, at(1), side);
}

PieceCounts CountPieces(const std::uint8_t* board) {
    PieceCounts counts{};
    for (int square = 0; square < chess::kSquareCount; ++square) {
        const std::uint8_t code = board[square];
        if (code < counts.size()) {
            ++counts[code];
        }
    }
    return counts;
}

PositionQuery DecodePositionQuery(const SearchPosition& position) {
    PositionQuery query;
    for (const chess::Side side : {chess::Side::kWhite, chess::Side::kBlack}) {
        const PositionList& list = side == chess::Side::kWhite ? position.white : position.black;
        for (const PositionEntry& raw : list) {
            const std::string_view text = PositionEntryText(raw);
            if (text.empty()) {
                break;
            }
            const DecodedEntry entry = DecodePositionEntry(text, side);
            switch (entry.form) {
                case DecodedEntry::Form::kPlacement:
                    if (entry.placement.square == kNoSquare) {
                        query.neverMet = true;
                    } else {
                        query.placements.push_back(entry.placement);
                    }
                    break;
                case DecodedEntry::Form::kCount:
                    query.counts.push_back(
                        PieceCountTest{side, entry.kind, entry.relation, entry.digit - '0'});
                    break;
                case DecodedEntry::Form::kEitherSide:
                    query.eitherSide[static_cast<std::size_t>(entry.kind)] = true;
                    break;
                case DecodedEntry::Form::kIgnored:
                    break;
            }
        }
    }
    // Two different pieces on one square can never stand there together.
    for (std::size_t i = 0; i < query.placements.size(); ++i) {
        for (std::size_t j = i + 1; j < query.placements.size(); ++j) {
            if (query.placements[i].square == query.placements[j].square &&
                query.placements[i].code != query.placements[j].code) {
                query.neverMet = true;
            }
        }
    }
    query.moveNumberOn = position.moveNumber.on;
    if (query.moveNumberOn) {
        query.moveNumber = ParseRelationCriterion(position.moveNumber.criterion);
        query.moveNumberOn = query.moveNumber.SetsNumericCondition();
    }
    return query;
}

bool PositionQuery::CountsHold(const PieceCounts& pieceCounts) const {
    for (const PieceCountTest& test : counts) {
        const int own = pieceCounts[static_cast<std::size_t>(chess::MakePiece(test.side, test.kind))];
        if (Satisfies(test.relation, own, test.value)) {
            continue;
        }
        const bool blackMayMeetIt =
            test.side == chess::Side::kWhite && eitherSide[static_cast<std::size_t>(test.kind)];
        const int black =
            pieceCounts[static_cast<std::size_t>(chess::MakePiece(chess::Side::kBlack, test.kind))];
        if (!blackMayMeetIt || !Satisfies(test.relation, black, test.value)) {
            return false;
        }
    }
    return true;
}

bool PositionQuery::MoveNumberHolds(int ply) const {
    return !moveNumberOn || moveNumber.Satisfies(MoveNumberOfPly(ply));
}

bool PositionQuery::PlacementsHold(const std::uint8_t* board) const {
    for (const PiecePlacement& placement : placements) {
        if (board[placement.square] != placement.code) {
            return false;
        }
    }
    return true;
}

bool PositionQuery::Passes(const std::uint8_t* board, int ply) const {
    if (neverMet || !PlacementsHold(board) || !MoveNumberHolds(ply)) {
        return false;
    }
    return counts.empty() || CountsHold(CountPieces(board));
}

std::string MoveNumberLabel(const MoveNumberCondition& condition) {
    std::string text;
    for (const char c : condition.criterion) {
        if (c != ' ') {
            text.push_back(c);
        }
    }
    if (!condition.on || text.empty()) {
        return kMoveNumberLabelOff;
    }
    constexpr std::size_t kFullPrefixLength = 5;
    constexpr std::size_t kShortPrefixLength = 6;
    if (text.size() <= kFullPrefixLength) {
        return "Move " + text;
    }
    return (text.size() == kShortPrefixLength ? "Mov " : "M ") + text;
}

}  // namespace ravelin::search
