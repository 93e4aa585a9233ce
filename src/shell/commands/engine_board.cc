#include "shell/commands/engine_board.h"

#include <algorithm>
#include <cstdio>

#include "chess/fen.h"
#include "chess/move_legality.h"
#include "chess/perft.h"
#include "chess/piece_letters.h"
#include "chess/san_reader.h"
#include "chess/san_writer.h"
#include "shell/commands/edit_board_setup.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

display::TextItem TextAt(const display::GameLayout& layout, int x, int y, std::string text) {
    display::TextItem item;
    item.x = x;
    item.y = y;
    item.lineHeight = layout.lineHeight;
    item.fontPixels = layout.fontPixels;
    item.text = std::move(text);
    return item;
}

}  // namespace

EngineBoard::EngineBoard(MainWindow& window) : window_(window), context_(chess::MakeChessContext()) {
    context_->warningsOff = true;
}

EngineBoard::~EngineBoard() = default;

void EngineBoard::Configure() {
    ConfigureEditBoard(window_, board_);
}

bool EngineBoard::Start(const std::string& fen, const std::vector<std::string>& moves, int current,
                        std::string& reason) {
    context_ = chess::MakeChessContext();
    context_->warningsOff = true;
    startPly_ = chess::SetUpFen(*context_, fen, reason);
    if (startPly_ == 0) {
        startPly_ = 1;
        chess::SetUpFen(*context_, chess::kStartFen, reason);
        return false;
    }
    if (startPly_ == 2) {
        chess::SetSanText(context_->moves.MoveOfPly(1), "..");
    }
    currentPly_ = lastPly_ = startPly_ - 1;
    for (const std::string& text : moves) {
        BoardMove move;
        if (CheckSan(text, move) != 0) {
            reason = "The move " + text + " cannot be played.";
            break;
        }
        Play(move);
    }
    GoTo(startPly_ - 1 + current);
    picked_.reset();
    status.clear();
    return true;
}

void EngineBoard::GoTo(int ply) {
    currentPly_ = std::clamp(ply, startPly_ - 1, lastPly_);
    chess::RestorePosition(*context_, currentPly_);
    picked_.reset();
}

bool EngineBoard::CheckMove(BoardMove& move) {
    const int ply = currentPly_ + 1;
    if (ply > chess::kMaxPly) {
        return false;
    }
    chess::RestorePosition(*context_, currentPly_);
    context_->promotionChoice = move.promotionChoice;
    if (!chess::IsLegalCoordinateMove(*context_, ply, move.fromFile, move.fromRank, move.toFile,
                                      move.toRank)) {
        return false;
    }
    chess::WriteSanMove(*context_, ply, move.fromFile, move.fromRank, move.toFile, move.toRank, move.san);
    return true;
}

int EngineBoard::CheckSan(const std::string& text, BoardMove& move) {
    const int ply = currentPly_ + 1;
    if (ply > chess::kMaxPly || text.empty() || text.size() > chess::kMaxSanLength) {
        return 1;
    }
    chess::RestorePosition(*context_, currentPly_);
    chess::SanText san{};
    chess::SetSanText(san, text);
    const int located = chess::LocateSanMove(*context_, ply, san, chess::FromHint{});
    if (located != 0) {
        return located;
    }
    move.fromFile = context_->locate.fromFile;
    move.fromRank = context_->locate.fromRank;
    move.toFile = context_->locate.toFile;
    move.toRank = context_->locate.toRank;
    move.promotionChoice = context_->promotionChoice;
    return CheckMove(move) ? 0 : 1;
}

void EngineBoard::Play(BoardMove& move) {
    const int ply = currentPly_ + 1;
    chess::RestorePosition(*context_, currentPly_);
    context_->promotionChoice = move.promotionChoice;
    chess::MakeCoordinateMove(*context_, true, ply, move.fromFile, move.fromRank, move.toFile, move.toRank);
    // The move list keeps the move as the board wrote it; the rest of the line is dropped.
    for (int later = ply + 1; later <= lastPly_; ++later) {
        context_->moves.MoveOfPly(later) = chess::SanText{};
    }
    lastPly_ = currentPly_ = ply;
    picked_.reset();
}

void EngineBoard::TakeBack(int plies) {
    const int target = std::max(startPly_ - 1, lastPly_ - plies);
    for (int ply = target + 1; ply <= lastPly_; ++ply) {
        context_->moves.MoveOfPly(ply) = chess::SanText{};
    }
    lastPly_ = target;
    GoTo(target);
}

bool EngineBoard::NextMoverHasMove() {
    chess::RestorePosition(*context_, currentPly_);
    return chess::HasLegalMove(*context_, currentPly_ + 1);
}

