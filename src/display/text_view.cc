#include "display/text_view.h"

#include <algorithm>
#include <cstdio>

#include "gamefile/line_reader.h"
#include "gamefile/tag_line.h"

namespace ravelin::display {

namespace {

// The text rows of a page: the last row is kept for "..." when more follow.
constexpr int kTextRowsWithContinuation = kTextRowsPerPage - 1;
// The file and game lines take the first two rows of the window above the text.
constexpr int kStatusRows = 2;

}  // namespace

std::vector<std::string> GameSummaryRows(const std::vector<std::string>& headerRows,
                                         const std::vector<std::string>& plies, std::string_view result) {
    std::vector<std::string> rows(headerRows.begin(),
                                  headerRows.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(
                                                           headerRows.size(), kSummaryHeaderRows)));
    rows.resize(kSummaryHeaderRows);
    rows.emplace_back();
    std::vector<std::string> pieces;
    for (std::size_t k = 0; k < plies.size(); k += 2) {
        std::string piece = std::to_string(k / 2 + 1) + "." + plies[k] + " ";
        if (k + 1 < plies.size()) {
            piece += plies[k + 1] + " ";
        }
        pieces.push_back(std::move(piece));
    }
    if (!result.empty()) {
        pieces.emplace_back(result);
    }
    std::string line;
    for (const std::string& piece : pieces) {
        if (!line.empty() && line.size() + piece.size() > kSummaryLineWidth) {
            rows.push_back(line);
            line.clear();
        }
        line += piece;
    }
    if (!line.empty()) {
        rows.push_back(line);
    }
    return rows;
}

std::vector<std::string> WrapRecordLine(std::string_view line) {
    std::vector<std::string> rows;
    while (line.size() > kTextLineLimit) {
        std::size_t cut = line.rfind(' ', kTextCutColumn - 1);
        if (cut == std::string_view::npos || cut == 0) {
            cut = kTextCutColumn;
            rows.emplace_back(line.substr(0, cut));
            line.remove_prefix(cut);
        } else {
            rows.emplace_back(line.substr(0, cut));
            line.remove_prefix(cut + 1);
        }
    }
    rows.emplace_back(line);
    return rows;
}

bool TextView::Load(gamefile::GameFile& file, int gameNumber) {
    if (!file.IsOpen() || gameNumber < 1 || gameNumber > file.GameCount()) {
        SetLines({}, false);
        return false;
    }
    gamefile::LineReader& reader = file.Reader();
    const gamefile::LineReaderMode mode = reader.mode;
    reader.mode = gamefile::LineReaderMode::kKeepLeadingBlanks;
    reader.Seek(file.Index().Offset(gameNumber));
    std::vector<std::string> lines;
    char line[gamefile::kLineBufferSize];
    bool pastHeader = false;
    bool tooMany = false;
    while (reader.ReadLine(line) > 0) {
        const bool tag = gamefile::IsTagLine(line);
        if (tag && pastHeader) {
            break;  // the next game's header
        }
        if (!tag) {
            pastHeader = true;
        }
        if (static_cast<int>(lines.size()) >= kMaxTextLines) {
            tooMany = true;
            break;
        }
        lines.emplace_back(line);
    }
    reader.mode = mode;
    // The blank lines between this game and the next belong to neither.
    while (!lines.empty() && lines.back().find_first_not_of(" \t\r") == std::string::npos) {
        lines.pop_back();
    }
    SetLines(lines, tooMany);
    return true;
}

void TextView::SetLines(const std::vector<std::string>& lines, bool tooMany) {
    rows_.clear();
    for (const std::string& line : lines) {
        for (std::string& row : WrapRecordLine(line)) {
            rows_.push_back(std::move(row));
        }
    }
    page_ = 1;
    summary_ = false;
    annotated_ = false;
    moveCounter_.reset();
    status_ = tooMany ? std::string(kTooManyRecords) : std::string();
}

void TextView::SetSummary(std::vector<std::string> rows, bool annotated, std::optional<int> moveCounter) {
    rows_ = std::move(rows);
    page_ = 1;
    summary_ = true;
    annotated_ = annotated;
    moveCounter_ = moveCounter;
    status_.clear();
}

