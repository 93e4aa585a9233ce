#pragma once

// "Force Match": when the whole variation matches no game, the longest shorter variation that
// matches some game is searched for, halving the step as the length shrinks and grows again.

namespace ravelin::search {

class ForceMatchSearch {
  public:
    // The variation's white and black move counts: the length of the first pass.
    ForceMatchSearch(int whiteMoves, int blackMoves);

    // The length of the next pass.
    int WhiteMoves() const { return white_; }
    int BlackMoves() const { return black_; }
    // The plies of the variation the result stands for.
    int PliesMatched() const { return plies_; }

    // Called after each pass with whether it found a game; true when another pass must run.
    bool Next(bool matched);

  private:
    enum class State { kStart, kShrinking, kGrowing, kDescending };

    void Cap();
    // One move off the end: black's when both sides have as many, else white's.
    void TakeOneMoveOff();
    bool FinalCheck(bool matched);

    State state_ = State::kStart;
    int white_;
    int black_;
    int whiteStart_ = 0;
    int blackStart_ = 0;
    int step_ = 0;
    int plies_;
};

}  // namespace ravelin::search