std::string EngineBoard::Fen() {
    chess::RestorePosition(*context_, currentPly_);
    return chess::FenOfPly(*context_, currentPly_ + 1);
}

void EngineBoard::Click(int x, int y) {
    for (const Hit& hit : hits_) {
        if (hit.rect.Contains(x, y)) {
            if (hit.commandId != 0) {
                window_.HandleCommand(hit.commandId);
            }
            return;
        }
    }
    if (std::optional<display::BoardSquare> square = board_.SquareAt(x, y)) {
        SquareClicked(*square);
    }
}

void EngineBoard::SquareClicked(display::BoardSquare square) {
    const chess::Side side = chess::SideOfPly(currentPly_ + 1);
    const chess::PieceCode code = context_->board[square.file][square.rank];
    if (!picked_ || chess::BelongsTo(code, side)) {
        if (chess::BelongsTo(code, side) && picked_ != square) {
            picked_ = square;
        } else {
            picked_.reset();
        }
        return;
    }
    BoardMove move;
    move.fromFile = picked_->file;
    move.fromRank = picked_->rank;
    move.toFile = square.file;
    move.toRank = square.rank;
    picked_.reset();
    if (onMove) {
        onMove(move);
    }
}

void EngineBoard::AddMoveList(display::GameViewState& state) {
    const display::GameLayout& layout = board_.Layout();
    const int rows = std::max(1, (layout.clientHeight - layout.moveList.top) / layout.lineHeight - 2);
    const int firstPair = (startPly_ + 1) / 2;
    const int lastPair = (lastPly_ + 1) / 2;
    const int currentPair = std::max(firstPair, (currentPly_ + 1) / 2);
    const int perPage = 2 * rows;
    const int first = firstPair + ((currentPair - firstPair) / perPage) * perPage;
    for (int pair = first; pair <= std::min(lastPair, first + perPage - 1); ++pair) {
        const int index = pair - first;
        const int y = layout.MoveRowY(index % rows + 1);
        for (int ply : {2 * pair - 1, 2 * pair}) {
            if (ply > lastPly_ || ply < startPly_ - 1) {
                continue;
            }
            std::string move(chess::SanView(context_->moves.MoveOfPly(ply)));
            chess::LocalisePieceLetters(move, board_.Options().letters);
            const bool white = ply % 2 == 1;
            display::TextItem item = TextAt(layout, layout.MoveColumnX(index / rows, !white), y, {});
            if (white) {
                char number[16];
                std::snprintf(number, sizeof number, "%3d. ", pair);
                item.text = number + move;
            } else {
                item.text = move;
            }
            item.bold = ply == currentPly_;
            item.colour = ply == currentPly_ ? board_.Options().currentMoveColour : display::RgbColour{};
            hits_.push_back({{item.x, item.y, layout.moveList.blackColumnOffset, item.lineHeight}, ply, 0});
            state.texts.push_back(std::move(item));
        }
    }
}

display::GameViewState EngineBoard::State() {
    board_.Draw(context_->board, picked_);
    hits_.clear();
    display::GameViewState state;
    state.kind = display::GameViewKind::kGame;
    state.background = board_.Options().colours.background;
    state.boardShown = true;
    state.boardImage = &board_.Image();
    const display::GameLayout& layout = board_.Layout();
    state.texts.push_back(TextAt(layout, layout.squareSize, 2, title));
    AddMoveList(state);
    // Four buttons a row, the last row at the window's foot.
    constexpr std::size_t kPerRow = 4;
    const int rows = static_cast<int>((buttons.size() + kPerRow - 1) / kPerRow);
    int x = layout.panelX;
    for (std::size_t index = 0; index < buttons.size(); ++index) {
        const BoardButton& button = buttons[index];
        if (index % kPerRow == 0) {
            x = layout.panelX;
        }
        const int y = layout.clientHeight - (rows - static_cast<int>(index / kPerRow)) * layout.lineHeight;
        display::TextItem item = TextAt(layout, x, y, "[" + button.label + "]");
        item.colour = display::RgbColour{0, 0, 160};
        const int width = display::EstimatedTextWidth(item.text, item.fontPixels, item.font) + 4;
        hits_.push_back({{x, y, width, item.lineHeight}, -1, button.commandId});
        x += width + layout.fontPixels / 2;
        state.texts.push_back(std::move(item));
    }
    display::TextItem line = TextAt(layout, layout.squareSize, layout.belowBoardTop, status);
    line.colour = display::RgbColour{192, 0, 0};
    state.texts.push_back(std::move(line));
    return state;
}

}  // namespace ravelin::shell
