#include "display/diagram_pieces.h"

namespace ravelin::display {

reports::PieceCells DiagramPieceCells(const PieceSet& set) {
    reports::PieceCells cells;
    for (const chess::Side side : {chess::Side::kWhite, chess::Side::kBlack}) {
        for (chess::PieceCode kind = chess::kPawn; kind <= chess::kKing; ++kind) {
            const chess::PieceCode code = chess::MakePiece(side, kind);
            reports::PieceCellPixels& cell = cells[static_cast<std::size_t>(reports::PieceCellIndex(code))];
            for (int y = 0; y < reports::kDiagramSquareSize; ++y) {
                for (int x = 0; x < reports::kDiagramSquareSize; ++x) {
                    const RgbColour colour = set.CellPixel(code, x, y);
                    cell.pixels.push_back({colour.red, colour.green, colour.blue});
                    cell.opaque.push_back(set.Opaque(code, x, y) ? 1 : 0);
                }
            }
        }
    }
    return cells;
}

}  // namespace ravelin::display
