#pragma once

// The long file operation running on the worker thread, as the main window's dispatch sees it:
// while one runs every other command is refused with its message, and the program may only end
// after the worker has stopped.

#include <functional>
#include <string_view>

namespace ravelin::gamefile {

enum class BackgroundKind {
    kDirectorySearch = 0,
    kCheckFile = 1,  // also deleting FEN games
    kDuplicateGames = 2,
    kFastFile = 3,  // also making a merge file
    kAdjustFile = 4,
    kSplitFile = 5,
    kMakeDatabase = 6,
};

// The refusal shown while an operation of this kind runs. mergeFile selects the merge-file
// variant of the fast-file kind.
std::string_view BackgroundRefusal(BackgroundKind kind, bool mergeFile = false);

// Fast files, merge files, databases and splits cannot stop half-way: their output would be unusable.
bool BackgroundKindCanCancel(BackgroundKind kind);

// Implemented by the worker's owner.
class BackgroundOperation {
  public:
    virtual ~BackgroundOperation() = default;
    virtual bool IsRunning() const = 0;
    virtual BackgroundKind Kind() const = 0;
    virtual bool IsMergeFile() const { return false; }
    // Asks the worker to stop at the next item; it leaves the file as it was.
    virtual void RequestCancel() = 0;
    // Blocks until the worker thread has ended.
    virtual void Join() = 0;
};

// Stops a running operation before the program ends: the kinds that can stop are asked to; the
// others are left to finish. Either way the worker has ended when this returns, so it never dies
// in the middle of writing a file.
void StopBeforeExit(BackgroundOperation& operation);

// Shows the refusal of the running operation's kind and answers true when one runs, so that a
// command reached other than through the dispatch (a database command's first step) stops there.
bool RefuseWhileBusy(const BackgroundOperation* operation, const std::function<void(std::string_view)>& show);

}  // namespace ravelin::gamefile
