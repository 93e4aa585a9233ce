#include "gamefile/background_operation.h"

namespace ravelin::gamefile {

std::string_view BackgroundRefusal(BackgroundKind kind, bool mergeFile) {
    switch (kind) {
        case BackgroundKind::kDirectorySearch:
            return "Must terminate directory search first.";
        case BackgroundKind::kCheckFile:
            return "Must terminate file check first.";
        case BackgroundKind::kDuplicateGames:
            return "Must terminate duplicate games check first.";
        case BackgroundKind::kFastFile:
            return mergeFile ? "Must terminate merge file generation first."
                             : "Must terminate fast file generation first.";
        case BackgroundKind::kAdjustFile:
            return "Must terminate file adjust first.";
        case BackgroundKind::kSplitFile:
            return "Must terminate file split first.";
        case BackgroundKind::kMakeDatabase:
            break;
    }
    return "Must terminate current operation first.";
}

bool BackgroundKindCanCancel(BackgroundKind kind) {
    switch (kind) {
        case BackgroundKind::kFastFile:
        case BackgroundKind::kSplitFile:
        case BackgroundKind::kMakeDatabase:
            return false;
        default:
            return true;
    }
}

void StopBeforeExit(BackgroundOperation& operation) {
    if (operation.IsRunning() && BackgroundKindCanCancel(operation.Kind())) {
        operation.RequestCancel();
    }
    // A worker that has just finished may still be reporting: it is joined as well.
    operation.Join();
}

bool RefuseWhileBusy(const BackgroundOperation* operation,
                     const std::function<void(std::string_view)>& show) {
    if (operation == nullptr || !operation->IsRunning()) {
        return false;
    }
    show(BackgroundRefusal(operation->Kind(), operation->IsMergeFile()));
    return true;
}

}  // namespace ravelin::gamefile
