#pragma once

// The counter line and the bar of the progress window of background operations.

#include <string>
#include <string_view>

#include "gamefile/background_operation.h"

namespace ravelin::gamefile {

// Which of a kind's operations runs, where the kind has two (the texts differ).
enum class ProgressVariant {
    kPlain,
    kDeleteFenGames,       // kind 1: FEN games are counted instead of errors
    kWholeFileDuplicates,  // kind 2 over the whole file without the fast file, or the entire-file setting
};

struct ProgressCounters {
    int current = 0;  // 1-based item
    int found = 0;    // errors, duplicates, FEN games, or matches in the current file
    int total = 0;    // the game count (or file count); 0 while not yet counted
};

// The counter line for these counters. fileName is the current file of a directory search.
std::string ProgressCounterText(gamefile::BackgroundKind kind, ProgressVariant variant,
                                const ProgressCounters& counters, std::string_view fileName = {});

// The growth of the bar fraction that makes it worth redrawing.
double ProgressBarStep(int total, ProgressVariant variant);

// The bar's width and height in pixels.
inline constexpr int kProgressBarWidth = 216;
inline constexpr int kProgressBarHeight = 16;

// The bar as last drawn: it is redrawn only when it has grown by a step.
class ProgressBar {
  public:
    void Reset() { drawn_ = 0; }
    // The fraction to draw now, or a negative value when the bar stays as it is.
    double Advance(const ProgressCounters& counters, ProgressVariant variant);
    double Drawn() const { return drawn_; }

  private:
    double drawn_ = 0;
};

}  // namespace ravelin::gamefile
