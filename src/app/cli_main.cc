// ravelin-cli: batch use of the program's core from a terminal.

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "app/cli_commands.h"
#include "platform/memory_allocation.h"
#include "platform/working_paths.h"

namespace {

void PrintUsage(std::ostream& out) {
    out << "usage: ravelin-cli [--workdir DIR] COMMAND ...\n"
           "  --workdir DIR       the working directory, where the ECO table is kept\n"
           "                      (default $XDG_DATA_HOME/ravelin)\n"
           "commands:\n"
           "  index FILE          index the games of a PGN file; prints the count and the time taken\n"
           "  fastfile FILE       make the fast file (FILE.TRF, FILE.TRH, with FILE.TRP and FILE.TRQ)\n"
           "  search [OPTIONS] FILE|DIR  variation, position and header search (search --help)\n"
           "  show FILE N         print game N: header lines, moves in SAN and annotations\n"
           "  fen FILE [N]        replay every game (or game N): number, plies played, final FEN\n"
           "  perft FEN DEPTH     count the legal move sequences of a position (FEN or \"startpos\")\n"
           "  moves FEN           list the legal moves of a position in SAN\n"
           "  eco FILE [N]        print the ECO code and name of each game (or game N) by closest match\n"
           "  tree FILE [--moves \"1.e4 c5\"] [--exact]\n"
           "                      the moves played next after the line: games, share, White's score\n"
           "  report scores|crosstable|openings FILE  player scores (name, points, wins, draws and\n"
           "                      losses by colour), cross table or opening statistics; --exact (names\n"
           "                      equal), --knockout (take the knockout format), --sort score|rating|name,\n"
           "                      --by-name (openings)\n"
           "  delete FILE N       delete game N of a PGN file\n"
           "  append FILE GAMES   add every game of GAMES (a PGN file, \"-\" for standard input) at the end\n"
           "  insert FILE N GAMES put every game of GAMES before game N\n"
           "  replace FILE N GAME put the one game of GAME in place of game N\n"
           "  adjust FILE         rewrite every game in the program's layout (comments and variations "
           "dropped)\n"
           "  check FILE [--delete]  list the first 10 bad games (\"N: message\"); exit 1 when there are "
           "any\n"
           "  dedupe FILE [--entire-file] [--look-ahead N] [--max-difference N]\n"
           "                      delete the later game of each duplicate pair (look-ahead 100, difference "
           "2)\n"
           "  fen-games FILE      delete the games set up from a FEN position\n"
           "  split FILE          share the games out over FILE1.pgn, FILE2.pgn... (FILEa.pgn... after a "
           "digit)\n"
           "  trim FILE           drop extra blanks and break lines that are too long\n"
           "  sort FILE           order the games by date, site (or event) and round\n"
           "  strip FILE          keep only the tags the program uses (and FEN)\n"
           "  yahoo IN OUT        add the Yahoo game records of IN to the PGN file OUT (results \"*\")\n"
           "  db create|add DB.dbg FILE.pgn, db check DB.dbg, db show DB.dbg N,\n"
           "  db search DB.dbg [OPTIONS]  the game database (db --help)\n"
           "  diagram FILE N --ply P --bmp|--jpeg|--html OUT [--flip] [--colour] [--border B] [--style S]\n"
           "                      the position after ply P of game N as a picture, or as an HTML page\n"
           "                      with its images beside it\n"
           "  html FILE N OUT     the annotation page of game N, with its images beside it\n"
           "  the file utilities take --dry-run: report what would change, write nothing\n";
}

}  // namespace

int main(int argc, char** argv) {
    ravelin::platform::KeepLargeBlocksInHeap();
    std::string workingDirectory = ravelin::platform::TakeWorkingDirectoryOption(argc, argv);
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintUsage(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? 2 : 0;
    }
    ravelin::app::CliContext context{workingDirectory, std::cout, std::cerr};
    std::string command = argv[1];
    int result = ravelin::app::RunCliCommand(context, command, argc - 2, argv + 2);
    if (result == ravelin::app::kUnknownCommand) {
        std::cerr << "ravelin-cli: unknown command \"" << command << "\"\n";
        PrintUsage(std::cerr);
        return 2;
    }
    return result;
}
