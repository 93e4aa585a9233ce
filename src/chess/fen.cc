#include "chess/fen.h"

#include <array>
#include <cctype>

#include "chess/move_legality.h"

namespace ravelin::chess {

namespace {

constexpr char kRankSeparator = '/';
constexpr char kQuote = '"';
constexpr std::size_t kTagQuoteSearchStart = 5;  // after "[FEN"
constexpr std::string_view kStartPosShorthand = "startpos";
constexpr int kMaxSkipDigit = 8;
constexpr std::size_t kSquareTextLength = 2;

std::string Refused(std::string_view reason) {
    return "FEN position not recognised: " + std::string(reason);
}

std::string ReadPlacement(std::string_view placement, Board& board) {
    board = Board{};
    int rank = kLastLine;
    int file = kFirstLine;
    for (const char c : placement) {
        if (c == kRankSeparator) {
            if (file <= kLastLine) {
                return Refused("a rank has fewer than eight files.");
            }
            if (--rank < kFirstLine) {
                return Refused("more than eight ranks.");
            }
            file = kFirstLine;
        } else if (c >= '1' && c <= '0' + kMaxSkipDigit) {
            file += c - '0';
            if (file > kLastLine + 1) {
                return Refused("a rank has more than eight files.");
            }
        } else if (std::isalpha(static_cast<unsigned char>(c)) != 0) {
            if (file > kLastLine) {
                return Refused("a rank has more than eight files.");
            }
            const bool black = std::islower(static_cast<unsigned char>(c)) != 0;
            // Every letter that names no other piece stands for a pawn.
            PieceCode kind =
                KindOfPieceLetter(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
            if (kind == kEmpty) {
                kind = kPawn;
            }
            board[file++][rank] = black ? kind + kBlackOffset : kind;
        } else {
            return Refused(std::string("'") + c + "' is not a piece letter or a digit 1 to 8.");
        }
    }
    if (rank != kFirstLine) {
        return Refused("fewer than eight ranks.");
    }
    if (file <= kLastLine) {
        return Refused("a rank has fewer than eight files.");
    }
    for (const Side side : {Side::kWhite, Side::kBlack}) {
        int kings = 0;
        for (int f = kFirstLine; f <= kLastLine; ++f) {
            for (int r = kFirstLine; r <= kLastLine; ++r) {
                kings += board[f][r] == MakePiece(side, kKing) ? 1 : 0;
            }
        }
        if (kings != 1) {
            return Refused(kings == 0 ? "a king is missing." : "more than one king of a color.");
        }
    }
    return {};
}

// The en passant field names the square behind the pawn that just double-stepped.
std::string ReadEnPassant(std::string_view field, Side sideToMove, int& file) {
    file = kNoEnPassantFile;
    if (field == "-") {
        return {};
    }
    const int expectedRank = EnPassantTargetRank(sideToMove);
    if (field.size() != kSquareTextLength || FileFromLetter(field[0]) == 0 ||
        RankFromDigit(field[1]) != expectedRank) {
        return Refused("the en passant square must be - or a square on the third or sixth rank.");
    }
    file = FileFromLetter(field[0]);
    return {};
}

std::string_view NextField(std::string_view& rest) {
    const std::size_t start = rest.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        rest = {};
        return {};
    }
    rest.remove_prefix(start);
    const std::size_t end = std::min(rest.find(' '), rest.size());
    const std::string_view field = rest.substr(0, end);
    rest.remove_prefix(end);
    return field;
}

char SideLetter(Side side) {
    return side == Side::kWhite ? 'w' : 'b';
}

}  // namespace

std::string ParseFen(std::string_view fen, FenPosition& position) {
    position = FenPosition{};
    std::string_view rest = fen;
    std::string_view probe = fen;
    if (NextField(probe) == kStartPosShorthand) {
        rest = kStartFen;
    }
    const std::string_view placement = NextField(rest);
    if (placement.empty()) {
        return Refused("the text is empty.");
    }
    if (std::string error = ReadPlacement(placement, position.board); !error.empty()) {
        return error;
    }
    position.castlingRights = CastlingRightsPossible(position.board, position.castling);
    const std::string_view side = NextField(rest);
    if (side.empty()) {
        return {};
    }
    if (side != "w" && side != "b") {
        return Refused("the side to move must be w or b.");
    }
    position.sideToMove = side == "w" ? Side::kWhite : Side::kBlack;
    const std::string_view castling = NextField(rest);
    if (castling.empty()) {
        return {};
    }
    if (!ReadCastlingField(castling, position.board, position.castlingRights, position.castling)) {
        return Refused("the castling field must be -, letters of KQkq or rook files such as HAha.");
    }
    const std::string_view enPassant = NextField(rest);
    if (enPassant.empty()) {
        return {};
    }
    return ReadEnPassant(enPassant, position.sideToMove, position.enPassantFile);
}

bool ReadFenPlacement(ChessContext& context, std::string_view tagLine) {
    context.fenBoard = Board{};
    context.fenCastlingRights = kAllCastlingRights;
    context.fenCastling = CastlingSetup{};
    context.fenEnPassantFile = kNoEnPassantFile;
    const std::size_t open = tagLine.size() > kTagQuoteSearchStart
                                 ? tagLine.find(kQuote, kTagQuoteSearchStart)
                                 : std::string_view::npos;
    std::string error;
    FenPosition position;
    if (open == std::string_view::npos) {
        error = Refused("the FEN tag has no quoted text.");
    } else {
        std::string_view fen = tagLine.substr(open + 1);
        fen = fen.substr(0, fen.find(kQuote));
        error = ParseFen(fen, position);
    }
    if (!error.empty()) {
        context.Warn(error);
        return false;
    }
    context.fenBoard = position.board;
    context.fenCastlingRights = position.castlingRights;
    context.fenCastling = position.castling;
    context.fenEnPassantFile = static_cast<std::uint8_t>(position.enPassantFile);
    return true;
}

std::string FenPlacementText(const Board& board) {
    std::string text;
    for (int rank = kLastLine; rank >= kFirstLine; --rank) {
        int emptyRun = 0;
        for (int file = kFirstLine; file <= kLastLine; ++file) {
            const PieceCode code = board[file][rank];
            if (code == kEmpty) {
                ++emptyRun;
                continue;
            }
            if (emptyRun > 0) {
                text += static_cast<char>('0' + emptyRun);
                emptyRun = 0;
            }
            const char letter = KindLetter(KindOf(code));
            text += IsBlackPiece(code) ? static_cast<char>(std::tolower(static_cast<unsigned char>(letter)))
                                       : letter;
        }
        if (emptyRun > 0) {
            text += static_cast<char>('0' + emptyRun);
        }
        if (rank > kFirstLine) {
            text += kRankSeparator;
        }
    }
    return text;
}

std::string WriteFenTag(const ChessContext& context, std::string_view resultText) {
    if (!context.fenSwitch) {
        return {};
    }
    const SanText& firstWhite = context.moves.whiteMoves[0];
    const bool hasMoves = firstWhite[0] != '\0';
    const bool blackToMove = hasMoves ? firstWhite[0] == '.' : resultText == "0-1";
    std::string tag = "[FEN \"" + FenPlacementText(context.startPositionBoard);
    tag += ' ';
    tag += SideLetter(blackToMove ? Side::kBlack : Side::kWhite);
    // A game entered from a set-up position may castle wherever king and rook stand at home, and
    // this program reads the castling field back: writing "-" would make such a game's own
    // castling unplayable when it is read again.
    const Board& start = context.startPositionBoard;
    tag += ' ' + CastlingFieldText(start, CastlingRightsPossible(start, CastlingSetup{}), CastlingSetup{}) +
           " - 0 1\"]\r\n";
    if (hasMoves) {
        tag += "\r\n";
    }
    return tag;
}

std::string FenClipboardText(const Board& setupBoard, bool whiteToMove) {
    return FenPlacementText(setupBoard) + (whiteToMove ? "+w" : "+b");
}

std::string FenOfPly(const ChessContext& context, int ply) {
    const Side side = SideOfPly(ply);
    std::string fen = FenPlacementText(context.board);
    fen += ' ';
    fen += SideLetter(side);
    fen += ' ' + CastlingFieldText(context.board, CastlingRightsForPly(context, ply), context.castling) + ' ';
    const int file = EnPassantFileForPly(context, ply);
    if (file == kNoEnPassantFile) {
        fen += '-';
    } else {
        fen += FileLetter(file);
        fen += RankDigit(EnPassantTargetRank(side));
    }
    fen += " 0 1";
    return fen;
}

}  // namespace ravelin::chess
