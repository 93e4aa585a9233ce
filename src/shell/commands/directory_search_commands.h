#pragma once

// The directory search on the worker thread and its results: "Display Dir Search" (150) with the
// "Select File" list, "Load Dir Search" (151) and "Save Dir Search" (152); and the criteria files:
// "Load/Save Variation" (115/116), "Load/Save Position" (124/125), "Load/Save Header" (134/135),
// "Load/Save Combination" (367/368).

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include "shell/command_ids.h"

#include "platform/platform.h"
#include "search/criteria_file.h"
#include "search/directory_search.h"
#include "search/directory_search_file.h"
#include "search/search_file_list.h"

namespace ravelin::shell {

class MainWindow;

inline constexpr char kSearchDirectoryTitle[] = "Search Directory";
inline constexpr char kNoDirSearchToDisplay[] = "There is no directory search to display.";
inline constexpr char kSelectFileFirst[] = "Select a file first.";
inline constexpr char kMustPerformDirSearch[] = "Must perform a directory search.";

class DirectorySearchCommands : public std::enable_shared_from_this<DirectorySearchCommands> {
  public:
    DirectorySearchCommands(MainWindow& window, platform::Platform platform);

    // Searches every PGN file of the open file's directory with the window's criteria as they
    // are now (the caller has prepared them), as background operation kind 0 with its progress
    // window. False when it did not start (an operation runs, the directory is too long).
    bool Start(int kind, int combination);

    void DisplayDirSearch();
    void LoadDirSearch();
    void SaveDirSearch();
    void LoadCriteria(search::CriteriaLoadCommand command);
    // Saves the criteria of a kind; a header file with the combination of the last header search.
    void SaveCriteria(int kind);
    // "Save Combination": the header criteria, the variation and the position together, as the
    // header file that holds all three parts. "Load Combination" takes every part of a criteria
    // file of any kind.
    void SaveCombination();
    void LoadCombination();

    // The combination a header criteria file is saved with (the last header search's).
    int headerCombination = 0;
    // The search of one file; RunSearch unless a test replaces it.
    search::SearchRunner runSearch;
    // Cuts a file's search into runs of games for every core; none while a test replaces runSearch.
    search::SearchSplitter splitSearch;
    // Measures the "Select File" entries.
    search::TextWidth textWidth = search::AverageTextWidth;

  private:
    std::string ResultPath() const;
    // Asks for the file and loads it; the result, or nothing when cancelled or refused.
    std::optional<search::CriteriaLoadResult> LoadCriteriaParts(search::CriteriaLoadCommand command);
    void WriteCriteria(int kind, int combination);
    // Says why and returns true while a background operation runs.
    bool RefusedWhileBusy();
    void ShowList(bool fromSearchEnd);
    void ShowWinStatistics(const search::ResultFileRecord& record);
    bool OpenResultFile(const search::ResultFile& file, const search::ResultFileRecord& record);
    void TakeCriteria(const search::ResultFileHeader& header);
    void PostFromWorker(std::string text);

    MainWindow& window_;
    platform::Platform platform_;
    // Set by the worker when its search found matches: the next "Display Dir Search" first asks
    // whether to view them.
    std::atomic<bool> askToView_{false};
};

// Makes the commands and registers their handlers with the window; the handlers keep them alive.
std::shared_ptr<DirectorySearchCommands> RegisterDirectorySearchCommands(MainWindow& window,
                                                                         platform::Platform platform);

}  // namespace ravelin::shell
