#include "chess/castling.h"

#include <cctype>

namespace ravelin::chess {

namespace {

constexpr int kStandardKingFile = 5;

constexpr int StandardRookFile(bool kingSide) {
    return kingSide ? kLastLine : kFirstLine;
}

// The file of the side's king on its home rank, or 0.
int KingFileOnHomeRank(const Board& board, Side side) {
    const int rank = HomeRank(side);
    for (int file = kFirstLine; file <= kLastLine; ++file) {
        if (board[file][rank] == MakePiece(side, kKing)) {
            return file;
        }
    }
    return 0;
}

// The side's rook on its home rank furthest from the king on the wing, or 0.
int OutermostRookFile(const Board& board, Side side, int kingFile, bool kingSide) {
    const int rank = HomeRank(side);
    const int step = kingSide ? -1 : 1;
    for (int file = StandardRookFile(kingSide); file != kingFile; file += step) {
        if (board[file][rank] == MakePiece(side, kRook)) {
            return file;
        }
    }
    return 0;
}

}  // namespace

CastlingMove CastlingOfKingMove(const Board& board, const CastlingSetup& setup, Side side, int fromFile,
                                int fromRank, int toFile, int toRank, bool textForm) {
    const int rank = HomeRank(side);
    if (fromRank != rank || toRank != rank || fromFile != setup.KingFile(side)) {
        return CastlingMove::kNone;
    }
    const bool twoFileStep = toFile - fromFile >= 2 || fromFile - toFile >= 2;
    if (!setup.chess960 || textForm) {
        if (twoFileStep && toFile == kShortCastleKingFile) {
            return CastlingMove::kShort;
        }
        if (twoFileStep && toFile == kLongCastleKingFile) {
            return CastlingMove::kLong;
        }
    }
    if (setup.chess960 && board[toFile][toRank] == MakePiece(side, kRook)) {
        if (toFile == setup.RookFile(side, true) && toFile > fromFile) {
            return CastlingMove::kShort;
        }
        if (toFile == setup.RookFile(side, false) && toFile < fromFile) {
            return CastlingMove::kLong;
        }
    }
    return CastlingMove::kNone;
}

std::uint8_t CastlingRightsPossible(const Board& board, const CastlingSetup& setup) {
    std::uint8_t rights = 0;
    for (const Side side : {Side::kWhite, Side::kBlack}) {
        const int rank = HomeRank(side);
        if (board[setup.KingFile(side)][rank] != MakePiece(side, kKing)) {
            continue;
        }
        for (const bool kingSide : {true, false}) {
            if (board[setup.RookFile(side, kingSide)][rank] == MakePiece(side, kRook)) {
                rights = static_cast<std::uint8_t>(rights | CastlingRight(side, kingSide));
            }
        }
    }
    return rights;
}

std::string CastlingFieldText(const Board& board, std::uint8_t rights, const CastlingSetup& setup) {
    std::string field;
    for (const Side side : {Side::kWhite, Side::kBlack}) {
        for (const bool kingSide : {true, false}) {
            if ((rights & CastlingRight(side, kingSide)) == 0) {
                continue;
            }
            const int file = setup.RookFile(side, kingSide);
            char letter = kingSide ? 'K' : 'Q';
            if (setup.fileLetters || OutermostRookFile(board, side, setup.KingFile(side), kingSide) != file) {
                letter = static_cast<char>('A' + file - kFirstLine);
            }
            field += side == Side::kWhite
                         ? letter
                         : static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
        }
    }
    return field.empty() ? "-" : field;
}

bool ReadCastlingField(std::string_view field, const Board& board, std::uint8_t& rights,
                       CastlingSetup& setup) {
    rights = 0;
    setup = CastlingSetup{};
    if (field == "-") {
        return true;
    }
    for (const char c : field) {
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const bool wingLetter = upper == 'K' || upper == 'Q';
        const bool fileLetter = upper >= 'A' && upper <= 'H';
        if (!wingLetter && !fileLetter) {
            return false;
        }
        const Side side = c == upper ? Side::kWhite : Side::kBlack;
        const int kingFile = KingFileOnHomeRank(board, side);
        if (kingFile == 0) {
            continue;
        }
        bool kingSide = upper == 'K';
        int rookFile = 0;
        if (wingLetter) {
            rookFile = OutermostRookFile(board, side, kingFile, kingSide);
        } else {
            setup.fileLetters = true;
            rookFile = upper - 'A' + kFirstLine;
            kingSide = rookFile > kingFile;
            if (rookFile == kingFile || board[rookFile][HomeRank(side)] != MakePiece(side, kRook)) {
                rookFile = 0;
            }
        }
        if (rookFile == 0) {
            continue;
        }
        rights = static_cast<std::uint8_t>(rights | CastlingRight(side, kingSide));
        setup.kingFile[static_cast<std::size_t>(SideIndex(side))] = static_cast<std::uint8_t>(kingFile);
        setup.rookFile[static_cast<std::size_t>(CastlingRightIndex(side, kingSide))] =
            static_cast<std::uint8_t>(rookFile);
        if (kingFile != kStandardKingFile || rookFile != StandardRookFile(kingSide)) {
            setup.chess960 = true;
        }
    }
    setup.chess960 = setup.chess960 || setup.fileLetters;
    return true;
}

}  // namespace ravelin::chess
