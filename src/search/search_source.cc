#include "search/search_source.h"

#include <fcntl.h>
#include <unistd.h>

#include "gamefile/game_file.h"

namespace ravelin::search {

OpenedSearchFile::OpenedSearchFile(const std::string& path, Indexing indexing)
    : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ < 0) {
        return;
    }
    file_.path = path;
    file_.fileName = gamefile::NameOf(path);
    file_.gameCount = indexing == Indexing::kCountFirst ? gamefile::CachedGameCount(fd_, path) : -1;
    if (file_.gameCount < 0) {
        Index();
    }
}

void OpenedSearchFile::Index() {
    if (fd_ < 0 || file_.index != nullptr) {
        return;
    }
    gamefile::IndexGameFile(fd_, file_.path, false, index_);
    file_.index = &index_;
    file_.gameCount = index_.Count();
    // The reader and the replay context of a search that reads the PGN text (the scan moved the
    // descriptor's position, which the reader notes).
    reader_ = std::make_unique<gamefile::LineReader>();
    reader_->Attach(fd_);
    file_.reader = reader_.get();
    context_ = chess::MakeChessContext();
    context_->batch = true;
    file_.context = context_.get();
}

OpenedSearchFile::~OpenedSearchFile() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

bool OpenedSearchFile::TooManyGames() const {
    return file_.gameCount >= gamefile::kMaxGames;
}

}  // namespace ravelin::search
