#include "app/cli_write.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "gamefile/game_copy.h"
#include "gamefile/game_edit.h"
#include "gamefile/game_file.h"
#include "gamefile/game_index.h"

namespace ravelin::app {

namespace {

constexpr char kNoGamesToWrite[] = "There are no games in this file.";
constexpr char kOneGameToReplace[] = "The replacing file must hold exactly one game.";
// A game bigger than the program reads back into its game text buffer is refused.
constexpr std::size_t kMaxGameText = 300000;

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

// Standard input is copied into an anonymous file, so that it is indexed like any PGN file.
int OpenGamesSource(const std::string& name) {
    if (name != "-") {
        return open(name.c_str(), O_RDONLY | O_CLOEXEC);
    }
    int fd = memfd_create("games", MFD_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    char block[65536];
    for (;;) {
        ssize_t got = read(STDIN_FILENO, block, sizeof block);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 || (got > 0 && write(fd, block, static_cast<std::size_t>(got)) != got)) {
            close(fd);
            return -1;
        }
        if (got == 0) {
            break;
        }
    }
    return fd;
}

// Every game of the source as text by the game copy rule; the message of the failure otherwise.
const char* ReadGames(const std::string& name, std::vector<std::string>& games) {
    Descriptor source(OpenGamesSource(name));
    if (source.get() < 0) {
        return gamefile::kErrorOpeningFile;
    }
    gamefile::LineReader scanner(gamefile::kScanBufferSize);
    scanner.Attach(source.get());
    scanner.Seek(0);
    gamefile::GameIndex index;
    gamefile::ScanGameOffsets(scanner, index);
    gamefile::LineReader reader;
    reader.Attach(source.get());
    for (std::uint32_t offset : index.offsets) {
        games.emplace_back();
        if (!gamefile::CopyGameText(reader, offset, kMaxGameText, games.back())) {
            return gamefile::kGameTooBig;
        }
    }
    return games.empty() ? kNoGamesToWrite : nullptr;
}

bool ParseGameNumber(const char* text, int& game) {
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 1 || value > gamefile::kMaxGames) {
        return false;
    }
    game = static_cast<int>(value);
    return true;
}

int Fail(std::ostream& err, const char* message) {
    err << message << "\n";
    return 1;
}

}  // namespace

bool IsWriteCommand(const char* command) {
    for (const char* name : {"delete", "append", "insert", "replace"}) {
        if (std::strcmp(command, name) == 0) {
            return true;
        }
    }
    return false;
}

int RunWriteCommand(const char* command, int argc, char** argv, std::ostream& out, std::ostream& err) {
    const std::string name = command;
    const int wanted = name == "delete" ? 2 : name == "append" ? 2 : 3;
    if (argc != wanted) {
        err << "usage: ravelin-cli "
            << (name == "delete"   ? "delete FILE N"
                : name == "append" ? "append FILE GAMES.pgn"
                : name == "insert" ? "insert FILE N GAMES.pgn"
                                   : "replace FILE N GAME.pgn")
            << "\n";
        return 2;
    }
    const std::string path = argv[0];
    gamefile::GameIndex index;
    {
        Descriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (file.get() < 0) {
            return Fail(err, gamefile::kErrorOpeningFile);
        }
        gamefile::IndexGameFile(file.get(), path, false, index);
    }
    int game = 0;
    if (name != "append" && (!ParseGameNumber(argv[1], game) || game > index.Count())) {
        return Fail(err, index.Count() == 0 ? kNoGamesToWrite : gamefile::kErrorFindingGame);
    }
    std::vector<std::string> games;
    if (name != "delete") {
        if (const char* failure = ReadGames(argv[argc - 1], games)) {
            return Fail(err, failure);
        }
    }
    const char* failure = nullptr;
    if (name == "delete") {
        failure = gamefile::DeleteGameFromFile(path, index, game);
    } else if (name == "append") {
        failure = gamefile::AppendGamesToFile(path, index, games);
    } else if (name == "insert") {
        failure = gamefile::InsertGamesIntoFile(path, index, game, games);
    } else if (games.size() != 1) {
        failure = kOneGameToReplace;
    } else {
        failure = gamefile::ReplaceGameInFile(path, index, game, games.front());
    }
    if (failure != nullptr) {
        return Fail(err, failure);
    }
    Descriptor rewritten(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    const gamefile::IndexResult result = gamefile::IndexGameFile(rewritten.get(), path, false, index);
    out << "Games: " << result.count << "\n";
    return 0;
}

}  // namespace ravelin::app
