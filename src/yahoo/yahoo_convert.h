#pragma once

// Converting a Yahoo text into PGN games added at the end of a PGN file. The target is written
// anew beside itself (its old contents, then the converted games) and renamed over the old file
// once complete, so a failure leaves it as it was.

#include <functional>
#include <string>
#include <string_view>

#include "yahoo/yahoo_record.h"

namespace ravelin::yahoo {

inline constexpr char kErrorOpeningYahooFile[] = "Error opening Yahoo file.";
inline constexpr char kSameAsCurrentPgnFile[] =
    "The new PGN file cannot be the same as the current PGN file.";
inline constexpr char kSameAsYahooFile[] = "The new PGN file cannot be the Yahoo file itself.";
inline constexpr char kErrorCreatingPgnFile[] = "Error creating PGN file.";
inline constexpr char kNoYahooGames[] = "There are no Yahoo games in this text.";
inline constexpr char kSetAllResultsQuestion[] =
    "This file has %d games. Do you want to set all the results now?";
// Above this many games the user is asked whether to set every result.
inline constexpr int kAskAllResultsAbove = 10;
// The largest Yahoo file read.
inline constexpr std::size_t kMaxYahooFileSize = 64u << 20;

struct ConversionHooks {
    // With more than ten games: whether to set every result now (fewer are always asked).
    std::function<bool(int gameCount)> askSetAllResults;
    // Shows a game's header for editing (its result above all); false keeps it as it was.
    std::function<void(HeaderValues& header)> editHeader;
};

struct ConversionResult {
    const char* failure = nullptr;  // the message, nullptr on success
    int games = 0;
};

// Converts the text into the target. Without hooks no result is asked ("*").
ConversionResult ConvertYahooText(std::string_view text, const std::string& targetPath,
                                  const ConversionHooks& hooks);

// Reads the Yahoo file first; the target may be neither it nor the open PGN file (compared as files,
// not by name; openPgnPath may be empty).
ConversionResult ConvertYahooFile(const std::string& yahooPath, const std::string& targetPath,
                                  const std::string& openPgnPath, const ConversionHooks& hooks);

// Whether two paths name the same existing file.
bool SameFile(const std::string& a, const std::string& b);

// The information after a conversion: "Yahoo game(s) converted to file NAME.pgn.", the name being
// the target's file name cut at its first ".".
std::string ConvertedMessage(int games, const std::string& targetPath);

}  // namespace ravelin::yahoo
