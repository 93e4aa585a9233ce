#include "search/position_lists.h"

#include <string>

#include "search/position_criteria.h"

namespace ravelin::search {
namespace {

// Appends an entry; when the list is full the 40th entry takes it.
class ListWriter {
  public:
    explicit ListWriter(PositionList& list) : list_(list) {}
    void Add(std::string_view text) {
        SetPositionEntry(list_[next_], text);
        if (next_ + 1 < list_.size()) {
            ++next_;
        }
    }

  private:
    PositionList& list_;
    std::size_t next_ = 0;
};

constexpr char RelationCharacter(int relation) {
    switch (relation) {
        case kCountEqual:
            return '=';
        case kCountAtMost:
            return '<';
        case kCountAtLeast:
            return '>';
        case kCountEitherSide:
            return '*';
        default:
            return '\0';
    }
}

constexpr chess::PieceCode KindOfCount(int countKind) {
    return chess::kQueen - countKind;
}

constexpr int CountKindOf(chess::PieceCode kind) {
    return chess::kQueen - kind;
}

}  // namespace

void BuildPositionLists(const CriteriaBoard& board, SearchPosition& position) {
    position.white = {};
    position.black = {};
    ListWriter white(position.white);
    ListWriter black(position.black);
    for (int file = chess::kFirstLine; file <= chess::kLastLine; ++file) {
        for (int rank = chess::kFirstLine; rank <= chess::kLastLine; ++rank) {
            const chess::PieceCode code = board.squares[file][rank];
            const bool isWhite = chess::IsWhitePiece(code);
            if (!isWhite && !chess::IsBlackPiece(code)) {
                continue;
            }
            std::string text;
            const chess::PieceCode kind = chess::KindOf(code);
            if (kind != chess::kPawn) {
                text.push_back(chess::KindLetter(kind));
            }
            text.push_back(chess::FileLetter(file));
            text.push_back(chess::RankDigit(rank));
            (isWhite ? white : black).Add(text);
        }
    }
    for (int side = 0; side < 2; ++side) {
        ListWriter& writer = side == 0 ? white : black;
        for (int countKind = kCountQueens; countKind < kCountKinds; ++countKind) {
            const CountCondition& condition = board.counts[side][countKind];
            const char relation = RelationCharacter(condition.relation);
            if (relation == '\0') {
                continue;
            }
            std::string text;
            const chess::PieceCode kind = KindOfCount(countKind);
            if (kind != chess::kPawn) {
                text.push_back(chess::KindLetter(kind));
            }
            text.push_back(relation);
            text.push_back(condition.digit);
            writer.Add(text);
        }
    }
}

void PutListsOnCriteriaBoard(const SearchPosition& position, CriteriaBoard& board) {
    board.Clear();
    for (const chess::Side side : {chess::Side::kWhite, chess::Side::kBlack}) {
        const PositionList& list = side == chess::Side::kWhite ? position.white : position.black;
        for (const PositionEntry& raw : list) {
            const std::string_view text = PositionEntryText(raw);
            if (text.empty()) {
                break;
            }
            const DecodedEntry entry = DecodePositionEntry(text, side);
            if (entry.form == DecodedEntry::Form::kPlacement) {
                if (entry.placement.square != kNoSquare) {
                    const int file = entry.placement.square / chess::kLastLine + 1;
                    const int rank = entry.placement.square % chess::kLastLine + 1;
                    board.squares[file][rank] = entry.placement.code;
                }
                continue;
            }
            board.counts[chess::SideIndex(side)][CountKindOf(entry.kind)] =
                CountCondition{entry.relation, entry.digit};
        }
    }
}

}  // namespace ravelin::search
