#pragma once

// The menus of the main window as data: the standard menu bar "MainMenu", the popups of the
// program's own menu bar and the context menus of the display modes. The GUI builds its menus
// from these trees; labels that change at run time ("Auto Play") are changed here.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravelin::shell {

struct MenuNode {
    std::string label;
    int commandId = 0;  // 0: a popup holding children
    std::vector<MenuNode> children;
    // An option item that shows a check mark (kCheckableCommandIds).
    bool checkable = false;
    bool checked = false;

    bool IsPopup() const { return commandId == 0; }
};

// The names of every menu, in a fixed order.
const std::vector<std::string_view>& MenuNames();

// The seven context menus of the game display; item 392 is renamed in all of them.
inline constexpr std::string_view kGameMenuNames[] = {"GameMenu",  "GameaMenu", "GamerMenu", "GamepMenu",
                                                      "GamexMenu", "GameyMenu", "GamezMenu"};

// The menu as first built; for a context menu, the popup the right click shows.
MenuNode BuildMenu(std::string_view name);

// The menus in force: built once, then changed by commands that rename items.
class MenuSet {
  public:
    MenuSet();

    // Null for an unknown name.
    const MenuNode* Find(std::string_view name) const;
    // Renames every item with this command id in the named menu; returns the number renamed.
    int SetItemLabel(std::string_view menuName, int commandId, std::string_view label);
    // Sets the check mark of every item with this command id in every menu; returns the number set.
    int SetChecked(int commandId, bool checked);
    // The check mark of the items with this command id (false when none is checkable).
    bool Checked(int commandId) const { return checked_.count(commandId) != 0; }
    // The label of the first item with this command id in the named menu.
    std::optional<std::string> ItemLabel(std::string_view menuName, int commandId) const;

  private:
    std::map<std::string, MenuNode, std::less<>> menus_;
    std::map<int, bool> checked_;
};

// The command ids of the items that carry a check mark ("Exact Variation", "Force Match",
// "Highlight Current Position").
inline constexpr int kCheckableCommandIds[] = {114, 117, 391};

// Every command id reachable from a menu tree, depth first.
std::vector<int> CommandIdsOf(const MenuNode& menu);

}  // namespace ravelin::shell
