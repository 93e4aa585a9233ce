#include "statistics/main_openings.h"

#include <algorithm>
#include <array>

namespace ravelin::statistics {

namespace {

constexpr std::array<MainOpeningLine, 79> kMainOpeningLines = {{
    {"B22", "1.e4 c5 2.c3"},
    {"B23", "1.e4 c5 2.Nc3"},
    {"B21", "1.e4 c5 2.f4"},
    {"B21", "1.e4 c5 2.d4 cxd4 3.c3"},
    {"B40", "1.e4 c5 2.Nf3 e6"},
    {"B30", "1.e4 c5 2.Nf3 Nc6"},
    {"B20", "1.e4 c5"},
    {"C15", "1.e4 e6 2.d4 d5 3.Nc3 Bb4"},
    {"C11", "1.e4 e6 2.d4 d5 3.Nc3 Nf6"},
    {"C10", "1.e4 e6 2.d4 d5 3.Nc3 dxe4"},
    {"C03", "1.e4 e6 2.d4 d5 3.Nd2"},
    {"C02", "1.e4 e6 2.d4 d5 3.e5"},
    {"C01", "1.e4 e6 2.d4 d5 3.exd5"},
    {"C00", "1.e4 e6"},
    {"B12", "1.e4 c6 2.d4 d5 3.e5"},
    {"B13", "1.e4 c6 2.d4 d5 3.exd5"},
    {"B10", "1.e4 c6"},
    {"B01", "1.e4 d5"},
    {"B02", "1.e4 Nf6"},
    {"B07", "1.e4 d6 2.d4 Nf6 3.Nc3 g6"},
    {"B06", "1.e4 g6"},
    {"B00", "1.e4 Nc6"},
    {"C65", "1.e4 e5 2.Nf3 Nc6 3.Bb5 Nf6"},
    {"C70", "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6"},
    {"C60", "1.e4 e5 2.Nf3 Nc6 3.Bb5"},
    {"C50", "1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5"},
    {"C55", "1.e4 e5 2.Nf3 Nc6 3.Bc4 Nf6"},
    {"C50", "1.e4 e5 2.Nf3 Nc6 3.Bc4"},
    {"C44", "1.e4 e5 2.Nf3 Nc6 3.d4"},
    {"C47", "1.e4 e5 2.Nf3 Nc6 3.Nc3 Nf6"},
    {"C46", "1.e4 e5 2.Nf3 Nc6 3.Nc3"},
    {"C44", "1.e4 e5 2.Nf3 Nc6 3.c3"},
    {"C42", "1.e4 e5 2.Nf3 Nf6"},
    {"C41", "1.e4 e5 2.Nf3 d6"},
    {"C40", "1.e4 e5 2.Nf3 f5"},
    {"C40", "1.e4 e5 2.Nf3"},
    {"C33", "1.e4 e5 2.f4 exf4"},
    {"C30", "1.e4 e5 2.f4"},
    {"C25", "1.e4 e5 2.Nc3"},
    {"C23", "1.e4 e5 2.Bc4"},
    {"C21", "1.e4 e5 2.d4 exd4 3.c3"},
    {"C20", "1.e4 e5 2.d4"},
    {"B00", "1.e4"},
    {"D32", "1.d4 d5 2.c4 e6 3.Nc3 c5"},
    {"D30", "1.d4 d5 2.c4 e6"},
    {"D20", "1.d4 d5 2.c4 dxc4"},
    {"D10", "1.d4 d5 2.c4 c6"},
    {"D07", "1.d4 d5 2.c4 Nc6"},
    {"D08", "1.d4 d5 2.c4 e5"},
    {"D06", "1.d4 d5 2.c4"},
    {"D00", "1.d4 d5"},
    {"E20", "1.d4 Nf6 2.c4 e6 3.Nc3 Bb4"},
    {"E12", "1.d4 Nf6 2.c4 e6 3.Nf3 b6"},
    {"E11", "1.d4 Nf6 2.c4 e6 3.Nf3 Bb4+"},
    {"E00", "1.d4 Nf6 2.c4 e6 3.g3"},
    {"D80", "1.d4 Nf6 2.c4 g6 3.Nc3 d5"},
    {"E61", "1.d4 Nf6 2.c4 g6 3.Nc3"},
    {"E60", "1.d4 Nf6 2.c4 g6"},
    {"A57", "1.d4 Nf6 2.c4 c5 3.d5 b5"},
    {"A60", "1.d4 Nf6 2.c4 c5 3.d5 e6"},
    {"A56", "1.d4 Nf6 2.c4 c5"},
    {"A53", "1.d4 Nf6 2.c4 d6"},
    {"A51", "1.d4 Nf6 2.c4 e5"},
    {"A45", "1.d4 Nf6 2.Bg5"},
    {"A46", "1.d4 Nf6 2.Nf3"},
    {"A45", "1.d4 Nf6"},
    {"A80", "1.d4 f5"},
    {"A40", "1.d4"},
    {"A30", "1.c4 c5"},
    {"A20", "1.c4 e5"},
    {"A15", "1.c4 Nf6"},
    {"A10", "1.c4"},
    {"A09", "1.Nf3 d5 2.c4"},
    {"A07", "1.Nf3 d5 2.g3"},
    {"A04", "1.Nf3"},
    {"A02", "1.f4"},
    {"A01", "1.b3"},
    {"A00", "1.g3"},
    {"A00", "1.b4"},
}};

// Whether each of the first count moves of item occurs among the first count moves of game.
bool Contains(const std::array<std::string, kOpeningMovesPerSide>& game,
              const std::array<std::string, kOpeningMovesPerSide>& item, int count) {
    const auto gameEnd = game.begin() + count;
    for (int i = 0; i < count; ++i) {
        if (std::find(game.begin(), gameEnd, item[static_cast<std::size_t>(i)]) == gameEnd) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::span<const MainOpeningLine> MainOpeningLines() {
    return kMainOpeningLines;
}

int FindEcoEntry(const eco::EcoTable& table, std::string_view code, std::string_view moves) {
    for (int entry = 0; entry < table.count; ++entry) {
        if (eco::EcoCode(table, entry) == code && eco::EcoMoves(table, entry) == moves) {
            return entry;
        }
    }
    return eco::kNoEcoEntry;
}

MainOpenings::MainOpenings(const eco::EcoTable& table) {
    for (const MainOpeningLine& line : kMainOpeningLines) {
        const int entry = FindEcoEntry(table, line.code, line.moves);
        if (entry != eco::kNoEcoEntry) {
            items_.push_back({entry, ReadOpeningMoves(line.moves)});
        }
    }
}

int MainOpenings::Find(const OpeningMoves& game) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const OpeningMoves& item = items_[i].moves;
        if (item.plies <= game.plies && Contains(game.white, item.white, (item.plies + 1) / 2) &&
            Contains(game.black, item.black, item.plies / 2)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace ravelin::statistics
