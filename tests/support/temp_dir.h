#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ravelin::testing {

// A fresh directory under the system temporary directory, removed with everything in it when the
// object goes out of scope. Tests write every file they make in one of these.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(std::string_view name) const { return (path_ / name).string(); }

    // Writes bytes to a file in this directory and returns its full path.
    std::string Write(std::string_view name, std::string_view bytes) const;

  private:
    std::filesystem::path path_;
};

// Reads a whole file into a string (empty when it cannot be read).
std::string ReadWholeFile(const std::string& path);

// Path of a file under tests/data (the macro is defined for every test program).
inline std::string TestDataPath(std::string_view relative) {
    return std::string(RAVELIN_TEST_DATA) + "/" + std::string(relative);
}

}  // namespace ravelin::testing
