#include "statistics/pgn_game_tags.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <string_view>

#include "gamefile/game_header.h"
#include "gamefile/tag_line.h"
#include "search/fast_header.h"

namespace ravelin::statistics {

namespace {

// Plies counted on the movetext lines kept: enough for the longest opening looked at.
constexpr int kPliesWanted = 2 * kOpeningMovesPerSide;

// The tag name of a tag line ("[White "x"]" gives White).
std::string_view TagName(std::string_view line) {
    std::size_t end = 1;
    while (end < line.size() && line[end] != ' ' && line[end] != '"' && line[end] != ']') {
        ++end;
    }
    return line.substr(1, end - 1);
}

std::string TagValue(std::string_view line) {
    char text[gamefile::kTagSlotSize];
    const std::size_t length = std::min(line.size(), gamefile::kTagSlotSize - 1);
    std::memcpy(text, line.data(), length);
    text[length] = '\0';
    return std::string(text, gamefile::ExtractTagValue(text));
}

void TakeTag(std::string_view line, GameTags& tags) {
    const std::string_view name = TagName(line);
    std::string* slot = nullptr;
    if (name == "White") {
        slot = &tags.white;
    } else if (name == "Black") {
        slot = &tags.black;
    } else if (name == "Result") {
        slot = &tags.result;
    } else if (name == "Date") {
        slot = &tags.date;
    } else if (name == "ECO") {
        slot = &tags.eco;
    } else if (name == "WhiteElo") {
        slot = &tags.whiteElo;
    } else if (name == "BlackElo") {
        slot = &tags.blackElo;
    } else if (name == "Round") {
        slot = &tags.round;
    } else if (name == "Event") {
        slot = &tags.event;
    } else if (name == "Site") {
        slot = &tags.site;
    } else if (name == "Opening") {
        slot = &tags.opening;
    } else if (name == "Variation") {
        slot = &tags.variation;
    } else if (name == "FEN") {
        tags.hasFen = true;
        return;
    }
    if (slot != nullptr && slot->empty()) {
        *slot = TagValue(line);
        if (slot == &tags.round) {
            // As the fast header file stores it, so both sources give the same rounds.
            *slot = std::string(search::ReduceRoundValue(*slot));
        }
    }
}

// A rough count of the plies on a movetext line: the words that are neither move numbers, nor
// comments, nor glyphs. Only decides when enough lines have been kept.
// inComment carries a comment that goes on over the line end.
int CountPlies(std::string_view line, bool& inComment) {
    int plies = 0;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (inComment) {
            inComment = c != '}';
            ++i;
            continue;
        }
        if (c == '{') {
            inComment = true;
            ++i;
            continue;
        }
        if (c == ' ' || c == '\t') {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < line.size() && line[end] != ' ' && line[end] != '{') {
            ++end;
        }
        std::string_view word = line.substr(i, end - i);
        while (!word.empty() && ((word[0] >= '0' && word[0] <= '9') || word[0] == '.')) {
            word.remove_prefix(1);
        }
        if (!word.empty() && word[0] != '$' && word[0] != '-' && word[0] != '/') {
            ++plies;
        }
        i = end;
    }
    return plies;
}

}  // namespace

void GameTags::Clear() {
    for (std::string* value : {&white, &black, &result, &date, &eco, &whiteElo, &blackElo, &round, &event,
                               &site, &opening, &variation}) {
        value->clear();
    }
    hasFen = false;
    firstMoves.clear();
}

PgnGameTagReader::PgnGameTagReader(const std::string& path, const gamefile::GameIndex& index)
    : index_(index), reader_(gamefile::kScanBufferSize) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ >= 0) {
        reader_.Attach(fd_);
        reader_.mode = gamefile::LineReaderMode::kIndexing;
    }
}

PgnGameTagReader::~PgnGameTagReader() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool PgnGameTagReader::Read(int game, bool wantMoves, GameTags& tags) {
    tags.Clear();
    if (fd_ < 0 || game < 1 || game > index_.Count()) {
        return false;
    }
    const std::uint64_t start = index_.Offset(game);
    const std::uint64_t end = game < index_.Count() ? index_.Offset(game + 1) : UINT64_MAX;
    if (position_ != start) {
        if (!reader_.Seek(start)) {
            position_ = UINT64_MAX;
            return false;
        }
        position_ = start;
    }
    bool inMovetext = false;
    bool inComment = false;
    int plies = 0;
    while (position_ < end) {
        std::string_view line;
        const int length = reader_.NextLine(line);
        if (length == 0) {
            position_ = end;  // the file ends here; an unknown end stays unknown
            break;
        }
        position_ += static_cast<std::uint64_t>(length);
        if (line.empty() || line[0] == '%') {
            continue;
        }
        if (!inMovetext && line[0] == '[' && gamefile::IsTagLine(line)) {
            TakeTag(line, tags);
            continue;
        }
        inMovetext = true;
        if (wantMoves && plies < kPliesWanted) {
            if (!tags.firstMoves.empty()) {
                tags.firstMoves.push_back('\n');
            }
            tags.firstMoves.append(line);
            plies += CountPlies(line, inComment);
        }
    }
    if (position_ == UINT64_MAX || game == index_.Count()) {
        position_ = UINT64_MAX;
    }
    return true;
}

}  // namespace ravelin::statistics
