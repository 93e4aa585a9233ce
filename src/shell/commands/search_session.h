#pragma once

// The search state of the main window: the criteria the editors fill and the files load, the
// position editor's board, the result of the last search and the navigation list. The search
// commands, the directory search and the game navigation share it.

#include "search/navigation_list.h"
#include "search/search_criteria.h"
#include "search/search_result.h"

namespace ravelin::shell {

struct SearchSession {
    search::SearchCriteria criteria;
    search::CriteriaBoard criteriaBoard;
    search::SearchResult lastResult;
    search::NavigationList navigation;
    // A single-file search or a loaded directory result is being stepped through ("S" of the
    // context menus): "Searched Position" has a ply to go to.
    bool searchActive = false;
    // The ECO line last chosen from the Select Opening list (-1 none): the ECO editor's selection.
    int chosenEcoEntry = -1;

    // A new file is open: results and navigation belong to the old one. Criteria stay.
    void ForgetFileResults() {
        lastResult.Clear();
        navigation.Reset();
        searchActive = false;
    }
};

}  // namespace ravelin::shell
