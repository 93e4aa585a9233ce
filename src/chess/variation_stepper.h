#pragma once

#include <array>
#include <functional>

#include "chess/chess_context.h"
#include "chess/movetext.h"

namespace ravelin::chess {

inline constexpr char kEndOfAnalysis[] = "End of the analysis.";
inline constexpr char kInvalidMoveNumberAfterParen[] = "Invalid move number after right paren.";

// Variations nested deeper than this are passed over whole instead of being entered.
inline constexpr int kMaxVariationDepth = 32;
// Depth value of a stepper whose analysis has ended.
inline constexpr int kAnalysisEnded = -1;

enum class AnalysisReplayMode { kSingleStep, kAutomatic };

// The analysis replay through a ply's variations. The game display resets it (Start) when analysis
// replay begins; each StepVariation plays one move of the variation text.
struct VariationStepper {
    struct Left {
        SanText move{};
        FromHint hint{};
        int ply = 0;
    };

    int depth = 0;
    std::array<Left, kMaxVariationDepth + 1> stack{};
    int analysisMoves = 0;
    int line = 0;
    int column = 0;
    AnalysisReplayMode replayMode = AnalysisReplayMode::kSingleStep;
    // Called after each position change the display should show (not while taking moves back in
    // the automatic mode).
    std::function<void(int ply)> showPosition;

    void Start() {
        depth = 0;
        analysisMoves = 0;
    }
};

// One step of the variation stepper from the position shown at currentPly (which must be in the
// context's history). Returns the ply now shown. Messages go through context.messages.
int StepVariation(ChessContext& context, const GameRecord& record, VariationStepper& stepper, int currentPly);

}  // namespace ravelin::chess
