#include "search/search_file_list.h"

#include <algorithm>
#include <cstdio>

namespace ravelin::search {

namespace {

constexpr int kAverageCharacterWidth = 6;
// Letters that follow a character up to this one ('/') start a word.
constexpr unsigned char kLastWordSeparator = '/';

bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}
bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

std::string Formatted(const char* format, int value) {
    char text[96];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

int AverageTextWidth(std::string_view text) {
    return static_cast<int>(text.size()) * kAverageCharacterWidth;
}

std::string MixedCaseEntry(std::string_view entry) {
    std::string text(entry);
    const bool mixed =
        !text.empty() && (IsLower(text[0]) || (text.size() >= 2 && IsUpper(text[0]) && IsUpper(text[1])));
    if (!mixed) {
        return text;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!IsLower(c) && !IsUpper(c)) {
            continue;
        }
        const bool small = i > 0 && static_cast<unsigned char>(text[i - 1]) > kLastWordSeparator;
        if (small && IsUpper(c)) {
            text[i] = static_cast<char>(c - 'A' + 'a');
        } else if (!small && IsLower(c)) {
            text[i] = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

std::string SearchFileListEntry(std::string_view name, int count, const TextWidth& width, bool narrow) {
    const std::string suffix = Formatted(":%d", count);
    const std::string entry = MixedCaseEntry(std::string(name) + suffix);
    const int limit = narrow ? kNarrowListWidth : kListWidth;
    if (width(entry) <= limit) {
        return entry;
    }
    std::string shown = entry.substr(0, name.size());
    std::size_t kept = std::min(shown.size(), narrow ? kNarrowEntryNameLength : kMaxEntryNameLength);
    // The last kept character becomes '~'; one fewer is kept until the entry fits (or only the
    // '~' is left).
    for (;;) {
        std::string cut = shown.substr(0, kept);
        if (!cut.empty()) {
            cut.back() = '~';
        }
        cut += suffix;
        if (kept <= 1 || width(cut) <= limit) {
            return cut;
        }
        --kept;
    }
}

SearchFileList BuildSearchFileList(const ResultFile& file, const TextWidth& width, bool narrow) {
    SearchFileList list;
    for (const ResultFileRecord& record : file.records) {
        if (list.Count() == kMaxSearchFiles) {
            list.exceeded = true;
            break;
        }
        list.entries.push_back(SearchFileListEntry(record.name, record.Count(), width, narrow));
        list.totalGames += record.Count();
    }
    if (list.totalGames != 0 && list.Count() >= 2) {
        list.totalLine = Formatted(kTotalGames, list.totalGames);
    }
    return list;
}

std::string MaxSearchFilesExceededMessage() {
    return Formatted(kMaxSearchFilesExceeded, kMaxSearchFiles);
}

}  // namespace ravelin::search
