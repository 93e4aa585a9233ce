// Writes the shipped piece sets and figurines:
//   ravelin_pieceset OUTDIR [--font FILE] [--preview PNGDIR]
// With --preview it also renders boards with every written set through the program's own reader and
// renderer and saves them as PNG files, to look at.

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <string>

#include "chess/board.h"
#include "display/bmp_reader.h"
#include "display/bmp_writer.h"
#include "display/board_painter.h"
#include "display/figurines.h"
#include "display/piece_set.h"
#include "piece_painter.h"
#include "piece_styles.h"
#include "small_figurines.h"

namespace {

using namespace ravelin;

constexpr const char* kDefaultFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr std::array<settings::BoardSizeOption, 3> kSizes = {
    settings::BoardSizeOption::kSmall, settings::BoardSizeOption::kMedium, settings::BoardSizeOption::kLarge};

bool Write(const std::string& path, const display::RgbImage& image) {
    if (!display::WriteBmpFile(path, image)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

bool SavePng(const display::RgbImage& image, const std::string& path) {
    QImage view(image.bytes.data(), image.width, image.height, image.width * display::kBytesPerPixel,
                QImage::Format_RGB888);
    return view.save(QString::fromStdString(path));
}

// A middle-game position with every kind of piece of both colours.
chess::Board PreviewBoard() {
    chess::Board board = chess::MakeStartBoard();
    board[5][2] = chess::kEmpty;
    board[5][4] = chess::kPawn;
    board[4][7] = chess::kEmpty;
    board[4][5] = chess::kPawn + chess::kBlackOffset;
    board[7][1] = chess::kEmpty;
    board[6][3] = chess::kKnight;
    board[2][8] = chess::kEmpty;
    board[3][6] = chess::kKnight + chess::kBlackOffset;
    board[6][1] = chess::kEmpty;
    board[2][5] = chess::kBishop;
    return board;
}

// Both figurine sizes ANDed onto a light background, as the move list draws them.
bool PreviewFigurines(const std::string& setDirectory, const std::string& pngDirectory) {
    constexpr int kLineHeight = 32;
    constexpr int kAdvance = 30;
    display::RgbImage strip(kAdvance * display::kFigurineKinds * 2 + 20, kLineHeight, {255, 255, 221});
    int x = 10;
    for (bool large : {false, true}) {
        std::optional<display::FigurineSet> set = display::FigurineSet::Load(setDirectory, large);
        if (!set) {
            std::fprintf(stderr, "%s\n", std::string(display::kFigurineError).c_str());
            return false;
        }
        for (chess::PieceCode kind = chess::kKnight; kind <= chess::kKing; ++kind) {
            set->Draw(strip, kind, x, 0, kLineHeight);
            x += kAdvance;
        }
    }
    return SavePng(strip, pngDirectory + "/figurines.png");
}

bool Preview(const std::string& setDirectory, const std::string& pngDirectory) {
    settings::SettingsRecord record;
    record.SetColour(settings::kOffsetLightSquaresColour, settings::kBuiltInColourPresets[2].lightSquares);
    record.SetColour(settings::kOffsetDarkSquaresColour, settings::kBuiltInColourPresets[2].darkSquares);
    record.SetColour(settings::kOffsetBackgroundColour, settings::kBuiltInColourPresets[2].background);
    record.SetColour(settings::kOffsetBorderColour, settings::kPresetBorderColour);
    display::BoardColours colours = display::BoardColoursFrom(record);
    for (int style = 0; style < display::kPieceStyleCount; ++style) {
        for (settings::BoardSizeOption size : kSizes) {
            display::PieceSetLoad load = display::LoadPieceSet(setDirectory, style, size);
            if (!load.set) {
                std::fprintf(stderr, "%s: %s\n", std::string(display::PieceSetFileName(style, size)).c_str(),
                             std::string(load.error).c_str());
                return false;
            }
            display::BoardView view{display::SquareSizeOf(size), style % 2 == 1, 0, 0};
            display::RgbImage image = display::RenderBoardImage(PreviewBoard(), view, colours, &*load.set);
            std::string name(display::PieceSetFileName(style, size));
            if (!SavePng(image, pngDirectory + "/" + name.substr(0, name.size() - 4) + ".png")) {
                return false;
            }
        }
    }
    return PreviewFigurines(setDirectory, pngDirectory);
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    std::string outDirectory;
    std::string fontFile = kDefaultFont;
    std::string previewDirectory;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--font" && i + 1 < argc) {
            fontFile = argv[++i];
        } else if (arg == "--preview" && i + 1 < argc) {
            previewDirectory = argv[++i];
        } else {
            outDirectory = arg;
        }
    }
    if (outDirectory.empty()) {
        std::fprintf(stderr, "usage: ravelin_pieceset OUTDIR [--font FILE] [--preview PNGDIR]\n");
        return 2;
    }
    int fontId = QFontDatabase::addApplicationFont(QString::fromStdString(fontFile));
    if (fontId < 0) {
        std::fprintf(stderr, "cannot load font %s\n", fontFile.c_str());
        return 1;
    }
    QFont font(QFontDatabase::applicationFontFamilies(fontId).value(0));

    for (int style = 0; style < display::kPieceStyleCount; ++style) {
        for (settings::BoardSizeOption size : kSizes) {
            display::RgbImage sheet = pieceset::PaintPieceSet(
                font, pieceset::PieceStyles()[static_cast<std::size_t>(style)], display::SquareSizeOf(size));
            if (!Write(outDirectory + "/" + std::string(display::PieceSetFileName(style, size)), sheet)) {
                return 1;
            }
        }
    }
    for (bool large : {false, true}) {
        int figurineSize = large ? display::kFigurineSizeLarge : display::kFigurineSizeNormal;
        for (chess::PieceCode kind = chess::kKnight; kind <= chess::kKing; ++kind) {
            display::RgbImage figurine = large ? pieceset::PaintFigurine(font, kind, figurineSize)
                                               : pieceset::DrawSmallFigurine(kind, figurineSize);
            if (!Write(outDirectory + "/" + display::FigurineFileName(kind, large), figurine)) {
                return 1;
            }
        }
    }
    if (!previewDirectory.empty() && !Preview(outDirectory, previewDirectory)) {
        return 1;
    }
    return 0;
}
