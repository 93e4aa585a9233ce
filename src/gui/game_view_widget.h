#pragma once

#include <QScrollBar>
#include <QTimer>

#include "display/game_view_state.h"
#include "gui/main_window_widget.h"

namespace ravelin::gui {

// The main window's client area while a game or its text is shown: it paints the board image and
// the texts of the core's view state and hands clicks, the wheel and the navigation keys to the
// core. Without a game it paints the status lines as before.
class GameViewWidget : public StatusView {
    Q_OBJECT
  public:
    explicit GameViewWidget(shell::MainWindow& core, QWidget* parent = nullptr);

    // The text widths the core fits its texts to, in the fonts painted here.
    static int MeasureText(std::string_view text, int fontPixels, display::TextFont font);
    // The scroll bar beside the column text (hidden while the text fits or is not shown).
    QScrollBar* ColumnScrollBar() const { return columnBar_; }
    // The annotation list's scroll bar; hidden while every line fits.
    QScrollBar* AnnotationScrollBar() const { return annotationBar_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void AnimationTick();
    // Puts the column text's scroll bar where the core's state says, with its range and value.
    void SyncScrollBar(const display::TextScrollBar& bar);
    void PaintButtons(QPainter& painter, const std::vector<display::ButtonItem>& buttons);
    // The scroll bar follows the list state the core gave for this paint.
    void SyncAnnotationScrollBar(const display::ScrollListState& list);

    shell::MainWindow& core_;
    QTimer animationTimer_;
    QScrollBar* columnBar_ = nullptr;
    QScrollBar* annotationBar_ = nullptr;
};

}  // namespace ravelin::gui
