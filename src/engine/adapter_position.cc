#include "engine/adapter_position.h"

#include <array>
#include <cctype>
#include <memory>

#include "chess/attacks.h"
#include "chess/fen.h"
#include "chess/move_legality.h"
#include "chess/perft.h"
#include "chess/san_reader.h"
#include "chess/san_writer.h"

namespace ravelin::engine {

namespace {

constexpr int kMaxPiecesOfKind = 3;

struct SetUp {
    std::unique_ptr<chess::ChessContext> context = chess::MakeChessContext();
    int ply = 0;  // the ply whose mover is to move; 0 when the FEN was refused
};

SetUp SetUpPosition(const std::string& fen) {
    SetUp setUp;
    setUp.context->batch = true;
    std::string error;
    setUp.ply = chess::SetUpFen(*setUp.context, fen, error);
    return setUp;
}

std::string UciOf(int fromFile, int fromRank, int toFile, int toRank, chess::PieceCode promotion) {
    std::string text;
    text += static_cast<char>('a' + fromFile - 1);
    text += static_cast<char>('0' + fromRank);
    text += static_cast<char>('a' + toFile - 1);
    text += static_cast<char>('0' + toRank);
    static constexpr char kLetters[] = " pnbrqk";
    if (promotion != chess::kEmpty) {
        text += kLetters[chess::KindOf(promotion)];
    }
    return text;
}

// Plays a coordinate move that passed the legality check and describes the result.
bool Commit(SetUp& setUp, int fromFile, int fromRank, int toFile, int toRank, chess::PieceCode promotion,
            PlayedMove& move) {
    chess::ChessContext& context = *setUp.context;
    const int ply = setUp.ply;
    if (!chess::IsLegalCoordinateMove(context, ply, fromFile, fromRank, toFile, toRank)) {
        return false;
    }
    context.promotionChoice = promotion == chess::kEmpty ? chess::kPromoteToQueenByDefault : promotion;
    const bool promoting = chess::KindOf(context.board[fromFile][fromRank]) == chess::kPawn &&
                           toRank == chess::PromotionRank(chess::SideOfPly(ply));
    if (chess::MakeCoordinateMove(context, true, ply, fromFile, fromRank, toFile, toRank) != 0) {
        return false;
    }
    move.san = std::string(chess::SanView(context.moves.MoveOfPly(ply)));
    move.uci = UciOf(fromFile, fromRank, toFile, toRank,
                     promoting ? chess::PromotionKindOfChoice(context.promotionChoice) : chess::kEmpty);
    move.fen = chess::FenOfPly(context, ply + 1);
    const bool inCheck = chess::IsInCheck(context.board, context.pieces, chess::SideOfPly(ply + 1));
    const bool noMove = !chess::HasLegalMove(context, ply + 1);
    move.checkmate = noMove && inCheck;
    move.stalemate = noMove && !inCheck;
    return true;
}

// "e8Q" is the program's other way of writing "e8=Q"; check and mate signs are dropped.
std::string NormalisedSan(std::string_view text) {
    std::string san(text);
    while (!san.empty() &&
           (san.back() == '+' || san.back() == '#' || san.back() == '!' || san.back() == '?')) {
        san.pop_back();
    }
    if (san.size() >= 3 && std::islower(static_cast<unsigned char>(san[0])) &&
        chess::KindOfPieceLetter(san.back()) != chess::kEmpty && san[san.size() - 2] != '=' &&
        std::isdigit(static_cast<unsigned char>(san[san.size() - 2]))) {
        san.insert(san.size() - 1, "=");
    }
    return san;
}

}  // namespace

bool WhiteToMove(const std::string& fen) {
    const std::size_t space = fen.find(' ');
    return space == std::string::npos || space + 1 >= fen.size() || fen[space + 1] != 'b';
}

std::string PlausibleEnPassant(std::string_view placement, bool whiteToMove, std::string_view field) {
    chess::FenPosition position;
    if (field.size() != 2 || !chess::ParseFen(std::string(placement), position).empty()) {
        return "-";
    }
    const int file = field[0] - 'a' + 1;
    const int rank = field[1] - '0';
    const chess::Side mover = whiteToMove ? chess::Side::kWhite : chess::Side::kBlack;
    const chess::Side stepper = chess::Opponent(mover);
    if (!chess::IsOnBoard(file, rank) || rank != chess::EnPassantTargetRank(mover)) {
        return "-";
    }
    const int direction = chess::PawnDirection(stepper);
    const chess::Board& board = position.board;
    // Behind the target stands the pawn that stepped; the target and the square it left are empty.
    if (board[file][rank + direction] != chess::MakePiece(stepper, chess::kPawn) ||
        board[file][rank] != chess::kEmpty || board[file][rank - direction] != chess::kEmpty) {
        return "-";
    }
    return std::string(field);
}

std::string FenOfSetboard(std::string_view arguments, std::string& reason) {
    std::array<std::string, 4> fields;
    std::size_t count = 0;
    std::size_t at = 0;
    while (at < arguments.size() && count < fields.size()) {
        while (at < arguments.size() && arguments[at] == ' ') {
            ++at;
        }
        const std::size_t end = std::min(arguments.find(' ', at), arguments.size());
        if (end > at) {
            fields[count++] = std::string(arguments.substr(at, end - at));
        }
        at = end;
    }
    if (count < 1) {
        reason = "setboard needs a position";
        return {};
    }
    std::string side = count >= 2 ? fields[1] : "w";
    if (side != "w" && side != "b") {
        reason = "the side to move must be w or b";
        return {};
    }
    // The castling letters are left out when there are none; the en passant text may be anything.
    std::string castling = "-";
    std::size_t next = 2;
    if (count > next && fields[next].find_first_not_of("KQkq") == std::string::npos) {
        castling = fields[next++];
    }
    const std::string enPassant =
        count > next ? PlausibleEnPassant(fields[0], side == "w", fields[next]) : std::string("-");
    return fields[0] + " " + side + " " + castling + " " + enPassant + " 0 1";
}

std::string PositionProblem(const std::string& fen) {
    chess::FenPosition position;
    const std::string refusal = chess::ParseFen(fen, position);
    if (!refusal.empty()) {
        return refusal;
    }
    std::array<std::array<int, 7>, 2> counts{};
    for (int file = 1; file <= 8; ++file) {
        for (int rank = 1; rank <= 8; ++rank) {
            const chess::PieceCode code = position.board[file][rank];
            if (code == chess::kEmpty) {
                continue;
            }
            const int side = chess::IsWhitePiece(code) ? 0 : 1;
            ++counts[side][chess::KindOf(code)];
            if (chess::KindOf(code) == chess::kPawn && (rank == 1 || rank == 8)) {
                return "a pawn stands on the first or last rank";
            }
        }
    }
    for (int side = 0; side < 2; ++side) {
        if (counts[side][chess::kKing] != 1) {
            return "each side needs exactly one king";
        }
        for (chess::PieceCode kind : {chess::kKnight, chess::kBishop, chess::kRook, chess::kQueen}) {
            if (counts[side][kind] > kMaxPiecesOfKind) {
                return "more than three pieces of a kind";
            }
        }
    }
    // The castling field as written must not claim more than the kings and rooks allow.
    const std::size_t sideAt = fen.find(' ');
    const std::size_t castlingAt = sideAt == std::string::npos ? sideAt : fen.find(' ', sideAt + 1);
    if (castlingAt != std::string::npos) {
        const std::string field = fen.substr(castlingAt + 1, fen.find(' ', castlingAt + 1) - castlingAt - 1);
        const std::uint8_t possible = chess::CastlingRightsPossible(position.board, position.castling);
        static constexpr std::pair<char, std::uint8_t> kLetters[] = {{'K', chess::kWhiteKingSide},
                                                                     {'Q', chess::kWhiteQueenSide},
                                                                     {'k', chess::kBlackKingSide},
                                                                     {'q', chess::kBlackQueenSide}};
        for (const auto& [letter, right] : kLetters) {
            if (field.find(letter) != std::string::npos && (possible & right) == 0) {
                return "a castling right does not fit the king and rook";
            }
        }
    }
    SetUp setUp = SetUpPosition(fen);
    if (setUp.ply == 0) {
        return "the position cannot be set up";
    }
    const chess::Side waiting = chess::Opponent(chess::SideOfPly(setUp.ply));
    if (chess::IsInCheck(setUp.context->board, setUp.context->pieces, waiting)) {
        return "the side not to move is in check";
    }
    return {};
}

bool PlaySanMove(const std::string& fen, std::string_view text, PlayedMove& move) {
    SetUp setUp = SetUpPosition(fen);
    if (setUp.ply == 0 || text.empty() || text.size() > chess::kMaxSanLength + 1) {
        return false;
    }
    const std::string san = NormalisedSan(text);
    chess::SanMove resolved;
    if (!chess::ResolveSanMove(*setUp.context, setUp.ply, san, chess::FromHint{}, resolved)) {
        return false;
    }
    return Commit(setUp, resolved.fromFile, resolved.fromRank, resolved.toFile, resolved.toRank,
                  resolved.promotion, move);
}

bool PlayUciMove(const std::string& fen, std::string_view uci, PlayedMove& move) {
    if (uci.size() < 4 || uci.size() > 5) {
        return false;
    }
    const int fromFile = uci[0] - 'a' + 1;
    const int fromRank = uci[1] - '0';
    const int toFile = uci[2] - 'a' + 1;
    const int toRank = uci[3] - '0';
    if (!chess::IsOnBoard(fromFile, fromRank) || !chess::IsOnBoard(toFile, toRank)) {
        return false;
    }
    chess::PieceCode promotion = chess::kEmpty;
    if (uci.size() == 5) {
        promotion =
            chess::KindOfPieceLetter(static_cast<char>(std::toupper(static_cast<unsigned char>(uci[4]))));
        if (promotion == chess::kEmpty || promotion == chess::kKing) {
            return false;
        }
    }
    SetUp setUp = SetUpPosition(fen);
    return setUp.ply != 0 && Commit(setUp, fromFile, fromRank, toFile, toRank, promotion, move);
}

bool HasNoLegalMove(const std::string& fen, bool& inCheck) {
    SetUp setUp = SetUpPosition(fen);
    inCheck = setUp.ply != 0 &&
              chess::IsInCheck(setUp.context->board, setUp.context->pieces, chess::SideOfPly(setUp.ply));
    return setUp.ply != 0 && !chess::HasLegalMove(*setUp.context, setUp.ply);
}

}  // namespace ravelin::engine
