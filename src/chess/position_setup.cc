#include "chess/position_setup.h"

#include <array>

namespace ravelin::chess {

namespace {

constexpr int kMaxKnights = 3;
constexpr int kMaxBishops = 2;
constexpr int kMaxRooks = 3;
constexpr int kMaxQueens = 3;
constexpr std::size_t kSquareTextLength = 2;

bool Refuse(const MessageSink& messages, std::string_view message) {
    if (messages) {
        messages(message);
    }
    return false;
}

}  // namespace

bool ValidateSetupBoard(const Board& setupBoard, const MessageSink& messages) {
    // counts[side][kind]; bishopColour[side] remembers the square colour of the first bishop.
    std::array<std::array<int, kKing + 1>, 2> counts{};
    std::array<int, 2> bishopColour{};
    for (int file = kFirstLine; file <= kLastLine; ++file) {
        for (int rank = kFirstLine; rank <= kLastLine; ++rank) {
            const PieceCode code = setupBoard[file][rank];
            if (code == kEmpty || (!IsWhitePiece(code) && !IsBlackPiece(code))) {
                continue;
            }
            const int side = IsWhitePiece(code) ? 0 : 1;
            const PieceCode kind = KindOf(code);
            ++counts[side][kind];
            if (kind == kBishop) {
                const int colour = SquareColour(file, rank);
                if (counts[side][kind] == 2 && bishopColour[side] == colour) {
                    return Refuse(messages, "Bishops must be on different diagonals.");
                }
                bishopColour[side] = colour;
            }
        }
    }
    const struct {
        PieceCode kind;
        int limit;
        const char* message;
    } kLimits[] = {
        {kKnight, kMaxKnights, "More than three knights of the same color are on the board."},
        {kBishop, kMaxBishops, "More than two bishops of the same color are on the board."},
        {kRook, kMaxRooks, "More than three rooks of the same color are on the board."},
        {kQueen, kMaxQueens, "More than three queens of the same color are on the board."},
    };
    for (const auto& limit : kLimits) {
        if (counts[0][limit.kind] > limit.limit || counts[1][limit.kind] > limit.limit) {
            return Refuse(messages, limit.message);
        }
    }
    if (counts[0][kKing] == 0 || counts[1][kKing] == 0) {
        return Refuse(messages, "Must place both kings on the board.");
    }
    if (counts[0][kKing] > 1 || counts[1][kKing] > 1) {
        return Refuse(messages, "Multiple kings are on the board.");
    }
    return true;
}

std::string CheckEnPassantField(std::string_view field, bool whiteToMove) {
    if (field.empty()) {
        return {};
    }
    if (field.size() != kSquareTextLength || FileFromLetter(field[0]) == 0 || RankFromDigit(field[1]) == 0) {
        return "The en passant square must be a1-h8.";
    }
    if (whiteToMove && field[1] != '5') {
        return "A black pawn must be on the fifth rank.";
    }
    if (!whiteToMove && field[1] != '4') {
        return "A white pawn must be on the fourth rank.";
    }
    return {};
}

}  // namespace ravelin::chess
