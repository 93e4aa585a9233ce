#include "shell/commands/add_game_editor.h"

#include <algorithm>
#include <cstdio>

#include "chess/fen.h"
#include "chess/move_legality.h"
#include "chess/piece_letters.h"
#include "shell/commands/edit_board_setup.h"
#include "shell/dialogs/add_game_dialogs.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

// White's entry before black's first move in a game that black begins.
constexpr char kBlackFirstPlaceholder[] = "..";
constexpr char kHelpLine[] = "Click a piece, then its square. Backspace takes the last move back.";
constexpr char kNotLegal[] = "That move is not legal here; it was not taken.";
constexpr char kNotYourPiece[] = "Pick up a piece of the side to move.";

bool OwnPiece(chess::PieceCode code, chess::Side side) {
    return code != chess::kEmpty && (code > chess::kBlackOffset) == (side == chess::Side::kBlack);
}

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

AddGameEditor::AddGameEditor(MainWindow& window) : window_(window), context_(chess::MakeChessContext()) {
    context_->warningsOff = true;
}

AddGameEditor::~AddGameEditor() = default;

void AddGameEditor::Configure() {
    ConfigureEditBoard(window_, board_);
}

void AddGameEditor::Start(bool setUp) {
    setUp_ = setUp;
    game_ = gamefile::EnteredGame{};
    game_.header[gamefile::kTagResult] = "*";
    context_->moves = chess::MoveList{};
    context_->fenSwitch = false;
    context_->setupSwitch = false;
    if (setUp) {
        chess::SetUpFromPositionBoard(*context_, setUpBoard_);
    } else {
        chess::SetStartPosition(*context_);
    }
    if (firstPly_ == 2) {
        chess::SetSanText(context_->moves.whiteMoves[0], kBlackFirstPlaceholder);
        chess::SavePosition(*context_, 1);
    }
    lastPly_ = firstPly_ - 1;
    picked_.reset();
    status_.clear();
    Configure();
    window_.displayMode = kModeAddGame;
    window_.SetMenuBarKind(MenuBarKind::kAddGame);
}

void AddGameEditor::Enter() {
    firstPly_ = 1;
    Start(false);
}

void AddGameEditor::EnterFromPosition(const chess::Board& position, bool whiteFirst) {
    setUpBoard_ = position;
    firstPly_ = whiteFirst ? 1 : 2;
    Start(true);
}

void AddGameEditor::TakeMoves(const chess::ChessContext& game, int plies) {
    const gamefile::EnteredGame kept = game_;
    // A game that starts from its FEN tag is taken from that position, black first when it says so.
    const bool fromFen = game.fenSwitch;
    setUpBoard_ = game.fenBoard;
    firstPly_ = fromFen && chess::SanView(game.moves.whiteMoves[0]) == kBlackFirstPlaceholder ? 2 : 1;
    Start(fromFen);
    game_.header = kept.header;
    chess::MoveList source = game.moves;
    context_->moves = chess::MoveList{};
    for (int ply = 1; ply <= std::min(std::max(plies, firstPly_ - 1), chess::kMaxPly); ++ply) {
        context_->moves.MoveOfPly(ply) = source.MoveOfPly(ply);
        context_->moves.HintOfPly(ply) = source.HintOfPly(ply);
    }
    context_->setupSwitch = fromFen;
    context_->setupBoard = setUpBoard_;
    chess::SetStartPosition(*context_);
    lastPly_ = std::max(chess::ReplayMoves(*context_, (plies + 1) / 2), firstPly_ - 1);
    context_->setupSwitch = false;
    for (int ply = lastPly_ + 1; ply <= chess::kMaxPly; ++ply) {
        context_->moves.MoveOfPly(ply) = chess::SanText{};
    }
    chess::RestorePosition(*context_, lastPly_);
    CopyMoveList();
}

gamefile::EnteredGame& AddGameEditor::Game() {
    game_.fenTag.clear();
    if (setUp_) {
        context_->fenSwitch = true;
        context_->startPositionBoard = setUpBoard_;
        game_.fenTag = chess::WriteFenTag(*context_, game_.header[gamefile::kTagResult]);
        context_->fenSwitch = false;
    }
    return game_;
}

void AddGameEditor::CopyMoveList() {
    game_.whiteMoves.clear();
    game_.blackMoves.clear();
    for (int ply = 1; ply <= lastPly_; ++ply) {
        std::string san(chess::SanView(context_->moves.MoveOfPly(ply)));
        (ply % 2 == 1 ? game_.whiteMoves : game_.blackMoves).push_back(std::move(san));
    }
}

