// Times the Select Game list of one PGN file: game_list_timing FILE ECO_DIR RUNS
// 1. the table built from the PGN text (no cache, no fast file), 2. built from the fast header
// file, 3. read back from the game list cache, 4. the list form opened on it and shown (offscreen).
// "Open" is 3 + 4: what "Select" costs once the file has its cache. Best and median of RUNS runs.

#include <QApplication>
#include <QListView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "eco/eco_table.h"
#include "gamefile/game_index.h"
#include "gui/report_dialog_widgets.h"
#include "search/fast_file_output.h"
#include "search/fast_file_writer.h"
#include "statistics/game_list_table.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void Report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%-36s best %8.1f ms   median %8.1f ms\n", what, times.front(), times[times.size() / 2]);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: game_list_timing FILE ECO_DIR RUNS\n");
        return 2;
    }
    const std::string path = argv[1];
    const int runs = std::max(1, std::atoi(argv[3]));
    ravelin::eco::EcoTable table;
    if (!ravelin::eco::LoadEcoTable(table, argv[2], [](ravelin::eco::EcoMessageKind, std::string_view) {})) {
        std::fprintf(stderr, "cannot load the ECO table of %s\n", argv[2]);
        return 1;
    }
    const ravelin::statistics::MainOpenings openings(table);
    ravelin::gamefile::GameIndex index;
    ravelin::gamefile::IndexGameFileAt(path, index);
    ravelin::statistics::ReportSource source;
    source.path = path;
    source.index = &index;
    source.gameCount = index.Count();
    std::printf("%s: %d games\n", path.c_str(), index.Count());
    const std::string cache = ravelin::statistics::GameListCachePath(path);
    std::filesystem::remove(ravelin::search::FastHeaderFilePath(path));
    std::filesystem::remove(ravelin::search::FastMoveFilePath(path));

    std::vector<double> fromText, fromFast, fromCache, form, open;
    for (int run = 0; run < runs; ++run) {
        std::filesystem::remove(cache);
        const auto start = Clock::now();
        ravelin::statistics::BuildGameListTable(source, table, openings);
        fromText.push_back(Ms(Clock::now() - start));
    }
    ravelin::search::FastFileJob job;
    job.pgnPath = path;
    job.offsets = index.offsets;
    ravelin::search::WriteFastFile(job, {});
    for (int run = 0; run < runs; ++run) {
        std::filesystem::remove(cache);
        const auto start = Clock::now();
        ravelin::statistics::BuildGameListTable(source, table, openings);
        fromFast.push_back(Ms(Clock::now() - start));
    }

    static int qtArgc = 1;
    static char name[] = "game_list_timing";
    static char* qtArgv[] = {name, nullptr};
    QApplication application(qtArgc, qtArgv);
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        const ravelin::statistics::GameListTable list =
            ravelin::statistics::BuildGameListTable(source, table, openings);
        const auto read = Clock::now();
        if (!list.fromCache) {
            std::fprintf(stderr, "the cache was not used\n");
            return 1;
        }
        ravelin::shell::ReportListDialog data;
        data.title = ravelin::shell::kSelectGameTitle;
        data.rowCount = static_cast<int>(list.entries.size());
        data.rowText = [&list](int row) {
            return ravelin::statistics::GameListRow(list.entries[static_cast<std::size_t>(row)], row + 1, 0);
        };
        data.buttons = {{"OK", false}};
        ravelin::gui::ReportListDialogWidget widget(data);
        widget.show();
        QApplication::processEvents();
        const auto shown = Clock::now();
        fromCache.push_back(Ms(read - start));
        form.push_back(Ms(shown - read));
        open.push_back(Ms(shown - start));
    }
    Report("table from the PGN text", fromText);
    Report("table from the fast header file", fromFast);
    Report("table from the cache", fromCache);
    Report("list form shown", form);
    Report("open (cache + form)", open);
    return 0;
}
