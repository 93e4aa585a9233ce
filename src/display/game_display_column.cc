// The game display's column text: its layout with the scroll position, and the variation moves a
// click on it shows.

#include "display/game_display.h"

namespace ravelin::display {

void GameDisplay::LayOutColumn() {
    ColumnStyle style;
    style.left = layout_.panelX;
    style.right = layout_.panelX + layout_.panelWidth;
    style.fontPixels = layout_.fontPixels;
    style.text = kTextColour;
    style.variation = options_.variationColour;
    style.current = options_.currentMoveColour;
    style.moveNumberBackground = options_.moveNumberBackground;
    style.currentPly = currentPly_;
    ColumnCurrentMove current{currentPly_, 0, 0};
    if (variation_) {
        style.currentVariation = variation_->variationId;
        style.currentIndex = variation_->current;
        current = {currentPly_, variation_->variationId, variation_->current};
    }
    const int capacity = kColumnTableCapacity - (totalPlies_ + 2);
    style.scroll = columnScroll_.Pixels();
    columnLayout_ = LayOutColumnText(columnWords_, style, measure, capacity);
    columnScroll_.SetExtent(columnLayout_.lineCount, ColumnVisibleLines(layout_.clientHeight));
    // The user's scroll stands; only a new current move that is out of view moves the text.
    if (columnScroll_.CurrentMoveChanged(current)) {
        for (const ColumnMoveEntry& entry : columnLayout_.moves) {
            const ColumnWord& word = columnWords_[entry.word];
            const bool isCurrent =
                variation_ ? word.variationId == current.variation && word.indexInVariation == current.index
                           : entry.depth == 0 && entry.ply == currentPly_;
            if (isCurrent) {
                columnScroll_.ScrollBy(LinesToBringIntoView(entry.top, entry.bottom, layout_.clientHeight));
                break;
            }
        }
    }
    if (columnScroll_.Pixels() != style.scroll) {
        style.scroll = columnScroll_.Pixels();
        columnLayout_ = LayOutColumnText(columnWords_, style, measure, capacity);
    }
}

void GameDisplay::ScrollColumnTo(int lines) {
    if (!hasGame_ || !options_.columnFormat) {
        return;
    }
    // The range and the current move as they stand now, so that the new position is kept.
    LayOutColumn();
    columnScroll_.ScrollTo(lines);
    LayOutColumn();
}

void GameDisplay::ScrollColumnBy(int lines) {
    ScrollColumnTo(columnScroll_.Lines() + lines);
}

TextScrollBar GameDisplay::ColumnScrollBar() {
    if (!hasGame_ || !options_.columnFormat) {
        return {};
    }
    LayOutColumn();
    return PlacedScrollBar();
}

TextScrollBar GameDisplay::PlacedScrollBar() const {
    if (!hasGame_ || !options_.columnFormat) {
        return {};
    }
    TextScrollBar bar = columnScroll_.Bar();
    bar.x = layout_.panelX + layout_.panelWidth;
    bar.y = 0;
    bar.height = layout_.clientHeight;
    return bar;
}

chess::Board GameDisplay::ShownBoard() const {
    return variation_ ? variation_->Board() : BoardOfPly(currentPly_);
}

bool GameDisplay::ShowVariationMove(std::size_t word) {
    if (!hasGame_) {
        return false;
    }
    FinishAnimation();
    VariationReplay replay = ReplayVariation(columnWords_, word, *context_, totalPlies_);
    if (!replay.line) {
        if (messages) {
            messages(replay.error);
        }
        return false;
    }
    previousPly_ = currentPly_;
    variation_ = std::move(*replay.line);
    // The main line waits at the ply the variation stands after.
    currentPly_ = variation_->hangPly;
    chess::RestorePosition(*context_, currentPly_);
    dirty_ = UniteRects(dirty_, screen_.DrawPosition(variation_->Board()).dirty);
    MarkLastMove(currentPly_);
    return true;
}

bool GameDisplay::StepInVariation(int direction) {
    const int next = variation_->current + direction;
    if (next < 1 || next > variation_->MoveCount()) {
        return false;
    }
    FinishAnimation();
    variation_->current = next;
    const chess::Board board = variation_->Board();
    if (options_.animate) {
        DrawAnimated(board, currentPly_);
    } else {
        dirty_ = UniteRects(dirty_, screen_.DrawPosition(board).dirty);
        MarkLastMove(currentPly_);
    }
    return true;
}

void GameDisplay::LeaveVariation() {
    variation_.reset();
}

void GameDisplay::EndVariation() {
    if (variation_) {
        ChangeTo(variation_->hangPly, false);
    }
}

}  // namespace ravelin::display
