#include "utilities/adjust_file.h"

#include "chess/move_list.h"
#include "utilities/game_moves.h"

namespace ravelin::utilities {

namespace {

constexpr std::size_t kLineBreakAfter = 71;

// The value of a tag line: between its first two double quotes.
std::string_view QuotedValue(std::string_view line) {
    const std::size_t open = line.find('"');
    const std::size_t close = open == std::string_view::npos ? open : line.find('"', open + 1);
    return close == std::string_view::npos ? std::string_view() : line.substr(open + 1, close - open - 1);
}

void AppendMoves(std::string& out, chess::MoveList& moves, int plies, std::string_view result) {
    std::string line;
    for (int ply = 1; ply <= plies; ++ply) {
        const std::string_view san = chess::SanView(moves.MoveOfPly(ply));
        if (ply % 2 == 1) {
            if (!line.empty()) {
                line += ' ';
            }
            line += std::to_string((ply + 1) / 2) + "." + std::string(san);
        } else {
            line += ' ';
            line += san;
        }
        if (line.size() > kLineBreakAfter) {
            out += line + "\r\n";
            line.clear();
        }
    }
    out += line + "  " + std::string(result) + "\r\n";
}

}  // namespace

std::string AdjustTagLine(std::string_view line) {
    const std::size_t start = line.find('[');
    const std::size_t nameEnd = line.find_first_of(" \t\"", start);
    const std::size_t value =
        nameEnd == std::string_view::npos ? nameEnd : line.find_first_not_of(" \t", nameEnd);
    if (value == std::string_view::npos) {
        return std::string(line.substr(start));
    }
    return std::string(line.substr(start, nameEnd - start)) + " " + std::string(line.substr(value));
}

AdjustResult AdjustFile(const PgnText& text, const std::function<bool()>& stripComments,
                        const UtilityProgress& progress) {
    AdjustResult result;
    result.contents.reserve(text.bytes.size() + text.bytes.size() / 8);
    GameMoves reader(text.path);
    bool asked = false;
    const int count = text.Count();
    for (int i = 0; i < count; ++i) {
        const std::string_view game = text.Game(i);
        const bool read = reader.Read(text.index.offsets[static_cast<std::size_t>(i)]);
        const bool annotated = read && reader.Record().annotationCount > 0;
        if (annotated && !asked) {
            asked = true;
            if (stripComments && !stripComments()) {
                result.cancelled = true;
                return result;
            }
        }
        const int parsed = read ? chess::ParsedPlies(reader.Record()) : 0;
        const gamefile::ReplaySummary replay = read ? reader.Replay() : gamefile::ReplaySummary{};
        if (i > 0) {
            result.contents += "\r\n";
        }
        if (!read || replay.stoppedAtBadMove || replay.pliesPlayed < parsed) {
            // A game the program cannot read is kept as it is, for the user to mend.
            result.keptAsTheyWere.push_back(i + 1);
            std::string_view kept = game;
            while (!kept.empty() && (kept.back() == '\n' || kept.back() == '\r')) {
                kept.remove_suffix(1);
            }
            result.contents.append(kept);
            result.contents += "\r\n";
        } else {
            std::string resultValue = "*";
            ForEachTagLine(game, [&](std::string_view line) {
                const std::string adjusted = AdjustTagLine(line);
                result.contents += adjusted + "\r\n";
                if (adjusted.rfind("[Result ", 0) == 0) {
                    resultValue = QuotedValue(adjusted);
                }
            });
            result.contents += "\r\n";
            AppendMoves(result.contents, reader.Context().moves, replay.pliesPlayed, resultValue);
            ++result.adjusted;
        }
        if (progress && ProgressDue(i + 1, count) && !progress(i + 1, 0)) {
            result.cancelled = true;
            return result;
        }
    }
    return result;
}

}  // namespace ravelin::utilities