void AddGameEditor::TakeBack() {
    if (lastPly_ < firstPly_) {
        return;
    }
    context_->moves.MoveOfPly(lastPly_) = chess::SanText{};
    --lastPly_;
    chess::RestorePosition(*context_, lastPly_);
    picked_.reset();
    status_.clear();
    CopyMoveList();
}

void AddGameEditor::Click(int x, int y) {
    if (std::optional<display::BoardSquare> square = board_.SquareAt(x, y)) {
        SquareClicked(*square);
    }
}

void AddGameEditor::SquareClicked(display::BoardSquare square) {
    const chess::Side side = chess::SideOfPly(lastPly_ + 1);
    const chess::PieceCode code = context_->board[square.file][square.rank];
    if (OwnPiece(code, side)) {
        picked_ = picked_ == square ? std::nullopt : std::optional(square);
        status_.clear();
        return;
    }
    if (!picked_) {
        status_ = kNotYourPiece;
        return;
    }
    PlayMove(*picked_, square);
}

void AddGameEditor::PlayMove(display::BoardSquare from, display::BoardSquare to) {
    const int ply = lastPly_ + 1;
    picked_.reset();
    if (ply > chess::kMaxPly) {
        status_ = kAddGameFull;
        return;
    }
    chess::RestorePosition(*context_, lastPly_);
    if (!chess::IsLegalCoordinateMove(*context_, ply, from.file, from.rank, to.file, to.rank)) {
        status_ = kNotLegal;
        return;
    }
    const chess::PieceCode code = context_->board[from.file][from.rank];
    const bool promotes = (code == chess::kPawn && to.rank == 8) ||
                          (code == chess::kPawn + chess::kBlackOffset && to.rank == 1);
    context_->promotionChoice = chess::kPromoteToQueenByDefault;
    if (promotes) {
        PromotionDialog dialog;
        if (!window_.Platform().dialogs->RunDialog(dialog)) {
            return;
        }
        context_->promotionChoice = dialog.Choice();
    }
    if (chess::MakeCoordinateMove(*context_, true, ply, from.file, from.rank, to.file, to.rank) != 0) {
        status_ = kNotLegal;
        return;
    }
    lastPly_ = ply;
    status_.clear();
    CopyMoveList();
}

display::GameViewState AddGameEditor::State() {
    board_.Draw(context_->board, picked_);
    display::GameViewState state;
    state.kind = display::GameViewKind::kGame;
    state.background = board_.Options().colours.background;
    state.boardShown = true;
    state.boardImage = &board_.Image();
    const display::GameLayout& layout = board_.Layout();
    char heading[96];
    std::snprintf(heading, sizeof heading, "Add Game: %d %s", Plies(), Plies() == 1 ? "ply" : "plies");
    state.texts.push_back(TextAt(layout, layout.squareSize, 2, heading));
    // The moves as they will be written, wrapped at blanks to the panel's width.
    std::string moves;
    gamefile::WriteMovetext(game_, moves, true);
    chess::LocalisePieceLetters(moves, board_.Options().letters);
    int y = layout.moveList.top;
    std::string line;
    const auto flush = [&] {
        if (!line.empty()) {
            state.texts.push_back(TextAt(layout, layout.panelX, y, line));
            y += layout.lineHeight;
            line.clear();
        }
    };
    std::size_t start = 0;
    while (start < moves.size()) {
        std::size_t end = moves.find_first_of(" \r\n", start);
        if (end == std::string::npos) {
            end = moves.size();
        }
        const std::string word = moves.substr(start, end - start);
        start = end + 1;
        if (word.empty()) {
            continue;
        }
        const std::string longer = line.empty() ? word : line + " " + word;
        const display::TextItem probe = TextAt(layout, 0, 0, longer);
        if (!line.empty() &&
            display::EstimatedTextWidth(longer, probe.fontPixels, probe.font) > layout.panelWidth) {
            flush();
            line = word;
        } else {
            line = longer;
        }
    }
    flush();
    int below = layout.belowBoardTop;
    // The status line (red) above the help line.
    display::TextItem status = TextAt(layout, layout.squareSize, below, status_);
    status.colour = display::RgbColour{192, 0, 0};
    state.texts.push_back(std::move(status));
    state.texts.push_back(TextAt(layout, layout.squareSize, below + layout.lineHeight, kHelpLine));
    return state;
}

}  // namespace ravelin::shell
