#pragma once

// The annotation page: an HTML page built step by step while the user plays through a game, a
// title block, runs of moves in bold, comments in block quotes and diagrams, saved with a state
// file beside it so that the work can be taken up again.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "chess/move_list.h"
#include "chess/piece_letters.h"
#include "chess/position_history.h"

namespace ravelin::reports {

inline constexpr char kPageClosingTags[] = "</body>\r\n</html>\r\n";
// Lines of a run of moves hold at most this many characters.
inline constexpr std::size_t kMoveRunWidth = 80;
// The state file: start ply, the two move lists and one 64-square board per ply.
inline constexpr std::size_t kStateFileSize = 4 + 2 * 1600 + 401 * 256;
// A page bigger than this is not a page the program wrote.
inline constexpr std::size_t kMaxPageSize = std::size_t{64} << 20;

enum class AnnotationStep { kOff = 0, kNewPage = 1, kBetweenItems = 2, kInComment = 3 };

// The moves from startPly on as a run of lines of at most kMoveRunWidth characters: black's move
// alone ("12...Nf6 ") when startPly is odd, then full moves ("13.e4 e5 ") and a last lone white move
// ("14.d4"); it ends at the first empty white move or after the first empty black move. plies
// receives the plies written.
std::string FormatMoveRun(std::span<const chess::SanText> white, std::span<const chess::SanText> black,
                          int startPly, const chess::PieceLetters& letters, int& plies);

struct AnnotationPage {
    std::string page;     // the HTML so far, without its closing tags
    std::string comment;  // the comment being written (step kInComment)
    int startPly = 0;
    AnnotationStep step = AnnotationStep::kOff;
    std::size_t savedLength = 0;  // 0: never saved

    // "Annotation File" and "New": an empty page.
    void Reset();
    // The page's head and title block; the texts are escaped.
    void SetTitle(std::string_view title, std::string_view heading, std::string_view subHead);
    // A run of moves outside a comment: in bold, as a paragraph.
    void AddMoveRun(std::string_view run);
    // "End Comment": the comment in a block quote.
    void EndComment();
    // The page as saved: with its closing tags.
    std::string SavedText() const { return page + kPageClosingTags; }
    void MarkSaved() { savedLength = page.size(); }
    bool ChangedSinceSave() const { return !page.empty() && page.size() != savedLength; }
    // An opened page: its closing tags are taken off when it ends with them.
    void TakeOpenedText(std::string text);
};

// page.html gives page.htmx.
std::string StateFilePath(std::string_view pagePath);

struct AnnotationState {
    int startPly = 0;
    std::array<chess::SanText, chess::kMaxMovesPerSide> whiteMoves{};
    std::array<chess::SanText, chess::kMaxMovesPerSide> blackMoves{};
    std::array<chess::CompactBoard, chess::kHistoryEntries> boards{};
};

std::vector<std::uint8_t> EncodeAnnotationState(const AnnotationState& state);
// Nothing when the bytes are not a state file of a page: a size other than kStateFileSize, or a
// start ply outside the moves it holds.
std::optional<AnnotationState> DecodeAnnotationState(std::span<const std::uint8_t> bytes);

}  // namespace ravelin::reports
