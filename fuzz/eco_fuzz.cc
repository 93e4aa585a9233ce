// libs: ravelin_eco ravelin_chess ravelin_platform
// Arbitrary bytes as the four ECO table files (codes, names, moves, sort order) and as one source
// file of the table builder. A table that loads must have every entry's texts inside its buffers.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "eco/eco_build.h"
#include "eco/eco_table.h"
#include "fuzz_files.h"

namespace {

bool Inside(std::string_view text, const std::vector<char>& buffer) {
    return text.data() >= buffer.data() && text.data() + text.size() <= buffer.data() + buffer.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace eco = ravelin::eco;
    static const std::string directory = [] {
        const std::string made = ravelin::fuzz::ScratchDirectory() + "/eco";
        std::filesystem::create_directories(made);
        return made;
    }();
    const auto parts = ravelin::fuzz::SplitParts(data, size, 5);
    const char* const files[] = {eco::kEcoCodesFile, eco::kEcoNamesFile, eco::kEcoMovesFile,
                                 eco::kEcoSortFile};
    for (std::size_t i = 0; i < 4; ++i) {
        ravelin::fuzz::WriteBytes(directory + "/" + files[i], parts[i]);
    }
    eco::EcoTable table;
    if (eco::LoadEcoTable(table, directory, {})) {
        for (int entry = 0; entry < table.count; ++entry) {
            if (!Inside(eco::EcoCode(table, entry), table.codes) ||
                !Inside(eco::EcoName(table, entry), table.names) ||
                !Inside(eco::EcoMoves(table, entry), table.moves)) {
                std::abort();
            }
        }
        eco::CheckEcoTable(table, directory, {});
    }
    eco::FreeEcoTable(table);
    eco::BuildEcoTable({std::string(parts[4])});
    return 0;
}
