#include "reports/html_diagram.h"

#include "reports/html_text.h"

namespace ravelin::reports {

namespace {

constexpr char kPieceLetters[] = " pnbrqk";

std::string SquareImages(const chess::Board& board, int rank, bool flipped) {
    std::string row;
    for (int column = 1; column <= chess::kLastLine; ++column) {
        const int file = flipped ? chess::kLastLine + 1 - column : column;
        row += "<IMG SRC=\"" + DiagramImageName(board[file][rank], file, rank) + ".gif\">";
    }
    return row;
}

}  // namespace

std::string DiagramImageName(chess::PieceCode code, int file, int rank) {
    const char square = chess::SquareColour(file, rank) == 2 ? 'b' : 'w';
    const chess::PieceCode kind = chess::KindOf(code);
    if (kind < chess::kPawn || kind > chess::kKing) {
        return std::string(1, square);
    }
    return std::string{chess::IsWhitePiece(code) ? 'w' : 'b', kPieceLetters[kind], square};
}

const std::array<std::string, kDiagramImageCount>& DiagramImageFiles() {
    static const std::array<std::string, kDiagramImageCount> files = [] {
        std::array<std::string, kDiagramImageCount> names;
        int next = 0;
        names[next++] = "b.gif";
        names[next++] = "w.gif";
        for (const char side : {'w', 'b'}) {
            for (int kind = chess::kPawn; kind <= chess::kKing; ++kind) {
                for (const char square : {'b', 'w'}) {
                    names[next++] = std::string{side, kPieceLetters[kind], square} + ".gif";
                }
            }
        }
        return names;
    }();
    return files;
}

std::string LastMoveCaption(int ply, std::string_view move) {
    if (ply % 2 == 1) {
        return std::to_string((ply + 1) / 2) + ". " + std::string(move);
    }
    return std::to_string(ply / 2) + "... " + std::string(move);
}

std::string HtmlDiagramText(const chess::Board& board, bool flipped, std::string_view caption) {
    std::string text = "<center>\r\n<TABLE BORDER=1><TR><TD>\r\n\r\n";
    for (int row = 0; row < chess::kLastLine; ++row) {
        const int rank = flipped ? row + 1 : chess::kLastLine - row;
        text += SquareImages(board, rank, flipped) + "<BR>\r\n";
    }
    text += "\r\n</TD></TR>\r\n";
    if (!caption.empty()) {
        // The caption and font are left open as the page has always written them; browsers close them.
        text += "<CAPTION ALIGN=BOTTOM><FONT FACE=\"Arial\">\r\n";
        text += "<I>Position after " + HtmlEscape(caption) + "</I>\r\n";
    }
    text += "</TABLE>\r\n</center>\r\n";
    return text;
}

}  // namespace ravelin::reports
