#include "tree/eco_editor.h"

#include <algorithm>
#include <cstdio>

#include "eco/eco_table.h"
#include "platform/file_util.h"
#include "tree/tree_source.h"

namespace ravelin::tree {

namespace {

constexpr std::size_t kMaxTableFileBytes = std::size_t{64} << 20;
constexpr const char* kTableFiles[] = {eco::kEcoNamesFile, eco::kEcoMovesFile, eco::kEcoSortFile,
                                       eco::kEcoCodesFile};  // the codes file last

std::string PathIn(const std::string& directory, std::string_view name) {
    return directory + "/" + std::string(name);
}

// The CR LF lines of a text file; false when the text does not end its last line.
bool SplitLines(const std::string& text, std::vector<std::string>& lines) {
    lines.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            return false;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return true;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// The plies of a moves-file line.
int PliesOf(std::string_view line) {
    int plies = 0;
    bool inToken = false;
    for (const char c : line) {
        if (c == ' ') {
            inToken = false;
        } else if (!inToken) {
            inToken = true;
            ++plies;
        }
    }
    return plies;
}

// Puts the entry into the order next to another: after it, or before it.
void PlaceNextTo(std::vector<std::uint32_t>& order, std::uint32_t entry, int next, bool after) {
    auto at = std::find(order.begin(), order.end(), static_cast<std::uint32_t>(next));
    if (at == order.end()) {
        order.push_back(entry);
        return;
    }
    order.insert(after ? at + 1 : at, entry);
}

}  // namespace

bool ReadEcoTableFiles(const std::string& directory, EcoTableFiles& files) {
    files = EcoTableFiles{};
    eco::FinishEcoTableWrite(directory);
    std::string codes;
    std::string names;
    std::string moves;
    std::string order;
    if (!platform::ReadSmallFile(PathIn(directory, eco::kEcoCodesFile), codes, kMaxTableFileBytes) ||
        !platform::ReadSmallFile(PathIn(directory, eco::kEcoNamesFile), names, kMaxTableFileBytes) ||
        !platform::ReadSmallFile(PathIn(directory, eco::kEcoMovesFile), moves, kMaxTableFileBytes) ||
        !platform::ReadSmallFile(PathIn(directory, eco::kEcoSortFile), order, kMaxTableFileBytes)) {
        return false;
    }
    if (codes.size() % eco::kEcoCodeRecordSize != 0 || !SplitLines(names, files.names) ||
        !SplitLines(moves, files.moves)) {
        return false;
    }
    const std::size_t count = codes.size() / eco::kEcoCodeRecordSize;
    for (std::size_t i = 0; i < count; ++i) {
        files.codes.push_back(codes.substr(i * eco::kEcoCodeRecordSize, eco::kEcoCodeLength));
    }
    if (files.names.size() != count || files.moves.size() != count ||
        order.size() != count * eco::kEcoSortRecordSize) {
        return false;
    }
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t value = 0;
        for (int b = 0; b < 4; ++b) {
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(order[4 * i + b])) << (8 * b);
        }
        files.order.push_back(value);
    }
    return true;
}

bool WriteEcoTableFiles(const std::string& directory, const EcoTableFiles& files) {
    std::string codes;
    for (const std::string& code : files.codes) {
        codes += code.substr(0, eco::kEcoCodeLength) + "\r\n";
    }
    std::string order;
    for (const std::uint32_t value : files.order) {
        for (int b = 0; b < 4; ++b) {
            order.push_back(static_cast<char>(value >> (8 * b)));
        }
    }
    const std::string contents[] = {JoinLines(files.names), JoinLines(files.moves), order, codes};
    const std::vector<std::string> paths = eco::EcoTablePaths(directory);
    std::vector<platform::FileContents> set;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        set.push_back({paths[i], contents[i]});
    }
    return platform::ReplaceFileSet(PathIn(directory, eco::kEcoJournalFile), set);
}

std::string EcoLineText(const std::vector<std::string>& plies) {
    std::string text;
    for (std::size_t i = 0; i < plies.size(); ++i) {
        if (i % 2 == 0) {
            text += std::to_string(i / 2 + 1) + ".";
        }
        text += plies[i] + " ";
    }
    if (!text.empty()) {
        text.pop_back();
    }
    return text;
}

std::string CleanEcoName(std::string_view typed, std::string& problem) {
    problem.clear();
    std::string name(typed.substr(0, kMaxEcoNameLength));
    while (!name.empty() && (name.back() == ' ' || static_cast<unsigned char>(name.back()) < 0x20)) {
        name.pop_back();
    }
    if (name.find_first_of("\r\n") != std::string::npos) {
        problem = kEcoNameLineBreak;
        return {};
    }
    if (name.empty()) {
        problem = kNullEcoName;
    }
    return name;
}

