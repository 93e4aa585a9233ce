#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "chess/chess_context.h"
#include "chess/chess_messages.h"
#include "chess/movetext.h"
#include "gamefile/game_header.h"
#include "gamefile/game_index.h"
#include "gamefile/line_reader.h"

namespace ravelin::gamefile {

// Widths of the display values and texts, terminating zero included.
inline constexpr std::size_t kWideValueSize = 96;
inline constexpr std::size_t kValueSize = 80;
inline constexpr std::size_t kWideLineSize = 96;
inline constexpr std::size_t kNarrowLineSize = 64;
inline constexpr std::size_t kFileLineSize = 96;
inline constexpr std::size_t kGameLineSize = 52;
inline constexpr std::size_t kShortGameLineSize = 32;

template <std::size_t N>
using DisplayText = std::array<char, N>;

// Reads a display text up to its terminating zero.
template <std::size_t N>
std::string_view TextOf(const DisplayText<N>& text) {
    std::size_t length = 0;
    while (length < N && text[length] != '\0') {
        ++length;
    }
    return std::string_view(text.data(), length);
}

// What the screen shows about the file and the current game. Texts longer than their fields are
// cut at the field's width.
struct HeaderDisplay {
    DisplayText<kWideValueSize> event{}, site{}, whiteElo{};
    DisplayText<kValueSize> date{}, round{}, white{}, black{}, blackElo{}, eco{}, result{};

    // Wide form: two tags on a line.
    DisplayText<kWideLineSize> eventLine{}, dateLine{}, playersLine{}, resultLine{};
    // Narrow form: one tag on a line.
    DisplayText<kNarrowLineSize> eventNarrow{}, siteNarrow{}, dateNarrow{}, roundNarrow{}, whiteNarrow{},
        blackNarrow{}, resultNarrow{}, ecoNarrow{};

    DisplayText<kFileLineSize> fileLine{};
    DisplayText<kGameLineSize> gameLine{};
    DisplayText<kShortGameLineSize> shortGameLine{};
};

// The file names of the ECO source files, whose Opening and Variation tags are read.
bool IsEcoSourceFile(std::string_view displayName);

// Positions the reader at game gameNumber (1-based) of its file, reads the header and builds the
// display texts. A number above the index count is looked for by scanning the file; a number
// below 1, or one the scan does not find, is refused with "Error finding game." (false).
bool LoadGameHeader(std::string_view fileName, LineReader& reader, const GameIndex& index, int gameNumber,
                    GameHeader& header, HeaderDisplay& display, const chess::MessageSink& messages);

// Builds the value and line texts of the display from the header's slots.
void BuildHeaderDisplay(const GameHeader& header, HeaderDisplay& display);

// Hands the parser the reader's lines with their file offsets, taken from the byte counter, so
// they stay exact after dropped leading blanks and cut long lines. The reader must be in normal mode.
class ReaderLineSource : public chess::MovetextLineSource {
  public:
    ReaderLineSource(LineReader& reader, std::uint64_t counterBase) : reader_(reader), base_(counterBase) {}
    int NextLine(std::string_view& text, std::uint64_t& offset) override;

  private:
    LineReader& reader_;
    std::uint64_t base_;
};

// Parses the movetext that follows the header just read (its first movetext line included).
int ParseGameMovetext(LineReader& reader, GameHeader& header, chess::ChessContext& context,
                      chess::GameRecord& record, int stopAfterMoves = 0);

// The same with the batch switch on for the duration, so no warning is shown. Used by batch work.
int ParseGameQuietly(LineReader& reader, GameHeader& header, chess::ChessContext& context,
                     chess::GameRecord& record, int stopAfterMoves = 0);

// Sets the FEN switch from the header (reading the FEN tag's position) and the start position.
// False when the FEN tag's position was refused.
bool SetUpGameStart(chess::ChessContext& context, const GameHeader& header);

struct ReplaySummary {
    int moves = 0;        // white entries read
    int pliesParsed = 0;  // plies in the main line
    int pliesPlayed = 0;  // plies the replay played
    bool stoppedAtBadMove = false;
};

// Start position (FEN games from their tag) and replay of the parsed main line, every ply saved
// in the position history.
ReplaySummary ReplayParsedGame(chess::ChessContext& context, const chess::GameRecord& record,
                               const GameHeader& header);

}  // namespace ravelin::gamefile
