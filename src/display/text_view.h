#pragma once

// The text mode: the game's record as it stands in the file, line by line, in pages of 24 rows.
// Long lines are wrapped; the last row of a page that does not end the record says "...".

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display/game_layout.h"
#include "display/game_view_state.h"
#include "gamefile/game_file.h"

namespace ravelin::display {

inline constexpr std::string_view kTooManyRecords = "This game has too many records!";
inline constexpr std::string_view kRecordError = "Record error";
inline constexpr int kMaxTextLines = 3000;
inline constexpr int kTextRowsPerPage = 24;
// A line longer than this is cut at its last blank before kTextCutColumn.
inline constexpr std::size_t kTextLineLimit = 96;
inline constexpr std::size_t kTextCutColumn = 95;
inline constexpr std::string_view kTextContinued = "...";

// The game summary: five header rows, then from row 7 the moves joined into lines of at most 80
// characters, the result after the last move.
inline constexpr int kSummaryHeaderRows = 5;
inline constexpr std::size_t kSummaryLineWidth = 80;
inline constexpr RgbColour kSummaryAnnotatedTitleColour{0, 0, 255};
// Written at the right end of the first row when the summary was asked for in a mode that counts
// moves.
inline constexpr const char* kSummaryMoveFormat = "Move: %d";

// headerRows beyond the fifth are dropped and missing ones left blank; plies[k] is the move of ply
// k + 1.
std::vector<std::string> GameSummaryRows(const std::vector<std::string>& headerRows,
                                         const std::vector<std::string>& plies, std::string_view result);

// The rows a record line takes: cut at the last blank before the cut column (hard at the column
// when there is none) while it is longer than the limit.
std::vector<std::string> WrapRecordLine(std::string_view line);

class TextView {
  public:
    // Reads game gameNumber's lines from the file, from its offset to the next game's header.
    // False when there is no such game.
    bool Load(gamefile::GameFile& file, int gameNumber);
    // Lays out the rows of an already read record.
    void SetLines(const std::vector<std::string>& lines, bool tooMany);
    // Shows a game summary instead: 24 rows a page, "..." appended to the 24th when more follow.
    // The title row is blue when the game has comments; moveCounter, when given, is shown as
    // "Move: %d" on the first row.
    void SetSummary(std::vector<std::string> rows, bool annotated,
                    std::optional<int> moveCounter = std::nullopt);
    bool ShowsSummary() const { return summary_; }
    // "Move: %d" of the summary's move counter, empty without one.
    std::string MoveCounterText() const;

    int Page() const { return page_; }
    int PageCount() const;
    bool NextPage();
    bool PreviousPage();
    // All rows, wrapped, without paging.
    const std::vector<std::string>& Rows() const { return rows_; }
    // The rows of the current page, "..." as the last one when more follow.
    std::vector<std::string> PageRows() const;
    // "This game has too many records!" when the record was cut, else empty.
    std::string_view StatusLine() const { return status_; }

    GameViewState State(const GameLayout& layout, const std::string& fileLine, const std::string& gameLine,
                        RgbColour background, const TextMeasure& measure) const;

  private:
    std::vector<std::string> rows_;
    bool summary_ = false;
    bool annotated_ = false;
    std::optional<int> moveCounter_;
    int page_ = 1;
    std::string status_;
};

}  // namespace ravelin::display
