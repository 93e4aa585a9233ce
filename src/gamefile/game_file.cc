#include "gamefile/game_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "platform/file_util.h"

namespace ravelin::gamefile {

namespace {

constexpr char kPgnExtension[] = ".pgn";
constexpr char kPgnDialogTitle[] = "Select PGN File";
constexpr char kPgnFilter[] = "*.pgn";
// A proposed file name longer than this is cut at its first "." before it goes into the dialog.
constexpr std::size_t kMaxProposedNameLength = 51;
// The directory field of the options file holds fewer characters than this.
constexpr std::size_t kDirectoryFieldWidth = 200;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string JoinPath(const std::string& directory, const std::string& name) {
    if (directory.empty()) {
        return name;
    }
    return directory + "/" + name;
}

}  // namespace

std::string ApplyExtensionRule(std::string_view name, std::string_view extension) {
    const std::size_t n = extension.size();
    std::string result(name);
    if (result.size() <= n) {
        return result + std::string(extension);
    }
    if (EqualsIgnoringCase(std::string_view(result).substr(result.size() - n), extension)) {
        return result;
    }
    std::size_t dot = result.find('.', result.size() - n);
    if (dot != std::string::npos) {
        result.resize(dot);
    }
    return result + std::string(extension);
}

std::string DirectoryOf(std::string_view path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) {
        return {};
    }
    if (slash == 0) {
        return "/";
    }
    return std::string(path.substr(0, slash));
}

