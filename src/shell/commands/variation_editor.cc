#include "shell/commands/variation_editor.h"
#include "shell/commands/edit_board_setup.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include "chess/move_legality.h"
#include "chess/piece_letters.h"
#include "chess/san_reader.h"
#include "chess/san_writer.h"
#include "shell/commands/game_viewer.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

bool IsAnyMove(const chess::SanText& san) {
    return chess::SanView(san) == search::kAnyMove;
}

chess::FromHint HintOf(int file, int rank) {
    chess::FromHint hint{};
    hint[0] = static_cast<char>('a' + file - 1);
    hint[1] = static_cast<char>('0' + rank);
    return hint;
}

chess::FromHint& VariationHint(search::SearchVariation& variation, int ply) {
    return ply % 2 == 1 ? variation.whiteHints[(ply - 1) / 2] : variation.blackHints[ply / 2 - 1];
}

const chess::FromHint& VariationHint(const search::SearchVariation& variation, int ply) {
    return ply % 2 == 1 ? variation.whiteHints[(ply - 1) / 2] : variation.blackHints[ply / 2 - 1];
}

// Empties the entries of the plies from ply on.
void CutVariation(search::SearchVariation& variation, int ply) {
    for (int p = std::max(ply, 1); p <= chess::kMaxPly; ++p) {
        variation.MoveOfPly(p) = chess::SanText{};
        VariationHint(variation, p) = chess::FromHint{};
    }
}

bool OwnPiece(chess::PieceCode code, chess::Side side) {
    if (code == chess::kEmpty) {
        return false;
    }
    return (code > chess::kBlackOffset) == (side == chess::Side::kBlack);
}

// A line of text at x, y in the layout's font.
display::TextItem TextAt(const display::GameLayout& layout, int x, int y, std::string text) {
    display::TextItem item;
    item.x = x;
    item.y = y;
    item.lineHeight = layout.lineHeight;
    item.fontPixels = layout.fontPixels;
    item.text = std::move(text);
    return item;
}

constexpr char kHelpLine[] = "Click a piece, then its square. Keys: * any move, Backspace take back.";

}  // namespace

VariationReplay ReplayVariation(const search::SearchVariation& variation, chess::ChessContext& context) {
    context.fenSwitch = false;
    context.setupSwitch = false;
    chess::SetStartPosition(context);
    VariationReplay replay;
    const int plies = std::min(variation.Plies(), chess::kMaxPly);
    for (int ply = 1; ply <= plies; ++ply) {
        chess::SanText text = variation.MoveOfPly(ply);
        if (!IsAnyMove(text) && !chess::ApplySan(context, ply, text, VariationHint(variation, ply))) {
            replay.badPly = ply;
            break;
        }
        chess::SavePosition(context, ply);
        replay.plies = ply;
    }
    return replay;
}

VariationEditor::VariationEditor(MainWindow& window) : window_(window), context_(chess::MakeChessContext()) {
    // Warnings of the chess core would interrupt every click; the editor reports in its status line.
    context_->warningsOff = true;
}

VariationEditor::~VariationEditor() = default;

search::SearchVariation& VariationEditor::Variation() {
    return window_.Search().criteria.variation;
}

void VariationEditor::Configure() {
    ConfigureEditBoard(window_, board_);
}

void VariationEditor::Enter() {
    Configure();
    window_.displayMode = kModeVariationEdit;
    status_.clear();
    Rebuild();
    GoTo(replay_.plies);
}

void VariationEditor::Reload() {
    status_.clear();
    Rebuild();
    GoTo(replay_.plies);
}

void VariationEditor::Rebuild() {
    picked_.reset();
    replay_ = ReplayVariation(Variation(), *context_);
    if (replay_.badPly != 0) {
        char text[96];
        std::snprintf(text, sizeof text, kVariationBadMove,
                      std::string(chess::SanView(Variation().MoveOfPly(replay_.badPly))).c_str());
        status_ = text;
    }
    currentPly_ = std::min(currentPly_, replay_.plies);
}

void VariationEditor::GoTo(int ply) {
    currentPly_ = std::clamp(ply, 0, replay_.plies);
    chess::RestorePosition(*context_, currentPly_);
    picked_.reset();
    window_.currentPly = currentPly_;
}

