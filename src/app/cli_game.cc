#include "app/cli_game.h"

#include <fcntl.h>
#include <unistd.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "chess/annotations.h"
#include "chess/fen.h"
#include "gamefile/game_file.h"
#include "gamefile/game_loader.h"

namespace ravelin::app {

namespace {

// The side, castling and en passant fields follow the placement; the counters are left off.
constexpr int kFenFieldsShown = 4;

// A PGN file opened read-only and indexed by a scan; no index cache file is written beside it.
struct OpenedFile {
    explicit OpenedFile(const std::string& path) : fd(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
        if (fd >= 0) {
            gamefile::LineReader scanner(gamefile::kScanBufferSize);
            scanner.Attach(fd);
            textWithoutGames = gamefile::ScanGameOffsets(scanner, index) && index.Count() == 0;
            reader.Attach(fd);
        }
    }
    ~OpenedFile() {
        if (fd >= 0) {
            close(fd);
        }
    }
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;

    int fd;
    gamefile::GameIndex index;
    gamefile::LineReader reader;
    bool textWithoutGames = false;
};

// A file of movetext without tag lines is told apart from a game number that is not there.
bool CheckFileHasGames(const OpenedFile& file, std::ostream& err) {
    if (file.textWithoutGames) {
        err << gamefile::kNoGamesFound << "\n";
        return false;
    }
    return true;
}

std::string FenWithoutCounters(const chess::ChessContext& context, int pliesPlayed) {
    const std::string fen = chess::FenOfPly(context, pliesPlayed + 1);
    std::size_t end = 0;
    for (int field = 0; field < kFenFieldsShown && end != std::string::npos; ++field) {
        end = fen.find(' ', end + (field == 0 ? 0 : 1));
    }
    return end == std::string::npos ? fen : fen.substr(0, end);
}

bool CheckGameNumber(const OpenedFile& file, int gameNumber, std::ostream& err) {
    if (gameNumber < 1 || gameNumber > file.index.Count()) {
        err << gamefile::kErrorFindingGame << "\n";
        return false;
    }
    return true;
}

void PrintAnnotations(const chess::GameRecord& record, int plyIndex, std::ostream& out) {
    std::vector<std::string> lines;
    chess::AnnotationOutput output;
    output.list = &lines;
    output.width = record.displayWidth;
    chess::ShowAnnotations(record, plyIndex, output);
    for (const std::string& line : lines) {
        out << "    " << line << "\n";
    }
}

}  // namespace

int RunShowCommand(const std::string& path, int gameNumber, std::ostream& out, std::ostream& err) {
    OpenedFile file(path);
    if (file.fd < 0) {
        err << gamefile::kErrorOpeningFile << "\n";
        return 1;
    }
    if (!CheckFileHasGames(file, err) || !CheckGameNumber(file, gameNumber, err)) {
        return 1;
    }
    auto header = std::make_unique<gamefile::GameHeader>();
    auto display = std::make_unique<gamefile::HeaderDisplay>();
    auto context = chess::MakeChessContext();
    auto record = chess::MakeGameRecord();
    context->messages = [&err](std::string_view message) { err << message << "\n"; };
    const chess::MessageSink sink = context->messages;
    if (!gamefile::LoadGameHeader(gamefile::NameOf(path), file.reader, file.index, gameNumber, *header,
                                  *display, sink)) {
        return 1;
    }
    for (const std::string_view line :
         {gamefile::TextOf(display->fileLine), gamefile::TextOf(display->gameLine),
          gamefile::TextOf(display->eventLine), gamefile::TextOf(display->dateLine),
          gamefile::TextOf(display->playersLine), gamefile::TextOf(display->resultLine)}) {
        out << line << "\n";
    }
    gamefile::ParseGameMovetext(file.reader, *header, *context, *record);
    const gamefile::ReplaySummary summary = gamefile::ReplayParsedGame(*context, *record, *header);
    PrintAnnotations(*record, 0, out);
    for (int ply = 1; ply <= summary.pliesParsed; ++ply) {
        const int moveNumber = (ply + 1) / 2;
        out << moveNumber << (ply % 2 == 1 ? ". " : "... ") << chess::SanView(context->moves.MoveOfPly(ply))
            << "\n";
        PrintAnnotations(*record, ply, out);
    }
    if (record->result[0] != '\0') {
        out << chess::SanView(record->result) << "\n";
    }
    return 0;
}

int ReplayGamesOfFile(const std::string& path, int gameNumber, std::ostream& err,
                      const ReplayedGameVisitor& visit) {
    OpenedFile file(path);
    if (file.fd < 0) {
        err << gamefile::kErrorOpeningFile << "\n";
        return 1;
    }
    if (!CheckFileHasGames(file, err) || (gameNumber != 0 && !CheckGameNumber(file, gameNumber, err))) {
        return 1;
    }
    auto header = std::make_unique<gamefile::GameHeader>();
    auto display = std::make_unique<gamefile::HeaderDisplay>();
    auto context = chess::MakeChessContext();
    auto record = chess::MakeGameRecord();
    context->batch = true;
    const int first = gameNumber == 0 ? 1 : gameNumber;
    const int last = gameNumber == 0 ? file.index.Count() : gameNumber;
    for (int game = first; game <= last; ++game) {
        if (!gamefile::LoadGameHeader(gamefile::NameOf(path), file.reader, file.index, game, *header,
                                      *display, {})) {
            continue;
        }
        gamefile::ParseGameQuietly(file.reader, *header, *context, *record);
        const gamefile::ReplaySummary summary = gamefile::ReplayParsedGame(*context, *record, *header);
        visit(game, *header, *context, *record, summary);
    }
    return 0;
}

int RunFenCommand(const std::string& path, int gameNumber, std::ostream& out, std::ostream& err) {
    return ReplayGamesOfFile(path, gameNumber, err,
                             [&out](int game, const gamefile::GameHeader&, chess::ChessContext& context,
                                    const chess::GameRecord&, const gamefile::ReplaySummary& summary) {
                                 out << game << '\t' << summary.pliesPlayed << '\t'
                                     << FenWithoutCounters(context, summary.pliesPlayed);
                                 if (summary.stoppedAtBadMove) {
                                     out << "\tbad "
                                         << chess::SanView(context.moves.MoveOfPly(summary.pliesPlayed + 1));
                                 }
                                 out << '\n';
                             });
}

}  // namespace ravelin::app
