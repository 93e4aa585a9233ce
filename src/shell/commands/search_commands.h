#pragma once

// The search commands of the main window: the two criteria editors and the header dialog, the
// single-file searches of every kind and combination with their result, the options "Exact
// Variation" and "Force Match", the directory searches' start, "Reset Navigation" and "Searched
// Position".

#include <functional>
#include <memory>
#include "shell/command_ids.h"

#include "search/search_criteria.h"
#include "search/search_result.h"
#include "search/search_source.h"

namespace ravelin::shell {

class MainWindow;
class VariationEditor;
class PositionEditor;

inline constexpr char kNoVariationEntered[] = "No variation has been entered. Use 'Edit Variation' first.";
inline constexpr char kNoPositionEntered[] = "No position has been entered. Use 'Edit Position' first.";
inline constexpr char kNoHeaderEntered[] = "No header criteria have been entered. Use 'Edit Header' first.";
inline constexpr char kSetUpGameNotAVariation[] =
    "This game starts from a set-up position: its moves cannot be copied to the variation.";
inline constexpr char kVariationMoveNotPlayable[] = "The variation's move %s cannot be played.";

// Command ids of the searches.

// A search of one kind and combination, as a command names it.
struct SearchRequest {
    int kind = search::kVariationSearch;
    int combination = search::kAlone;
};

// The search a "Search File" or "Search Directory" command runs; false for other ids.
bool SearchRequestOf(int commandId, SearchRequest& request, bool& directory);

class SearchCommands {
  public:
    explicit SearchCommands(MainWindow& window);
    ~SearchCommands();
    SearchCommands(const SearchCommands&) = delete;
    SearchCommands& operator=(const SearchCommands&) = delete;

    VariationEditor& Variation() { return *variation_; }
    PositionEditor& Position() { return *position_; }

    // The searches of one file; by default search::RunSearch.
    std::function<int(search::SearchFile&, const search::SearchCriteria&, int kind, int combination,
                      search::SearchResult&)>
        runSearch;
    // Starts the directory search on the worker once the criteria are prepared.
    std::function<void(int kind, int combination)> startDirectorySearch;
    // The "Win Statistics" dialog of a result with two or more matches.
    std::function<void(const search::SearchResult&)> showWinStatistics;

    // The criteria a search of this kind and combination reads are checked and the position lists
    // built; false after a message.
    bool Prepare(const SearchRequest& request);
    // Searches the open file and presents the result; answers the number of matches, -1 when the
    // search did not run.
    int SearchOpenFile(const SearchRequest& request);
    // The result of a single-file search: the count or the statistics, the navigation list, the
    // first match on display.
    void PresentResult(const SearchRequest& request, const search::SearchResult& result);
    // The searched position's ply of the navigation list's current game (0 when none).
    int SearchedPly() const;

  private:
    void Register();
    void Toggle(int commandId, bool& option);
    void EditHeader();
    // "Copy to Variation" and "Copy to Position": the shown game's moves up to the current ply, or
    // its position on the board, become the search criteria and their editor opens.
    void CopyGameToVariation();
    void CopyGameToPosition();
    void SearchDirectory(const SearchRequest& request);
    bool PrepareVariation();
    bool PreparePosition();

    MainWindow& window_;
    std::unique_ptr<VariationEditor> variation_;
    std::unique_ptr<PositionEditor> position_;
};

}  // namespace ravelin::shell