std::string NameOf(std::string_view path) {
    std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

GameFile::GameFile(GameFileHost host) : host_(std::move(host)) {
    LoadCurrentFromSettings();
}

GameFile::~GameFile() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

void GameFile::LoadCurrentFromSettings() {
    const settings::SettingsRecord& settings = host_.settings;
    directory_ = settings.PgnDirectory();
    fileName_ = settings.PgnFileName();
    path_ = fileName_.empty() ? std::string() : JoinPath(directory_, fileName_);
    previousDirectory_ = settings.PreviousDirectory();
    previousFileName_ = settings.PreviousFileName();
    previousPath_ =
        previousFileName_.empty() ? std::string() : JoinPath(previousDirectory_, previousFileName_);
    previousGame_ = settings.PreviousGameNumber();
    previousPly_ = settings.PreviousMovePosition();
}

void GameFile::SetCommandLinePath(std::string_view path) {
    std::string cleaned(path);
    if (cleaned.size() >= 2 && cleaned.front() == '"' && cleaned.back() == '"') {
        cleaned = cleaned.substr(1, cleaned.size() - 2);
    }
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(cleaned, error);
    if (!error) {
        cleaned = absolute.lexically_normal().string();
    }
    if (!path_.empty() && path_ != cleaned) {
        // The file the program last showed stays one command away.
        previousPath_ = path_;
        previousDirectory_ = directory_;
        previousFileName_ = fileName_;
        host_.settings.SetPreviousDirectory(previousDirectory_);
        host_.settings.SetPreviousFileName(previousFileName_);
    }
    path_ = cleaned;
    directory_ = DirectoryOf(cleaned);
    fileName_ = NameOf(cleaned);
    host_.settings.SetPgnDirectory(directory_);
    host_.settings.SetPgnFileName(fileName_);
    if (host_.saveSettings) {
        host_.saveSettings();
    }
}

bool GameFile::SelectPgnFile(bool useSaveDialog, int displayMode, int currentPly) {
    std::string proposed;
    if (!dialogShownBefore_) {
        proposed = fileName_;
        std::string previousName = host_.settings.PreviousFileName();
        if (!previousName.empty()) {
            previousPath_ =
                JoinPath(host_.settings.PreviousDirectory(), ApplyExtensionRule(previousName, kPgnExtension));
        }
    } else {
        proposed = NameOf(path_);
    }
    if (proposed.size() > kMaxProposedNameLength) {
        std::size_t dot = proposed.find('.');
        if (dot != std::string::npos) {
            proposed.resize(dot);
        }
    }

    platform::FileDialogRequest request;
    request.title = kPgnDialogTitle;
    request.filter = kPgnFilter;
    request.initialDirectory = directory_;
    request.fileName = proposed;
    request.saveDialog = useSaveDialog;
    std::optional<std::string> chosen = host_.files.ChooseFile(request);
    if (!chosen || chosen->empty()) {
        return false;
    }

    std::string chosenDirectory = DirectoryOf(*chosen);
    std::string name = ApplyExtensionRule(NameOf(*chosen), kPgnExtension);
    bool becomesPrevious = dialogShownBefore_ || name != fileName_;
    if (becomesPrevious && !path_.empty()) {
        previousPath_ = path_;
        previousDirectory_ = directory_;
        previousFileName_ = fileName_;
        previousGame_ = currentGame;
        previousPly_ = displayMode == 2 ? currentPly : 0;
        host_.settings.SetPreviousDirectory(previousDirectory_);
        host_.settings.SetPreviousFileName(previousFileName_);
        host_.settings.SetPreviousGameNumber(previousGame_);
        host_.settings.SetPreviousMovePosition(previousPly_);
    }
    if (chosenDirectory.size() < kDirectoryFieldWidth) {
        directory_ = chosenDirectory;
    }
    fileName_ = name;
    path_ = JoinPath(chosenDirectory, name);
    host_.settings.SetPgnDirectory(directory_);
    host_.settings.SetPgnFileName(fileName_);
    dialogShownBefore_ = true;
    if (host_.saveSettings) {
        host_.saveSettings();
    }

    std::string mergeFile = CompanionPath(path_, "TRM");
    if (!mergeFile.empty() && platform::FileExists(mergeFile)) {
        host_.messages.ShowMessage(kTreeMergeSameName);
    }
    std::string databaseFile = CompanionPath(path_, "DBG");
    if (!databaseFile.empty() && platform::FileExists(databaseFile)) {
        host_.messages.ShowMessage(kDatabaseSameName);
    }
    return true;
}

void GameFile::ChangeToPreviousFile(int displayMode, int& currentPly) {
    std::swap(path_, previousPath_);
    std::swap(directory_, previousDirectory_);
    std::swap(fileName_, previousFileName_);
    returnGame = previousGame_;
    returnPly = previousPly_;
    previousGame_ = currentGame;
    previousPly_ = displayMode == 2 ? currentPly : 0;
    currentPly = 0;
    settings::SettingsRecord& settings = host_.settings;
    settings.SetPgnDirectory(directory_);
    settings.SetPgnFileName(fileName_);
    settings.SetPreviousDirectory(previousDirectory_);
    settings.SetPreviousFileName(previousFileName_);
    settings.SetPreviousGameNumber(previousGame_);
    settings.SetPreviousMovePosition(previousPly_);
    if (host_.saveSettings) {
        host_.saveSettings();
    }
}

int GameFile::OpenPath() {
    int fd = open(path_.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
        // A file that may only be read can still be viewed and searched; writers report their
        // own failure when they cannot write.
        fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    }
    return fd;
}

void GameFile::Close(int fd) {
    if (fd >= 0) {
        close(fd);
    }
    if (fd == fd_) {
        fd_ = kNoFile;
        reader_.Attach(kNoFile);
    }
}

int GameFile::OpenGameFile(int handle, OpenMode mode, int& displayMode, int& currentPly) {
    const int savedMode = displayMode;
    displayMode = 0;
    const std::string savedPath = path_;
    const std::string savedDirectory = directory_;
    const std::string savedName = fileName_;
    std::string directoryBeforeDialog = directory_;
    bool pendingUsed = false;
    bool wantOpen = false;

    if (mode == OpenMode::kPrevious) {
        ChangeToPreviousFile(savedMode, currentPly);
        wantOpen = !path_.empty();
    } else if (handle == kCommandLineFile) {
        wantOpen = !path_.empty();
    } else if (openPending_) {
        fileName_ = pendingFileName_;
        path_ = JoinPath(directory_, fileName_);
        pendingUsed = true;
        wantOpen = true;
    } else {
        if (SelectPgnFile(mode != OpenMode::kView, savedMode, currentPly)) {
            wantOpen = true;
            if (mode == OpenMode::kNewFile) {
                Close(fd_);
            }
        } else if (mode == OpenMode::kExistingTarget) {
            displayMode = savedMode;
            return -1;
        } else if (mode == OpenMode::kNewFile) {
            displayMode = savedMode;
            return -2;
        } else {
            // Cancelled with no file open: the file the options remember is opened.
            wantOpen = fd_ < 0 && !path_.empty();
        }
    }
    if (!wantOpen) {
        displayMode = savedMode;
        return fd_;
    }

    int newFd = OpenPath();
    if (newFd < 0) {
        if (mode == OpenMode::kNewFile) {
            // The new file is created by the caller when the game is written.
            index_.offsets.clear();
            gameCount_ = 1;
            displayMode = savedMode;
            return fd_;
        }
        host_.messages.ShowMessage(kErrorOpeningFile);
        path_ = savedPath;
        directory_ = savedDirectory;
        fileName_ = savedName;
        host_.settings.SetPgnDirectory(directory_);
        host_.settings.SetPgnFileName(fileName_);
        if (host_.saveSettings) {
            host_.saveSettings();
        }
        openPending_ = false;
        displayMode = savedMode;
        return fd_;
    }

    if (mode == OpenMode::kView && handle != kCommandLineFile && !pendingUsed &&
        DirectoryOf(path_) != directoryBeforeDialog && !IndexIsCurrent(newFd, path_)) {
        // The scan may take a while: let the window repaint without the dialog first. The caller
        // issues the command again and the second pass opens the chosen file.
        close(newFd);
        openPending_ = true;
        pendingFileName_ = fileName_;
        fileName_ = savedName;
        path_ = savedPath;
        host_.settings.SetPgnFileName(fileName_);
        displayMode = savedMode;
        return fd_;
    }

    openPending_ = false;
    Close(fd_);
    fd_ = newFd;
    currentGame = 1;
    if (host_.clearPerFileState) {
        host_.clearPerFileState();
    }
    reader_.Attach(fd_);
    IndexResult result = IndexGameFile(fd_, path_, false, index_);
    indexedState_ = StateOnDisk();
    gameCount_ = result.count;
    lastIndexFromCache_ = result.fromCache;
    if (result.limitReached) {
        char text[80];
        std::snprintf(text, sizeof text, kMaxGamesWarning, kMaxGames);
        host_.messages.ShowMessage(text);
    }
    textWithoutGames_ = result.textWithoutGames;
    if (textWithoutGames_) {
        host_.messages.ShowMessage(kNoGamesFound);
    }
    displayMode = savedMode;
    return fd_;
}

int GameFile::ReopenAfterRewrite() {
    Close(fd_);
    const int fd = OpenPath();
    if (fd < 0) {
        gameCount_ = 0;
        index_.offsets.clear();
        return -1;
    }
    fd_ = fd;
    reader_.Attach(fd_);
    IndexResult result = IndexGameFile(fd_, path_, false, index_);
    indexedState_ = StateOnDisk();
    gameCount_ = result.count;
    lastIndexFromCache_ = result.fromCache;
    if (currentGame > gameCount_) {
        currentGame = gameCount_ > 0 ? gameCount_ : 1;
    }
    if (host_.clearPerFileState) {
        host_.clearPerFileState();
    }
    return gameCount_;
}

GameFile::DiskState GameFile::StateOnDisk() const {
    struct stat info {};
    if (stat(path_.c_str(), &info) != 0) {
        return {};
    }
    return {info.st_dev, info.st_ino, info.st_size, info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
}

bool GameFile::ChangedOnDisk() const {
    return IsOpen() && !(StateOnDisk() == indexedState_);
}

int GameFile::Reindex() {
    if (fd_ < 0) {
        return 0;
    }
    IndexResult result = IndexGameFile(fd_, path_, true, index_);
    indexedState_ = StateOnDisk();
    gameCount_ = result.count;
    lastIndexFromCache_ = false;
    textWithoutGames_ = result.textWithoutGames;
    if (currentGame > gameCount_) {
        currentGame = gameCount_ > 0 ? gameCount_ : 1;
    }
    return gameCount_;
}

}  // namespace ravelin::gamefile

namespace ravelin::gamefile {

std::string MakeDisplayFileName(std::string_view fileName) {
    std::string name(fileName.substr(0, fileName.find('.')));
    auto isLower = [](char c) { return c >= 'a' && c <= 'z'; };
    auto isUpper = [](char c) { return c >= 'A' && c <= 'Z'; };
    bool convert =
        !name.empty() && (isLower(name[0]) || (name.size() >= 2 && isUpper(name[0]) && isUpper(name[1])));
    if (!convert) {
        return name;
    }
    for (char& c : name) {
        if (isLower(c)) {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    // A letter stays a capital only at the start of the name or after a character such as a
    // blank, "-" or "." (codes up to "/").
    constexpr unsigned char kLastSeparatorCode = 47;
    for (std::size_t i = 1; i < name.size(); ++i) {
        if (isUpper(name[i]) && static_cast<unsigned char>(name[i - 1]) > kLastSeparatorCode) {
            name[i] = static_cast<char>(name[i] - 'A' + 'a');
        }
    }
    return name;
}

}  // namespace ravelin::gamefile
