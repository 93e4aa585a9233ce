#include "shell/commands/game_viewer.h"

#include "gui/game_view_widget.h"

#include <algorithm>

#include "display/figurine_text.h"

#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWheelEvent>

namespace ravelin::gui {

namespace {

// One wheel notch in Qt's eighths of a degree.
constexpr int kWheelNotch = 120;

QFont FontFor(int pixels, display::TextFont font, bool bold = false) {
    QFont result(font == display::TextFont::kMono ? "DejaVu Sans Mono" : "DejaVu Sans");
    result.setPixelSize(pixels);
    result.setBold(bold);
    return result;
}

QColor ColourOf(display::RgbColour colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

// A move's figurine, ANDed with what is already painted so that its white lets the background show.
void PaintFigurine(QPainter& painter, const display::TextItem& item) {
    const display::RgbImage& figurine = *item.figurine;
    QImage image(figurine.bytes.data(), figurine.width, figurine.height,
                 figurine.width * display::kBytesPerPixel, QImage::Format_RGB888);
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.drawImage(item.x, display::FigurineTop(item), image);
    painter.restore();
}

}  // namespace

GameViewWidget::GameViewWidget(shell::MainWindow& core, QWidget* parent) : StatusView(parent), core_(core) {
    setFocusPolicy(Qt::StrongFocus);
    core_.Viewer().Display().measure = &GameViewWidget::MeasureText;
    connect(&animationTimer_, &QTimer::timeout, this, [this] { AnimationTick(); });
    columnBar_ = new QScrollBar(Qt::Vertical, this);
    columnBar_->setObjectName("columnScrollBar");
    columnBar_->setSingleStep(1);
    columnBar_->hide();
    connect(columnBar_, &QScrollBar::valueChanged, this, [this](int value) {
        core_.Viewer().ScrollColumn(value);
        update();
    });
    annotationBar_ = new QScrollBar(Qt::Vertical, this);
    annotationBar_->setObjectName("annotationScrollBar");
    annotationBar_->setFocusPolicy(Qt::NoFocus);
    annotationBar_->hide();
    connect(annotationBar_, &QScrollBar::valueChanged, this, [this](int value) {
        core_.Viewer().Display().ScrollAnnotationsTo(value);
        update();
    });
}

void GameViewWidget::SyncScrollBar(const display::TextScrollBar& bar) {
    // Values set here come from the core; only the user's moves go back to it.
    const QSignalBlocker blocker(columnBar_);
    if (!bar.shown) {
        columnBar_->hide();
        return;
    }
    const QRect place(bar.x, bar.y, columnBar_->sizeHint().width(), bar.height);
    if (columnBar_->geometry() != place) {
        columnBar_->setGeometry(place);
    }
    columnBar_->setRange(0, bar.range);
    columnBar_->setPageStep(std::max(1, bar.page));
    columnBar_->setValue(bar.value);
    if (!columnBar_->isVisible()) {
        columnBar_->show();
    }
}

void GameViewWidget::SyncAnnotationScrollBar(const display::ScrollListState& list) {
    const QSignalBlocker blocker(annotationBar_);
    if (list.scrollBar.Empty()) {
        annotationBar_->hide();
    } else {
        annotationBar_->setGeometry(list.scrollBar.x, list.scrollBar.y, list.scrollBar.width,
                                    list.scrollBar.height);
        annotationBar_->setRange(0, std::max(list.lineCount - list.visibleLines, 0));
        annotationBar_->setPageStep(std::max(list.visibleLines, 1));
        annotationBar_->setValue(list.firstLine);
        annotationBar_->show();
    }
}

void GameViewWidget::PaintButtons(QPainter& painter, const std::vector<display::ButtonItem>& buttons) {
    for (const display::ButtonItem& button : buttons) {
        QStyleOptionButton option;
        option.initFrom(this);
        option.rect = QRect(button.rect.x, button.rect.y, button.rect.width, button.rect.height);
        option.text = QString::fromStdString(button.label);
        option.state = QStyle::State_Raised;
        if (button.enabled) {
            option.state |= QStyle::State_Enabled;
        } else {
            option.palette.setCurrentColorGroup(QPalette::Disabled);
        }
        const QFont font = FontFor(button.fontPixels, display::TextFont::kSans);
        option.fontMetrics = QFontMetrics(font);
        painter.setFont(font);
        style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
    }
}

int GameViewWidget::MeasureText(std::string_view text, int fontPixels, display::TextFont font) {
    // Bold texts are measured bold, so measure bold: it is never narrower.
    QFontMetrics metrics(FontFor(fontPixels, font, true));
    return metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void GameViewWidget::paintEvent(QPaintEvent* event) {
    display::GameViewState state = core_.Viewer().State();
    SyncScrollBar(state.scrollBar);
    SyncAnnotationScrollBar(state.annotationList);
    if (state.kind == display::GameViewKind::kNothing) {
        StatusView::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.fillRect(rect(), ColourOf(state.background));
    if (state.boardShown) {
        const display::RgbImage& board =
            state.boardImage != nullptr ? *state.boardImage : core_.Viewer().Display().Screen().Image();
        QImage image(board.bytes.data(), board.width, board.height, board.width * display::kBytesPerPixel,
                     QImage::Format_RGB888);
        painter.drawImage(state.boardX, state.boardY, image);
    }
    if (state.textPanel) {
        const display::PixelRect& area = state.textPanel->rect;
        painter.fillRect(area.x, area.y, area.width, area.height, ColourOf(state.textPanel->background));
        painter.setPen(ColourOf(state.textPanel->frame));
        painter.drawRect(area.x, area.y, area.width - 1, area.height - 1);
    }
    for (const display::TextItem& item : state.texts) {
        QFont font = FontFor(item.fontPixels, item.font, item.bold);
        painter.setFont(font);
        QFontMetrics metrics(font);
        if (item.box) {
            QString text = QString::fromStdString(item.text);
            while (text.endsWith(' ')) {
                text.chop(1);
            }
            const int width =
                item.boxWidth > 0 ? item.boxWidth : item.textOffset + metrics.horizontalAdvance(text);
            painter.fillRect(item.x, item.y, width, item.lineHeight, ColourOf(*item.box));
        }
        painter.setPen(ColourOf(item.colour));
        int baseline = item.y + (item.lineHeight - metrics.height()) / 2 + metrics.ascent();
        if (item.figurine != nullptr) {
            PaintFigurine(painter, item);
        }
        painter.drawText(item.x + item.textOffset, baseline, QString::fromStdString(item.text));
    }
    PaintButtons(painter, state.buttons);
    if (core_.Viewer().Display().Animating() && !animationTimer_.isActive()) {
        animationTimer_.start(core_.Viewer().Display().Options().slideStepMs);
    }
}

void GameViewWidget::AnimationTick() {
    if (!core_.Viewer().AnimationStep()) {
        animationTimer_.stop();
    }
    update();
}

void GameViewWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        core_.Viewer().Click(event->position().toPoint().x(), event->position().toPoint().y());
        update();
    }
    StatusView::mousePressEvent(event);
}

void GameViewWidget::wheelEvent(QWheelEvent* event) {
    int steps = event->angleDelta().y() / kWheelNotch;
    const QPoint at = event->position().toPoint();
    if (steps != 0 && (event->modifiers() & Qt::ControlModifier)) {
        // The zoom gesture asks for another board size.
        core_.AskForBoardSize(steps > 0);
    } else if (steps != 0) {
        // The column text and the annotation list take the wheel over them; elsewhere it steps.
        if (!core_.Viewer().ScrollWheel(at.x(), at.y(), steps)) {
            core_.Viewer().Wheel(steps, at.x(), at.y());
        }
        update();
    }
    event->accept();
}

void GameViewWidget::keyPressEvent(QKeyEvent* event) {
    using shell::GameKey;
    if (event->matches(QKeySequence::ZoomIn) || event->matches(QKeySequence::ZoomOut)) {
        core_.AskForBoardSize(event->matches(QKeySequence::ZoomIn));
        return;
    }
    std::optional<GameKey> key;
    switch (event->key()) {
        case Qt::Key_Right:
        case Qt::Key_Down:
            key = GameKey::kNext;
            break;
        case Qt::Key_Left:
        case Qt::Key_Up:
            key = GameKey::kPrevious;
            break;
        case Qt::Key_Home:
            key = GameKey::kStart;
            break;
        case Qt::Key_End:
            key = GameKey::kEnd;
            break;
        case Qt::Key_PageDown:
            key = GameKey::kForwardTen;
            break;
        case Qt::Key_PageUp:
            key = GameKey::kBackTen;
            break;
        case Qt::Key_G:
            core_.Viewer().AskGoToMove();
            update();
            return;
        case Qt::Key_Asterisk:
            core_.Viewer().Character('*');
            update();
            return;
        case Qt::Key_Backspace:
            core_.Viewer().Character('\b');
            update();
            return;
        default:
            break;
    }
    if (!key) {
        StatusView::keyPressEvent(event);
        return;
    }
    core_.Viewer().Key(*key);
    update();
}

}  // namespace ravelin::gui
