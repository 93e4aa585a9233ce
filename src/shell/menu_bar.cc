#include "shell/menu_bar.h"

#include <cctype>

namespace ravelin::shell {

namespace {

// clang-format off
constexpr MenuBarItem kMainBar[] = {
    {"File", "FileMenu", 0}, {"Game", "", 101}, {"Text", "", 102}, {"Search", "SearchMenu", 0},
    {"Tree", "TreeMenux", 0}, {"Next", "", 104}, {"Prev", "", 105}, {"Select", "", 272},
    {"Return", "", 110}, {"Flip", "", 194}, {"Analyze", "", 195}, {"Help", "", 400},
};
constexpr MenuBarItem kHtmlBar[] = {
    {"File", "HtmlMenu", 0}, {"Title", "", 202}, {"Start Move", "", 203}, {"End Move", "", 204},
    {"Enter Comment", "", 205}, {"End Comment", "", 206}, {"Diagram", "", 207}, {"View", "", 208},
    {"Help", "", 209},
};
constexpr MenuBarItem kModifyMovesBar[] = {
    {"File", "ModMoveMenu", 0}, {"Flip", "", 194}, {"Edit Header", "", 218},
};
constexpr MenuBarItem kAddGameBar[] = {
    {"File", "AddGameMenu", 0}, {"Edit Header", "", 161}, {"Copy Game", "", 393}, {"Copy Moves", "", 162},
    {"Copy Header", "", 168}, {"Text Mode", "", 169}, {"Flip", "", 194}, {"Help", "", 400},
};
constexpr MenuBarItem kAnnotateAddBar[] = {
    {"File", "IntMenuAdd", 0}, {"Comment", "IntMenuComment", 0}, {"Line", "IntMenuLine", 0},
    {"Move Annotation", "IntMenuAnnot", 0}, {"Set Annotator", "", 497}, {"Flip", "", 194}, {"Help", "", 400},
};
constexpr MenuBarItem kAnnotateModifyBar[] = {
    {"File", "IntMenuMod", 0}, {"Comment", "IntMenuComment", 0}, {"Line", "IntMenuLine", 0},
    {"Move Annotation", "IntMenuAnnot", 0}, {"Set Annotator", "", 497}, {"Flip", "", 194}, {"Help", "", 400},
};
constexpr MenuBarItem kEcoBar[] = {
    {"File", "AddEcoMenuFile", 0}, {"Add Line", "", 513}, {"Modify Line", "", 514}, {"Modify Name", "", 515},
    {"Select Line", "AddEcoMenuSel", 0}, {"Delete Line", "", 516}, {"Flip", "", 194}, {"Help", "", 400},
};
// clang-format on

}  // namespace

std::span<const MenuBarItem> MenuBarItems(MenuBarKind kind) {
    switch (kind) {
        case MenuBarKind::kHtmlAnnotation:
            return kHtmlBar;
        case MenuBarKind::kModifyMoves:
            return kModifyMovesBar;
        case MenuBarKind::kAddGame:
            return kAddGameBar;
        case MenuBarKind::kAnnotateAdd:
            return kAnnotateAddBar;
        case MenuBarKind::kAnnotateModify:
            return kAnnotateModifyBar;
        case MenuBarKind::kEcoEditing:
            return kEcoBar;
        default:
            return kMainBar;
    }
}

void OwnMenuBar::SetKind(MenuBarKind kind) {
    kind_ = kind;
    selected_ = -1;
}

MenuBarAction OwnMenuBar::ActionFor(int itemIndex) {
    auto items = Items();
    if (itemIndex < 0 || itemIndex >= static_cast<int>(items.size())) {
        return {};
    }
    const MenuBarItem& item = items[static_cast<std::size_t>(itemIndex)];
    MenuBarAction action;
    action.itemIndex = itemIndex;
    if (!item.popup.empty()) {
        // The item stays selected while its popup is open, so Left and Right can move on from it.
        selected_ = itemIndex;
        action.kind = MenuBarAction::Kind::kOpenPopup;
        action.popup = item.popup;
    } else {
        selected_ = -1;
        action.kind = MenuBarAction::Kind::kIssueCommand;
        action.commandId = item.commandId;
    }
    return action;
}

MenuBarAction OwnMenuBar::Click(int itemIndex) {
    return ActionFor(itemIndex);
}

MenuBarAction OwnMenuBar::Key(MenuBarKey key, char character) {
    int count = static_cast<int>(Items().size());
    switch (key) {
        case MenuBarKey::kActivate:
            selected_ = Active() ? -1 : 0;
            return {};
        case MenuBarKey::kLeft:
            if (Active()) {
                selected_ = (selected_ + count - 1) % count;
            }
            return {};
        case MenuBarKey::kRight:
            if (Active()) {
                selected_ = (selected_ + 1) % count;
            }
            return {};
        case MenuBarKey::kEnter:
            return Active() ? ActionFor(selected_) : MenuBarAction{};
        case MenuBarKey::kEscape:
            selected_ = -1;
            return {};
        case MenuBarKey::kCharacter: {
            int wanted = std::toupper(static_cast<unsigned char>(character));
            auto items = Items();
            for (int k = 0; k < count; ++k) {
                std::string_view label = items[static_cast<std::size_t>(k)].label;
                if (!label.empty() && std::toupper(static_cast<unsigned char>(label[0])) == wanted) {
                    return ActionFor(k);
                }
            }
            return {};
        }
    }
    return {};
}

}  // namespace ravelin::shell
