#include "annotation/annotation_session.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "annotation/annotation_text.h"
#include "gamefile/game_edit.h"
#include "platform/file_util.h"

namespace ravelin::annotation {

const char* AnnotationSession::LoadFromFile(const std::string& path, const gamefile::GameIndex& index,
                                            int game, const std::string& scratchPath) {
    std::string bytes;
    switch (gamefile::ReadGameBytes(path, index, game, kAnnotationBufferSize, bytes)) {
        case gamefile::GameBytesRead::kTooLong:
            return kGameTooBigToAnnotate;
        case gamefile::GameBytesRead::kFailed:
            return kErrorReadingGame;
        case gamefile::GameBytesRead::kRead:
            break;
    }
    const char* failure = LoadText(bytes, scratchPath);
    if (failure == nullptr) {
        path_ = path;
        index_ = index;
        game_ = game;
        original_ = std::move(bytes);
    }
    return failure;
}

const char* AnnotationSession::LoadText(std::string text, const std::string& scratchPath) {
    Close();
    if (text.size() > kAnnotationBufferSize) {
        return kGameTooBigToAnnotate;
    }
    text_ = std::move(text);
    scratchPath_ = scratchPath;
    scratchIndex_.offsets.assign(1, 0);
    if (const char* failure = WriteScratch()) {
        return failure;
    }
    active_ = true;
    changed_ = false;
    return nullptr;
}

const char* AnnotationSession::WriteScratch() {
    if (scratchFd_ >= 0) {
        close(scratchFd_);
        scratchFd_ = -1;
    }
    // A scratch copy that can be made again: no wait for the disk.
    if (!platform::WriteFileReplacing(scratchPath_, text_.data(), text_.size(),
                                      platform::Durability::kCache)) {
        return kErrorWritingScratchFile;
    }
    scratchFd_ = open(scratchPath_.c_str(), O_RDONLY | O_CLOEXEC);
    if (scratchFd_ < 0) {
        return kErrorWritingScratchFile;
    }
    reader_.Attach(scratchFd_);
    reader_.Seek(0);
    return nullptr;
}

const char* AnnotationSession::Commit(bool normalise) {
    if (normalise) {
        NormaliseSpacing(text_);
    }
    changed_ = true;
    return WriteScratch();
}

const char* AnnotationSession::SaveToFile() {
    if (!FromFile()) {
        return gamefile::kErrorSavingGame;
    }
    const char* failure = gamefile::ReplaceGameBytesIfUnchanged(path_, index_, game_, original_, text_);
    if (failure == nullptr) {
        original_ = text_;
        changed_ = false;
    }
    return failure;
}

void AnnotationSession::Close() {
    if (scratchFd_ >= 0) {
        reader_.Attach(-1);
        close(scratchFd_);
        scratchFd_ = -1;
    }
    if (active_ && !scratchPath_.empty()) {
        std::remove(scratchPath_.c_str());
    }
    active_ = false;
    changed_ = false;
    path_.clear();
    game_ = 0;
    original_.clear();
}

}  // namespace ravelin::annotation
