#include "shell/menus.h"

#include <span>

namespace ravelin::shell {

namespace {

// One menu item: its place in the menu (popup labels separated by "|", the item's own label
// last) and its command id.
struct MenuPath {
    std::string_view path;
    int commandId;
};

// clang-format off
constexpr MenuPath kFileItems[] = {
    {"Open File", 100},
    {"Previous File", 119},
    {"Add Game", 394},
    {"Print Game|Normal Text", 103},
    {"Print Game|Actual Text", 198},
    {"Print Game|Flush Print List", 109},
    {"Move Game|Save Game", 275},
    {"Move Game|Show Game", 276},
    {"Move Game|New File", 277},
    {"Move Game|Append Game", 278},
    {"Move Game|Insert Game", 279},
    {"Move Game|Overwrite Last", 280},
    {"Utilities|Modify Game|Modify Text", 193},
    {"Utilities|Modify Game|Modify Moves", 215},
    {"Utilities|Annotate Game", 471},
    {"Utilities|Delete Game", 108},
    {"Utilities|Copy Game To...|New File", 197},
    {"Utilities|Copy Game To...|Existing File", 121},
    {"Utilities|Fast File|Make Fast File", 293},
    {"Utilities|Fast File|Check Fast File", 360},
    {"Utilities|Fast File|Delete Fast File", 361},
    {"Utilities|File Utilities|Reload File", 106},
    {"Utilities|File Utilities|Check File", 191},
    {"Utilities|File Utilities|Sort File", 466},
    {"Utilities|File Utilities|Adjust File", 192},
    {"Utilities|File Utilities|Split File", 185},
    {"Utilities|File Utilities|Trim File", 213},
    {"Utilities|File Utilities|Strip Header", 467},
    {"Utilities|Duplicate Games|Check File", 186},
    {"Utilities|Duplicate Games|Check Game", 187},
    {"Utilities|Duplicate Games|Check Database", 244},
    {"Utilities|Duplicate Games|Modify Settings", 188},
    {"Utilities|Delete FEN Games", 384},
    {"Utilities|Convert Yahoo Games|From File", 365},
    {"Utilities|Convert Yahoo Games|From Clipboard", 366},
    {"Utilities|Copy Moves to Clipboard", 107},
    {"Utilities|Copy Games from Clipboard", 465},
    {"Save Diagram|Bitmap", 180},
    {"Save Diagram|Bitmap with Color", 181},
    {"Save Diagram|JPEG", 182},
    {"Save Diagram|JPEG with Color", 183},
    {"Save Diagram|Html", 184},
    {"Html Diagram", 118},
    {"Annotation File", 196},
    {"Database|Open Database", 230},
    {"Database|Start New Database", 231},
    {"Database|Add to Database", 232},
    {"Database|Search Database", 233},
    {"Database|Check Database", 235},
    {"Database|Close Database", 246},
    {"Database|Database Tree|Start Tree", 240},
    {"Database|Database Tree|Return to Tree", 241},
    {"Database|Database Tree|Go to Position", 242},
    {"Database|Database Tree|Reset Tree File", 243},
    {"Crafty Functions|Play a Game", 373},
    {"Crafty Functions|Analyze Position", 376},
    {"Crafty Functions|Evaluate Position", 375},
    {"Crafty Functions|Direct Interface", 374},
    {"Crafty Functions|Set Crafty Location", 377},
    {"Crafty Functions|Set Interface Font", 379},
    {"Crafty Functions|Save Crafty Game", 380},
    {"Crafty Functions|Auxiliary Functions|Save Current Position", 370},
    {"Crafty Functions|Auxiliary Functions|Save Position Moves", 378},
    {"Crafty Functions|Auxiliary Functions|Save Current Game", 371},
    {"Crafty Functions|Auxiliary Functions|Convert Annotation File", 372},
    {"Options", 190},
    {"Colors/Screen|Preset Colors", 174},
    {"Colors/Screen|Dark Squares", 175},
    {"Colors/Screen|Light Squares", 176},
    {"Colors/Screen|Background", 177},
    {"Colors/Screen|Last Move", 178},
    {"Colors/Screen|Reset Colors", 179},
    {"Colors/Screen|Border Color", 382},
    {"Colors/Screen|Current Position", 388},
    {"Colors/Screen|Analysis Replay|Variations Color", 389},
    {"Colors/Screen|Analysis Replay|Highlight Color", 390},
    {"Colors/Screen|Analysis Replay|Highlight Current Position", 391},
    {"Colors/Screen|Column Format|Moves Text Background", 385},
    {"Colors/Screen|Column Format|Grid Color", 386},
    {"Colors/Screen|Column Format|Move Number Background", 387},
    {"Colors/Screen|Reset Screen", 131},
    {"Show Version", 212},
    {"Exit", 199},
};

constexpr MenuPath kSearchItems[] = {
    {"Variation|Edit Variation", 111},
    {"Variation|Search File", 112},
    {"Variation|Search Directory", 113},
    {"Variation|Select Opening|Sort by ECO", 362},
    {"Variation|Select Opening|Sort by Name", 286},
    {"Variation|Select Opening|Sort by Moves", 287},
    {"Variation|Select Opening|Sort by Entry", 285},
    {"Variation|Find Opening|Closest Match", 288},
    {"Variation|Find Opening|Exact Number of Moves", 289},
    {"Variation|Find Opening|Exact Variation", 290},
    {"Variation|Exact Variation", 114},
    {"Variation|Force Match", 117},
    {"Variation|Load Variation", 115},
    {"Variation|Save Variation", 116},
    {"Position|Edit Position", 120},
    {"Position|Search File", 122},
    {"Position|Search Directory", 123},
    {"Position|Search Database", 247},
    {"Position|Load Position", 124},
    {"Position|Save Position", 125},
    {"Header|Edit Header", 130},
    {"Header|Search File", 132},
    {"Header|Search Directory", 133},
    {"Header|Load Header", 134},
    {"Header|Save Header", 135},
    {"Combination|Variation/Position|Search File", 140},
    {"Combination|Variation/Position|Search Directory", 141},
    {"Combination|Variation/Header|Search File", 142},
    {"Combination|Variation/Header|Search Directory", 143},
    {"Combination|Position/Header|Search File", 144},
    {"Combination|Position/Header|Search Directory", 145},
    {"Combination|Var/Pos/Header|Search File", 146},
    {"Combination|Var/Pos/Header|Search Directory", 147},
    {"Search Database", 233},
    {"Display Dir Search", 150},
    {"Load Dir Search", 151},
    {"Save Dir Search", 152},
    {"Make Fast File", 293},
    {"Show Next Moves|in Current File", 158},
    {"Show Next Moves|in ECO Codes", 136},
    {"Show Next Moves|in Database", 245},
    {"Show Next Moves|in Tree Merge", 139},
    {"Show Maneuvers|in Current File", 149},
    {"Show Maneuvers|in ECO Codes", 137},
    {"Show Maneuvers|Set Look Ahead", 159},
    {"Display Scores", 156},
    {"Display Players", 138},
    {"Display Cross Table", 148},
    {"Display Openings", 157},
    {"Copy Game To...|New File", 197},
    {"Copy Game To...|Existing File", 121},
    {"Copy All Games To...|New File|From File Search", 154},
    {"Copy All Games To...|New File|From Dir Search", 155},
    {"Copy All Games To...|New File|From Database Search", 238},
    {"Copy All Games To...|Existing File|From File Search", 127},
    {"Copy All Games To...|Existing File|From Dir Search", 128},
    {"Copy All Games To...|Existing File|From Database Search", 239},
    {"Copy All Games To...|Tree Merge File|New File|From File Search", 220},
    {"Copy All Games To...|Tree Merge File|New File|From Dir Search", 221},
    {"Copy All Games To...|Tree Merge File|Existing File|From File Search", 222},
    {"Copy All Games To...|Tree Merge File|Existing File|From Dir Search", 223},
    {"Reset Navigation", 153},
};

constexpr MenuPath kTreeItems[] = {
    {"Return", 291},
    {"Start Tree", 292},
    {"Start ECO Tree", 345},
    {"Return to ECO", 346},
    {"Add to ECO Table", 509},
    {"Go to Position|in Current File", 348},
    {"Go to Position|in ECO Codes", 349},
    {"Go to Position|in Database", 242},
    {"Go to Position|in Tree Merge", 354},
    {"Make Fast File", 293},
    {"Modify Settings", 295},
    {"Reset Tree File", 296},
    {"Tree Merge|Open Merge File", 351},
    {"Tree Merge|Start Tree", 352},
    {"Tree Merge|Return to Tree", 353},
    {"Tree Merge|Reset Tree File", 359},
    {"Tree Merge|New Merge File", 355},
    {"Tree Merge|Append to Merge File", 356},
    {"Tree Merge|Duplicate Games|Check File", 358},
    {"Tree Merge|Duplicate Games|Modify Settings", 188},
};

// The items of the standard menu bar that are commands rather than popups, after "Tree".
constexpr MenuPath kBarCommands[] = {
    {"Next", 104}, {"Prev", 105}, {"Select", 272}, {"Return", 110}, {"Flip", 194}, {"Analyze", 195}, {"Help", 400},
};

// Context menus. Their contents beyond the commands named for each mode are this program's choice.
constexpr MenuPath kTextNormalItems[] = {
    {"Actual Text", 257}, {"Page Text Up", 258}, {"Page Text Down", 259}, {"Prev Game Text", 271},
};
constexpr MenuPath kTextActualItems[] = {
    {"Normal Text", 249}, {"Actual List Box", 274}, {"Page Text Up", 258}, {"Page Text Down", 259},
    {"Prev Game Text", 271},
};

constexpr MenuPath kGameFirstItems[] = {
    {"Start of Game", 254}, {"Middle of Game", 255}, {"End of Game", 256}, {"Auto Play", 392},
};
constexpr MenuPath kEndOfVariation[] = {{"End of Variation", 260}};
constexpr MenuPath kSearchedPosition[] = {{"Searched Position", 261}};
constexpr MenuPath kShowNormalText[] = {{"Show Normal Text", 266}};
constexpr MenuPath kAnalysisRecord[] = {{"Play Analysis", 264}};
constexpr MenuPath kPlayAnalysis[] = {{"Play Analysis", 264}, {"Select Line", 269}, {"Show Line", 270}};
constexpr MenuPath kGameLastItems[] = {
    {"Piece Count", 262},       {"Show Actual Text", 263},  {"Page Text Up", 258},     {"Page Text Down", 259},
    {"PGN NAG Help", 267},      {"Find Opening", 273},      {"Copy to Variation", 281}, {"Copy to Position", 282},
    {"Copy to Add Game", 283},  {"Set New Start", 284},
};

constexpr MenuPath kReplayItems[] = {
    {"Start of Game", 254}, {"Middle of Game", 255}, {"End of Game", 256}, {"Select Line", 269},
    {"Show Line", 270},     {"Play Analysis", 264},  {"Piece Count", 262}, {"PGN NAG Help", 267},
};

constexpr MenuPath kVariationItems[] = {
    {"Edit Variation", 111},
    {"Search File", 112},
    {"Search Directory", 113},
    {"Exact Variation", 114},
    {"Force Match", 117},
    {"Load Variation", 115},
    {"Save Variation", 116},
    {"Find Opening|Closest Match", 288},
    {"Find Opening|Exact Number of Moves", 289},
    {"Find Opening|Exact Variation", 290},
    {"Load Combination", 367},
    {"Save Combination", 368},
    {"Study Mode", 268},
};

constexpr MenuPath kAnalysisItems[] = {
    {"Find Opening|Closest Match", 288},
    {"Find Opening|Exact Number of Moves", 289},
    {"Find Opening|Exact Variation", 290},
    {"Select Line", 269},
    {"Show Line", 270},
    {"Copy to Variation", 281},
    {"Copy to Position", 282},
};

constexpr MenuPath kPositionItems[] = {
    {"Edit Game", 126},       {"Copy Position", 129},  {"Search File", 122},     {"Search Directory", 123},
    {"Search Database", 247}, {"Load Position", 124},  {"Save Position", 125},   {"Load Combination", 367},
    {"Save Combination", 368},
};

constexpr MenuPath kAddGameItems[] = {
    {"New File", 164},  {"Append Game", 165}, {"Insert Game", 166}, {"Overwrite Last", 167},
    {"Edit Header", 161}, {"Copy Game", 393}, {"Copy Moves", 162}, {"Copy Header", 168},
    {"Text Mode", 169}, {"Exit", 163},
};

constexpr MenuPath kTreeContextItems[] = {
    {"Back One Level", 294}, {"Forward One Level", 303}, {"End of Branch", 304},
    {"Display Position", 344}, {"Start of Tree", 347}, {"Search Database", 248},
};

// Popups of the program's own menu bar for the other bar kinds.
constexpr MenuPath kHtmlFileItems[] = {{"New", 200}, {"Open", 201}, {"Save", 210}, {"Exit", 211}};
constexpr MenuPath kModifyMovesFileItems[] = {{"Save", 216}, {"Exit", 217}};
constexpr MenuPath kAddGameFileItems[] = {
    {"New File", 164}, {"Append Game", 165}, {"Insert Game", 166}, {"Overwrite Last", 167}, {"Exit", 163},
};
constexpr MenuPath kAnnotateAddFileItems[] = {
    {"New File", 472}, {"Append Game", 473}, {"Insert Game", 474}, {"Overwrite Last", 475}, {"Exit", 477},
};
constexpr MenuPath kAnnotateModifyFileItems[] = {{"Save", 476}, {"Exit", 477}};
constexpr MenuPath kAnnotateCommentItems[] = {
    {"Append", 480}, {"Modify", 481}, {"Delete", 482}, {"Insert", 492}, {"Copy", 495},
};
constexpr MenuPath kAnnotateLineItems[] = {
    {"Append Line", 483}, {"Modify Line", 484}, {"Append Text", 486}, {"Modify Text", 487},
    {"Delete Line", 488}, {"Insert Line", 493}, {"Insert Text", 494}, {"Copy Line", 496},
};
constexpr MenuPath kAnnotateMoveItems[] = {{"New", 489}, {"Modify", 490}, {"Delete", 491}};
constexpr MenuPath kEcoFileItems[] = {{"Save", 510}, {"Restore", 511}, {"Check", 517}, {"Exit", 512}};
constexpr MenuPath kEcoSelectItems[] = {
    {"Sort by ECO", 362}, {"Sort by Name", 286}, {"Sort by Moves", 287}, {"Sort by Entry", 285},
    {"Closest Match", 288},
};
// clang-format on

void AddItem(MenuNode& root, std::string_view path, int commandId) {
    MenuNode* menu = &root;
    for (;;) {
        std::size_t bar = path.find('|');
        if (bar == std::string_view::npos) {
            break;
        }
        std::string_view popup = path.substr(0, bar);
        path.remove_prefix(bar + 1);
        MenuNode* next = nullptr;
        for (MenuNode& child : menu->children) {
            if (child.IsPopup() && child.label == popup) {
                next = &child;
            }
        }
        if (next == nullptr) {
            menu->children.push_back(MenuNode{std::string(popup), 0, {}});
            next = &menu->children.back();
        }
        menu = next;
    }
    menu->children.push_back(MenuNode{std::string(path), commandId, {}});
}

void AddItems(MenuNode& root, std::span<const MenuPath> items, std::string_view prefix = {}) {
    for (const MenuPath& item : items) {
        if (prefix.empty()) {
            AddItem(root, item.path, item.commandId);
        } else {
            AddItem(root, std::string(prefix) + "|" + std::string(item.path), item.commandId);
        }
    }
}

MenuNode GameMenu(std::string_view name, std::initializer_list<std::span<const MenuPath>> middle) {
    MenuNode root{std::string(name), 0, {}};
    AddItems(root, kGameFirstItems);
    for (std::span<const MenuPath> part : middle) {
        AddItems(root, part);
    }
    AddItems(root, kGameLastItems);
    return root;
}

MenuNode FlatMenu(std::string_view name, std::span<const MenuPath> items) {
    MenuNode root{std::string(name), 0, {}};
    AddItems(root, items);
    return root;
}

void CollectIds(const MenuNode& node, std::vector<int>& ids) {
    if (!node.IsPopup()) {
        ids.push_back(node.commandId);
    }
    for (const MenuNode& child : node.children) {
        CollectIds(child, ids);
    }
}

int RenameIn(MenuNode& node, int commandId, std::string_view label) {
    int renamed = 0;
    if (!node.IsPopup() && node.commandId == commandId) {
        node.label = std::string(label);
        ++renamed;
    }
    for (MenuNode& child : node.children) {
        renamed += RenameIn(child, commandId, label);
    }
    return renamed;
}

const MenuNode* FindItem(const MenuNode& node, int commandId) {
    if (!node.IsPopup() && node.commandId == commandId) {
        return &node;
    }
    for (const MenuNode& child : node.children) {
        if (const MenuNode* found = FindItem(child, commandId)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

const std::vector<std::string_view>& MenuNames() {
    static const std::vector<std::string_view> kNames = {
        "MainMenu",       "FileMenu",    "SearchMenu",   "TreeMenux",      "TextnMenu",     "TextaMenu",
        "GameMenu",       "GameaMenu",   "GamerMenu",    "GamepMenu",      "GamexMenu",     "GameyMenu",
        "GamezMenu",      "AnalMenucb",  "VarMenu",      "AnalMenu",       "AnalMenux",     "AnalMenur",
        "AnalMenurx",     "AnalMenurl",  "AnalMenup",    "AnalMenupos",    "PosMenu",       "AddMenu",
        "TreeMenu",       "HtmlMenu",    "ModMoveMenu",  "AddGameMenu",    "IntMenuAdd",    "IntMenuMod",
        "IntMenuComment", "IntMenuLine", "IntMenuAnnot", "AddEcoMenuFile", "AddEcoMenuSel",
    };
    return kNames;
}

MenuNode BuildMenu(std::string_view name) {
    if (name == "MainMenu") {
        MenuNode root{"MainMenu", 0, {}};
        AddItems(root, kFileItems, "File");
        AddItem(root, "Game", 101);
        AddItem(root, "Text", 102);
        AddItems(root, kSearchItems, "Search");
        AddItems(root, kTreeItems, "Tree");
        AddItems(root, kBarCommands);
        return root;
    }
    if (name == "FileMenu") {
        return FlatMenu("File", kFileItems);
    }
    if (name == "SearchMenu") {
        return FlatMenu("Search", kSearchItems);
    }
    if (name == "TreeMenux") {
        return FlatMenu("Tree", kTreeItems);
    }
    if (name == "TextnMenu") {
        return FlatMenu(name, kTextNormalItems);
    }
    if (name == "TextaMenu") {
        return FlatMenu(name, kTextActualItems);
    }
    if (name == "GameMenu") {
        return GameMenu(name, {});
    }
    if (name == "GameaMenu") {
        return GameMenu(name, {kShowNormalText});
    }
    if (name == "GamerMenu" || name == "GamepMenu") {
        return GameMenu(name, {kAnalysisRecord});
    }
    if (name == "GamexMenu") {
        return GameMenu(name, {kEndOfVariation, kPlayAnalysis});
    }
    if (name == "GameyMenu") {
        return GameMenu(name, {kSearchedPosition});
    }
    if (name == "GamezMenu") {
        return GameMenu(name, {kEndOfVariation, kSearchedPosition, kPlayAnalysis});
    }
    if (name == "AnalMenucb") {
        return FlatMenu(name, kReplayItems);
    }
    if (name == "VarMenu") {
        return FlatMenu(name, kVariationItems);
    }
    if (name.starts_with("AnalMenu")) {
        return FlatMenu(name, kAnalysisItems);
    }
    if (name == "PosMenu") {
        return FlatMenu(name, kPositionItems);
    }
    if (name == "AddMenu") {
        return FlatMenu(name, kAddGameItems);
    }
    if (name == "TreeMenu") {
        return FlatMenu(name, kTreeContextItems);
    }
    if (name == "HtmlMenu") {
        return FlatMenu("File", kHtmlFileItems);
    }
    if (name == "ModMoveMenu") {
        return FlatMenu("File", kModifyMovesFileItems);
    }
    if (name == "AddGameMenu") {
        return FlatMenu("File", kAddGameFileItems);
    }
    if (name == "IntMenuAdd") {
        return FlatMenu("File", kAnnotateAddFileItems);
    }
    if (name == "IntMenuMod") {
        return FlatMenu("File", kAnnotateModifyFileItems);
    }
    if (name == "IntMenuComment") {
        return FlatMenu("Comment", kAnnotateCommentItems);
    }
    if (name == "IntMenuLine") {
        return FlatMenu("Line", kAnnotateLineItems);
    }
    if (name == "IntMenuAnnot") {
        return FlatMenu("Move Annotation", kAnnotateMoveItems);
    }
    if (name == "AddEcoMenuFile") {
        return FlatMenu("File", kEcoFileItems);
    }
    if (name == "AddEcoMenuSel") {
        return FlatMenu("Select Line", kEcoSelectItems);
    }
    return MenuNode{std::string(name), 0, {}};
}

namespace {

int MarkIn(MenuNode& node, int commandId, bool makeCheckable, bool checked) {
    int count = 0;
    if (!node.IsPopup() && node.commandId == commandId) {
        node.checkable = node.checkable || makeCheckable;
        node.checked = checked;
        ++count;
    }
    for (MenuNode& child : node.children) {
        count += MarkIn(child, commandId, makeCheckable, checked);
    }
    return count;
}

}  // namespace

MenuSet::MenuSet() {
    for (std::string_view name : MenuNames()) {
        menus_.emplace(std::string(name), BuildMenu(name));
    }
    for (auto& [name, menu] : menus_) {
        for (int id : kCheckableCommandIds) {
            MarkIn(menu, id, true, false);
        }
    }
}

int MenuSet::SetChecked(int commandId, bool checked) {
    if (checked) {
        checked_[commandId] = true;
    } else {
        checked_.erase(commandId);
    }
    int count = 0;
    for (auto& [name, menu] : menus_) {
        count += MarkIn(menu, commandId, false, checked);
    }
    return count;
}

const MenuNode* MenuSet::Find(std::string_view name) const {
    auto it = menus_.find(name);
    return it == menus_.end() ? nullptr : &it->second;
}

int MenuSet::SetItemLabel(std::string_view menuName, int commandId, std::string_view label) {
    auto it = menus_.find(menuName);
    return it == menus_.end() ? 0 : RenameIn(it->second, commandId, label);
}

std::optional<std::string> MenuSet::ItemLabel(std::string_view menuName, int commandId) const {
    const MenuNode* menu = Find(menuName);
    if (menu == nullptr) {
        return std::nullopt;
    }
    const MenuNode* item = FindItem(*menu, commandId);
    if (item == nullptr) {
        return std::nullopt;
    }
    return item->label;
}

std::vector<int> CommandIdsOf(const MenuNode& menu) {
    std::vector<int> ids;
    CollectIds(menu, ids);
    return ids;
}

}  // namespace ravelin::shell
