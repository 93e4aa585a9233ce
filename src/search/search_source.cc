#include "search/search_source.h"

#include <fcntl.h>
#include <unistd.h>

#include "gamefile/game_file.h"

namespace ravelin::search {

OpenedSearchFile::OpenedSearchFile(const std::string& path)
    : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC)),
      reader_(std::make_unique<gamefile::LineReader>()),
      context_(chess::MakeChessContext()) {
    if (fd_ < 0) {
        return;
    }
    gamefile::IndexGameFile(fd_, path, false, index_);
    reader_->Attach(fd_);
    context_->batch = true;
    file_.path = path;
    file_.fileName = gamefile::NameOf(path);
    file_.reader = reader_.get();
    file_.index = &index_;
    file_.gameCount = index_.Count();
    file_.context = context_.get();
}

OpenedSearchFile::~OpenedSearchFile() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

bool OpenedSearchFile::TooManyGames() const {
    return index_.Count() >= gamefile::kMaxGames;
}

}  // namespace ravelin::search
