// ecogen: makes the ECO table files from the opening source list.
// Usage: ecogen SOURCE_DIR [OUT_DIR]   (OUT_DIR defaults to SOURCE_DIR)
// Every source line is replayed with the program's own SAN writer; lines of more than 30 moves or
// with a move of more than seven characters, and lines the rules refuse, are left out and counted.
// The table must come out with kShippedEcoEntries entries: the sort-file rebuild and the editor's
// base table depend on that number, so a different count is refused until the constant is changed.
#include <cstdio>
#include <string>

#include "eco/eco_build.h"
#include "eco/eco_table.h"
#include "platform/file_util.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: ecogen SOURCE_DIR [OUT_DIR]\n");
        return 2;
    }
    const std::string sourceDirectory = argv[1];
    const std::string outDirectory = argc == 3 ? argv[2] : sourceDirectory;
    std::vector<std::string> texts;
    std::string error;
    if (!ravelin::eco::ReadEcoSource(sourceDirectory, texts, error)) {
        std::fprintf(stderr, "ecogen: %s\n", error.c_str());
        return 1;
    }
    const ravelin::eco::EcoBuild build = ravelin::eco::BuildEcoTable(texts);
    for (const std::string& note : build.notes) {
        std::fprintf(stderr, "left out, %s\n", note.c_str());
    }
    std::printf(
        "source lines: %d\nentries: %d\nleft out: %d longer than 30 moves, %d with a move over 7 "
        "characters, %d unplayable, %d malformed\n",
        build.sourceLines, build.entries, build.leftOutTooLong, build.leftOutLongMove,
        build.leftOutUnplayable, build.leftOutMalformed);
    if (build.entries != ravelin::eco::kShippedEcoEntries) {
        std::fprintf(stderr,
                     "ecogen: the table has %d entries but kShippedEcoEntries is %d; change the constant "
                     "(src/eco/eco_table.h) if the new size is meant\n",
                     build.entries, ravelin::eco::kShippedEcoEntries);
        return 1;
    }
    const struct {
        const char* name;
        const std::string& bytes;
    } files[] = {{ravelin::eco::kEcoCodesFile, build.codes},
                 {ravelin::eco::kEcoNamesFile, build.names},
                 {ravelin::eco::kEcoMovesFile, build.moves},
                 {ravelin::eco::kEcoSortFile, build.order}};
    for (const auto& file : files) {
        const std::string path = outDirectory + "/" + file.name;
        if (!ravelin::platform::WriteFileReplacing(path, file.bytes.data(), file.bytes.size())) {
            std::fprintf(stderr, "ecogen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
