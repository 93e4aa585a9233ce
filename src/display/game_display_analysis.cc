// Analysis replay of the game display: the variation stepper plays the variations after the shown
// ply into the game's own move list and position history, which therefore hold the analysis
// until the game is read again.

#include <algorithm>

#include "display/game_display.h"

namespace ravelin::display {

bool GameDisplay::StartAnalysisReplay() {
    if (!hasGame_) {
        return false;
    }
    if (headerSlots_->fenPresent) {
        if (messages) {
            messages(kNoAnalysisForFen);
        }
        return false;
    }
    FinishAnimation();
    stepper_.Start();
    stepper_.replayMode = chess::AnalysisReplayMode::kSingleStep;
    stepper_.showPosition = [this](int ply) { ShowAnalysisPly(ply); };
    analysisActive_ = true;
    analysisStartPly_ = currentPly_;
    analysisMovesShown_ = 0;
    return true;
}

bool GameDisplay::StepAnalysisReplay() {
    if (!analysisActive_) {
        return false;
    }
    context_->messages = messages;
    chess::StepVariation(*context_, *record_, stepper_, currentPly_);
    return stepper_.depth != chess::kAnalysisEnded;
}

int GameDisplay::StopAnalysisReplay() {
    FinishAnimation();
    analysisActive_ = false;
    stepper_.showPosition = nullptr;
    return analysisStartPly_;
}

void GameDisplay::ShowAnalysisPly(int ply) {
    // A move played cuts the move list after it; a move taken back leaves the list as it is.
    if (stepper_.analysisMoves != analysisMovesShown_) {
        analysisMovesShown_ = stepper_.analysisMoves;
        totalPlies_ = std::clamp(ply, 0, chess::kMaxPly);
    }
    const int old = currentPly_;
    DisplayMoveChange(old, ply);
    // Takebacks and the next move follow at once: each position is shown whole.
    FinishAnimation();
    previousPly_ = old;
    currentPly_ = ply;
}

}  // namespace ravelin::display
