#pragma once

// The program ships its piece sets and figurines in a folder of its own; the working directory gets
// a copy of each one that is missing there. Files already in the working directory are the user's
// and stay.

#include <string>
#include <vector>

namespace ravelin::display {

struct PieceSetInstallResult {
    std::vector<std::string> installed;  // file names copied now
    std::vector<std::string> failed;     // file names missing in both places or not copyable
};

PieceSetInstallResult InstallPieceSets(const std::string& shippedDirectory,
                                       const std::string& workingDirectory);
// The ten figurines of the move list, by the same rules.
PieceSetInstallResult InstallFigurines(const std::string& shippedDirectory,
                                       const std::string& workingDirectory);

}  // namespace ravelin::display
