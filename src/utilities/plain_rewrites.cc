#include "utilities/plain_rewrites.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <numeric>
#include <string_view>
#include <vector>

namespace ravelin::utilities {

namespace {

constexpr std::array<std::string_view, 11> kKeptTags = {"Event ",    "Site ",  "Date ",   "Round ",
                                                        "White ",    "Black ", "Result ", "WhiteElo ",
                                                        "BlackElo ", "ECO ",   "FEN "};

// The text of a tag line after "[" (leading blanks skipped).
std::string_view AfterBracket(std::string_view line) {
    return line.substr(line.find('[') + 1);
}

bool IsKeptTag(std::string_view line) {
    const std::string_view name = AfterBracket(line);
    return std::any_of(kKeptTags.begin(), kKeptTags.end(),
                       [&](std::string_view kept) { return name.substr(0, kept.size()) == kept; });
}

// The value of the game's first tag of this name ("" when missing).
std::string_view TagValue(std::string_view game, std::string_view name) {
    std::string_view value;
    bool found = false;
    ForEachTagLine(game, [&](std::string_view line) {
        const std::string_view rest = AfterBracket(line);
        if (found || rest.substr(0, name.size()) != name || rest.size() <= name.size() ||
            rest[name.size()] != ' ') {
            return;
        }
        const std::size_t open = rest.find('"');
        const std::size_t close = open == std::string_view::npos ? open : rest.find('"', open + 1);
        if (close != std::string_view::npos) {
            value = rest.substr(open + 1, close - open - 1);
            found = true;
        }
    });
    return value;
}

std::string TrimLine(std::string_view line) {
    std::string out;
    out.reserve(line.size() + 8);
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return out;
    }
    line.remove_prefix(first);
    if (line[0] == '[' || line[0] == ';' || line[0] == '%') {
        return std::string(line);
    }
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        const bool atLineStart = out.size() == lineStart;
        if (c == ' ' && (atLineStart || out.back() == ' ')) {
            continue;
        }
        if (c == ' ' && out.size() - lineStart > 229) {
            out += "\r\n";
            lineStart = out.size();
            continue;
        }
        out += c;
        if (c == '}' && i + 1 < line.size() && line[i + 1] != ' ') {
            out += ' ';
        }
    }
    return out;
}

}  // namespace

RewriteResult StripHeader(const PgnText& text) {
    RewriteResult result;
    result.contents.reserve(text.bytes.size());
    auto keep = [&](std::string_view line) {
        result.contents.append(line);
        result.contents += "\r\n";
    };
    ForEachLine(text.Preamble(), keep);
    for (int i = 0; i < text.Count(); ++i) {
        // Only the header's lines are tags: a "[" line inside a comment stays.
        bool inHeader = true;
        ForEachLine(text.Game(i), [&](std::string_view line) {
            inHeader = inHeader && IsTagLine(line);
            if (inHeader && !IsKeptTag(line)) {
                ++result.changed;
            } else {
                keep(line);
            }
        });
    }
    return result;
}

RewriteResult TrimFile(const PgnText& text) {
    RewriteResult result;
    result.contents.reserve(text.bytes.size() + text.bytes.size() / 64);
    std::string_view rest = text.bytes;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        const std::string_view lineEnd =
            end == std::string_view::npos ? std::string_view() : rest.substr(end, 1);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        const bool crlf = !line.empty() && line.back() == '\r';
        if (crlf) {
            line.remove_suffix(1);
        }
        const std::string trimmed = TrimLine(line);
        result.changed += trimmed != line;
        result.contents += trimmed;
        result.contents += crlf ? "\r" : "";
        result.contents += lineEnd;
    }
    return result;
}

std::string SortKey(std::string_view game) {
    constexpr std::string_view kUnknownDate = "????.??.??";
    std::string date(TagValue(game, "Date").substr(0, 10));
    if (date.size() < 4) {
        date = kUnknownDate;
    } else if (date.size() < 10) {
        date += kUnknownDate.substr(date.size());
    }
    std::string_view place = TagValue(game, "Site");
    if (place.empty() || place == "?") {
        place = TagValue(game, "Event");
    }
    std::string key = date;
    key += place.substr(0, 19);
    const std::string round(TagValue(game, "Round"));
    const long number = std::strtol(round.c_str(), nullptr, 10);
    const long shown = number < 0 || number > 99 ? 0 : number;
    key += static_cast<char>('0' + shown / 10);
    key += static_cast<char>('0' + shown % 10);
    return key;
}

RewriteResult SortFile(const PgnText& text) {
    RewriteResult result;
    const int count = text.Count();
    std::vector<std::string> keys(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        keys[static_cast<std::size_t>(i)] = SortKey(text.Game(i));
        std::transform(keys[static_cast<std::size_t>(i)].begin(), keys[static_cast<std::size_t>(i)].end(),
                       keys[static_cast<std::size_t>(i)].begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    }
    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)];
    });
    result.contents.reserve(text.bytes.size() + static_cast<std::size_t>(count) * 4);
    result.contents.append(text.Preamble());
    for (int place = 0; place < count; ++place) {
        const int game = order[static_cast<std::size_t>(place)];
        result.changed += game != place;
        std::string_view bytes = text.Game(game);
        // The game without its trailing empty lines, then one line end and one empty line in the
        // game's own line-end style.
        while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r' || bytes.back() == ' ')) {
            bytes.remove_suffix(1);
        }
        const bool crlf = bytes.find("\r\n") != std::string_view::npos;
        result.contents.append(bytes);
        result.contents += crlf ? "\r\n\r\n" : "\n\n";
    }
    return result;
}

RewriteResult DeleteFenGames(const PgnText& text, const UtilityProgress& progress) {
    RewriteResult result;
    result.contents.reserve(text.bytes.size());
    result.contents.append(text.Preamble());
    const int count = text.Count();
    for (int i = 0; i < count; ++i) {
        const std::string_view game = text.Game(i);
        bool fen = false;
        ForEachTagLine(
            game, [&](std::string_view line) { fen = fen || AfterBracket(line).substr(0, 4) == "FEN "; });
        if (fen) {
            ++result.changed;
        } else {
            result.contents.append(game);
        }
        if (progress && ProgressDue(i + 1, count) && !progress(i + 1, result.changed)) {
            result.cancelled = true;
            return result;
        }
    }
    return result;
}

}  // namespace ravelin::utilities
