#pragma once

// The PGN file a search reads, as every search sees it: the open file of the window for a search
// of one file, or a file the directory search opened itself on the worker thread.

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "chess/chess_context.h"
#include "chess/chess_messages.h"
#include "gamefile/game_index.h"
#include "gamefile/line_reader.h"

namespace ravelin::search {

struct SearchFile {
    std::string path;      // the PGN file; its fast file is X.TRF / X.TRH beside it
    std::string fileName;  // its name without the directory (the ECO-table test reads it)
    gamefile::LineReader* reader = nullptr;
    const gamefile::GameIndex* index = nullptr;
    int gameCount = 0;
    // The replay context of the thread that searches.
    chess::ChessContext* context = nullptr;
    // Warnings and errors ("Not enough memory.", the stale fast file warning).
    chess::MessageSink messages;
    // While a background operation runs, the stale fast file warning is not shown.
    bool backgroundRunning = false;
    // Polled between games; a true answer ends the search with what it has found.
    std::function<bool()> cancelRequested;

    bool Cancelled() const { return cancelRequested && cancelRequested(); }
    void Message(std::string_view text) const {
        if (messages) {
            messages(text);
        }
    }
};

// A PGN file opened, indexed (through its index cache, as the window opens files) and given its
// own reader and chess context: the directory search's and the command-line tool's way to search a
// file without touching the window's open file.
class OpenedSearchFile {
  public:
    enum class Indexing {
        kWhole,
        // The games are only counted when the index cache allows (File()'s index, reader and
        // context stay null until Index()): a search that reads the games through the fast files
        // needs no more.
        kCountFirst,
    };
    // False from IsOpen when the file cannot be opened.
    explicit OpenedSearchFile(const std::string& path, Indexing indexing = Indexing::kWhole);
    ~OpenedSearchFile();
    OpenedSearchFile(const OpenedSearchFile&) = delete;
    OpenedSearchFile& operator=(const OpenedSearchFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    // The index stopped at the game limit: the file has 200,000 games or more.
    bool TooManyGames() const;
    SearchFile& File() { return file_; }
    // Reads the game offsets of a file whose games were only counted (a search that reads the PGN
    // text needs them); the count is then the index's.
    void Index();

  private:
    int fd_ = -1;
    gamefile::GameIndex index_;
    std::unique_ptr<gamefile::LineReader> reader_;
    std::unique_ptr<chess::ChessContext> context_;
    SearchFile file_;
};

}  // namespace ravelin::search
