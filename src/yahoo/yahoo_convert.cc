#include "yahoo/yahoo_convert.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "gamefile/game_edit.h"
#include "platform/file_util.h"

namespace ravelin::yahoo {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The existing target opened for copying, or none when it does not exist yet.
class ExistingTarget {
  public:
    explicit ExistingTarget(const std::string& path) : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
        struct stat status {};
        missing_ = fd_ < 0 && errno == ENOENT;
        if (fd_ >= 0 && fstat(fd_, &status) == 0) {
            size_ = static_cast<std::uint64_t>(status.st_size);
        }
    }
    ~ExistingTarget() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    ExistingTarget(const ExistingTarget&) = delete;
    ExistingTarget& operator=(const ExistingTarget&) = delete;

    bool Usable() const { return fd_ >= 0 || missing_; }
    bool CopyInto(platform::FileSink& sink) const {
        return fd_ < 0 || size_ == 0 || sink.CopyFrom(fd_, 0, size_);
    }

  private:
    int fd_;
    bool missing_ = false;
    std::uint64_t size_ = 0;
};

}  // namespace

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    if (stat(a.c_str(), &first) != 0 || stat(b.c_str(), &second) != 0) {
        return false;
    }
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

ConversionResult ConvertYahooText(std::string_view text, const std::string& targetPath,
                                  const ConversionHooks& hooks) {
    std::vector<YahooRecord> records = ReadYahooRecords(text);
    if (records.empty()) {
        return {kNoYahooGames, 0};
    }
    const int count = static_cast<int>(records.size());
    const bool askResults = hooks.editHeader && (count <= kAskAllResultsAbove ||
                                                 (hooks.askSetAllResults && hooks.askSetAllResults(count)));
    std::string games;
    for (YahooRecord& record : records) {
        if (askResults) {
            hooks.editHeader(record.header);
        }
        games += kLineEnd;
        games += ConvertedGameText(record);
    }
    ExistingTarget existing(targetPath);
    if (!existing.Usable()) {
        return {kErrorCreatingPgnFile, 0};
    }
    const bool written = platform::WriteFileReplacing(
        targetPath, [&](platform::FileSink& sink) { return existing.CopyInto(sink) && sink.Write(games); });
    if (!written) {
        return {kErrorCreatingPgnFile, 0};
    }
    // The index cache and the other companions of the old contents no longer fit.
    gamefile::DeleteStaleCompanions(targetPath);
    return {nullptr, count};
}

ConversionResult ConvertYahooFile(const std::string& yahooPath, const std::string& targetPath,
                                  const std::string& openPgnPath, const ConversionHooks& hooks) {
    std::string text;
    if (!platform::ReadSmallFile(yahooPath, text, kMaxYahooFileSize)) {
        return {kErrorOpeningYahooFile, 0};
    }
    if (!openPgnPath.empty() && (SameFile(targetPath, openPgnPath) || targetPath == openPgnPath)) {
        return {kSameAsCurrentPgnFile, 0};
    }
    if (SameFile(targetPath, yahooPath)) {
        return {kSameAsYahooFile, 0};
    }
    return ConvertYahooText(text, targetPath, hooks);
}

std::string ConvertedMessage(int games, const std::string& targetPath) {
    std::string name = targetPath.substr(targetPath.find_last_of('/') + 1);
    name = name.substr(0, name.find('.'));
    return std::string(games == 1 ? "Yahoo game converted to file " : "Yahoo games converted to file ") +
           name + ".pgn.";
}

}  // namespace ravelin::yahoo
