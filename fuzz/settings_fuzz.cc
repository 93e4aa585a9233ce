// libs: ravelin_settings
// Loads arbitrary bytes as the options file. Start-up must always end with a usable record:
// enumerations in range, texts terminated within their fields.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "settings/settings_startup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("ravelin-fuzz-savinfo-" + std::to_string(getpid())))
            .string();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    ravelin::settings::StartupEnvironment environment;
    environment.workingDirectory = "/tmp/ravelin";
    ravelin::settings::SettingsRecord record;
    ravelin::settings::LoadStartupSettings(path, environment, record);
    if (record.PgnDirectory().size() > 200 || record.PgnFileName().size() > 56) {
        std::abort();
    }
    int boardSize = static_cast<int>(record.BoardSize());
    if (boardSize < 0 || boardSize > 2) {
        std::abort();
    }
    return 0;
}