EcoEditor::EcoEditor(std::string directory, int baseEntries, EcoEditorHost host)
    : directory_(std::move(directory)), baseEntries_(baseEntries), host_(std::move(host)) {}

std::string EcoEditor::BackupPath(const std::string& tablePath, char letter) {
    std::string path = tablePath;
    const std::size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && dot + 1 < path.size()) {
        path[dot + 1] = letter;
    }
    return path;
}

bool EcoEditor::Enter() {
    EcoTableFiles files;
    if (!ReadEcoTableFiles(directory_, files)) {
        host_.tell(kEcoTableCorruption);
        return false;
    }
    for (const char* name : kTableFiles) {
        std::string contents;
        const std::string path = PathIn(directory_, name);
        if (!platform::ReadSmallFile(path, contents, kMaxTableFileBytes) ||
            !platform::WriteFileReplacing(BackupPath(path, 'b'), contents.data(), contents.size())) {
            host_.tell(kBackupNotWritten);
            return false;
        }
    }
    active_ = true;
    changed_ = false;
    selected_ = -1;
    return true;
}

bool EcoEditor::Load(EcoTableFiles& files) {
    if (!ReadEcoTableFiles(directory_, files)) {
        host_.tell(kEcoTableCorruption);
        return false;
    }
    return true;
}

bool EcoEditor::Write(const EcoTableFiles& files) {
    if (!WriteEcoTableFiles(directory_, files)) {
        host_.tell(kEcoTableCorruption);
        return false;
    }
    changed_ = true;
    host_.reload();
    return true;
}

bool EcoEditor::AcceptAgainstCurrent(const EcoPosition& position, const EcoTableFiles& files) {
    if (position.outOfBook || position.currentEntry < 0 || position.currentEntry >= files.Count()) {
        return true;
    }
    const std::string entered = EcoLineText(position.plies);
    const std::string& current = files.moves[static_cast<std::size_t>(position.currentEntry)];
    const int p = static_cast<int>(position.plies.size());
    const int q = PliesOf(current);
    if (p == q) {
        if (entered == current) {
            host_.tell(kLineAlreadyInTable);
            return false;
        }
        return host_.confirm(kTranspositionInTable);
    }
    if (p < q) {
        const bool prefix =
            current.starts_with(entered) && current.size() > entered.size() && current[entered.size()] == ' ';
        return host_.confirm(prefix ? kLineIncluded : kTranspositionIncluded);
    }
    return true;
}

void EcoEditor::AddLine(const EcoPosition& position) {
    if (position.plies.empty()) {
        host_.tell(kEnterALineFirst);
        return;
    }
    if (static_cast<int>(position.plies.size()) > kMaxEcoLinePlies) {
        host_.tell(kTooManyEcoMoves);
        return;
    }
    EcoTableFiles files;
    if (!Load(files)) {
        return;
    }
    if (position.currentEntry < 0 || position.currentEntry >= files.Count()) {
        host_.tell(kNoCurrentEcoLine);
        return;
    }
    if (!AcceptAgainstCurrent(position, files)) {
        return;
    }
    const auto current = static_cast<std::size_t>(position.currentEntry);
    const std::optional<std::string> name = host_.askName(files.names[current]);
    if (!name) {
        return;
    }
    const auto added = static_cast<std::uint32_t>(files.Count());
    files.names.push_back(*name);
    files.codes.push_back(files.codes[current]);
    files.moves.push_back(EcoLineText(position.plies));
    const bool after = static_cast<int>(position.plies.size()) >= PliesOf(files.moves[current]);
    PlaceNextTo(files.order, added, position.currentEntry, after || files.order.back() == current);
    if (!Write(files)) {
        return;
    }
    selected_ = static_cast<int>(added);
    host_.tell(kLineAdded);
}

