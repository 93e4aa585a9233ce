#pragma once

// The program's own menu bar ("Enhanced Menu"): a 25-pixel strip across the top of the window
// with one of seven sets of items, and its keyboard handling. The GUI paints the items and
// reports clicks and keys; what an item does is decided here.

#include <span>
#include <string_view>

namespace ravelin::shell {

inline constexpr int kOwnMenuBarHeight = 25;

enum class MenuBarKind {
    kMain = 0,
    kHtmlAnnotation = 1,
    kModifyMoves = 2,
    kAddGame = 3,
    kAnnotateAdd = 4,
    kAnnotateModify = 5,
    kEcoEditing = 6,
};
inline constexpr int kMenuBarKindCount = 7;

// One item of the bar: a popup menu (by name) or a command id.
struct MenuBarItem {
    std::string_view label;
    std::string_view popup;  // empty for a command item
    int commandId = 0;
};

std::span<const MenuBarItem> MenuBarItems(MenuBarKind kind);

enum class MenuBarKey {
    kActivate,  // Alt or F10 pressed alone: the bar takes the keyboard with its first item selected
    kLeft,
    kRight,
    kEnter,  // Return or Down: open the selected popup or issue the selected command
    kEscape,
    kCharacter,  // Alt+letter, or a letter while the bar is active: the first item starting with it
};

// What the GUI does after a key or click.
struct MenuBarAction {
    enum class Kind { kNone, kOpenPopup, kIssueCommand } kind = Kind::kNone;
    int itemIndex = -1;
    std::string_view popup;
    int commandId = 0;
};

class OwnMenuBar {
  public:
    MenuBarKind Kind() const { return kind_; }
    void SetKind(MenuBarKind kind);
    std::span<const MenuBarItem> Items() const { return MenuBarItems(kind_); }

    // The item shown as selected (keyboard), or -1.
    int Selected() const { return selected_; }
    bool Active() const { return selected_ >= 0; }

    MenuBarAction Click(int itemIndex);
    MenuBarAction Key(MenuBarKey key, char character = 0);
    // A popup was closed or a command issued: the bar lets the keyboard go.
    void Deactivate() { selected_ = -1; }

  private:
    MenuBarAction ActionFor(int itemIndex);

    MenuBarKind kind_ = MenuBarKind::kMain;
    int selected_ = -1;
};

}  // namespace ravelin::shell
