#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "chess/chess_context.h"
#include "chess/move_legality.h"
#include "chess/movetext.h"
#include "chess/perft.h"
#include "chess/san_reader.h"

namespace ravelin::chess::testing {

// The move texts up to the first empty entry, separated by blanks; each must end inside its entry.
inline std::string MoveTexts(ChessContext& context) {
    std::string texts;
    for (int ply = 1; ply <= kMaxPly && context.moves.MoveOfPly(ply)[0] != '\0'; ++ply) {
        EXPECT_EQ(context.moves.MoveOfPly(ply)[kMaxSanLength], '\0') << ply;
        texts += (ply > 1 ? " " : "") + std::string(SanView(context.moves.MoveOfPly(ply)));
    }
    return texts;
}

// A context set to a FEN position, remembering the ply whose mover is to play and every message.
struct Position {
    std::unique_ptr<ChessContext> context = MakeChessContext();
    int ply = 0;
    std::vector<std::string> messages;
    std::string lastText;

    explicit Position(std::string_view fen = "startpos") {
        context->messages = [this](std::string_view message) { messages.emplace_back(message); };
        std::string error;
        ply = SetUpFen(*context, fen.empty() ? "startpos" : fen, error);
        EXPECT_NE(ply, 0) << error;
    }

    ChessContext& operator*() { return *context; }
    ChessContext* operator->() { return context.get(); }

    // Plays a SAN text for the next ply and saves it; false (nothing changed) when refused.
    bool Play(std::string_view san) {
        SanText text{};
        SetSanText(text, san);
        if (!ApplySan(*context, ply, text, FromHint{})) {
            return false;
        }
        lastText = std::string(SanView(text));
        SavePosition(*context, ply);
        ++ply;
        return true;
    }

    // Plays moves separated by blanks.
    bool PlayAll(std::string_view moves) {
        std::istringstream in{std::string(moves)};
        for (std::string move; in >> move;) {
            if (!Play(move)) {
                ADD_FAILURE() << "refused: " << move;
                return false;
            }
        }
        return true;
    }

    PieceCode At(std::string_view square) const {
        return context->board[square[0] - 'a' + 1][square[1] - '0'];
    }

    // A move entered by coordinates ("g1f3") for the mover of the current ply; 0 when legal, with
    // its text (in the move list when committed) in lastText.
    int Coordinate(std::string_view move, bool commit = false) {
        const int result = MakeCoordinateMove(*context, commit, ply, move[0] - 'a' + 1, move[1] - '0',
                                              move[2] - 'a' + 1, move[3] - '0');
        if (result == 0) {
            lastText = std::string(SanView(commit ? context->moves.MoveOfPly(ply) : context->scratchSan));
            ply += commit ? 1 : 0;
        }
        return result;
    }

    // Checks squares given as "e4P d5p e2." (upper case white, lower case black, '.' empty).
    void ExpectSquares(std::string_view squares) const {
        std::istringstream in{std::string(squares)};
        for (std::string item; in >> item;) {
            const auto kind = std::string_view(".PNBRQK").find(static_cast<char>(std::toupper(item[2])));
            EXPECT_EQ(At(item.substr(0, 2)),
                      static_cast<int>(kind) + (std::islower(item[2]) ? kBlackOffset : 0))
                << item;
        }
    }
};

// A move tried after set-up moves: the text it is written as (nullptr when refused) and squares
// to check afterwards.
struct MoveCase {
    const char* fen;  // "" = the start position
    const char* before;
    const char* move;
    const char* text;
    const char* squares = "";
};

// The move read as SAN text: rewritten to the expected text, or refused with the board unchanged.
inline void CheckSanCase(const MoveCase& c) {
    SCOPED_TRACE(std::string(c.fen) + " | " + c.before + " | " + c.move);
    Position position(c.fen);
    ASSERT_TRUE(position.PlayAll(c.before));
    const Board before = position->board;
    const bool played = position.Play(c.move);
    ASSERT_EQ(played, c.text != nullptr);
    if (played) {
        EXPECT_EQ(position.lastText, c.text);
    } else {
        EXPECT_EQ(position->board, before);
    }
    position.ExpectSquares(c.squares);
}

// The move entered by coordinates ("e2e4"): tried twice without committing (a trial changes
// nothing), then committed when squares are to be checked.
inline void CheckCoordinateCase(const MoveCase& c) {
    SCOPED_TRACE(std::string(c.fen) + " | " + c.before + " | " + c.move);
    Position position(c.fen);
    ASSERT_TRUE(position.PlayAll(c.before));
    const Board before = position->board;
    for (int trial = 0; trial < 2; ++trial) {
        position.lastText.clear();
        ASSERT_EQ(position.Coordinate(c.move) == 0, c.text != nullptr);
        EXPECT_EQ(position.lastText, c.text != nullptr ? c.text : "");
        EXPECT_EQ(position->board, before);
    }
    if (c.text != nullptr && *c.squares != '\0') {
        ASSERT_EQ(position.Coordinate(c.move, true), 0);
        EXPECT_EQ(position.lastText, c.text);
        position.ExpectSquares(c.squares);
    }
}

// Lines of an in-memory movetext, split at line feeds, each with its offset in the text.
class StringLineSource : public MovetextLineSource {
  public:
    explicit StringLineSource(std::string text) : text_(std::move(text)) {}

    int NextLine(std::string_view& line, std::uint64_t& offset) override {
        if (offset_ >= text_.size()) {
            return 0;
        }
        const std::size_t end = std::min(text_.find('\n', offset_), text_.size());
        line = std::string_view(text_).substr(offset_, end - offset_);
        offset = offset_;
        const std::size_t taken = std::min(end + 1, text_.size()) - offset_;
        offset_ += taken;
        return static_cast<int>(taken);
    }

  private:
    std::string text_;
    std::size_t offset_ = 0;
};

// A context and record with the movetext parsed; messages collected.
struct ParsedGame {
    std::unique_ptr<ChessContext> context = MakeChessContext();
    std::unique_ptr<GameRecord> record = MakeGameRecord();
    std::vector<std::string> messages;
    int moves = 0;

    explicit ParsedGame(std::string movetext, int stopAfter = 0, bool batch = false) {
        context->messages = [this](std::string_view message) { messages.emplace_back(message); };
        context->batch = batch;
        StringLineSource source(std::move(movetext));
        moves = ParseMovetext(*context, *record, source, stopAfter);
    }

    std::string Entries() { return MoveTexts(*context); }
    // Start position and replay of the parsed main line; the plies played.
    int Replay() {
        SetStartPosition(*context);
        return ReplayMoves(*context, moves);
    }
};

}  // namespace ravelin::chess::testing
