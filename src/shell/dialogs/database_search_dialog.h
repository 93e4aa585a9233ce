#pragma once

// "Database Search Options": the criteria of a database search.

#include <string>

#include "database/database_search.h"
#include "platform/dialog.h"

namespace ravelin::shell {

inline constexpr char kDatabaseSearchTitle[] = "Database Search Options";

class DatabaseSearchDialog : public platform::Dialog {
  public:
    std::string Title() const override { return kDatabaseSearchTitle; }
    // A position source needs its board: the caller says whether one can be had.
    std::string Validate() override;
    // The criteria as the search takes them (the position is filled in by the caller).
    database::DatabaseCriteria Criteria() const;
    // "Clear": every field empty, every switch off.
    void Clear() { *this = DatabaseSearchDialog(); }

    std::string white;
    std::string black;
    std::string year;
    std::string result;
    std::string eco;
    std::string moves;
    std::string site;
    std::string event;
    bool eitherColor = false;
    bool exactMatch = false;
    bool fromPositionEdit = false;
    bool fromGamePosition = false;
    bool sortByYear = false;
    bool descending = false;
};

}  // namespace ravelin::shell
