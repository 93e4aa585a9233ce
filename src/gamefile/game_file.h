#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "gamefile/game_index.h"
#include "gamefile/line_reader.h"
#include "platform/file_dialog.h"
#include "settings/message_box.h"
#include "settings/settings_record.h"

namespace ravelin::gamefile {

inline constexpr char kErrorOpeningFile[] = "Error opening file.";
inline constexpr char kMustOpenFile[] = "Must open a file.";
inline constexpr char kTreeMergeSameName[] = "Warning: There is a tree merge file with the same name.";
inline constexpr char kDatabaseSameName[] = "Warning: There is a database with the same name.";

// The handle value meaning "no file is open".
inline constexpr int kNoFile = -1;
// Handle argument of OpenGameFile: open the path given on the command line, without a dialog.
inline constexpr int kCommandLineFile = -2;

enum class OpenMode {
    kView = 0,            // Open dialog, the file to look at
    kExistingTarget = 1,  // Save dialog, an existing file to add a game to
    kNewFile = 2,         // Save dialog, a file that need not exist
    kPrevious = 99,       // switch to the previous file
};

// Applies the extension rule of the file dialogs: a name whose last characters are not the
// extension (compared without regard to case) loses a short extension of its own and gets this one.
std::string ApplyExtensionRule(std::string_view name, std::string_view extension);

// The directory part of a path (without the last "/") and its name part.
std::string DirectoryOf(std::string_view path);
std::string NameOf(std::string_view path);

// What the file functions need from the window that owns them.
struct GameFileHost {
    settings::SettingsRecord& settings;
    platform::FileDialogService& files;
    settings::MessageBoxes& messages;
    std::function<void()> saveSettings;       // the options file is written after every choice
    std::function<void()> clearPerFileState;  // search results, navigation list, game marks
};

// The open PGN file: its path, descriptor, game index and current game, the previous file, and
// the choice of file. The descriptor stays open until another file is opened.
class GameFile {
  public:
    explicit GameFile(GameFileHost host);
    ~GameFile();
    GameFile(const GameFile&) = delete;
    GameFile& operator=(const GameFile&) = delete;

    // Opens a file (see OpenMode). handle is the open descriptor, kNoFile, or kCommandLineFile.
    // displayMode and currentPly belong to the window; the display mode is 0 during the call and
    // restored afterwards. Returns the descriptor now open (possibly the old one), or -1 / -2 when
    // the dialog of mode 1 / 2 was cancelled.
    int OpenGameFile(int handle, OpenMode mode, int& displayMode, int& currentPly);

    // The PGN file dialog. True when a file was chosen.
    bool SelectPgnFile(bool useSaveDialog, int displayMode, int currentPly);

    // Re-scans the open file (after the program changed it, or on "Reload File").
    int Reindex();

    // After the file was rewritten under its name: the descriptor still reads the replaced file, so
    // the path is opened again, re-indexed (from the index cache when the writer brought it up to
    // date) and the per-file search state cleared. Returns the game count; -1 when the file no
    // longer opens (it is then closed).
    int ReopenAfterRewrite();

    // Sets the path given on the command line as the current file (surrounding quotes removed).
    void SetCommandLinePath(std::string_view path);

    // Whether the file was shortened, rewritten or replaced (by another program) since it was indexed.
    bool ChangedOnDisk() const;

    int Descriptor() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    int GameCount() const { return gameCount_; }
    const GameIndex& Index() const { return index_; }
    LineReader& Reader() { return reader_; }
    const std::string& Path() const { return path_; }
    const std::string& Directory() const { return directory_; }
    const std::string& FileName() const { return fileName_; }
    const std::string& PreviousPath() const { return previousPath_; }
    bool OpenPending() const { return openPending_; }
    bool IndexCameFromCache() const { return lastIndexFromCache_; }
    // The open file has text but no game; opening it said so (kNoGamesFound).
    bool TextWithoutGames() const { return textWithoutGames_; }

    int currentGame = 1;
    // Game number and ply to return to after switching to the previous file.
    int returnGame = 0;
    int returnPly = 0;

  private:
    int OpenPath();
    // What tells a file changed: which file the path names, its size and its modification time.
    struct DiskState {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = -1;
        std::int64_t seconds = 0;
        std::int64_t nanoseconds = 0;
        bool operator==(const DiskState&) const = default;
    };
    DiskState StateOnDisk() const;
    void Close(int fd);
    void ChangeToPreviousFile(int displayMode, int& currentPly);
    void LoadCurrentFromSettings();

    GameFileHost host_;
    int fd_ = kNoFile;
    DiskState indexedState_;
    int gameCount_ = 0;
    GameIndex index_;
    LineReader reader_;
    bool lastIndexFromCache_ = false;
    bool textWithoutGames_ = false;

    std::string path_;
    std::string directory_;
    std::string fileName_;
    std::string previousPath_;
    std::string previousDirectory_;
    std::string previousFileName_;
    int previousGame_ = 0;
    int previousPly_ = 0;

    bool openPending_ = false;
    std::string pendingFileName_;
    bool dialogShownBefore_ = false;
};

}  // namespace ravelin::gamefile

namespace ravelin::gamefile {

// The file name as the status line shows it: up to the first "."; names that begin with a
// lower-case letter or two capitals are shown with only each word's first letter in capitals
// (WORLD-CH.PGN shows as World-Ch, morrow.pgn as Morrow).
std::string MakeDisplayFileName(std::string_view fileName);

}  // namespace ravelin::gamefile
