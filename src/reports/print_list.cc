#include "reports/print_list.h"

#include <algorithm>

namespace ravelin::reports {

namespace {

void PutInt(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void PutField(std::vector<std::uint8_t>& out, std::string_view text, std::size_t size) {
    const std::size_t kept = std::min(text.size(), size - 1);
    out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(kept));
    out.insert(out.end(), size - kept, 0);
}

class Reader {
  public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    bool AtEnd() const { return at_ == bytes_.size(); }
    bool Int(std::uint32_t& value) {
        if (bytes_.size() - at_ < 4) {
            return false;
        }
        value = 0;
        for (int i = 3; i >= 0; --i) {
            value = (value << 8) | static_cast<std::uint8_t>(bytes_[at_ + static_cast<std::size_t>(i)]);
        }
        at_ += 4;
        return true;
    }
    bool Bytes(std::size_t size, std::string_view& out) {
        if (bytes_.size() - at_ < size) {
            return false;
        }
        out = bytes_.substr(at_, size);
        at_ += size;
        return true;
    }
    bool Field(std::size_t size, std::string& out) {
        std::string_view raw;
        if (!Bytes(size, raw)) {
            return false;
        }
        out = std::string(raw.substr(0, raw.find('\0')));
        return true;
    }

  private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

bool IsTagLine(std::string_view line) {
    const std::size_t start = line.find_first_not_of(" \t");
    return start != std::string_view::npos && line[start] == '[';
}

}  // namespace

std::string HeaderLine1(std::string_view file, std::string_view game, std::string_view event,
                        std::string_view site, std::string_view date, std::string_view round) {
    std::string line = "File: " + std::string(file) + "   Game: " + std::string(game) +
                       "   Event: " + std::string(event) + "   Site: " + std::string(site) +
                       "   Date: " + std::string(date) + "   Round: " + std::string(round);
    line.resize(std::min(line.size(), kHeaderLineField - 1));
    return line;
}

std::string HeaderLine2(std::string_view white, std::string_view black, std::string_view result,
                        std::string_view eco) {
    std::string line = "White: " + std::string(white) + "   Black: " + std::string(black) +
                       "   Result: " + std::string(result) + "   ECO: " + std::string(eco);
    line.resize(std::min(line.size(), kHeaderLineField - 1));
    return line;
}

std::vector<std::uint8_t> EncodePrintedGame(const PrintedGame& game) {
    std::vector<std::uint8_t> out;
    PutInt(out, static_cast<std::uint32_t>(game.kind));
    if (game.kind == PrintedGame::Kind::kNormal) {
        PutField(out, game.headerLine1, kHeaderLineField);
        PutField(out, game.headerLine2, kHeaderLineField);
        const std::size_t moves = std::min<std::size_t>(game.whiteMoves.size(), chess::kMaxMovesPerSide);
        PutInt(out, static_cast<std::uint32_t>(moves));
        for (const auto* side : {&game.whiteMoves, &game.blackMoves}) {
            for (std::size_t i = 0; i < chess::kMaxMovesPerSide; ++i) {
                PutField(out, i < side->size() ? std::string_view((*side)[i]) : std::string_view(),
                         chess::kSanTextSize);
            }
        }
        PutField(out, game.result, chess::kSanTextSize);
        return out;
    }
    std::size_t last = game.lines.size();
    while (last > 0 && game.lines[last - 1].empty()) {
        --last;
    }
    for (std::size_t i = 0; i < last; ++i) {
        const std::string line = game.lines[i].empty() ? " " : game.lines[i];
        PutInt(out, static_cast<std::uint32_t>(line.size()));
        out.insert(out.end(), line.begin(), line.end());
    }
    PutInt(out, 0);
    return out;
}

std::optional<std::vector<PrintedGame>> DecodePrintList(std::string_view bytes) {
    std::vector<PrintedGame> games;
    Reader reader(bytes);
    while (!reader.AtEnd()) {
        std::uint32_t kind = 0;
        if (!reader.Int(kind) || kind > 1) {
            return std::nullopt;
        }
        PrintedGame& game = games.emplace_back();
        if (kind == 1) {
            game.kind = PrintedGame::Kind::kActual;
            for (std::uint32_t length = 0;;) {
                std::string_view text;
                if (!reader.Int(length) || length > kMaxPrintedLine) {
                    return std::nullopt;
                }
                if (length == 0) {
                    break;
                }
                if (!reader.Bytes(length, text)) {
                    return std::nullopt;
                }
                game.lines.emplace_back(text == " " ? std::string_view() : text);
            }
            continue;
        }
        std::uint32_t moves = 0;
        if (!reader.Field(kHeaderLineField, game.headerLine1) ||
            !reader.Field(kHeaderLineField, game.headerLine2) || !reader.Int(moves) ||
            moves > chess::kMaxMovesPerSide) {
            return std::nullopt;
        }
        for (auto* side : {&game.whiteMoves, &game.blackMoves}) {
            for (std::size_t i = 0; i < chess::kMaxMovesPerSide; ++i) {
                std::string move;
                if (!reader.Field(chess::kSanTextSize, move)) {
                    return std::nullopt;
                }
                if (i < moves) {
                    side->push_back(move);
                }
            }
        }
        if (!reader.Field(chess::kSanTextSize, game.result)) {
            return std::nullopt;
        }
    }
    return games;
}

std::vector<std::string> GameTextLines(std::string_view gameText) {
    std::vector<std::string> lines;
    bool movetextSeen = false;
    std::size_t start = 0;
    while (start < gameText.size()) {
        std::size_t end = gameText.find('\n', start);
        if (end == std::string_view::npos) {
            end = gameText.size();
        }
        std::string_view line = gameText.substr(start, end - start);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        start = end + 1;
        if (IsTagLine(line)) {
            if (movetextSeen) {
                break;
            }
        } else if (!line.empty()) {
            movetextSeen = true;
        }
        lines.emplace_back(line);
    }
    return lines;
}

}  // namespace ravelin::reports
