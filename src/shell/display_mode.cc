#include "shell/display_mode.h"

namespace ravelin::shell {

namespace {

std::string_view GameContextMenu(const ContextMenuState& state) {
    if (state.alternateKind == 1) {
        return "AnalMenucb";
    }
    if (state.recordedAnalysisKind == 1) {
        return "GamerMenu";
    }
    if (state.recordedAnalysisKind == 2) {
        return "GamepMenu";
    }
    if (state.actualTextWindowOpen) {
        return "GameaMenu";
    }
    // Both conditions need a menu with both "End of Variation" and "Searched Position".
    bool v = state.inVariationOrNavigation;
    bool s = state.searchActive;
    if (v && s) {
        return "GamezMenu";
    }
    if (v) {
        return "GamexMenu";
    }
    if (s) {
        return "GameyMenu";
    }
    return "GameMenu";
}

std::string_view AnalysisContextMenu(AnalysisMenu menu) {
    switch (menu) {
        case AnalysisMenu::kX:
            return "AnalMenux";
        case AnalysisMenu::kR:
            return "AnalMenur";
        case AnalysisMenu::kRX:
            return "AnalMenurx";
        case AnalysisMenu::kRL:
            return "AnalMenurl";
        case AnalysisMenu::kP:
            return "AnalMenup";
        case AnalysisMenu::kPosition:
            return "AnalMenupos";
        default:
            return "AnalMenu";
    }
}

}  // namespace

std::string_view ContextMenuName(const ContextMenuState& state) {
    switch (state.displayMode) {
        case kModeText:
            return state.displayActualText ? "TextaMenu" : "TextnMenu";
        case kModeGame:
            return GameContextMenu(state);
        case kModeVariationEdit:
            return state.analysing ? AnalysisContextMenu(state.analysisMenu) : "VarMenu";
        case kModePositionEdit:
            return state.clickOnBoard ? "PosMenu" : "";
        case kModeAddGame:
            return "AddMenu";
        case kModeTree:
            return "TreeMenu";
        default:
            return "";
    }
}

}  // namespace ravelin::shell
