#pragma once

// The File Utilities menu: Check File (191) and Delete FEN Games (384), Duplicate Games (186 the
// whole file, 187 the current game) with the Duplicates list (189), the Errors list (224), Split
// File (185) and Adjust File (192) on the worker thread; Trim File (213), Sort File (466) and
// Strip Header (467) at once.

#include <memory>
#include <string>
#include <vector>

#include "gamefile/background_worker.h"
#include "utilities/check_file.h"
#include "utilities/duplicates.h"

namespace ravelin::shell {

class MainWindow;

inline constexpr int kCmdSplitFile = 185;
inline constexpr int kCmdDuplicateGames = 186;
inline constexpr int kCmdDuplicatesOfCurrentGame = 187;
inline constexpr int kCmdDuplicateSettings = 188;
inline constexpr int kCmdDuplicatesList = 189;
inline constexpr int kCmdAdjustFile = 192;
inline constexpr int kCmdTrimFile = 213;
inline constexpr int kCmdErrorsList = 224;
inline constexpr int kCmdDeleteFenGames = 384;
inline constexpr int kCmdSortFile = 466;
inline constexpr int kCmdStripHeader = 467;

inline constexpr char kAskDeleteFenGames[] = "Delete all FEN games. Are you sure?";
inline constexpr char kAskTrimFile[] =
    "Trim the records that are too long to less than 255 characters. Are you sure?";
inline constexpr char kAskSortFile[] = "Sort by date and site/event. Are you sure?";
inline constexpr char kAskStripHeader[] = "Strip header of extra records. Are you sure?";
inline constexpr char kNoFenGamesFound[] = "No FEN games found.";
inline constexpr char kCannotCancelSplit[] = "Sorry, cannot cancel file split.";
inline constexpr char kFasterWithFastFile[] =
    "This will go a lot faster if you perform a 'Make Fast File' first.\n"
    "Do you want continue without the fast file?";
inline constexpr char kContinueWithoutFastFile[] = "Do you want to continue without the fast file?";

// What a run on the worker leaves for the window thread; read only after the worker has ended.
struct UtilityOutcome {
    int command = 0;         // the command that started the run; its report comes back to it
    bool rewritten = false;  // the file was replaced: the window must read it anew
    std::vector<utilities::CheckError> errors;
    utilities::DuplicateResult duplicates;
};

class FileUtilityCommands {
  public:
    FileUtilityCommands(MainWindow& window, gamefile::BackgroundWorker& worker);

    void CheckFile(int command);  // 191 or 384
    void Duplicates(bool currentGameOnly);
    // False when the user would rather make the fast file before a whole-file search.
    bool GoOnWithoutFastFile(int gameCount, bool entireFile);
    void DuplicateSettings();
    void AdjustFile();
    void SplitFile();
    void ShowErrors();
    void ShowDuplicates();
    void Rewrite(int command);  // 213, 466, 467

    // The report of a run came back to its command: the file is read anew when it was replaced.
    // True when that was the case (the command is not started again).
    bool TakeReport(int command);

  private:
    // The outcome of a new run; nullptr (after saying so) while another operation runs.
    std::shared_ptr<UtilityOutcome> NewRun();
    bool Start(int command, gamefile::BackgroundKind kind, gamefile::ProgressVariant variant,
               std::string title, gamefile::BackgroundBody body);
    void ShowRewrittenFile();

    MainWindow& window_;
    gamefile::BackgroundWorker& worker_;
    std::shared_ptr<UtilityOutcome> outcome_;
};

// Makes the commands and registers their handlers; the handlers keep the object alive.
void RegisterFileUtilityCommands(MainWindow& window, gamefile::BackgroundWorker& worker);

}  // namespace ravelin::shell
