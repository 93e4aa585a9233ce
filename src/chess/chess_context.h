#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "chess/board.h"
#include "chess/castling.h"
#include "chess/chess_messages.h"
#include "chess/move_list.h"
#include "chess/piece_table.h"
#include "chess/position_history.h"

namespace ravelin::chess {

// The squares of the last LocateSanMove.
struct LocateResult {
    int fromFile = 0;
    int fromRank = 0;
    int toFile = 0;
    int toRank = 0;
};

// Promotion choice values: the piece kind a pawn reaching the last rank becomes (anything other
// than knight, bishop or rook means queen).
inline constexpr int kPromoteToQueenByDefault = 0;

// Everything one replay of a game works on: the position, its slots and history, the move list
// and the switches that silence or redirect its work. There is no process-wide position; each
// thread that replays games owns one context (it is large, so keep it on the heap: MakeChessContext).
struct ChessContext {
    Board board{};
    PieceTable pieces{};
    PositionHistory history{};
    MoveList moves{};

    // Kind a coordinate pawn move to the last rank promotes to; set by the promotion prompt or by
    // LocateSanMove and read by the move writer.
    int promotionChoice = kPromoteToQueenByDefault;
    LocateResult locate{};
    // Receives the SAN text of a MakeCoordinateMove that is only a legality test.
    SanText scratchSan{};
    // Set by a caller that already holds the move's SAN text (the opening tree): the next
    // MakeCoordinateMove stores preparedSan instead of checking and writing, then clears the switch.
    bool preparedText = false;
    SanText preparedSan{};

    // Bulk work (file scans, searches, checks): no promotion warning and no overflow re-check.
    bool batch = false;
    // Silences only the promotion warning.
    bool warningsOff = false;
    // Set while ReplayMoves runs: re-written texts then go into the move list.
    bool replayRunning = false;
    // Set while a search replays games: hints are not re-checked.
    bool searchReplay = false;
    // Promotion warnings already shown for the current game, one bit per kind (bit kind - kKnight).
    // The owner of the game clears it when another game is loaded.
    std::uint8_t shownPromotionWarnings = 0;
    // A side promoted beyond its slots during this replay: its later moves are re-checked.
    std::array<bool, 2> overflowRecheck{};

    // Start positions other than the standard one.
    bool fenSwitch = false;    // the game starts from fenBoard
    bool setupSwitch = false;  // a set-up position is in force (takes precedence)
    Board setupBoard{};
    Board fenBoard{};
    Board startPositionBoard{};
    // Castling rights, castling squares and en passant file given by the FEN fields of the
    // current game.
    std::uint8_t fenCastlingRights = kAllCastlingRights;
    CastlingSetup fenCastling{};
    std::uint8_t fenEnPassantFile = kNoEnPassantFile;
    // The castling squares of the position being replayed, set with its start position.
    CastlingSetup castling{};

    MessageSink messages;

    // Shows a message unless the batch switch is on.
    void Warn(std::string_view message) const;
};

std::unique_ptr<ChessContext> MakeChessContext();

// Standard start position (or the set-up / FEN position in force) on the board, slots rebuilt,
// history entry 0 saved.
void SetStartPosition(ChessContext& context);

// Copies a position onto the board, rebuilds the slots and saves entry 0. The castling setup names
// the squares castling starts from; the rights are masked by what the board allows; the en passant
// file applies to the first ply played.
void SetUpFromPositionBoard(ChessContext& context, const Board& source,
                            std::uint8_t castlingRights = kAllCastlingRights,
                            int enPassantFile = kNoEnPassantFile, const CastlingSetup& castling = {});

// Saves the board and slots as the position after ply n and derives the castling rights and
// en passant file for ply n + 1 by comparing it with entry n - 1. Plies beyond kMaxPly are ignored.
void SavePosition(ChessContext& context, int ply);

// Puts entry n back on the board, slots included, so that moves can be made from there.
void RestorePosition(ChessContext& context, int ply);

// Plays white and black moves 1..movePairs of the move list from the position on the board
// (SetStartPosition first), saving each ply. Stops at an empty black entry, and at a move that
// cannot be played, which is marked "*". Returns the number of plies played.
int ReplayMoves(ChessContext& context, int movePairs);

// Start position, then the moves up to ply n. With keepRest false the move list is cut after ply n.
int ReplayToPly(ChessContext& context, int ply, bool keepRest);

}  // namespace ravelin::chess
