#include "shell/commands/position_editor.h"
#include "shell/commands/edit_board_setup.h"

#include <algorithm>
#include <cctype>

#include "display/game_display.h"
#include "search/position_criteria.h"
#include "shell/commands/game_viewer.h"
#include "shell/dialogs/position_dialogs.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

struct PaletteEntry {
    chess::PieceCode code;
    const char* glyph;
};

// King to pawn, White then Black, and the eraser.
constexpr PaletteEntry kPalette[] = {
    {chess::kKing, "\u2654"},
    {chess::kQueen, "\u2655"},
    {chess::kRook, "\u2656"},
    {chess::kBishop, "\u2657"},
    {chess::kKnight, "\u2658"},
    {chess::kPawn, "\u2659"},
    {chess::kKing + chess::kBlackOffset, "\u265A"},
    {chess::kQueen + chess::kBlackOffset, "\u265B"},
    {chess::kRook + chess::kBlackOffset, "\u265C"},
    {chess::kBishop + chess::kBlackOffset, "\u265D"},
    {chess::kKnight + chess::kBlackOffset, "\u265E"},
    {chess::kPawn + chess::kBlackOffset, "\u265F"},
};
constexpr int kPalettePerRow = 6;

struct Button {
    const char* label;
    PositionAction action;
};
constexpr Button kButtons[] = {
    {"[Clear]", PositionAction::kClear},
    {"[From Game]", PositionAction::kFromGame},
    {"[Pawns and Pieces Remaining]", PositionAction::kPiecesRemaining},
    {"[Set Position Move Number]", PositionAction::kMoveNumber},
};

constexpr char kHelpLine[] = "Pick a piece beside the board, then click squares; click it again to empty.";

// "W: Q=1 P>5" — the count conditions of one side as the lists will carry them.
std::string CountsText(const search::CriteriaBoard& criteria, int side) {
    std::string text = side == 0 ? "White counts:" : "Black counts:";
    static constexpr char kLetters[] = {'Q', 'R', 'B', 'N', 'P'};
    bool any = false;
    for (int kind = 0; kind < search::kCountKinds; ++kind) {
        const search::CountCondition& condition = criteria.counts[side][kind];
        const char relation = CountRelationCharacter(condition.relation);
        if (relation == 0) {
            continue;
        }
        text += ' ';
        text += kLetters[kind];
        text += relation;
        if (condition.digit != 0) {
            text += condition.digit;
        }
        any = true;
    }
    if (!any) {
        text += " none";
    }
    return text;
}

}  // namespace

PositionEditor::PositionEditor(MainWindow& window) : window_(window) {}

search::CriteriaBoard& PositionEditor::Criteria() {
    return window_.Search().criteriaBoard;
}

void PositionEditor::Configure() {
    ConfigureEditBoard(window_, board_);
}

void PositionEditor::Enter() {
    Configure();
    window_.displayMode = kModePositionEdit;
    status_.clear();
}

int PositionEditor::EntriesOfSide(int side) const {
    const search::CriteriaBoard& criteria = window_.Search().criteriaBoard;
    int count = 0;
    for (int file = chess::kFirstLine; file <= chess::kLastLine; ++file) {
        for (int rank = chess::kFirstLine; rank <= chess::kLastLine; ++rank) {
            const chess::PieceCode code = criteria.squares[file][rank];
            if (code != chess::kEmpty && (code > chess::kBlackOffset) == (side == 1)) {
                ++count;
            }
        }
    }
    for (const search::CountCondition& condition : criteria.counts[side]) {
        count += condition.relation != search::kNoCount ? 1 : 0;
    }
    return count;
}

void PositionEditor::SquareClicked(int file, int rank) {
    if (!picked_) {
        status_ = kPickPieceFirst;
        return;
    }
    chess::PieceCode& square = Criteria().squares[file][rank];
    status_.clear();
    if (square == *picked_ || *picked_ == chess::kEmpty) {
        square = chess::kEmpty;
        return;
    }
    const int side = *picked_ > chess::kBlackOffset ? 1 : 0;
    const bool sameSideBefore = square != chess::kEmpty && (square > chess::kBlackOffset) == (side == 1);
    // The lists hold 40 entries a side; a piece more would overwrite the last one.
    if (!sameSideBefore && EntriesOfSide(side) >= search::kPositionListEntries) {
        status_ = kSideListFull;
        return;
    }
    square = *picked_;
}

void PositionEditor::Click(int x, int y) {
    for (const Hit& hit : hits_) {
        if (hit.rect.Contains(x, y)) {
            if (hit.piece) {
                picked_ = *hit.piece;
                status_.clear();
            } else if (hit.action) {
                Act(*hit.action);
            }
            return;
        }
    }
    if (std::optional<display::BoardSquare> square = board_.SquareAt(x, y)) {
        SquareClicked(square->file, square->rank);
    }
}