void VariationEditor::Key(VariationKey key) {
    switch (key) {
        case VariationKey::kForward:
            GoTo(currentPly_ + 1);
            break;
        case VariationKey::kBack:
            GoTo(currentPly_ - 1);
            break;
        case VariationKey::kStart:
            GoTo(0);
            break;
        case VariationKey::kEnd:
            GoTo(replay_.plies);
            break;
        case VariationKey::kAnyMove: {
            chess::SanText any{};
            chess::SetSanText(any, search::kAnyMove);
            PutNextMove(any, chess::FromHint{});
            break;
        }
        case VariationKey::kTakeBack:
            if (Variation().Plies() > 0) {
                CutVariation(Variation(), Variation().Plies());
                status_.clear();
                Rebuild();
                GoTo(currentPly_);
            }
            break;
        case VariationKey::kClear:
            if (Variation().Plies() > 0 &&
                window_.Messages().AskQuestion(kClearVariationQuestion) == platform::kAnswerYes) {
                Variation().Clear();
                status_.clear();
                Rebuild();
                GoTo(0);
            }
            break;
    }
}

void VariationEditor::PutNextMove(const chess::SanText& san, const chess::FromHint& hint) {
    const int ply = currentPly_ + 1;
    if (ply > chess::kMaxPly) {
        status_ = kVariationFull;
        picked_.reset();
        return;
    }
    if (ply > plyLimit) {
        picked_.reset();
        window_.Messages().ShowMessage(plyLimitMessage);
        return;
    }
    search::SearchVariation& variation = Variation();
    const bool sameMove =
        ply <= variation.Plies() && chess::SanView(variation.MoveOfPly(ply)) == chess::SanView(san);
    if (!sameMove) {
        CutVariation(variation, ply);
        variation.MoveOfPly(ply) = san;
        VariationHint(variation, ply) = hint;
    }
    status_.clear();
    Rebuild();
    GoTo(ply);
}

void VariationEditor::Click(int x, int y) {
    for (const Hit& hit : hits_) {
        if (hit.rect.Contains(x, y)) {
            if (hit.key) {
                Key(*hit.key);
            } else {
                GoTo(hit.ply);
            }
            return;
        }
    }
    if (std::optional<display::BoardSquare> square = board_.SquareAt(x, y)) {
        SquareClicked(*square);
    }
}

void VariationEditor::SquareClicked(display::BoardSquare square) {
    const chess::Side side = chess::SideOfPly(currentPly_ + 1);
    const chess::PieceCode code = context_->board[square.file][square.rank];
    if (!picked_) {
        if (!OwnPiece(code, side)) {
            status_ = kNotYourPiece;
            return;
        }
        picked_ = square;
        status_.clear();
        return;
    }
    if (*picked_ == square) {
        picked_.reset();
        return;
    }
    if (OwnPiece(code, side)) {
        // Another own piece: it is picked up instead.
        picked_ = square;
        status_.clear();
        return;
    }
    PlayMove(*picked_, square);
}

void VariationEditor::PlayMove(display::BoardSquare from, display::BoardSquare to) {
    const int ply = currentPly_ + 1;
    picked_.reset();
    if (ply > chess::kMaxPly) {
        status_ = kVariationFull;
        return;
    }
    chess::RestorePosition(*context_, currentPly_);
    context_->promotionChoice = chess::kPromoteToQueenByDefault;
    if (!chess::IsLegalCoordinateMove(*context_, ply, from.file, from.rank, to.file, to.rank)) {
        status_ = kNotLegalMove;
        return;
    }
    const chess::PieceCode code = context_->board[from.file][from.rank];
    const chess::PieceCode kind = code > chess::kBlackOffset ? code - chess::kBlackOffset : code;
    chess::FromHint hint{};
    if (kind != chess::kPawn && kind != chess::kKing &&
        chess::DisambiguationNeeded(*context_, kind, from.file, from.rank, to.file, to.rank,
                                    chess::SideOfPly(ply)) != chess::Disambiguation::kNone) {
        hint = HintOf(from.file, from.rank);
    }
    chess::SanText san{};
    chess::WriteSanMove(*context_, ply, from.file, from.rank, to.file, to.rank, san);
    PutNextMove(san, hint);
}

