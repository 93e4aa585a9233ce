#include "reports/html_annotation.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "reports/html_text.h"

namespace ravelin::reports {

namespace {

std::string_view San(std::span<const chess::SanText> moves, int index) {
    if (index < 0 || index >= static_cast<int>(moves.size())) {
        return {};
    }
    return chess::SanView(moves[static_cast<std::size_t>(index)]);
}

// Plies the lists hold from the start: white and black entries up to the first empty one.
int PliesHeld(const AnnotationState& state) {
    int plies = 0;
    for (int i = 0; i < chess::kMaxMovesPerSide; ++i) {
        if (chess::SanView(state.whiteMoves[i]).empty()) {
            break;
        }
        ++plies;
        if (chess::SanView(state.blackMoves[i]).empty()) {
            break;
        }
        ++plies;
    }
    return plies;
}

void PutInt(std::vector<std::uint8_t>& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
}

std::int32_t GetInt(std::span<const std::uint8_t> bytes, std::size_t at) {
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) {
        bits = (bits << 8) | bytes[at + static_cast<std::size_t>(i)];
    }
    return static_cast<std::int32_t>(bits);
}

}  // namespace

std::string FormatMoveRun(std::span<const chess::SanText> white, std::span<const chess::SanText> black,
                          int startPly, const chess::PieceLetters& letters, int& plies) {
    std::vector<std::string> lines(1);
    plies = 0;
    auto add = [&](std::string item) {
        chess::LocalisePieceLetters(item, letters);
        if (!lines.back().empty() && lines.back().size() + item.size() > kMoveRunWidth) {
            lines.emplace_back();
        }
        lines.back() += item;
    };
    int move = startPly / 2;  // index of the next full move
    if (startPly % 2 == 1) {
        const std::string_view reply = San(black, move);
        if (reply.empty()) {
            return {};
        }
        add(std::to_string(move + 1) + "..." + std::string(reply) + " ");
        ++plies;
        ++move;
    }
    for (; move < chess::kMaxMovesPerSide && !San(white, move).empty(); ++move) {
        const std::string_view reply = San(black, move);
        if (reply.empty()) {
            add(std::to_string(move + 1) + "." + std::string(San(white, move)));
            ++plies;
            break;
        }
        add(std::to_string(move + 1) + "." + std::string(San(white, move)) + " " + std::string(reply) + " ");
        plies += 2;
    }
    std::string run;
    for (const std::string& line : lines) {
        if (!run.empty()) {
            run += "\r\n";
        }
        run += line;
    }
    return run;
}

void AnnotationPage::Reset() {
    page.clear();
    comment.clear();
    startPly = 0;
    step = AnnotationStep::kNewPage;
    savedLength = 0;
}

void AnnotationPage::SetTitle(std::string_view title, std::string_view heading, std::string_view subHead) {
    page = "<html>\r\n<head>\r\n";
    if (!title.empty()) {
        page += "<title>" + HtmlEscape(title) + "</title>\r\n";
    }
    page += "</head>\r\n<body bgcolor=\"#ffffff\">\r\n<font face=\"Arial\">\r\n";
    if (!heading.empty()) {
        page += "<h2>" + HtmlEscape(heading) + "</h2>\r\n";
    }
    if (!subHead.empty()) {
        page += "<h3>" + HtmlEscape(subHead) + "</h3>\r\n";
    }
    page += "<hr>\r\n";
    step = AnnotationStep::kBetweenItems;
}

void AnnotationPage::AddMoveRun(std::string_view run) {
    page += "<p><b>" + std::string(run) + "</b></p>\r\n";
}

void AnnotationPage::EndComment() {
    page += "<blockquote><p>\r\n" + HtmlEscape(comment) + "\r\n</p></blockquote>\r\n";
    step = AnnotationStep::kBetweenItems;
}

void AnnotationPage::TakeOpenedText(std::string text) {
    // Only the closing tags a save wrote are taken off; a page without them keeps all its text.
    std::size_t end = text.size();
    auto dropTrailingSpace = [&] {
        while (end > 0 && std::strchr(" \t\r\n", text[end - 1]) != nullptr) {
            --end;
        }
    };
    auto dropTag = [&](std::string_view tag) {
        dropTrailingSpace();
        if (end >= tag.size() &&
            std::equal(tag.begin(), tag.end(), text.begin() + static_cast<std::ptrdiff_t>(end - tag.size()),
                       [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); })) {
            end -= tag.size();
            return true;
        }
        return false;
    };
    if (dropTag("</html>") && dropTag("</body>")) {
        // The line end before "</body>" stays: the page goes on from there.
        text.resize(end);
    }
    page = std::move(text);
    comment.clear();
    step = AnnotationStep::kBetweenItems;
    savedLength = page.size();
}

std::string StateFilePath(std::string_view pagePath) {
    std::string path(pagePath);
    if (!path.empty()) {
        path.back() = 'x';
    }
    return path;
}

std::vector<std::uint8_t> EncodeAnnotationState(const AnnotationState& state) {
    std::vector<std::uint8_t> out;
    out.reserve(kStateFileSize);
    PutInt(out, state.startPly);
    for (const auto* moves : {&state.whiteMoves, &state.blackMoves}) {
        for (const chess::SanText& san : *moves) {
            out.insert(out.end(), san.begin(), san.end());
        }
    }
    for (const chess::CompactBoard& board : state.boards) {
        for (const chess::PieceCode code : board) {
            PutInt(out, code);
        }
    }
    return out;
}

std::optional<AnnotationState> DecodeAnnotationState(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kStateFileSize) {
        return std::nullopt;
    }
    AnnotationState state;
    state.startPly = GetInt(bytes, 0);
    std::size_t at = 4;
    for (auto* moves : {&state.whiteMoves, &state.blackMoves}) {
        for (chess::SanText& san : *moves) {
            std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), chess::kSanTextSize, san.begin());
            san.back() = '\0';
            at += chess::kSanTextSize;
        }
    }
    for (chess::CompactBoard& board : state.boards) {
        for (chess::PieceCode& code : board) {
            code = GetInt(bytes, at);
            at += 4;
            const chess::PieceCode kind = chess::KindOf(code);
            if (code != chess::kEmpty && (kind < chess::kPawn || kind > chess::kKing)) {
                return std::nullopt;
            }
        }
    }
    if (state.startPly < 0 || state.startPly > PliesHeld(state)) {
        return std::nullopt;
    }
    return state;
}

}  // namespace ravelin::reports
