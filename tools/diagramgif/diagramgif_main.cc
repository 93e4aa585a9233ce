// Draws the 26 square images of the HTML diagrams from a shipped piece set of the normal board:
//   ravelin_diagramgif PIECESET.bmp OUTDIR
// Each image is one 40 x 40 square, empty or with a piece, on the dark or light square colour of
// the diagram pictures, written as a GIF with the pictures' 256-entry palette.

#include <gif_lib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "chess/board.h"
#include "display/bmp_reader.h"
#include "display/diagram_pieces.h"
#include "reports/diagram_bitmap.h"
#include "reports/html_diagram.h"

namespace {

using namespace ravelin;

bool WriteGif(const std::string& path, const std::array<reports::Rgb, 256>& palette,
              std::vector<std::uint8_t> pixels) {
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (gif == nullptr) {
        return false;
    }
    std::vector<GifColorType> colours;
    for (const reports::Rgb& c : palette) {
        colours.push_back({c.r, c.g, c.b});
    }
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    const int size = reports::kDiagramSquareSize;
    bool ok = map != nullptr && EGifPutScreenDesc(gif, size, size, 8, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, size, size, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < size; ++y) {
        ok = EGifPutLine(gif, pixels.data() + y * size, size) == GIF_OK;
    }
    GifFreeMapObject(map);
    return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: ravelin_diagramgif PIECESET.bmp OUTDIR\n");
        return 2;
    }
    display::BmpReadResult read = display::ReadBmpFile(argv[1]);
    if (!read.image) {
        std::fprintf(stderr, "%s: %s\n", argv[1], std::string(read.error).c_str());
        return 1;
    }
    const display::PieceSet set(std::move(*read.image), reports::kDiagramSquareSize);
    const reports::PalettedPieces pieces = reports::MakePalettedPieces(display::DiagramPieceCells(set));
    std::array<reports::Rgb, 256> palette = pieces.palette;
    const reports::DiagramColours colours;
    palette[reports::kDarkSquareEntry] = colours.dark;
    palette[reports::kLightSquareEntry] = colours.light;
    palette[reports::kBorderEntry] = colours.border;
    std::filesystem::create_directories(argv[2]);
    // a1 is dark, b1 light: every image is one of these two squares with or without a piece.
    std::vector<chess::PieceCode> codes{chess::kEmpty};
    for (const chess::Side side : {chess::Side::kWhite, chess::Side::kBlack}) {
        for (chess::PieceCode kind = chess::kPawn; kind <= chess::kKing; ++kind) {
            codes.push_back(chess::MakePiece(side, kind));
        }
    }
    for (const chess::PieceCode code : codes) {
        for (const int file : {1, 2}) {
            const std::string name = reports::DiagramImageName(code, file, 1) + ".gif";
            const std::string path = std::string(argv[2]) + "/" + name;
            if (!WriteGif(path, palette, reports::SquareEntries(pieces, code, file == 1))) {
                std::fprintf(stderr, "%s: cannot be written\n", path.c_str());
                return 1;
            }
        }
    }
    return 0;
}
