#pragma once

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "chess/move_list.h"
#include "eco/eco_line.h"
#include "eco/eco_match.h"
#include "eco/eco_table.h"
#include "temp_dir.h"

namespace ravelin::eco::testing {

struct Line {
    std::string code;
    std::string name;
    std::string moves;
};

// The four table files of the lines, in entry order, with the ECO order given (identity when empty).
inline void WriteTable(const ravelin::testing::TempDir& dir, const std::vector<Line>& lines,
                       std::vector<std::uint32_t> order = {}) {
    std::string codes, names, moves, sort;
    for (const Line& line : lines) {
        codes += line.code + "\r\n";
        names += line.name + "\r\n";
        moves += line.moves + "\r\n";
    }
    if (order.empty()) {
        order.resize(lines.size());
        std::iota(order.begin(), order.end(), 0U);
    }
    for (const std::uint32_t entry : order) {
        sort += std::string{static_cast<char>(entry & 0xFF), static_cast<char>((entry >> 8) & 0xFF),
                            static_cast<char>((entry >> 16) & 0xFF), static_cast<char>(entry >> 24)};
    }
    dir.Write(kEcoCodesFile, codes);
    dir.Write(kEcoNamesFile, names);
    dir.Write(kEcoMovesFile, moves);
    dir.Write(kEcoSortFile, sort);
}

// Collects the messages a function sends.
struct Messages {
    std::vector<std::pair<EcoMessageKind, std::string>> all;
    EcoMessageSink Sink() {
        return
            [this](EcoMessageKind kind, std::string_view text) { all.emplace_back(kind, std::string(text)); };
    }
    std::string Last() const { return all.empty() ? "" : all.back().second; }
};

// A table of the lines, loaded.
struct TestTable {
    ravelin::testing::TempDir dir;
    EcoTable table;

    explicit TestTable(const std::vector<Line>& lines, std::vector<std::uint32_t> order = {}) {
        WriteTable(dir, lines, std::move(order));
        Messages messages;
        EXPECT_TRUE(LoadEcoTable(table, dir.Path().string(), messages.Sink())) << messages.Last();
        EXPECT_TRUE(messages.all.empty());
    }
};

// A move list holding a moves line such as "1.e4 e5 2.Nf3".
inline chess::MoveList GameOf(std::string_view line) {
    chess::MoveList moves;
    const EcoLineMoves split = SplitEcoLine(line);
    for (std::size_t i = 0; i < split.white.size(); ++i) {
        chess::SetSanText(moves.whiteMoves[i], split.white[i]);
    }
    for (std::size_t i = 0; i < split.black.size(); ++i) {
        chess::SetSanText(moves.blackMoves[i], split.black[i]);
    }
    return moves;
}

inline EcoGameMoves PreparedGame(std::string_view line) {
    return PrepareGameMoves(GameOf(line));
}

}  // namespace ravelin::eco::testing
