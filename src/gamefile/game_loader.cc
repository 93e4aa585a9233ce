#include "gamefile/game_loader.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "chess/fen.h"
#include "gamefile/game_file.h"

namespace ravelin::gamefile {

namespace {

constexpr std::array<std::string_view, 3> kEcoSourceNames = {"ecocodes", "ecomoves", "econames"};

// snprintf into a fixed field; the text is cut at the field's width.
template <std::size_t N>
__attribute__((format(printf, 2, 3))) void Format(DisplayText<N>& out, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(out.data(), N, format, args);
    va_end(args);
}

template <std::size_t N>
void CopyValue(const GameHeader& header, TagSlot slot, DisplayText<N>& out) {
    char value[kTagSlotSize];
    const std::string_view line = header.Slot(slot);
    std::memcpy(value, line.data(), line.size());
    value[line.size()] = '\0';
    const std::size_t length = ExtractTagValue(value);
    const std::size_t kept = length < N - 1 ? length : N - 1;
    std::memcpy(out.data(), value, kept);
    out[kept] = '\0';
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

void Refuse(const chess::MessageSink& messages) {
    if (messages) {
        messages(kErrorFindingGame);
    }
}

}  // namespace

bool IsEcoSourceFile(std::string_view displayName) {
    for (const std::string_view name : kEcoSourceNames) {
        if (EqualsIgnoringCase(displayName, name)) {
            return true;
        }
    }
    return false;
}

void BuildHeaderDisplay(const GameHeader& header, HeaderDisplay& d) {
    CopyValue(header, TagSlot::kEvent, d.event);
    CopyValue(header, TagSlot::kSite, d.site);
    Format(d.eventLine, "Event:  %-30sSite:  %s", d.event.data(), d.site.data());
    Format(d.eventNarrow, "Event:  %s", d.event.data());
    Format(d.siteNarrow, "Site:  %s", d.site.data());

    CopyValue(header, TagSlot::kDate, d.date);
    Format(d.dateNarrow, "Date:  %s", d.date.data());
    if (!header.Slot(TagSlot::kRound).empty()) {
        CopyValue(header, TagSlot::kRound, d.round);
        Format(d.dateLine, "Date:   %-30sRound: %s", d.date.data(), d.round.data());
        Format(d.roundNarrow, "Round:  %s", d.round.data());
    } else {
        d.round[0] = '\0';
        Format(d.dateLine, "Date:   %-30sRound: ?", d.date.data());
        Format(d.roundNarrow, "Round:  ?");
    }

    CopyValue(header, TagSlot::kWhiteElo, d.whiteElo);
    CopyValue(header, TagSlot::kBlackElo, d.blackElo);
    CopyValue(header, TagSlot::kWhite, d.white);
    CopyValue(header, TagSlot::kBlack, d.black);
    Format(d.playersLine, "White:  %-30sBlack: %s", d.white.data(), d.black.data());
    if (d.whiteElo[0] != '\0') {
        Format(d.whiteNarrow, "White:  %s %s", d.white.data(), d.whiteElo.data());
    } else {
        Format(d.whiteNarrow, "White:  %s", d.white.data());
    }
    if (d.blackElo[0] != '\0') {
        Format(d.blackNarrow, "Black:  %s %s", d.black.data(), d.blackElo.data());
    } else {
        Format(d.blackNarrow, "Black:  %s", d.black.data());
    }

    CopyValue(header, TagSlot::kResult, d.result);
    Format(d.resultNarrow, "Result: %s", d.result.data());
    if (!header.Slot(TagSlot::kEco).empty()) {
        CopyValue(header, TagSlot::kEco, d.eco);
        Format(d.resultLine, "Result: %-30sECO:   %s", d.result.data(), d.eco.data());
        Format(d.ecoNarrow, "ECO:  %s", d.eco.data());
    } else {
        d.eco[0] = '\0';
        Format(d.resultLine, "Result: %-30s", d.result.data());
        Format(d.ecoNarrow, "ECO:  ?");
    }
}

bool LoadGameHeader(std::string_view fileName, LineReader& reader, const GameIndex& index, int gameNumber,
                    GameHeader& header, HeaderDisplay& display, const chess::MessageSink& messages) {
    reader.Reset();
    const std::string displayName = MakeDisplayFileName(fileName);
    Format(display.fileLine, "File:  %s", displayName.c_str());
    Format(display.shortGameLine, "Game: %d", gameNumber);
    header.openingTags = IsEcoSourceFile(displayName);

    // The number is checked before the index is looked at.
    if (gameNumber < 1) {
        Refuse(messages);
        return false;
    }
    std::uint64_t offset = 0;
    if (gameNumber > index.Count()) {
        Format(display.gameLine, "Game:  %d", gameNumber);
        const std::int64_t found = FindGameByScanning(reader, gameNumber);
        reader.mode = LineReaderMode::kNormal;
        if (found < 0) {
            Refuse(messages);
            return false;
        }
        offset = static_cast<std::uint64_t>(found);
    } else {
        Format(display.gameLine, "Game:  %d of %d", gameNumber, index.Count());
        offset = index.Offset(gameNumber);
    }
    reader.mode = LineReaderMode::kNormal;
    if (!reader.Seek(offset)) {
        Refuse(messages);
        return false;
    }
    reader.byteCounter = 0;
    header.gameOffset = offset;
    ParseGameHeader(reader, header, false);
    BuildHeaderDisplay(header, display);
    return true;
}

int ReaderLineSource::NextLine(std::string_view& text, std::uint64_t& offset) {
    const int count = reader_.NextLine(text);
    offset = base_ + reader_.byteCounter - static_cast<std::uint64_t>(count);
    return count;
}

int ParseGameMovetext(LineReader& reader, GameHeader& header, chess::ChessContext& context,
                      chess::GameRecord& record, int stopAfterMoves) {
    record.pendingFirstLine = header.firstMovetextLine;
    header.firstMovetextLine.present = false;
    ReaderLineSource source(reader, header.gameOffset);
    const int moves = chess::ParseMovetext(context, record, source, stopAfterMoves);
    header.pendingLine = record.pendingHeaderLine;
    return moves;
}

int ParseGameQuietly(LineReader& reader, GameHeader& header, chess::ChessContext& context,
                     chess::GameRecord& record, int stopAfterMoves) {
    const bool wasBatch = context.batch;
    context.batch = true;
    const int moves = ParseGameMovetext(reader, header, context, record, stopAfterMoves);
    context.batch = wasBatch;
    return moves;
}

bool SetUpGameStart(chess::ChessContext& context, const GameHeader& header) {
    context.fenSwitch = header.fenPresent;
    bool accepted = true;
    if (header.fenPresent) {
        accepted = chess::ReadFenPlacement(context, header.Slot(TagSlot::kFen));
    }
    chess::SetStartPosition(context);
    return accepted;
}

ReplaySummary ReplayParsedGame(chess::ChessContext& context, const chess::GameRecord& record,
                               const GameHeader& header) {
    ReplaySummary summary;
    summary.moves = record.moveCount;
    summary.pliesParsed = chess::ParsedPlies(record);
    SetUpGameStart(context, header);
    summary.pliesPlayed = chess::ReplayMoves(context, record.moveCount);
    summary.stoppedAtBadMove = summary.pliesPlayed < summary.pliesParsed;
    return summary;
}

}  // namespace ravelin::gamefile
