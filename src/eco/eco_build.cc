#include "eco/eco_build.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <numeric>

#include "chess/chess_context.h"
#include "chess/move_legality.h"
#include "chess/san_reader.h"
#include "eco/eco_line.h"
#include "eco/eco_table.h"

namespace ravelin::eco {

namespace {

constexpr char kCrLf[] = "\r\n";

std::vector<std::string_view> SplitOn(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

bool IsEcoCode(std::string_view code) {
    return code.size() == 3 && code[0] >= 'A' && code[0] <= 'E' && code[1] >= '0' && code[1] <= '9' &&
           code[2] >= '0' && code[2] <= '9';
}

bool IsMoveNumber(std::string_view token) {
    return !token.empty() && token.back() == '.' &&
           token.find_first_not_of("0123456789.") == std::string_view::npos;
}

enum class Replay { kOk, kTooLong, kLongMove, kUnplayable };

// Plays the source moves from the start position; each move's text is the one the program writes
// for it.
Replay ReplayLine(chess::ChessContext& context, std::string_view pgn, std::vector<std::string>& plies) {
    plies.clear();
    std::vector<std::string_view> tokens;
    for (const std::string_view token : SplitOn(pgn, ' ')) {
        if (!token.empty() && !IsMoveNumber(token)) {
            tokens.push_back(token);
        }
    }
    if (tokens.size() > static_cast<std::size_t>(kMaxEcoPlies)) {
        return Replay::kTooLong;
    }
    context.moves.Clear();
    chess::SetStartPosition(context);
    int ply = 1;
    for (const std::string_view token : tokens) {
        if (token.size() > static_cast<std::size_t>(chess::kMaxSanLength)) {
            return Replay::kLongMove;
        }
        chess::SanText text{};
        chess::SetSanText(text, token);
        if (chess::LocateSanMove(context, ply, text, chess::FromHint{}) != 0) {
            return Replay::kUnplayable;
        }
        const chess::LocateResult& at = context.locate;
        if (chess::MakeCoordinateMove(context, true, ply, at.fromFile, at.fromRank, at.toFile, at.toRank) !=
            0) {
            return Replay::kUnplayable;
        }
        const std::string_view written = chess::SanView(context.moves.MoveOfPly(ply));
        plies.emplace_back(written);
        ++ply;
    }
    return plies.empty() ? Replay::kUnplayable : Replay::kOk;
}

}  // namespace

EcoBuild BuildEcoTable(const std::vector<std::string>& sourceTexts) {
    EcoBuild build;
    auto context = chess::MakeChessContext();
    context->batch = true;
    std::vector<std::string> codes;
    std::vector<std::string> plies;
    for (const std::string& text : sourceTexts) {
        bool header = true;
        for (std::string_view line : SplitOn(text, '\n')) {
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            if (header || line.empty()) {
                header = false;
                continue;
            }
            ++build.sourceLines;
            const std::vector<std::string_view> columns = SplitOn(line, '\t');
            if (columns.size() != 3 || !IsEcoCode(columns[0]) || columns[1].empty() ||
                columns[1].find('\0') != std::string_view::npos) {
                ++build.leftOutMalformed;
                build.notes.push_back("malformed: " + std::string(line));
                continue;
            }
            switch (ReplayLine(*context, columns[2], plies)) {
                case Replay::kTooLong:
                    ++build.leftOutTooLong;
                    continue;
                case Replay::kLongMove:
                    ++build.leftOutLongMove;
                    continue;
                case Replay::kUnplayable:
                    ++build.leftOutUnplayable;
                    build.notes.push_back("unplayable: " + std::string(line));
                    continue;
                case Replay::kOk:
                    break;
            }
            codes.emplace_back(columns[0]);
            build.codes += columns[0];
            build.codes += kCrLf;
            build.names += columns[1];
            build.names += kCrLf;
            build.moves += FormatEcoLine(plies);
            build.moves += kCrLf;
            ++build.entries;
        }
    }
    std::vector<std::uint32_t> order(codes.size());
    std::iota(order.begin(), order.end(), 0U);
    std::stable_sort(order.begin(), order.end(),
                     [&codes](std::uint32_t a, std::uint32_t b) { return codes[a] < codes[b]; });
    for (const std::uint32_t entry : order) {
        for (int b = 0; b < kEcoSortRecordSize; ++b) {
            build.order.push_back(static_cast<char>((entry >> (8 * b)) & 0xFF));
        }
    }
    return build;
}

bool ReadEcoSource(const std::string& directory, std::vector<std::string>& texts, std::string& error) {
    texts.clear();
    for (const char* name : kEcoSourceFiles) {
        const std::string path = directory + "/" + name;
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            error = "cannot read " + path;
            return false;
        }
        texts.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return true;
}

}  // namespace ravelin::eco
