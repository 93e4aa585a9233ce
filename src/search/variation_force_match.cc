#include "search/variation_force_match.h"

#include <algorithm>

namespace ravelin::search {

ForceMatchSearch::ForceMatchSearch(int whiteMoves, int blackMoves)
    : white_(whiteMoves), black_(blackMoves), plies_(whiteMoves + blackMoves) {}

void ForceMatchSearch::Cap() {
    if (white_ < whiteStart_) {
        return;
    }
    // Grown back to the whole variation, which is known to match nothing: one ply less.
    state_ = State::kDescending;
    white_ = black_ < blackStart_ ? whiteStart_ - 1 : whiteStart_;
    black_ = whiteStart_ - 1;
    plies_ = white_ + black_;
}

void ForceMatchSearch::TakeOneMoveOff() {
    if (white_ == black_) {
        --black_;
    } else {
        --white_;
    }
}

bool ForceMatchSearch::FinalCheck(bool matched) {
    if (state_ == State::kDescending && !matched && black_ > 0) {
        TakeOneMoveOff();
        --plies_;
        return true;
    }
    return false;
}

bool ForceMatchSearch::Next(bool matched) {
    switch (state_) {
        case State::kStart:
            if (matched || black_ == 0) {
                return false;
            }
            whiteStart_ = white_;
            blackStart_ = black_;
            step_ = std::max(1, white_ / 2);
            white_ = std::max(1, white_ - step_);
            black_ = std::max(0, black_ - step_);
            state_ = State::kShrinking;
            return true;
        case State::kShrinking:
            step_ = std::max(1, step_ / 2);
            if (!matched) {
                if (black_ == 0) {
                    return FinalCheck(matched);
                }
                white_ = std::max(1, white_ - step_);
                black_ = std::max(0, black_ - step_);
                return true;
            }
            state_ = State::kGrowing;
            white_ += step_;
            black_ += step_;
            Cap();
            return true;
        case State::kGrowing:
            if (matched) {
                step_ = std::max(1, step_ / 2);
                white_ += step_;
                black_ += step_;
                Cap();
                return true;
            }
            // Grown too far. Rather than go back to the last matching length (which may be more
            // than one ply shorter than this one), step down one ply at a time from here: the
            // result then always belongs to the length it reports.
            state_ = State::kDescending;
            plies_ = white_ + black_;
            return FinalCheck(matched);
        case State::kDescending:
            return FinalCheck(matched);
    }
    return false;
}

}  // namespace ravelin::search