void VariationEditor::AddMoveList(display::GameViewState& state) {
    const display::GameLayout& layout = board_.Layout();
    const int rows = std::max(1, (layout.clientHeight - layout.moveList.top) / layout.lineHeight - 1);
    const int pairs = (replay_.plies + 1) / 2;
    // Two columns of move pairs; the page holding the current move is shown.
    const int perPage = 2 * rows;
    const int currentPair = std::max(1, (currentPly_ + 1) / 2);
    const int first = ((currentPair - 1) / perPage) * perPage + 1;
    for (int pair = first; pair <= std::min(pairs, first + perPage - 1); ++pair) {
        const int index = pair - first;
        const int column = index / rows;
        const int y = layout.MoveRowY(index % rows + 1);
        for (int ply : {2 * pair - 1, 2 * pair}) {
            if (ply > replay_.plies) {
                break;
            }
            std::string move(chess::SanView(Variation().MoveOfPly(ply)));
            chess::LocalisePieceLetters(move, board_.Options().letters);
            const bool white = ply % 2 == 1;
            display::TextItem item = TextAt(layout, layout.MoveColumnX(column, !white), y, {});
            if (white) {
                char number[16];
                std::snprintf(number, sizeof number, "%3d. ", pair);
                item.text = number + move;
            } else {
                item.text = move;
            }
            item.colour = ply == currentPly_ ? board_.Options().currentMoveColour : display::RgbColour{};
            item.bold = ply == currentPly_;
            const int width = layout.moveList.blackColumnOffset;
            hits_.push_back({{item.x, item.y, width, item.lineHeight}, ply, std::nullopt});
            state.texts.push_back(std::move(item));
        }
    }
}

void VariationEditor::AddButtons(display::GameViewState& state) {
    const display::GameLayout& layout = board_.Layout();
    struct Button {
        const char* label;
        VariationKey key;
    };
    static constexpr Button kButtons[] = {{"[Any Move *]", VariationKey::kAnyMove},
                                          {"[Take Back]", VariationKey::kTakeBack},
                                          {"[Clear]", VariationKey::kClear}};
    int x = layout.panelX;
    const int y = layout.clientHeight - layout.lineHeight;
    for (const Button& button : kButtons) {
        display::TextItem item = TextAt(layout, x, y, button.label);
        item.colour = display::RgbColour{0, 0, 160};
        const int width = display::EstimatedTextWidth(item.text, item.fontPixels, item.font) + 4;
        hits_.push_back({{x, y, width, item.lineHeight}, -1, button.key});
        x += width + layout.fontPixels;
        state.texts.push_back(std::move(item));
    }
}

display::GameViewState VariationEditor::State() {
    board_.Draw(context_->board, picked_);
    hits_.clear();
    display::GameViewState state;
    state.kind = display::GameViewKind::kGame;
    state.background = board_.Options().colours.background;
    state.boardShown = true;
    state.boardImage = &board_.Image();
    const display::GameLayout& layout = board_.Layout();
    const search::VariationOptions& options = window_.Search().criteria.options;
    char heading[96];
    std::snprintf(heading, sizeof heading, "Variation: %d %s", replay_.plies,
                  replay_.plies == 1 ? "ply" : "plies");
    char optionsLine[96];
    std::snprintf(optionsLine, sizeof optionsLine, "Exact Variation %s, Force Match %s",
                  options.exactVariation ? "on" : "off", options.forceMatch ? "on" : "off");
    int y = 2;
    for (const char* line : {heading, optionsLine}) {
        state.texts.push_back(TextAt(layout, layout.squareSize, y, line));
        y += layout.lineHeight;
    }
    AddMoveList(state);
    AddButtons(state);
    int below = layout.belowBoardTop;
    const std::string lines[] = {status_, kHelpLine};
    for (const std::string& line : lines) {
        display::TextItem item = TextAt(layout, layout.squareSize, below, line);
        item.colour = &line == &lines[0] ? display::RgbColour{192, 0, 0} : display::RgbColour{};
        state.texts.push_back(std::move(item));
        below += layout.lineHeight;
    }
    return state;
}

}  // namespace ravelin::shell
