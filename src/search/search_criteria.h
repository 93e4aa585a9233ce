#pragma once

// The criteria of the move, position and header searches, as the editors fill them, the criteria
// files store them and every search reads them.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "chess/board.h"
#include "chess/move_list.h"
#include "chess/position_history.h"

namespace ravelin::search {

inline constexpr char kInvalidSearchFile[] = "Invalid search file.";
inline constexpr char kNumberOfGamesFound[] = "Number of games found";
inline constexpr char kAnyMove[] = "*";

// A move sequence from the initial position: W1, B1, W2, B2, ... up to the first empty entry;
// "*" stands for any move. Entry texts are SAN (at most seven characters), with the source-square
// hints of moves entered on a board whose SAN needed one.
struct SearchVariation {
    std::array<chess::SanText, chess::kMaxMovesPerSide> whiteMoves{};
    std::array<chess::SanText, chess::kMaxMovesPerSide> blackMoves{};
    std::array<chess::FromHint, chess::kMaxMovesPerSide> whiteHints{};
    std::array<chess::FromHint, chess::kMaxMovesPerSide> blackHints{};

    // w: white entries up to the first empty one; b: black entries up to the first empty one,
    // never more than w.
    int WhiteCount() const;
    int BlackCount() const;
    int Plies() const { return WhiteCount() + BlackCount(); }
    bool Empty() const { return WhiteCount() == 0; }
    // The entry of ply p (1-based; odd plies are white's).
    chess::SanText& MoveOfPly(int ply) {
        return ply % 2 == 1 ? whiteMoves[(ply - 1) / 2] : blackMoves[ply / 2 - 1];
    }
    const chess::SanText& MoveOfPly(int ply) const {
        return ply % 2 == 1 ? whiteMoves[(ply - 1) / 2] : blackMoves[ply / 2 - 1];
    }
    void Clear() { *this = SearchVariation{}; }
};

// The two check-mark options of the move searches, both off at start.
struct VariationOptions {
    bool exactVariation = false;  // "Exact Variation" (114)
    bool forceMatch = false;      // "Force Match" (117)
};

// One entry of a position list: a placement ("Ke1", "e4"), a count condition ("=5", "N<2") or,
// in the black list, an either-side condition ("*5", "N*2"); NUL-terminated, first byte 0 = empty.
inline constexpr int kPositionEntrySize = 8;
inline constexpr int kPositionListEntries = 40;
using PositionEntry = std::array<char, kPositionEntrySize>;
using PositionList = std::array<PositionEntry, kPositionListEntries>;

// The relation codes of a count condition.
enum CountRelation : int {
    kNoCount = 0,
    kCountEqual = 1,       // '='
    kCountAtMost = 2,      // '<' (the number itself included)
    kCountAtLeast = 3,     // '>' (the number itself included)
    kCountEitherSide = 4,  // '*': the white condition may be met by either side (black list only)
};

// The kinds a count condition can name, in the order the lists append them.
enum CountKind : int { kCountQueens = 0, kCountRooks, kCountBishops, kCountKnights, kCountPawns };
inline constexpr int kCountKinds = 5;

struct CountCondition {
    int relation = kNoCount;
    char digit = 0;  // '0'..'9'
};

// The position editor's board of criteria: piece codes on a 9 x 9 board like chess::Board (index
// 0 unused), and the "Pawns and Pieces Remaining" conditions per side (0 white, 1 black) and kind.
struct CriteriaBoard {
    chess::Board squares{};
    std::array<std::array<CountCondition, kCountKinds>, 2> counts{};
    void Clear() { *this = CriteriaBoard{}; }
};

// "Set Position Move Number": the switch and the RelationCriterion text (at most 14 characters).
inline constexpr std::size_t kMaxMoveNumberCriterion = 14;
struct MoveNumberCondition {
    bool on = false;
    std::string criterion;
};

// The position to search for: the lists as the criteria file stores them and the move-number
// condition, which only lives in memory.
struct SearchPosition {
    PositionList white{};
    PositionList black{};
    MoveNumberCondition moveNumber;
    bool Empty() const { return white[0][0] == 0 && black[0][0] == 0; }
    void Clear() { *this = SearchPosition{}; }
};

// The twelve fields of the header search dialog, in the dialog's order; the first eleven are the
// ones the criteria files store.
enum class HeaderField : int {
    kEvent,
    kSite,
    kDate,
    kRound,
    kWhite,
    kBlack,
    kResult,
    kEco,
    kNumberOfMoves,
    kWhiteElo,
    kBlackElo,
    kSpecificMove,
};
inline constexpr int kHeaderFieldCount = 12;
inline constexpr int kStoredHeaderFields = 11;
// A field is stored in 80 bytes: at most 79 characters and a NUL.
inline constexpr std::size_t kHeaderFieldSize = 80;
inline constexpr std::size_t kMaxHeaderFieldLength = kHeaderFieldSize - 1;

struct HeaderCriteria {
    std::array<std::string, kHeaderFieldCount> fields;
    std::string& operator[](HeaderField field) { return fields[static_cast<std::size_t>(field)]; }
    const std::string& operator[](HeaderField field) const { return fields[static_cast<std::size_t>(field)]; }
    bool Empty() const;
    void Clear() { fields = {}; }
};

// The dialog labels of the header fields.
std::string_view HeaderFieldLabel(HeaderField field);

// All criteria of the program: what the editors fill, the files load and save, and the searches read.
struct SearchCriteria {
    SearchVariation variation;
    VariationOptions options;
    SearchPosition position;
    HeaderCriteria header;
};

// Copies text into an entry of a fixed-size table, keeping at most size - 1 characters.
void SetPositionEntry(PositionEntry& entry, std::string_view text);
std::string_view PositionEntryText(const PositionEntry& entry);

}  // namespace ravelin::search
