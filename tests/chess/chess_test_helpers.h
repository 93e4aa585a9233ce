#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "chess/chess_context.h"
#include "chess/move_legality.h"
#include "chess/perft.h"
#include "chess/san_reader.h"

namespace ravelin::chess::testing {

// A context set to a FEN position, remembering the ply whose mover is to play and every message.
struct Position {
    std::unique_ptr<ChessContext> context = MakeChessContext();
    int ply = 0;
    std::vector<std::string> messages;

    explicit Position(std::string_view fen = "startpos") {
        context->messages = [this](std::string_view message) { messages.emplace_back(message); };
        std::string error;
        ply = SetUpFen(*context, fen, error);
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

    bool PlayAll(std::initializer_list<std::string_view> moves) {
        for (const std::string_view move : moves) {
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

    // Legal-move test by coordinates for the mover of the current ply.
    bool Legal(std::string_view from, std::string_view to) {
        return MakeCoordinateMoveAt(from, to, false) == 0;
    }
    int MakeCoordinateMoveAt(std::string_view from, std::string_view to, bool commit);

    std::string lastText;
};

inline int Position::MakeCoordinateMoveAt(std::string_view from, std::string_view to, bool commit) {
    const int result = MakeCoordinateMove(*context, commit, ply, from[0] - 'a' + 1, from[1] - '0',
                                          to[0] - 'a' + 1, to[1] - '0');
    if (commit && result == 0) {
        lastText = std::string(SanView(context->moves.MoveOfPly(ply)));
        ++ply;
    } else if (result == 0) {
        lastText = std::string(SanView(context->scratchSan));
    }
    return result;
}

}  // namespace ravelin::chess::testing
