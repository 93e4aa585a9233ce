#include "small_figurines.h"

#include <array>
#include <string_view>

namespace ravelin::pieceset {

namespace {

constexpr int kRows = 12;
// Narrow enough that a figurine takes little more room than the letter it replaces.
constexpr int kColumns = 9;
// The first row of the drawing in the figurine.
constexpr int kTopRow = 1;

// '#' ink, '.' paper; knight, bishop, rook, queen, king.
constexpr std::array<std::array<std::string_view, kRows>, 5> kDrawings = {{
    // Knight
    {
        "..#.#....",
        ".######..",
        "########.",
        "#.######.",
        "########.",
        "###.####.",
        ".#.#####.",
        "..#####..",
        ".######..",
        ".######..",
        "########.",
        "#########",
    },
    // Bishop
    {
        "....#....",
        "...###...",
        "..###.#..",
        "..##.##..",
        "..#.###..",
        "..#####..",
        "...###...",
        "....#....",
        "..#####..",
        "...###...",
        ".#######.",
        "#########",
    },
    // Rook
    {
        "##.###.##",
        "##.###.##",
        "#########",
        ".#######.",
        "..#####..",
        "..#####..",
        "..#####..",
        "..#####..",
        ".#######.",
        ".#######.",
        "#########",
        "#########",
    },
    // Queen
    {
        "#...#...#",
        "#.#.#.#.#",
        "#.#.#.#.#",
        "#########",
        "#########",
        ".#######.",
        ".#######.",
        "..#####..",
        ".#.....#.",
        ".#######.",
        "#########",
        "#########",
    },
    // King
    {
        "....#....",
        "...###...",
        "....#....",
        ".##.#.##.",
        "#########",
        "#########",
        "#########",
        ".#######.",
        ".#.....#.",
        ".#######.",
        "#########",
        "#########",
    },
}};

}  // namespace

display::RgbImage DrawSmallFigurine(chess::PieceCode kind, int size) {
    display::RgbImage image(size, size, {255, 255, 255});
    if (kind < chess::kKnight || kind > chess::kKing) {
        return image;
    }
    const auto& drawing = kDrawings[static_cast<std::size_t>(kind - chess::kKnight)];
    const int left = (size - kColumns) / 2;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            if (drawing[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] == '#') {
                image.SetPixel(left + column, kTopRow + row, {0, 0, 0});
            }
        }
    }
    return image;
}

}  // namespace ravelin::pieceset
