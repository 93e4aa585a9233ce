#include "utilities/check_file.h"

#include <cstdio>

#include "gamefile/line_reader.h"
#include "utilities/game_moves.h"

namespace ravelin::utilities {

namespace {

// Whether the token at the start of the text is a result ("*", "?...", "1-0", "0-1", "x/y...").
bool StartsResult(std::string_view text) {
    return !text.empty() && (text[0] == '*' || text[0] == '?' || text.substr(0, 3) == "1-0" ||
                             text.substr(0, 3) == "0-1" || (text.size() > 1 && text[1] == '/'));
}

struct LineScan {
    bool inComment = false;
    int parens = 0;
    bool spaces = false;
    bool longLine = false;
};

void ScanMovetextLine(std::string_view line, bool nextLineEmpty, LineScan& scan) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (scan.inComment) {
            scan.inComment = c != '}';
        } else if (c == '{') {
            scan.inComment = true;
        } else if (c == ';') {
            return;
        } else if (c == '(') {
            ++scan.parens;
        } else if (c == ')') {
            --scan.parens;
        } else if (c == ' ' && i + 1 < line.size() && line[i + 1] == ' ') {
            const std::size_t next = line.find_first_not_of(' ', i);
            const bool atLineEnd = next == std::string_view::npos;
            if (!(atLineEnd ? nextLineEmpty : StartsResult(line.substr(next)))) {
                scan.spaces = true;
            }
            if (atLineEnd) {
                return;
            }
            i = next - 1;
        }
    }
}

}  // namespace

std::string FaultMessage(GameFault fault, int game) {
    const char* format = "";
    switch (fault) {
        case GameFault::kNone:
            return "";
        case GameFault::kCorruptHeader:
            format = "Game %d header is corrupt, a line is missing two double quotes.";
            break;
        case GameFault::kNoBlankLine:
            format = "Game %d does not have a blank line after the header.";
            break;
        case GameFault::kParens:
            format = "Game %d may have line parens out of sync.";
            break;
        case GameFault::kBraces:
            format = "Game %d may have comment braces out of sync.";
            break;
        case GameFault::kSpaces:
            format = "Game %d has more than 1 space between tokens.";
            break;
        case GameFault::kLongLine:
            format = "Game %d has some records that are longer than 255 characters.";
            break;
        case GameFault::kCorruptMove:
            format = "Game %d may be corrupt.";
            break;
    }
    char message[96];
    std::snprintf(message, sizeof message, format, game);
    return message;
}

GameFault CheckGameText(std::string_view game) {
    std::vector<std::string_view> lines;
    ForEachLine(game, [&](std::string_view line) { lines.push_back(line); });
    LineScan scan;
    GameFault header = GameFault::kNone;
    std::size_t i = 0;
    for (; i < lines.size() && IsTagLine(lines[i]); ++i) {
        scan.longLine = scan.longLine || lines[i].size() > gamefile::kMaxLineLength;
        const std::string_view afterFirst = lines[i].substr(lines[i].find('[') + 1);
        const std::size_t quote = afterFirst.find('"');
        if (header == GameFault::kNone &&
            (quote == std::string_view::npos || afterFirst.find('"', quote + 1) == std::string_view::npos)) {
            header = GameFault::kCorruptHeader;
        }
    }
    if (header == GameFault::kNone && i < lines.size() && !lines[i].empty() &&
        lines[i].substr(0, 2) != "1.") {
        header = GameFault::kNoBlankLine;
    }
    for (; i < lines.size(); ++i) {
        scan.longLine = scan.longLine || lines[i].size() > gamefile::kMaxLineLength;
        const bool nextEmpty = i + 1 >= lines.size() || lines[i + 1].empty();
        if (scan.inComment) {
            const std::size_t close = lines[i].find('}');
            if (close == std::string_view::npos) {
                continue;
            }
            scan.inComment = false;
            ScanMovetextLine(lines[i].substr(close + 1), nextEmpty, scan);
        } else if (lines[i].empty() || lines[i][0] != '%') {
            ScanMovetextLine(lines[i], nextEmpty, scan);
        }
    }
    if (header != GameFault::kNone) {
        return header;
    }
    if (scan.parens != 0) {
        return GameFault::kParens;
    }
    if (scan.inComment) {
        return GameFault::kBraces;
    }
    if (scan.spaces) {
        return GameFault::kSpaces;
    }
    return scan.longLine ? GameFault::kLongLine : GameFault::kNone;
}

CheckResult CheckFile(const PgnText& text, CheckMode mode, const UtilityProgress& progress) {
    CheckResult result;
    GameMoves moves(text.path);
    const bool deleting = mode == CheckMode::kDeleteBadGames;
    if (deleting) {
        result.contents.reserve(text.bytes.size());
        result.contents.append(text.Preamble());
    }
    const int count = text.Count();
    for (int i = 0; i < count; ++i) {
        const std::string_view game = text.Game(i);
        GameFault fault = CheckGameText(game);
        if (fault == GameFault::kNone) {
            const bool read = moves.Read(text.index.offsets[static_cast<std::size_t>(i)]);
            if (!read || moves.Replay().stoppedAtBadMove) {
                fault = GameFault::kCorruptMove;
            }
        }
        if (fault == GameFault::kNone) {
            if (deleting) {
                result.contents.append(game);
            }
        } else {
            ++result.found;
            if (static_cast<int>(result.errors.size()) < kListedErrors) {
                result.errors.push_back({i + 1, FaultMessage(fault, i + 1)});
            }
        }
        if (progress && ProgressDue(i + 1, count) && !progress(i + 1, result.found)) {
            result.cancelled = true;
            return result;
        }
        if (!deleting && result.found > kListedErrors) {
            break;
        }
    }
    return result;
}

}  // namespace ravelin::utilities