void PositionEditor::Act(PositionAction action) {
    status_.clear();
    switch (action) {
        case PositionAction::kClear: {
            if (window_.Messages().AskQuestion(kClearPositionQuestion) == platform::kAnswerYes) {
                Criteria().Clear();
            }
            break;
        }
        case PositionAction::kFromGame: {
            const display::GameDisplay& display = window_.Viewer().Display();
            if (!display.HasGame()) {
                status_ = kNoGameToCopy;
                break;
            }
            // The squares only: the count conditions stay as they were set.
            Criteria().squares = display.Screen().Shown();
            break;
        }
        case PositionAction::kPiecesRemaining: {
            PiecesRemainingDialog dialog(Criteria().counts);
            if (window_.Platform().dialogs != nullptr && window_.Platform().dialogs->RunDialog(dialog)) {
                Criteria().counts = dialog.counts;
            }
            break;
        }
        case PositionAction::kMoveNumber: {
            search::MoveNumberCondition& condition = window_.Search().criteria.position.moveNumber;
            MoveNumberDialog dialog(condition);
            if (window_.Platform().dialogs != nullptr && window_.Platform().dialogs->RunDialog(dialog)) {
                condition.on = dialog.on;
                condition.criterion = dialog.criterion;
            }
            break;
        }
    }
}

std::string PositionEditor::MoveNumberLabel() const {
    return search::MoveNumberLabel(window_.Search().criteria.position.moveNumber);
}

display::GameViewState PositionEditor::State() {
    board_.Draw(window_.Search().criteriaBoard.squares, std::nullopt);
    hits_.clear();
    display::GameViewState state;
    state.kind = display::GameViewKind::kGame;
    state.background = board_.Options().colours.background;
    state.boardShown = true;
    state.boardImage = &board_.Image();
    const display::GameLayout& layout = board_.Layout();
    auto text = [&](int x, int y, std::string line, display::RgbColour colour = {}, bool bold = false,
                    int pixels = 0) {
        display::TextItem item;
        item.x = x;
        item.y = y;
        item.lineHeight = pixels == 0 ? layout.lineHeight : pixels + 6;
        item.fontPixels = pixels == 0 ? layout.fontPixels : pixels;
        item.text = std::move(line);
        item.colour = colour;
        item.bold = bold;
        state.texts.push_back(item);
        return item;
    };
    text(layout.squareSize, 2, "Position search");
    text(layout.squareSize, 2 + layout.lineHeight, MoveNumberLabel());

    // The palette: two rows of pieces, then the eraser.
    const int glyphPixels = std::max(layout.squareSize * 3 / 4, 18);
    const int cell = glyphPixels + 8;
    int y = layout.moveList.top;
    for (int index = 0; index < static_cast<int>(std::size(kPalette)); ++index) {
        const PaletteEntry& entry = kPalette[index];
        const int x = layout.panelX + (index % kPalettePerRow) * cell;
        const int rowY = y + (index / kPalettePerRow) * cell;
        const bool chosen = picked_ && *picked_ == entry.code;
        text(x, rowY, entry.glyph, chosen ? display::RgbColour{200, 0, 0} : display::RgbColour{}, chosen,
             glyphPixels);
        hits_.push_back({{x, rowY, cell, cell}, entry.code, std::nullopt});
    }
    y += 2 * cell;
    const bool eraser = picked_ && *picked_ == chess::kEmpty;
    text(layout.panelX, y, "[Empty square]",
         eraser ? display::RgbColour{200, 0, 0} : display::RgbColour{0, 0, 160}, eraser);
    hits_.push_back({{layout.panelX, y, layout.panelWidth, layout.lineHeight}, chess::kEmpty, std::nullopt});
    y += 2 * layout.lineHeight;
    for (const Button& button : kButtons) {
        display::TextItem item = text(layout.panelX, y, button.label, display::RgbColour{0, 0, 160});
        const int width = display::EstimatedTextWidth(item.text, item.fontPixels, item.font) + 4;
        hits_.push_back({{layout.panelX, y, width, layout.lineHeight}, std::nullopt, button.action});
        y += layout.lineHeight + 4;
    }
    y += layout.lineHeight;
    text(layout.panelX, y, CountsText(window_.Search().criteriaBoard, 0));
    text(layout.panelX, y + layout.lineHeight, CountsText(window_.Search().criteriaBoard, 1));

    text(layout.squareSize, layout.belowBoardTop, status_, display::RgbColour{192, 0, 0});
    text(layout.squareSize, layout.belowBoardTop + layout.lineHeight, kHelpLine);
    return state;
}

}  // namespace ravelin::shell
