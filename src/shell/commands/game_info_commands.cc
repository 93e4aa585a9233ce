#include "shell/commands/game_info_commands.h"

#include <array>

#include "chess/nag_text.h"
#include "display/column_format.h"
#include "platform/file_util.h"
#include "shell/command_ids.h"
#include "shell/commands/game_viewer.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

struct CountedKind {
    chess::PieceCode kind;
    char letter;
    int value;
};

constexpr std::array<CountedKind, 5> kCountedKinds = {{{chess::kQueen, 'Q', 9},
                                                       {chess::kRook, 'R', 5},
                                                       {chess::kBishop, 'B', 3},
                                                       {chess::kKnight, 'N', 3},
                                                       {chess::kPawn, 'P', 1}}};

// Novelty is the last NAG with a text of its own.
constexpr int kLastListedNag = 146;

std::string SideCount(const chess::Board& board, chess::Side side) {
    std::string text = side == chess::Side::kWhite ? "White:" : "Black:";
    int material = 0;
    for (const CountedKind& counted : kCountedKinds) {
        int count = 0;
        for (int file = chess::kFirstLine; file <= chess::kLastLine; ++file) {
            for (int rank = chess::kFirstLine; rank <= chess::kLastLine; ++rank) {
                count += board[file][rank] == chess::MakePiece(side, counted.kind) ? 1 : 0;
            }
        }
        text += ' ';
        text += counted.letter;
        text += std::to_string(count);
        material += count * counted.value;
    }
    return text + " (" + std::to_string(material) + ")";
}

std::string EscapeHtml(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '&':
                escaped += "&amp;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

void ShowNagHelp(MainWindow& window) {
    const std::string path = window.Paths().File(kNagHelpFileName);
    const std::string page = NagHelpHtml();
    if (!platform::WriteFileReplacing(path, page.data(), page.size())) {
        window.Messages().ShowMessage("Cannot write the NAG page.");
        return;
    }
    if (window.onShowHelp) {
        window.onShowHelp(path);
    }
}

}  // namespace

std::string PieceCountText(const chess::Board& board) {
    return SideCount(board, chess::Side::kWhite) + "  " + SideCount(board, chess::Side::kBlack);
}

std::string NagHelpHtml() {
    std::string page =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>PGN NAG codes</title></head><body>\n"
        "<h1>PGN NAG codes</h1>\n<table border=\"1\" cellpadding=\"3\">\n"
        "<tr><th>NAG</th><th>Glyph</th><th>Meaning</th></tr>\n";
    for (int nag = 1; nag <= kLastListedNag; ++nag) {
        std::string text = display::ColumnNagText(nag);
        const std::string_view glyph = display::ColumnGlyph(nag);
        // Numbers with neither a text nor a glyph of their own are left out.
        if (text.starts_with("$Unknown")) {
            if (glyph.empty()) {
                continue;
            }
            text.clear();
        }
        page += "<tr><td>$" + std::to_string(nag) + "</td><td>" + EscapeHtml(glyph) + "</td><td>" +
                EscapeHtml(text) + "</td></tr>\n";
    }
    return page + "</table>\n</body></html>\n";
}

void RegisterGameInfoCommands(MainWindow& window) {
    window.Viewer().SetShownGameCommand(kCmdPieceCount, [&window] {
        window.Messages().ShowMessage(PieceCountText(window.Viewer().Display().Screen().Shown()));
    });
    window.Handlers().Set(kCmdNagHelp, [&window] { ShowNagHelp(window); });
}

}  // namespace ravelin::shell