std::string TextView::MoveCounterText() const {
    if (!summary_ || !moveCounter_) {
        return {};
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, kSummaryMoveFormat, *moveCounter_);
    return buffer;
}

int TextView::PageCount() const {
    if (summary_) {
        return std::max<int>(1, static_cast<int>((rows_.size() + kTextRowsPerPage - 1) / kTextRowsPerPage));
    }
    if (rows_.size() <= static_cast<std::size_t>(kTextRowsPerPage)) {
        return 1;
    }
    return static_cast<int>((rows_.size() + kTextRowsWithContinuation - 1) / kTextRowsWithContinuation);
}

bool TextView::NextPage() {
    if (page_ >= PageCount()) {
        return false;
    }
    ++page_;
    return true;
}

bool TextView::PreviousPage() {
    if (page_ <= 1) {
        return false;
    }
    --page_;
    return true;
}

std::vector<std::string> TextView::PageRows() const {
    if (summary_) {
        const std::size_t first = static_cast<std::size_t>(page_ - 1) * kTextRowsPerPage;
        const std::size_t last = std::min(rows_.size(), first + kTextRowsPerPage);
        std::vector<std::string> page(rows_.begin() + static_cast<std::ptrdiff_t>(first),
                                      rows_.begin() + static_cast<std::ptrdiff_t>(last));
        if (last < rows_.size() && !page.empty()) {
            page.back() += kTextContinued;
        }
        return page;
    }
    if (PageCount() == 1) {
        return rows_;
    }
    const std::size_t first = static_cast<std::size_t>(page_ - 1) * kTextRowsWithContinuation;
    const std::size_t last = std::min(rows_.size(), first + kTextRowsWithContinuation);
    std::vector<std::string> page(rows_.begin() + static_cast<std::ptrdiff_t>(first),
                                  rows_.begin() + static_cast<std::ptrdiff_t>(last));
    if (last < rows_.size()) {
        page.emplace_back(kTextContinued);
    }
    return page;
}

GameViewState TextView::State(const GameLayout& layout, const std::string& fileLine,
                              const std::string& gameLine, RgbColour background,
                              const TextMeasure& measure) const {
    GameViewState state;
    state.kind = GameViewKind::kText;
    state.background = background;
    const int width = layout.boardImageSize + layout.panelWidth - layout.textLeft;
    int y = layout.moveList.top;
    std::vector<std::string> lines = {fileLine, gameLine};
    if (!status_.empty()) {
        lines[1] += "    " + status_;
    }
    for (const std::string& line : lines) {
        TextItem item;
        item.x = layout.textLeft;
        item.y = y;
        item.lineHeight = layout.lineHeight;
        item.fontPixels = layout.fontPixels;
        item.bold = true;
        item.text = FitText(line, width, item.fontPixels, item.font, measure);
        state.texts.push_back(item);
        y += layout.lineHeight;
    }
    y = layout.moveList.top + kStatusRows * layout.lineHeight + layout.textLineHeight / 2;
    bool title = summary_ && page_ == 1;
    for (const std::string& row : PageRows()) {
        TextItem item;
        if (title && annotated_) {
            item.colour = kSummaryAnnotatedTitleColour;
        }
        item.bold = title;
        title = false;
        item.x = layout.textLeft;
        item.y = y;
        item.lineHeight = layout.textLineHeight;
        item.fontPixels = layout.textFontPixels;
        item.font = TextFont::kMono;
        item.text = FitText(row, width, item.fontPixels, item.font, measure);
        state.texts.push_back(item);
        y += layout.textLineHeight;
    }
    const std::string counter = MoveCounterText();
    if (!counter.empty()) {
        // Right-aligned in the first row, clear of the summary's lines of at most 80 characters.
        TextItem item;
        item.lineHeight = layout.textLineHeight;
        item.fontPixels = layout.textFontPixels;
        item.font = TextFont::kMono;
        item.text = counter;
        const int counterWidth = measure ? measure(counter, item.fontPixels, item.font)
                                         : EstimatedTextWidth(counter, item.fontPixels, item.font);
        item.x = layout.textLeft + std::max(0, width - counterWidth);
        item.y = layout.moveList.top + kStatusRows * layout.lineHeight + layout.textLineHeight / 2;
        state.texts.push_back(item);
    }
    return state;
}

}  // namespace ravelin::display
