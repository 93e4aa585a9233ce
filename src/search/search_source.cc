#include "search/search_source.h"

#include <fcntl.h>
#include <unistd.h>

#include "gamefile/game_file.h"

namespace ravelin::search {

OpenedSearchFile::OpenedSearchFile(const std::string& path, Indexing indexing)
    : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC)),
      reader_(std::make_unique<gamefile::LineReader>()),
      context_(chess::MakeChessContext()) {
    if (fd_ < 0) {
        return;
    }
    context_->batch = true;
    file_.path = path;
    file_.fileName = gamefile::NameOf(path);
    file_.reader = reader_.get();
    file_.context = context_.get();
    file_.gameCount = indexing == Indexing::kCountFirst ? gamefile::CachedGameCount(fd_, path) : -1;
    if (file_.gameCount < 0) {
        Index();
    } else {
        reader_->Attach(fd_);
    }
}

void OpenedSearchFile::Index() {
    if (fd_ < 0 || file_.index != nullptr) {
        return;
    }
    gamefile::IndexGameFile(fd_, file_.path, false, index_);
    // The scan moved the descriptor's position.
    reader_->Attach(fd_);
    file_.index = &index_;
    file_.gameCount = index_.Count();
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
