#include "piece_painter.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <vector>

#include "display/piece_set.h"

namespace ravelin::pieceset {

namespace {

using display::RgbColour;
using display::RgbImage;

constexpr char16_t kWhiteKingGlyph = 0x2654;
constexpr char16_t kBlackKingGlyph = 0x265A;
// Glyph paths are made large and scaled down, so their curves stay smooth at every size.
constexpr int kGlyphPixelSize = 256;
// Below this coverage a pixel at the rim of a piece counts as outside (key colour).
constexpr int kInsideThreshold = 110;
constexpr int kFigurineThreshold = 128;
constexpr double kMarginPerSquare = 0.05;
constexpr int kMinMargin = 2;
// Keeps a figurine nearer the height of the text beside it than of its line.
constexpr int kFigurineMargin = 2;

QPainterPath GlyphPath(const QFont& font, chess::PieceCode kind, bool black) {
    // The glyphs run king, queen, rook, bishop, knight, pawn; piece kinds run the other way.
    char16_t glyph =
        static_cast<char16_t>((black ? kBlackKingGlyph : kWhiteKingGlyph) + (chess::kKing - kind));
    QFont large(font);
    large.setPixelSize(kGlyphPixelSize);
    QPainterPath path;
    path.addText(0, 0, large, QString(QChar(glyph)));
    return path;
}

// Where one piece's glyph lands in its cell: all pieces of a set share scale and baseline.
struct Placement {
    double scale = 1.0;
    double baseline = 0.0;
};

// firstKind: the smallest piece kind that shares the placement (figurines have no pawn, so
// theirs fills the cell with the knight to king).
Placement PlaceGlyphs(const QFont& font, int cellSize, int margin,
                      chess::PieceCode firstKind = chess::kPawn) {
    // Each glyph is centred on its own, so only the widest counts; heights share one baseline.
    double top = 0.0;
    double bottom = 0.0;
    double widest = 0.0;
    for (chess::PieceCode kind = firstKind; kind <= chess::kKing; ++kind) {
        for (bool black : {false, true}) {
            QRectF bounds = GlyphPath(font, kind, black).boundingRect();
            top = std::min(top, bounds.top());
            bottom = std::max(bottom, bounds.bottom());
            widest = std::max(widest, bounds.width());
        }
    }
    double room = cellSize - 2.0 * margin;
    Placement placement;
    placement.scale = std::min(room / (bottom - top), room / widest);
    placement.baseline = margin + (room - (bottom - top) * placement.scale) / 2.0 - top * placement.scale;
    return placement;
}

// Coverage (0-255) of a glyph path in a cell, the glyph centred horizontally.
std::vector<int> Coverage(const QPainterPath& path, int cellSize, const Placement& placement, bool smooth,
                          double strokePixels, QRectF& placedBounds) {
    QImage image(cellSize, cellSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QRectF bounds = path.boundingRect();
    double dx = cellSize / 2.0 - bounds.center().x() * placement.scale;
    QTransform transform;
    transform.translate(dx, placement.baseline);
    transform.scale(placement.scale, placement.scale);
    placedBounds = transform.mapRect(bounds);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, smooth);
        painter.setTransform(transform);
        painter.fillPath(path, Qt::black);
        if (strokePixels > 0.0) {
            QPen pen(Qt::black, strokePixels / placement.scale);
            pen.setJoinStyle(Qt::RoundJoin);
            painter.strokePath(path, pen);
        }
    }
    std::vector<int> coverage(static_cast<std::size_t>(cellSize * cellSize));
    for (int y = 0; y < cellSize; ++y) {
        for (int x = 0; x < cellSize; ++x) {
            coverage[static_cast<std::size_t>(y * cellSize + x)] = qAlpha(image.pixel(x, y));
        }
    }
    return coverage;
}

// Pixels reachable from the cell's rim without crossing the glyph: everything that is not piece.
std::vector<bool> Outside(const std::vector<int>& coverage, int cellSize) {
    std::vector<bool> outside(coverage.size(), false);
    std::vector<int> stack;
    auto push = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= cellSize || y >= cellSize) {
            return;
        }
        std::size_t at = static_cast<std::size_t>(y * cellSize + x);
        if (outside[at] || coverage[at] >= kInsideThreshold) {
            return;
        }
        outside[at] = true;
        stack.push_back(y * cellSize + x);
    };
    for (int i = 0; i < cellSize; ++i) {
        push(i, 0);
        push(i, cellSize - 1);
        push(0, i);
        push(cellSize - 1, i);
    }
    while (!stack.empty()) {
        int at = stack.back();
        stack.pop_back();
        int x = at % cellSize;
        int y = at / cellSize;
        push(x + 1, y);
        push(x - 1, y);
        push(x, y + 1);
        push(x, y - 1);
    }
    return outside;
}

