#pragma once

#include <string>
#include <string_view>

namespace ravelin::platform {

// The working directory holds the options file, the caches of the ECO table and every other
// working file under its fixed name.
class WorkingPaths {
  public:
    explicit WorkingPaths(std::string directory) : directory_(std::move(directory)) {}
    const std::string& Directory() const { return directory_; }
    std::string File(std::string_view name) const { return directory_ + "/" + std::string(name); }

  private:
    std::string directory_;
};

// $XDG_DATA_HOME/ravelin, else $HOME/.local/share/ravelin, else ./ravelin. Either argument may be
// null or empty (unset variable). A relative XDG_DATA_HOME is ignored, as the XDG rules say.
std::string DefaultWorkingDirectory(const char* xdgDataHome, const char* home);

// Creates the directory and its parents when missing. Returns an empty string on success, else
// the reason.
std::string EnsureDirectory(const std::string& directory);

// The folder of the data the program ships (piece sets, the ECO table), looked up in this order:
// share/ravelin beside the folder of the running program (bin/../share/ravelin, as installed and
// as laid out in the build tree), then $RAVELIN_DATA_DIR. When neither is a directory the answer is
// the first candidate, so that the messages about missing files name where they were expected.
std::string ShippedDataDirectory();

// The lookup of ShippedDataDirectory for a given program path and value of RAVELIN_DATA_DIR (null
// or empty when unset).
std::string FindShippedDataDirectory(const std::string& executablePath, const char* dataDirVariable);

// Removes "--workdir DIR" (or "--workdir=DIR") from the argument list and returns DIR, or the
// default working directory from the environment when the option is absent.
std::string TakeWorkingDirectoryOption(int& argc, char** argv);

}  // namespace ravelin::platform