void EcoEditor::ModifyLine(const EcoPosition& position) {
    EcoTableFiles files;
    if (selected_ < 0) {
        host_.tell(kSelectALineFirst);
        return;
    }
    if (selected_ < baseEntries_) {
        host_.tell(kCannotModifyBase);
        return;
    }
    if (position.plies.empty()) {
        host_.tell(kEnterALineFirst);
        return;
    }
    if (static_cast<int>(position.plies.size()) > kMaxEcoLinePlies) {
        host_.tell(kTooManyEcoMoves);
        return;
    }
    if (!host_.confirm(kModifyLineQuestion) || !Load(files) || selected_ >= files.Count() ||
        !AcceptAgainstCurrent(position, files)) {
        return;
    }
    files.moves[static_cast<std::size_t>(selected_)] = EcoLineText(position.plies);
    if (position.currentEntry >= 0 && position.currentEntry != selected_ &&
        position.currentEntry < files.Count()) {
        std::erase(files.order, static_cast<std::uint32_t>(selected_));
        const bool after = static_cast<int>(position.plies.size()) >=
                           PliesOf(files.moves[static_cast<std::size_t>(position.currentEntry)]);
        PlaceNextTo(files.order, static_cast<std::uint32_t>(selected_), position.currentEntry, after);
    }
    if (Write(files)) {
        host_.tell(kMovesModified);
    }
}

void EcoEditor::ModifyName(const EcoPosition& position) {
    EcoTableFiles files;
    if (selected_ < 0 || position.plies.empty()) {
        host_.tell(kSelectALineFirst);
        return;
    }
    if (!Load(files) || selected_ >= files.Count()) {
        return;
    }
    std::string& old = files.names[static_cast<std::size_t>(selected_)];
    const std::optional<std::string> name = host_.askName(old);
    if (!name) {
        return;
    }
    if (*name == old) {
        host_.tell(kNameNotChanged);
        return;
    }
    old = *name;
    if (Write(files)) {
        host_.tell(kNameModified);
    }
}

void EcoEditor::DeleteLine() {
    EcoTableFiles files;
    if (selected_ < 0) {
        host_.tell(kSelectALineFirst);
        return;
    }
    if (selected_ < baseEntries_) {
        host_.tell(kCannotDeleteBase);
        return;
    }
    if (!host_.confirm(kDeleteLineQuestion) || !Load(files) || selected_ >= files.Count()) {
        return;
    }
    const auto gone = static_cast<std::size_t>(selected_);
    files.codes.erase(files.codes.begin() + static_cast<std::ptrdiff_t>(gone));
    files.names.erase(files.names.begin() + static_cast<std::ptrdiff_t>(gone));
    files.moves.erase(files.moves.begin() + static_cast<std::ptrdiff_t>(gone));
    std::erase(files.order, static_cast<std::uint32_t>(gone));
    for (std::uint32_t& entry : files.order) {
        entry -= entry > gone ? 1 : 0;
    }
    if (Write(files)) {
        selected_ = selected_ - 1;
        host_.tell(kLineDeleted);
    }
}

bool EcoEditor::BackupsExist(char letter) const {
    return std::all_of(std::begin(kTableFiles), std::end(kTableFiles), [&](const char* name) {
        const std::string path = PathIn(directory_, name);
        return platform::FileExists(path) && platform::FileExists(BackupPath(path, letter));
    });
}

// Each backup takes the place of its table file, the codes file last.
bool EcoEditor::RenameBackups(char letter) {
    for (const char* name : kTableFiles) {
        const std::string path = PathIn(directory_, name);
        if (std::rename(BackupPath(path, letter).c_str(), path.c_str()) != 0) {
            return false;
        }
    }
    return true;
}

void EcoEditor::RemoveEcoTreeFiles() {
    for (const char* name : {kEcoTreeFile, kEcoExactTreeFile, "ecotree.trt"}) {
        std::remove(PathIn(directory_, name).c_str());
    }
}

void EcoEditor::Save() {
    if (!BackupsExist('b')) {
        host_.tell(kTableMayBeCorrupted);
        return;
    }
    // The state before this visit becomes the previous version.
    for (const char* name : kTableFiles) {
        const std::string path = PathIn(directory_, name);
        std::rename(BackupPath(path, 'b').c_str(), BackupPath(path, 'a').c_str());
    }
    RemoveEcoTreeFiles();
    active_ = false;
}

void EcoEditor::Exit() {
    if (changed_) {
        if (!host_.confirm(kExitQuestion)) {
            return;
        }
        if (!BackupsExist('b') || !RenameBackups('b')) {
            host_.tell(kTableMayBeCorrupted);
        }
        host_.reload();
    }
    active_ = false;
}

void EcoEditor::Restore() {
    if (!host_.confirm(kRestoreQuestion)) {
        return;
    }
    if (!BackupsExist('a') || !RenameBackups('a')) {
        host_.tell(kTableNotRestored);
    } else {
        RemoveEcoTreeFiles();
    }
    host_.reload();
    active_ = false;
}

}  // namespace ravelin::tree
