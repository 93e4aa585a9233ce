#pragma once

// One game being annotated: its text exactly as it stands in the file, the edits made to it, the
// scratch file the display reads while the annotation runs, and writing the text back.

#include <cstddef>
#include <string>
#include <string_view>

#include "gamefile/game_index.h"
#include "gamefile/line_reader.h"

namespace ravelin::annotation {

inline constexpr std::string_view kScratchFileName = "interact.pgn";
// The most text a game being annotated may hold.
inline constexpr std::size_t kAnnotationBufferSize = 500000;
inline constexpr char kGameTooBigToAnnotate[] =
    "This game is longer than 500000 characters and cannot be annotated.";
inline constexpr char kErrorReadingGame[] = "Error reading the game.";
inline constexpr char kErrorWritingScratchFile[] = "Error writing interact.pgn.";

class AnnotationSession {
  public:
    AnnotationSession() = default;
    ~AnnotationSession() { Close(); }
    AnnotationSession(const AnnotationSession&) = delete;
    AnnotationSession& operator=(const AnnotationSession&) = delete;

    // Reads the game of the file; nullptr on success, else the message. A game longer than the
    // buffer is refused whole, never cut.
    const char* LoadFromFile(const std::string& path, const gamefile::GameIndex& index, int game,
                             const std::string& scratchPath);
    // A text that stands in no file yet (a game entered on the board).
    const char* LoadText(std::string text, const std::string& scratchPath);

    // After an edit: the spacing tidied (unless skipped), the scratch file rewritten, the changed
    // flag set. nullptr on success.
    const char* Commit(bool normalise = true);
    // Writes the text in place of the game, when the game's bytes in the file are still those that
    // were read. nullptr on success, else the message.
    const char* SaveToFile();
    // Ends the session; the scratch file is closed and removed.
    void Close();

    bool Active() const { return active_; }
    bool FromFile() const { return !path_.empty(); }
    bool Changed() const { return changed_; }
    int Game() const { return game_; }
    const std::string& Path() const { return path_; }
    std::string& Text() { return text_; }
    const std::string& Text() const { return text_; }
    // The scratch file's reader and index (game 1 at offset 0) for the display.
    gamefile::LineReader& ScratchReader() { return reader_; }
    const gamefile::GameIndex& ScratchIndex() const { return scratchIndex_; }
    const std::string& ScratchPath() const { return scratchPath_; }

  private:
    const char* WriteScratch();

    bool active_ = false;
    bool changed_ = false;
    std::string path_;
    gamefile::GameIndex index_;
    int game_ = 0;
    std::string original_;
    std::string text_;
    std::string scratchPath_;
    int scratchFd_ = -1;
    gamefile::LineReader reader_{gamefile::kScanBufferSize};
    gamefile::GameIndex scratchIndex_;
};

}  // namespace ravelin::annotation
