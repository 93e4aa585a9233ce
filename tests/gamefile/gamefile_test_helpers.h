#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "chess/fen.h"
#include "gamefile/game_file.h"
#include "gamefile/game_index.h"
#include "gamefile/game_loader.h"
#include "temp_dir.h"

namespace ravelin::gamefile::testing {

// A PGN file opened, indexed and read game by game the way the program shows a game: a real file
// by its path, or a text written into a temporary directory under a name.
struct PgnFile {
    ravelin::testing::TempDir dir;
    std::string path;
    int fd = -1;
    GameIndex index;
    LineReader reader;
    std::unique_ptr<GameHeader> header = std::make_unique<GameHeader>();
    std::unique_ptr<HeaderDisplay> display = std::make_unique<HeaderDisplay>();
    std::unique_ptr<chess::ChessContext> context = chess::MakeChessContext();
    std::unique_ptr<chess::GameRecord> record = chess::MakeGameRecord();
    std::vector<std::string> messages;

    // A real file of the test data.
    explicit PgnFile(std::string_view dataFile) : path(ravelin::testing::TestDataPath(dataFile)) { Open(); }
    // A text written as a file.
    PgnFile(std::string_view text, std::string_view name) : path(dir.Write(name, text)) { Open(); }

    ~PgnFile() { close(fd); }

    bool Load(int game) {
        return LoadGameHeader(NameOf(path), reader, index, game, *header, *display,
                              [this](std::string_view message) { messages.emplace_back(message); });
    }
    // Reads the header and movetext of a game, leaving the move texts as the file writes them.
    void Parse(int game) {
        EXPECT_TRUE(Load(game));
        ParseGameQuietly(reader, *header, *context, *record);
    }
    ReplaySummary Replay(int game) {
        Parse(game);
        return ReplayParsedGame(*context, *record, *header);
    }
    // Placement, side and castling fields of the position after the plies played.
    std::string FinalFen(const ReplaySummary& summary) const {
        const std::string fen = chess::FenOfPly(*context, summary.pliesPlayed + 1);
        return fen.substr(0, fen.rfind(" 0 1"));
    }
    std::string Slot(TagSlot slot) const { return std::string(header->Slot(slot)); }

  private:
    void Open() {
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        LineReader scanner(kScanBufferSize);
        scanner.Attach(fd);
        ScanGameOffsets(scanner, index);
        reader.Attach(fd);
        context->batch = true;
    }
};

}  // namespace ravelin::gamefile::testing