RgbColour Mix(RgbColour a, RgbColour b, double t) {
    auto channel = [t](int from, int to) {
        return static_cast<std::uint8_t>(std::lround(from + (to - from) * std::clamp(t, 0.0, 1.0)));
    };
    return {channel(a.red, b.red), channel(a.green, b.green), channel(a.blue, b.blue)};
}

double ShadingPosition(Shading shading, const QRectF& glyph, int x, int y) {
    double px = x + 0.5;
    double py = y + 0.5;
    switch (shading) {
        case Shading::kVertical:
            return (py - glyph.top()) / glyph.height();
        case Shading::kHorizontal:
            return (px - glyph.left()) / glyph.width();
        case Shading::kRadial: {
            // Light falls from the upper left.
            double cx = glyph.left() + glyph.width() * 0.38;
            double cy = glyph.top() + glyph.height() * 0.3;
            double reach = 0.75 * std::max(glyph.width(), glyph.height());
            return std::hypot(px - cx, py - cy) / reach;
        }
        case Shading::kFlat:
            break;
    }
    return 0.0;
}

void PaintCell(RgbImage& sheet, const QFont& font, const PieceStyle& style, chess::PieceCode code,
               int cellSize, const Placement& placement) {
    chess::PieceCode kind = chess::KindOf(code);
    bool black = chess::IsBlackPiece(code);
    double stroke = style.outlineWeight * cellSize / display::kNormalSquareSize;
    QRectF glyphBounds;
    std::vector<int> outline =
        Coverage(GlyphPath(font, kind, false), cellSize, placement, style.smoothEdges, stroke, glyphBounds);
    std::vector<int> solid =
        Coverage(GlyphPath(font, kind, true), cellSize, placement, style.smoothEdges, stroke, glyphBounds);
    // The solid glyph is a little slimmer than the outlined one; each colour keeps its own shape.
    std::vector<bool> outside = Outside(black ? solid : outline, cellSize);
    display::CellOrigin origin = display::PieceCellOrigin(code, cellSize);

    auto isOutside = [&](int x, int y) {
        return x < 0 || y < 0 || x >= cellSize || y >= cellSize ||
               outside[static_cast<std::size_t>(y * cellSize + x)];
    };
    for (int y = 0; y < cellSize; ++y) {
        for (int x = 0; x < cellSize; ++x) {
            if (isOutside(x, y)) {
                continue;
            }
            std::size_t at = static_cast<std::size_t>(y * cellSize + x);
            double t = ShadingPosition(style.shading, glyphBounds, x, y);
            bool rim =
                isOutside(x - 1, y) || isOutside(x + 1, y) || isOutside(x, y - 1) || isOutside(x, y + 1);
            RgbColour colour;
            if (black) {
                RgbColour body = Mix(style.blackBody.from, style.blackBody.to, t);
                colour = rim ? body : Mix(style.blackDetail, body, solid[at] / 255.0);
            } else {
                RgbColour body = Mix(style.whiteBody.from, style.whiteBody.to, t);
                colour = rim ? style.whiteInk : Mix(body, style.whiteInk, outline[at] / 255.0);
            }
            if (colour == kKeyColour) {
                colour.green = static_cast<std::uint8_t>(colour.green - 1);
            }
            sheet.SetPixel(origin.x + x, origin.y + y, colour);
        }
    }
}

}  // namespace

RgbImage PaintPieceSet(const QFont& font, const PieceStyle& style, int squareSize) {
    RgbImage sheet(display::kPieceSetColumns * squareSize, display::kPieceSetRows * squareSize, kKeyColour);
    double stroke = style.outlineWeight * squareSize / display::kNormalSquareSize;
    int margin = std::max(kMinMargin, static_cast<int>(std::lround(squareSize * kMarginPerSquare))) +
                 static_cast<int>(std::ceil(stroke / 2.0));
    Placement placement = PlaceGlyphs(font, squareSize, margin);
    for (int colour = 0; colour < 2; ++colour) {
        for (chess::PieceCode kind = chess::kPawn; kind <= chess::kKing; ++kind) {
            PaintCell(sheet, font, style, kind + colour * chess::kBlackOffset, squareSize, placement);
        }
    }
    return sheet;
}

RgbImage PaintFigurine(const QFont& font, chess::PieceCode kind, int size) {
    Placement placement = PlaceGlyphs(font, size, kFigurineMargin, chess::kKnight);
    QRectF bounds;
    std::vector<int> coverage = Coverage(GlyphPath(font, kind, true), size, placement, true, 0.0, bounds);
    RgbImage image(size, size, {255, 255, 255});
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (coverage[static_cast<std::size_t>(y * size + x)] >= kFigurineThreshold) {
                image.SetPixel(x, y, {0, 0, 0});
            }
        }
    }
    return image;
}

}  // namespace ravelin::pieceset
