#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "chess/chess_context.h"
#include "chess/position_history.h"

namespace ravelin::chess {

// The movetext of one game is kept whole for the display, up to this many lines of at most 255
// characters; the rest of a longer movetext is ignored.
inline constexpr int kMaxMovetextLines = 3000;
inline constexpr int kMovetextLineSize = 256;
inline constexpr int kMaxMovetextLineLength = kMovetextLineSize - 1;
// Annotations, move ends and display lines are indexed by ply index 0..kMaxPly.
inline constexpr int kPlyIndexEntries = kMaxPly + 1;

inline constexpr char kMaxMovesWarning[] = "Warning: Maximum number %d moves exceeded.";
// The text white's first entry holds when the movetext begins with black's move.
inline constexpr char kBlackFirstPlaceholder[] = "..";

// One movetext line as read: its characters (NUL-terminated; castling written with zeros or small
// letters is rewritten in place), the bytes it takes in the file with its line end, and the file
// offset of its first character, so that the offset of any character is known exactly.
struct MovetextLine {
    std::array<char, kMovetextLineSize> text{};
    std::uint16_t length = 0;
    std::uint32_t bytes = 0;
    std::uint64_t offset = 0;

    std::string_view View() const { return std::string_view(text.data(), length); }
};

enum class AnnotationKind : std::uint8_t { kNone = 0, kComment = 1, kVariation = 2 };

// Where the first annotation after a ply begins in the movetext lines.
struct AnnotationEntry {
    std::int32_t line = 0;
    std::int32_t column = 0;
    AnnotationKind kind = AnnotationKind::kNone;
};

enum class NotationMode : std::uint8_t {
    kStandard = 0,                // SAN
    kLongWithPieceLetters = 1,    // Ng1-f3, e2-e4
    kLongWithoutPieceLetters = 2  // g1-f3, e2-e4
};

// Hands the parser the lines of the file from the current position on. NextLine returns the bytes
// the line takes in the file (0 at the end of the file) and the file offset of its first character.
class MovetextLineSource {
  public:
    virtual ~MovetextLineSource() = default;
    virtual int NextLine(std::string_view& text, std::uint64_t& offset) = 0;
};

// A line the header reader or the parser read ahead and hands on to the other.
struct HeldLine {
    bool present = false;
    std::array<char, kMovetextLineSize> text{};
    std::uint16_t length = 0;
    std::uint32_t bytes = 0;
    std::uint64_t offset = 0;

    void Set(std::string_view line, std::uint32_t lineBytes, std::uint64_t lineOffset);
    std::string_view View() const { return std::string_view(text.data(), length); }
};

// Everything the movetext parser learns about the current game besides the move list, which lives
// in the ChessContext. Large: make one per thread with MakeGameRecord and reuse it.
struct GameRecord {
    GameRecord();

    // MovetextLines: entries 0..lineCount-1 are valid.
    std::vector<MovetextLine> movetextLines;
    int lineCount = 0;
    std::array<AnnotationEntry, kPlyIndexEntries> annotationIndex{};
    std::array<std::uint64_t, kPlyIndexEntries> moveEndOffsets{};
    std::array<std::int32_t, kPlyIndexEntries> plyDisplayLines{};
    int annotationCount = 0;
    NotationMode notation = NotationMode::kStandard;
    // Moves read (white entries, the ".." placeholder included) and plies read.
    int moveCount = 0;
    int plyCount = 0;
    // The result token that ended the movetext, "" when the movetext ended without one.
    std::array<char, kSanTextSize> result{};
    // Width at which AddDisplayLine wraps (44 on the normal board, 55 on the larger ones).
    int displayWidth = 44;

    // Read by the header reader while finishing the header; becomes line 0 of the movetext.
    HeldLine pendingFirstLine;
    // The tag line that ended this game's movetext: the first header line of the next game.
    HeldLine pendingHeaderLine;
};

std::unique_ptr<GameRecord> MakeGameRecord();

// Reads the movetext from the source (and record.pendingFirstLine first, when present) into the
// record and the context's move list. stopAfterMoves > 0 stops the scan before white's move
// stopAfterMoves + 1. The 200-move warning goes through context.Warn (silent in batch mode).
// Returns the number of moves read (white entries; the last black entry may be empty).
int ParseMovetext(ChessContext& context, GameRecord& record, MovetextLineSource& source,
                  int stopAfterMoves = 0);

// 1 when the text starts a game result ("*", "?...", "1-0", "0-1", "1/2-1/2"), and for a blank when
// countSpace is set; else 0. Castling written 0-0, 0-0-0, o-o or o-o-o is first rewritten in place
// to O-O / O-O-O (the text must be writable and NUL-terminated).
int IsResultToken(char* text, bool countSpace);

// Enters an annotation for a ply index unless it has one already; a variation replaces a comment.
// Ply indices outside 0..kMaxPly are ignored.
void RecordAnnotation(GameRecord& record, int plyIndex, int line, int column, AnnotationKind kind);

// Plies in the main line after parsing: the ".." placeholder counts as white's first ply.
int ParsedPlies(const GameRecord& record);

// A move token as the move list stores it: long algebraic forms shortened (e2-e4 to e4, e5-d6 to
// exd6, e4xd5 to exd5, Ng1-f3 to Nf3 and Ng1xf3 to Nxf3, the source square going to the hint) and
// at most seven characters kept. With keepCoordinates the '-' of a coordinate move is only dropped
// (e2-e4 to e2e4), for games whose long notation has no piece letters.
void StoreMoveToken(std::string_view token, bool longNotation, bool keepCoordinates, SanText& text,
                    FromHint& hint);

}  // namespace ravelin::chess
