#pragma once

// The fast file commands of the main window: "Make Fast File" (293) on the worker thread, "Check
// Fast File" (360), "Delete Fast File" (361), and the deferred report of background operations
// (461).

#include <memory>

#include "gamefile/background_worker.h"
#include "platform/platform.h"
#include "search/fast_file_writer.h"

namespace ravelin::shell {

class MainWindow;

inline constexpr int kCmdCheckFastFile = 360;
inline constexpr int kCmdDeleteFastFile = 361;
inline constexpr int kCmdOperationComplete = 461;
// The database commands that make the fast file as their first step.
inline constexpr int kCmdStartNewDatabase = 231;
inline constexpr int kCmdAddToDatabase = 232;

inline constexpr char kGenerateFastFileQuestion[] = "Generate a new fast file. Are you sure?";
inline constexpr char kDeleteFastFileQuestion[] = "Delete the fast file. Are you sure?";
inline constexpr char kFastFileDeleted[] = "Fast file deleted.";
inline constexpr char kCannotCancelFastFile[] = "Sorry, cannot cancel fast file generation.";
inline constexpr char kCannotCancelMergeFile[] = "Sorry, cannot cancel merge file generation.";
inline constexpr char kMakeFastFileTitle[] = "Make Fast File";
inline constexpr char kMakeMergeFileTitle[] = "Make Merge File";

class FastFileCommands {
  public:
    FastFileCommands(MainWindow& window, platform::Platform platform);

    // "Make Fast File". databaseCommand is the database command that asked for the fast file as
    // its first step (0 when the user did): no question, no completion message, and that command
    // follows instead of "Display Game" unless the run failed or met FEN games.
    void MakeFastFile(int databaseCommand = 0);
    // A tree merge file from the open PGN file (mode 1 new, 2 append).
    void MakeMergeFile(search::MergeFileMode mode, const std::string& mergePath);
    void CheckFastFile();
    void DeleteFastFile();

    // The worker shared by every background operation of the window.
    gamefile::BackgroundWorker& Worker() { return *worker_; }

  private:
    void StartWriter(search::FastFileJob job, int databaseCommand);

    MainWindow& window_;
    platform::Platform platform_;
    std::unique_ptr<platform::ProgressWindow> noProgress_;
    std::shared_ptr<gamefile::BackgroundWorker> worker_;
};

// Makes the commands, registers their handlers (293, 360, 361, 461) and the worker with the window.
// The handlers keep the object alive; the returned pointer lets other subsystems start operations.
std::shared_ptr<FastFileCommands> RegisterFastFileCommands(MainWindow& window, platform::Platform platform);

}  // namespace ravelin::shell
