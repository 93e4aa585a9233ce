// Draws the program's icon, a rook on a corner of a wooden board, from one description into the
// scalable SVG and the PNG sizes of the hicolor icon theme:
//   QT_QPA_PLATFORM=offscreen ravelin_appicon packaging/icons
// writes OUTDIR/ravelin.svg and OUTDIR/NxN/ravelin.png.

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Everything is laid out on a 64-unit square.
constexpr double kUnits = 64;
constexpr std::array<int, 7> kPngSizes = {16, 24, 32, 48, 64, 128, 256};

constexpr double kTileLeft = 4;
constexpr double kTileSize = 56;
constexpr double kTileRadius = 9;
constexpr int kBoardSquares = 4;
constexpr double kSquare = kTileSize / kBoardSquares;
constexpr double kTileOutline = 2;

const char* const kLightSquare = "#ecd6ab";
const char* const kDarkSquare = "#a46f48";
const char* const kTileEdge = "#5c3a22";
const char* const kPieceFill = "#fbfbf7";
const char* const kPieceEdge = "#1f1f1f";
constexpr double kPieceOutline = 2.4;

struct Point {
    double x;
    double y;
};

// The rook's outline, symmetric about x = 32: battlements, a tapering neck, the body and a
// two-step base.
const std::vector<Point> kRook = {
    {19, 12},   {25, 12},   {25, 16.5}, {29.5, 16.5}, {29.5, 12}, {34.5, 12}, {34.5, 16.5}, {39, 16.5},
    {39, 12},   {45, 12},   {45, 21.5}, {41, 25},     {41, 41},   {45, 45},   {45, 49},     {48.5, 49},
    {48.5, 54}, {15.5, 54}, {15.5, 49}, {19, 49},     {19, 45},   {23, 41},   {23, 25},     {19, 21.5},
};
// The lines across the rook where the neck meets the body and the body the base.
const std::vector<std::array<Point, 2>> kRookLines = {{{{23, 25}, {41, 25}}}, {{{23, 41}, {41, 41}}}};

bool IsDark(int file, int row) {
    return (file + row) % 2 == 1;
}

std::string Svg() {
    std::ostringstream svg;
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 " << kUnits
        << " " << kUnits << "\">\n"
        << "  <defs>\n    <clipPath id=\"tile\">\n      <rect x=\"" << kTileLeft << "\" y=\"" << kTileLeft
        << "\" width=\"" << kTileSize << "\" height=\"" << kTileSize << "\" rx=\"" << kTileRadius
        << "\"/>\n    </clipPath>\n  </defs>\n"
        << "  <g clip-path=\"url(#tile)\">\n";
    for (int row = 0; row < kBoardSquares; ++row) {
        for (int file = 0; file < kBoardSquares; ++file) {
            svg << "    <rect x=\"" << kTileLeft + file * kSquare << "\" y=\"" << kTileLeft + row * kSquare
                << "\" width=\"" << kSquare << "\" height=\"" << kSquare << "\" fill=\""
                << (IsDark(file, row) ? kDarkSquare : kLightSquare) << "\"/>\n";
        }
    }
    svg << "  </g>\n"
        << "  <rect x=\"" << kTileLeft << "\" y=\"" << kTileLeft << "\" width=\"" << kTileSize
        << "\" height=\"" << kTileSize << "\" rx=\"" << kTileRadius << "\" fill=\"none\" stroke=\""
        << kTileEdge << "\" stroke-width=\"" << kTileOutline << "\"/>\n"
        << "  <g fill=\"" << kPieceFill << "\" stroke=\"" << kPieceEdge << "\" stroke-width=\""
        << kPieceOutline << "\" stroke-linejoin=\"round\" stroke-linecap=\"round\">\n    <polygon points=\"";
    for (std::size_t i = 0; i < kRook.size(); ++i) {
        svg << (i == 0 ? "" : " ") << kRook[i].x << "," << kRook[i].y;
    }
    svg << "\"/>\n";
    for (const auto& line : kRookLines) {
        svg << "    <line x1=\"" << line[0].x << "\" y1=\"" << line[0].y << "\" x2=\"" << line[1].x
            << "\" y2=\"" << line[1].y << "\"/>\n";
    }
    svg << "  </g>\n</svg>\n";
    return svg.str();
}

QImage Png(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kUnits, size / kUnits);

    QPainterPath tile;
    tile.addRoundedRect(kTileLeft, kTileLeft, kTileSize, kTileSize, kTileRadius, kTileRadius);
    painter.save();
    painter.setClipPath(tile);
    for (int row = 0; row < kBoardSquares; ++row) {
        for (int file = 0; file < kBoardSquares; ++file) {
            painter.fillRect(QRectF(kTileLeft + file * kSquare, kTileLeft + row * kSquare, kSquare, kSquare),
                             QColor(IsDark(file, row) ? kDarkSquare : kLightSquare));
        }
    }
    painter.restore();
    painter.setPen(QPen(QColor(kTileEdge), kTileOutline));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tile);

    QPolygonF rook;
    for (const Point& point : kRook) {
        rook << QPointF(point.x, point.y);
    }
    painter.setPen(QPen(QColor(kPieceEdge), kPieceOutline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(kPieceFill));
    painter.drawPolygon(rook);
    for (const auto& line : kRookLines) {
        painter.drawLine(QPointF(line[0].x, line[0].y), QPointF(line[1].x, line[1].y));
    }
    painter.end();
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ravelin_appicon OUTDIR\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::ofstream svg(out / "ravelin.svg", std::ios::binary);
    svg << Svg();
    if (!svg.flush()) {
        std::fprintf(stderr, "cannot write %s\n", (out / "ravelin.svg").c_str());
        return 1;
    }
    for (int size : kPngSizes) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        std::filesystem::create_directories(out / name);
        const std::filesystem::path png = out / name / "ravelin.png";
        if (!Png(size).save(QString::fromStdString(png.string()), "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", png.c_str());
            return 1;
        }
    }
    return 0;
}
