#include "app/cli_fastfile.h"

#include <fcntl.h>
#include <unistd.h>

#include <ostream>

#include "gamefile/game_file.h"
#include "gamefile/game_index.h"
#include "gamefile/progress_text.h"
#include "search/fast_file_output.h"
#include "search/fast_file_writer.h"
#include "search/header_fast_records.h"
#include "search/position_index.h"

namespace ravelin::app {

int RunFastFileCommand(const std::string& path, bool showProgress, std::ostream& out, std::ostream& err) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        err << gamefile::kErrorOpeningFile << "\n";
        return 1;
    }
    gamefile::GameIndex index;
    gamefile::IndexGameFile(fd, path, false, index);
    ::close(fd);

    search::FastFileJob job;
    job.pgnPath = path;
    job.offsets = index.offsets;
    search::FastFileHooks hooks;
    if (showProgress) {
        hooks.progress = [&err](int current, int total) {
            err << '\r'
                << gamefile::ProgressCounterText(gamefile::BackgroundKind::kFastFile,
                                                 gamefile::ProgressVariant::kPlain, {current, 0, total})
                << std::flush;
        };
    }
    const search::FastFileOutcome outcome = search::WriteFastFile(job, hooks);
    const bool made = outcome.status == search::FastFileStatus::kComplete ||
                      outcome.status == search::FastFileStatus::kFenWarning;
    if (made) {
        // Searches of later runs map these instead of building them.
        search::WritePositionIndexFile(search::FastMoveFilePath(path));
        search::FastHeaderRecords::WritePlacesFile(search::FastHeaderFilePath(path));
    }
    if (showProgress) {
        err << '\n';
    }
    out << search::FastFileStatusMessage(outcome.status) << "\n";
    return made ? 0 : 1;
}

}  // namespace ravelin::app
