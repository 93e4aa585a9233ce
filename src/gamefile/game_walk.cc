#include "gamefile/game_walk.h"

#include <string_view>

#include "gamefile/tag_line.h"

namespace ravelin::gamefile {

bool PositionAtGameStart(LineReader& reader, GameHeader& header, std::uint32_t offset) {
    reader.mode = LineReaderMode::kNormal;
    if (!reader.Seek(offset)) {
        return false;
    }
    reader.byteCounter = 0;
    header.gameOffset = offset;
    header.pendingLine.present = false;
    for (;;) {
        std::string_view line;
        const int count = reader.NextLine(line);
        if (count == 0) {
            return true;
        }
        if (IsTagLine(line)) {
            header.pendingLine.Set(line, static_cast<std::uint32_t>(count),
                                   offset + reader.byteCounter - static_cast<std::uint64_t>(count));
            return true;
        }
    }
}

bool MustRepositionForNextGame(bool gameCutOff, const GameHeader& header,
                               const std::vector<std::uint32_t>& offsets, std::size_t next) {
    if (next >= offsets.size()) {
        return false;
    }
    const chess::HeldLine& pending = header.pendingLine;
    return gameCutOff || !pending.present || pending.offset != offsets[next];
}

bool ParseStoppedAtLimit(const chess::GameRecord& record) {
    return record.moveCount >= chess::kMaxMovesPerSide || record.lineCount >= chess::kMaxMovetextLines;
}

}  // namespace ravelin::gamefile
