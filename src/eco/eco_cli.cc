#include "eco/eco_cli.h"

#include <charconv>
#include <fstream>

#include "eco/eco_messages.h"
#include "eco/eco_table.h"
#include "eco/pgn_main_lines.h"
#include "platform/working_paths.h"

namespace ravelin::eco {

int RunEcoCommand(const std::string& workingDirectory, const std::string& shippedDirectory, int argc,
                  char** argv, std::ostream& out, std::ostream& err) {
    int only = 0;
    if (argc == 2) {
        const std::string_view number = argv[1];
        const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), only);
        if (error != std::errc{} || end != number.data() + number.size() || only < 1) {
            only = -1;
        }
    }
    if (argc < 1 || argc > 2 || only < 0) {
        err << "usage: ravelin-cli eco FILE [N]\n";
        return 2;
    }
    std::ifstream in(argv[0], std::ios::binary);
    if (!in) {
        err << "Error opening file.\n";
        return 1;
    }
    const std::string problem = platform::EnsureDirectory(workingDirectory);
    const std::string installed =
        problem.empty() ? InstallEcoTable(shippedDirectory, workingDirectory) : problem;
    if (!installed.empty()) {
        err << "ravelin-cli eco: " << installed << "\n";
    }
    EcoTable table;
    if (!LoadEcoTable(table, workingDirectory,
                      [&err](EcoMessageKind, std::string_view text) { err << text << "\n"; })) {
        return 1;
    }
    auto context = chess::MakeChessContext();
    int number = 0;
    PgnMainLineReader reader([&](PgnMainLine& game) {
        ++number;
        if (only != 0 && number != only) {
            return;
        }
        const int entry = ClassifyMainLine(table, *context, game);
        out << number << ": ";
        if (entry == kNoEcoEntry) {
            out << kNoOpeningMatch << "\n";
        } else {
            out << EcoCode(table, entry) << " " << EcoName(table, entry) << "\n";
        }
    });
    std::string line;
    while (std::getline(in, line)) {
        reader.Line(line);
    }
    reader.Finish();
    if (only > number) {
        err << "ravelin-cli eco: the file has " << number << " games\n";
        return 1;
    }
    return 0;
}

}  // namespace ravelin::eco
