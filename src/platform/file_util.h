#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ravelin::platform {

// Receives the new contents of a file piece by piece. Write returns false once a write failed;
// producers stop at the first false.
class FileSink {
  public:
    virtual ~FileSink() = default;
    virtual bool Write(const void* data, std::size_t size) = 0;
    bool Write(const std::string& text) { return Write(text.data(), text.size()); }
    // Writes length bytes of the file open as fd from offset on (a sink may let the kernel copy them).
    virtual bool CopyFrom(int fd, std::uint64_t offset, std::uint64_t length);
};

// Streams the contents into the sink; false aborts the write (the file stays as it was).
using ContentWriter = std::function<bool(FileSink&)>;

// The one way a file is rewritten. The new contents are streamed into a temporary file in the
// same directory as the file (the target of a symbolic link, so the link stays a link), which gets
// the old file's permissions and is renamed over the old file only after everything was written;
// readers and a crash at any moment see either the old or the new contents, never a mixture.
// Returns false (and leaves the old file untouched) when any step fails. A durable write also
// waits until the contents and the rename are on the disk; caches that can be made again skip that.
enum class Durability { kCache, kDurable };
bool WriteFileReplacing(const std::string& path, const ContentWriter& writeContents,
                        Durability durability = Durability::kDurable);
bool WriteFileReplacing(const std::string& path, const void* data, std::size_t size,
                        Durability durability = Durability::kDurable);

// Adds the streamed contents to the end of an existing file: the old contents and the addition are
// written as a replacement (above), so a failure or a crash leaves the file as it was. oldSize
// receives the size before.
bool AppendToFile(const std::string& path, const ContentWriter& writeContents, std::int64_t& oldSize);

// Replaces several files that belong together, so that readers see all of them old or all new,
// also after a crash. Each new file is first written whole beside its target (as "<target>.new"),
// then the journal names the set, then the files are renamed into place and the journal goes.
// Returns false when a file could not be written (the old set stays) or renamed.
struct FileContents {
    std::string path;
    std::string_view contents;
};
bool ReplaceFileSet(const std::string& journal, const std::vector<FileContents>& files);
// Called before a set is read: a journal left by a crash finishes the renames it names; without
// one, the new files of an unfinished write are removed.
void FinishFileSet(const std::string& journal, const std::vector<std::string>& targets);

// The steps of a rewrite, reported to the observer (crash tests stop the process at each of them).
enum class RewriteStep { kTemporaryCreated, kContentsWritten, kContentsSynced, kRenamed, kWrittenInPlace };
using RewriteObserver = void (*)(RewriteStep);
void SetRewriteObserver(RewriteObserver observer);
// Makes a rename or removal in the directory of path durable.
void SyncDirectoryOf(const std::string& path);
// For writers that change a file in place under a journal of their own.
void ReportRewriteStep(RewriteStep step);

// Reads a whole small file; false when it cannot be opened or read.
bool ReadSmallFile(const std::string& path, std::string& contents, std::size_t maxSize);

bool FileExists(const std::string& path);

// A read-only descriptor of an unnamed file in memory holding the contents (for readers that take
// a descriptor); -1 when it cannot be made. The caller closes it.
int OpenMemoryFile(std::string_view contents);

}  // namespace ravelin::platform
