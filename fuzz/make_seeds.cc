// Writes the seed corpora of the fuzz targets whose files the program makes itself: a database,
// a merge file's opening tree, saved searches, a result file, annotation state and print lists,
// all made by the program's own writers from the test data, plus engine and adapter dialogues.
// Usage: ravelin-fuzz-seeds TEST_DATA_DIR CORPUS_DIR  (one folder per target under CORPUS_DIR)
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "database/database_build.h"
#include "database/database_format.h"
#include "database/database_journal.h"
#include "fuzz_files.h"
#include "gamefile/game_index.h"
#include "reports/html_annotation.h"
#include "reports/print_list.h"
#include "search/criteria_file.h"
#include "search/directory_search_file.h"
#include "search/search_result.h"
#include "tree/opening_tree.h"
#include "tree/tree_file.h"
#include "tree/tree_source.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Joined(const std::vector<std::string>& parts) {
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        joined += (i == 0 ? "" : std::string(ravelin::fuzz::kPartSeparator)) + parts[i];
    }
    return joined;
}

void Seed(const fs::path& corpus, const std::string& target, const std::string& name,
          const std::string& bytes) {
    fs::create_directories(corpus / target);
    ravelin::fuzz::WriteBytes((corpus / target / name).string(), bytes);
}

// The sample games' fast file pair copied into work, with the game count of the PGN file.
int CopySample(const fs::path& testData, const fs::path& work) {
    for (const char* name : {"sample.pgn", "sample.TRF", "sample.TRH"}) {
        fs::copy_file(testData / "fastfile" / name, work / name, fs::copy_options::overwrite_existing);
    }
    ravelin::gamefile::GameIndex index;
    ravelin::gamefile::IndexGameFileAt((work / "sample.pgn").string(), index);
    return index.Count();
}

void DatabaseSeed(const fs::path& work, int games, const fs::path& corpus) {
    const std::string gamesPath = (work / "seed.dbg").string();
    ravelin::database::BuildDatabase(gamesPath, ravelin::database::BuildMode::kNew,
                                     (work / "sample.pgn").string(), games);
    const ravelin::database::DatabasePaths paths = ravelin::database::PathsOf(gamesPath);
    // The root table as the target takes it: its non-empty entries, each after its key's index.
    const std::string root = ReadAll(paths.root);
    const std::string empty = ravelin::database::EncodeRootTable({ravelin::database::RootEntry{}});
    std::string sparseRoot;
    for (std::size_t key = 0; key * ravelin::database::kRootEntrySize < root.size(); ++key) {
        const std::string entry =
            root.substr(key * ravelin::database::kRootEntrySize, ravelin::database::kRootEntrySize);
        if (entry != empty) {
            std::uint8_t index[4];
            ravelin::database::WriteI32(index, static_cast<std::int32_t>(key));
            sparseRoot.append(reinterpret_cast<const char*>(index), 4).append(entry);
        }
    }
    Seed(corpus, "database_fuzz", "sample",
         Joined({ReadAll(paths.games), ReadAll(paths.header), ReadAll(paths.moves), ReadAll(paths.positions),
                 sparseRoot, "Kasparov"}));
    // The same set with the undo journal of an add to it (its root table left out: too big to mutate).
    ravelin::database::DatabaseImage image;
    ravelin::database::CheckDatabase(paths, &image);
    std::vector<bool> changed(image.games.size() / ravelin::database::kGameRecordSize, false);
    changed.front() = true;
    ravelin::database::WriteUndoJournal(paths, image, changed);
    const std::string journal = ReadAll(paths.undoJournal);
    Seed(corpus, "database_fuzz", "interrupted-add",
         Joined({ReadAll(paths.games), ReadAll(paths.header), ReadAll(paths.moves), ReadAll(paths.positions),
                 sparseRoot, "Kasparov", journal.substr(0, journal.size() - root.size())}));
}

void TreeSeed(const fs::path& work, const fs::path& corpus) {
    namespace tree = ravelin::tree;
    const std::string merge = (work / "merge.trm").string();
    fs::copy_file(work / "sample.TRF", merge, fs::copy_options::overwrite_existing);
    tree::OpeningTree opening(tree::MakeFastRecordSource(tree::TreeSourceKind::kMergeFile, merge, merge, 0),
                              tree::TreeWalkOptions{}, [](std::string_view) {});
    if (opening.Open()) {
        for (int step = 0; step < 3; ++step) {
            const std::vector<int> children = opening.Children();
            if (children.empty() || opening.Enter(children.front()) == tree::EnterResult::kFailed) {
                break;
            }
        }
        opening.RememberLine();
    }
    Seed(
        corpus, "tree_fuzz", "sample",
        Joined({ReadAll(merge), ReadAll(opening.TreePath()), ReadAll(tree::PathFileOf(opening.TreePath()))}));
}

