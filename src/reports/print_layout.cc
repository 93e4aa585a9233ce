#include "reports/print_layout.h"

#include <algorithm>
#include <string>

namespace ravelin::reports {

namespace {

constexpr int kMarginDivisor = 34;
constexpr int kDefaultPrintLines = 50;

// The longest beginning of text that fits width (at least one character, so a line always moves on).
std::size_t FittingLength(std::string_view text, platform::PrintSurface& surface, int width) {
    std::size_t low = 1;
    std::size_t high = text.size();
    while (low < high) {
        const std::size_t middle = (low + high + 1) / 2;
        if (surface.TextWidth(text.substr(0, middle)) <= width) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

class PageWriter {
  public:
    PageWriter(platform::PrintSurface& surface, int lineHeight, int usableHeight, int margin, int width)
        : surface_(surface),
          lineHeight_(lineHeight),
          usableHeight_(usableHeight),
          margin_(margin),
          width_(width) {
        y_ = lineHeight_;
    }
    std::string_view failure;

    bool Fits(int lines) const { return y_ + lines * lineHeight_ <= usableHeight_; }
    bool AtPageTop() const { return y_ == lineHeight_; }
    // A line drawn at the current place, cut at the page's edge; a new page first when the page is full.
    bool Line(std::string_view text) {
        if (!Fits(1) && !AtPageTop() && !NextPage()) {
            return false;
        }
        surface_.DrawText(margin_, y_,
                          text.substr(0, text.empty() ? 0 : FittingLength(text, surface_, width_)));
        y_ += lineHeight_;
        return true;
    }
    bool NextPage() {
        if (!surface_.EndPage()) {
            failure = kErrorEndingPage;
            return false;
        }
        if (!surface_.StartPage()) {
            failure = kErrorStartingNextPage;
            return false;
        }
        y_ = lineHeight_;
        return true;
    }

  private:
    platform::PrintSurface& surface_;
    int lineHeight_;
    int usableHeight_;
    int margin_;
    int width_;
    int y_ = 0;
};

bool PrintNormal(const PrintedGame& game, PageWriter& page, platform::PrintSurface& surface, int width,
                 const chess::PieceLetters& letters) {
    const std::vector<std::string> moves = PrintedMoveLines(game, surface, width, letters);
    const int lines = 4 + static_cast<int>(moves.size());
    // A game that fits a page is not split: it starts on a new page when the rest of this one is too short.
    if (!page.Fits(lines) && !page.AtPageTop() && !page.NextPage()) {
        return false;
    }
    for (const std::string_view text : {std::string_view(kGameSeparator), std::string_view(game.headerLine1),
                                        std::string_view(game.headerLine2), std::string_view()}) {
        if (!page.Line(text)) {
            return false;
        }
    }
    for (const std::string& line : moves) {
        if (!page.Line(line)) {
            return false;
        }
    }
    return true;
}

bool PrintActual(const PrintedGame& game, PageWriter& page, platform::PrintSurface& surface, int width) {
    if (!page.Line(kGameSeparator)) {
        return false;
    }
    for (const std::string& whole : game.lines) {
        std::string_view rest = whole;
        while (surface.TextWidth(rest) > width) {
            const std::size_t fits = FittingLength(rest, surface, width);
            const std::size_t blank = rest.substr(0, fits + 1).rfind(' ');
            // No blank to break at: the line is cut at the page's edge.
            const std::size_t cut = blank == std::string_view::npos || blank == 0 ? fits : blank;
            if (!page.Line(rest.substr(0, cut))) {
                return false;
            }
            rest.remove_prefix(cut);
            if (!rest.empty() && rest.front() == ' ' && cut == blank) {
                rest.remove_prefix(1);
            }
        }
        if (!page.Line(rest)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<std::string> PrintedMoveLines(const PrintedGame& game, platform::PrintSurface& surface, int width,
                                          const chess::PieceLetters& letters) {
    std::vector<std::string> lines;
    std::string line;
    const std::size_t count = game.whiteMoves.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::string black = i < game.blackMoves.size() ? game.blackMoves[i] : std::string();
        std::string token = std::to_string(i + 1) + "." + game.whiteMoves[i];
        if (!black.empty()) {
            token += " " + black + " ";
        }
        if (i + 1 == count) {
            token += (token.ends_with(' ') ? "" : " ") + game.result;
        }
        chess::LocalisePieceLetters(token, letters);
        if (!line.empty() && surface.TextWidth(line + token) > width) {
            lines.push_back(line);
            line.clear();
        }
        line += token;
    }
    if (count == 0) {
        line = game.result;
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

std::string_view PrintGames(const std::vector<PrintedGame>& games, platform::PrintSurface& surface,
                            int maxPrintLines, const chess::PieceLetters& letters) {
    const int height = surface.PageHeight();
    const int pageWidth = surface.PageWidth();
    const int margin = pageWidth / kMarginDivisor;
    const int width = pageWidth - 2 * margin;
    const int fontHeight =
        height / (maxPrintLines <= kDefaultPrintLines ? kDefaultPrintLines : maxPrintLines);
    const int lineHeight = std::max(1, surface.SetFont(kPrintFont, fontHeight));
    if (!surface.StartDocument(kPrintDocumentName)) {
        return kErrorStartingDoc;
    }
    if (!surface.StartPage()) {
        surface.EndDocument();
        return kErrorStartingPage;
    }
    PageWriter page(surface, lineHeight, height - 2 * lineHeight, margin, width);
    for (const PrintedGame& game : games) {
        const bool printed = game.kind == PrintedGame::Kind::kNormal
                                 ? PrintNormal(game, page, surface, width, letters)
                                 : PrintActual(game, page, surface, width);
        if (!printed) {
            surface.EndDocument();
            return page.failure;
        }
    }
    if (!surface.EndPage()) {
        surface.EndDocument();
        return kErrorEndingPage;
    }
    surface.EndDocument();
    return {};
}

}  // namespace ravelin::reports
