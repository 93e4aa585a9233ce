#pragma once

// "Edit Header": the twelve header search fields as plain data, and which button closed the
// dialog. "Clear" and "Players" act inside the dialog; "OK", "Search File" and "Search Dir" accept
// it with the fields kept.

#include <functional>
#include <string>

#include "platform/dialog.h"
#include "search/search_criteria.h"

namespace ravelin::shell {

inline constexpr char kHeaderDialogTitle[] = "Edit Header";
inline constexpr char kSelectPlayerNotYet[] =
    "The Select Player dialog is not available in this version yet.";
inline constexpr char kHeaderFieldTooLong[] = "A field has at most 79 characters: %s";

enum class HeaderDialogButton { kOk, kPlayers, kSearchFile, kSearchDir, kClear, kCancel };

// The button labels, in the dialog's order.
const char* HeaderDialogButtonLabel(HeaderDialogButton button);

class HeaderSearchDialog : public platform::Dialog {
  public:
    explicit HeaderSearchDialog(const search::HeaderCriteria& criteria) : fields(criteria) {}
    std::string Title() const override { return kHeaderDialogTitle; }
    std::string Validate() override;
    // "Clear": every field empty.
    void Clear() { fields.Clear(); }

    search::HeaderCriteria fields;
    // "Players": the Select Player form fills the player fields; true when it did. Empty: the
    // form is not offered.
    std::function<bool(search::HeaderCriteria&)> choosePlayers;
    // The accepting button; kOk unless the form says otherwise.
    HeaderDialogButton chosen = HeaderDialogButton::kOk;
};

}  // namespace ravelin::shell