void SearchSeeds(const fs::path& corpus) {
    namespace search = ravelin::search;
    for (const int kind : {search::kVariationSearch, search::kPositionSearch, search::kHeaderSearch}) {
        Seed(corpus, "search_files_fuzz", "criteria-" + std::to_string(kind),
             search::EncodeCriteriaFile(kind, search::kAlone, search::SearchCriteria{}));
    }
    search::ResultFileHeader header;
    header.directory = "/home/player/games";
    search::SearchResult result;
    result.matches.resize(3);
    std::string bytes = search::EncodeResultHeader(header);
    for (const char* name : {"dortmund", "world_matches"}) {
        bytes += search::EncodeResultRecord(header, search::RecordOfResult(name, result, header));
    }
    bytes += search::EncodeResultEnd();
    Seed(corpus, "search_files_fuzz", "searchqq.xyz", bytes);
}

void ReportSeeds(const fs::path& corpus) {
    namespace reports = ravelin::reports;
    reports::AnnotationState state;
    const char* const moves[][2] = {{"e4", "e5"}, {"Nf3", "Nc6"}, {"Bb5", "a6"}};
    for (std::size_t i = 0; i < std::size(moves); ++i) {
        std::strcpy(state.whiteMoves[i].data(), moves[i][0]);
        std::strcpy(state.blackMoves[i].data(), moves[i][1]);
    }
    state.startPly = 2;
    const std::vector<std::uint8_t> encoded = reports::EncodeAnnotationState(state);
    Seed(corpus, "report_state_fuzz", "page.htmx", std::string(encoded.begin(), encoded.end()));

    reports::PrintedGame normal;
    normal.headerLine1 = "File: sample.pgn   Game: 1";
    normal.headerLine2 = "White: A   Black: B";
    normal.whiteMoves = {"e4", "Nf3"};
    normal.blackMoves = {"e5", ""};
    normal.result = "1-0";
    reports::PrintedGame actual;
    actual.kind = reports::PrintedGame::Kind::kActual;
    actual.lines = {"[Event \"?\"]", "", "1. e4 e5 1-0"};
    std::string list;
    for (const reports::PrintedGame& game : {normal, actual}) {
        const std::vector<std::uint8_t> record = reports::EncodePrintedGame(game);
        list.append(record.begin(), record.end());
    }
    Seed(corpus, "report_state_fuzz", "print-list", list);
}

// The fast file target takes a split byte and a game count before the header and move files.
void FastFileSeed(const fs::path& work, int games, const fs::path& corpus) {
    const std::string header = ReadAll(work / "sample.TRH");
    const std::string moves = ReadAll(work / "sample.TRF");
    std::string bytes(2, '\0');
    bytes[0] = static_cast<char>(header.size() * 255 / (header.size() + moves.size()) + 1);
    bytes[1] = static_cast<char>(games);
    Seed(corpus, "fast_file_fuzz", "sample", bytes + header + moves);
}

// The index target takes a split byte before the index cache and the PGN file; indexing the sample
// wrote its cache.
void GameIndexSeed(const fs::path& work, const fs::path& corpus) {
    const std::string cache = ReadAll(work / "sample.PGO");
    const std::string pgn = ReadAll(work / "sample.pgn");
    const std::string split(1, static_cast<char>(cache.size() * 255 / (cache.size() + pgn.size()) + 1));
    Seed(corpus, "game_index_fuzz", "sample-with-cache", split + cache + pgn);
}

void YahooSeed(const fs::path& corpus) {
    Seed(corpus, "yahoo_fuzz", "two-games",
         ";Title: Yahoo! Chess Game\r\n;White: player one\r\n;Black: player two\r\n"
         ";Date: Sun Mar 05 20:15:23 GMT 2006\r\n\r\n1. e2-e4 e7-e5\r\n2. g1-f3 b8-c6\r\n3. o-o\r\n\r\n"
         ";Title: Yahoo! Chess Game\n;White: x\n;Black: y\n;Date: 2006\n\n1. d2-d4 d7-d5\n2. O-O-O\n\n");
}

void EngineSeeds(const fs::path& corpus) {
    const std::string commands =
        "new\nlevel 40 5 0\nsetboard r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3\n"
        "Bb5\ngo\nundo\nforce\nread game\nanalyze\nexit\nscore\nwhite\nback\nreset\nhelp\nquit\n";
    const std::string output =
        "id name engine\r\nuciok\r\nreadyok\r\ninfo depth 12 seldepth 18 score cp 31 nodes 120000 pv e7e5 "
        "g1f3\r\n"
        "info depth 20 score mate 3 pv d8h4\r\nbestmove e7e5 ponder g1f3\r\nmove e7e5\r\n";
    Seed(corpus, "engine_fuzz", "dialogue", Joined({commands, output, "1. e4 e5 2. Nf3 Nc6 *\n"}));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: ravelin-fuzz-seeds TEST_DATA_DIR CORPUS_DIR\n");
        return 2;
    }
    const fs::path testData = argv[1];
    const fs::path corpus = argv[2];
    const fs::path work = corpus / "work";
    fs::create_directories(work);
    const int games = CopySample(testData, work);
    DatabaseSeed(work, games, corpus);
    FastFileSeed(work, games, corpus);
    GameIndexSeed(work, corpus);
    YahooSeed(corpus);
    TreeSeed(work, corpus);
    SearchSeeds(corpus);
    ReportSeeds(corpus);
    EngineSeeds(corpus);
    fs::remove_all(work);
    return 0;
}
