#include "shell/dialogs/database_search_dialog.h"

namespace ravelin::shell {

std::string DatabaseSearchDialog::Validate() {
    // The ECO field takes a letter and up to two digits.
    if (!eco.empty()) {
        const bool letter = (eco[0] >= 'A' && eco[0] <= 'E') || (eco[0] >= 'a' && eco[0] <= 'e');
        bool digits = eco.size() <= 3;
        for (std::size_t i = 1; i < eco.size(); ++i) {
            digits = digits && eco[i] >= '0' && eco[i] <= '9';
        }
        if (!letter || !digits) {
            return "ECO: a letter A-E and up to two digits.";
        }
    }
    return {};
}

database::DatabaseCriteria DatabaseSearchDialog::Criteria() const {
    database::DatabaseCriteria criteria;
    criteria.white = white;
    criteria.black = black;
    criteria.year = year;
    criteria.result = result;
    criteria.eco = eco;
    criteria.moves = moves;
    criteria.site = site;
    criteria.event = event;
    criteria.eitherColor = eitherColor;
    criteria.exactMatch = exactMatch;
    criteria.sortByYear = sortByYear;
    criteria.descending = descending;
    return criteria;
}

}  // namespace ravelin::shell
