#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "chess/chess_context.h"
#include "eco/eco_table.h"

namespace ravelin::eco {

// One game of a PGN text as batch classification needs it: its ECO tag, its FEN tag and the
// SAN texts of its main line.
struct PgnMainLine {
    std::string ecoTag;
    std::string fen;
    std::vector<std::string> moves;
};

// A simple reader of PGN main lines for classifying whole files from the command line and the
// benchmark: tag pairs are read for ECO and FEN, comments, variations, NAGs, move numbers and
// results are skipped. Feed it the lines of a file and call Finish at the end; every game goes to
// the callback in file order.
class PgnMainLineReader {
  public:
    explicit PgnMainLineReader(std::function<void(PgnMainLine&)> onGame) : onGame_(std::move(onGame)) {}
    void Line(std::string_view line);
    void Finish();

  private:
    void EndGame();
    void Token(std::string_view token);

    std::function<void(PgnMainLine&)> onGame_;
    PgnMainLine game_;
    bool inTags_ = false;
    bool anything_ = false;
    int commentDepth_ = 0;
    int variationDepth_ = 0;
};

// The closest match for a game read from a file, as "Find Opening" classifies the game on screen:
// the moves are replayed (so their texts are the program's own) and the plies of the first 30
// moves classified. Games from a FEN position are not classified. kNoEcoEntry when none.
int ClassifyMainLine(const EcoTable& table, chess::ChessContext& context, const PgnMainLine& game);

}  // namespace ravelin::eco
