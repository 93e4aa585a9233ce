#pragma once

// Adjust File: every game rewritten in the program's own layout: tag lines with one blank before
// the value, an empty line, the replayed moves in lines of about 72 characters, two blanks and
// the result, CR LF everywhere.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "utilities/pgn_text.h"

namespace ravelin::utilities {

inline constexpr char kAskStripComments[] =
    "Warning: All comments and analysis will be stripped. Do you want to continue?";
inline constexpr char kAdjustmentCanceled[] = "Adjustment canceled.";
inline constexpr char kAdjustmentComplete[] = "Adjustment complete.";
inline constexpr char kAskAdjustFile[] = "Adjust the record size and format. Are you sure?";

struct AdjustResult {
    std::string contents;
    int adjusted = 0;
    std::vector<int> keptAsTheyWere;  // 1-based games that did not replay, copied unchanged
    bool cancelled = false;           // the user kept the comments, or asked to stop
};

// A tag line with the blanks between name and value reduced to one.
std::string AdjustTagLine(std::string_view line);

// stripComments is asked once, at the first game with comments or variations.
AdjustResult AdjustFile(const PgnText& text, const std::function<bool()>& stripComments,
                        const UtilityProgress& progress);

}  // namespace ravelin::utilities
