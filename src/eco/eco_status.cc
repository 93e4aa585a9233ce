#include "eco/eco_status.h"

#include <algorithm>

#include "platform/text_case.h"

namespace ravelin::eco {

namespace {

// The ply to classify, or -1 when nothing is to be drawn.
int StatusPly(const OpeningStatusRequest& request) {
    if (request.ply >= 0) {
        return request.ply;
    }
    if (request.source == OpeningStatusSource::kGame) {
        return request.showOpeningOption && !request.gameStartsFromFen ? request.gameCurrentPly : -1;
    }
    if (!request.showOpeningOption && !IsOpeningsFile(request.openFilePath) && !request.secondDisplayOption) {
        return -1;
    }
    const int ply = request.treeCurrentPly - (request.source == OpeningStatusSource::kTreePrevious ? 1 : 0);
    return std::max(ply, 0);
}

}  // namespace

bool IsOpeningsFile(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string_view::npos) {
        name = name.substr(0, dot);
    }
    return platform::EqualIgnoringCase(name, "ecocodes") || platform::EqualIgnoringCase(name, "ecomoves") ||
           platform::EqualIgnoringCase(name, "econames");
}

OpeningStatusLine ShowOpeningStatus(const EcoTable& table, const EcoGameMoves& game,
                                    const OpeningStatusRequest& request, EcoStatusState& state) {
    OpeningStatusLine line;
    const int plies = StatusPly(request);
    if (plies < 0) {
        return line;
    }
    line.draw = true;
    state = EcoStatusState{};
    const OpeningMatch match = ClosestMatch(table, game, plies);
    if (match.entry == kNoEcoEntry) {
        return line;
    }
    state.currentEntry = match.entry;
    // The name is shown as stored: piece-letter localisation is for move texts and would turn the
    // capitals of names such as "Queen's Gambit" into other letters.
    line.text = std::string(EcoCode(table, match.entry)) + " " + std::string(EcoName(table, match.entry));
    if (plies > match.best2Plies) {
        line.text += " *";
        state.outOfBook = true;
    }
    return line;
}

std::string FitStatusText(std::string text, int maxWidth,
                          const std::function<int(std::string_view)>& measure) {
    while (!text.empty() && measure(text) > maxWidth) {
        // One whole character: its continuation bytes, then its lead byte.
        while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) {
            text.pop_back();
        }
        if (!text.empty()) {
            text.pop_back();
        }
    }
    return text;
}

}  // namespace ravelin::eco
