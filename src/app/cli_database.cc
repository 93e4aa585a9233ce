#include "app/cli_database.h"

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "database/database_build.h"
#include "database/database_check.h"
#include "database/database_reader.h"
#include "database/database_search.h"
#include "gamefile/game_index.h"
#include "search/fast_file_reader.h"
#include "search/fast_file_writer.h"

namespace ravelin::app {

namespace {

constexpr char kUsage[] =
    "usage: ravelin-cli db create DB.dbg FILE.pgn   make a database of the games of FILE.pgn\n"
    "       ravelin-cli db add DB.dbg FILE.pgn      add the games of FILE.pgn to it\n"
    "       ravelin-cli db check DB.dbg\n"
    "       ravelin-cli db remake DB.dbg            make the games, root and position files again\n"
    "       ravelin-cli db show DB.dbg N            game N as PGN text\n"
    "       ravelin-cli db search DB.dbg [--white NAME] [--black NAME] [--player NAME] [--year REL]\n"
    "                 [--result RESULT] [--eco CODE] [--moves-count REL] [--site TEXT] [--event TEXT]\n"
    "                 [--position FEN] [--sort-year] [--descending] [--time]\n";

int Usage(CliContext& context) {
    context.err << kUsage;
    return 2;
}

// Indexes the PGN file and makes its fast file when it is missing or does not fit the file.
bool PrepareFastFile(CliContext& context, const std::string& pgnPath, int& gameCount) {
    gamefile::GameIndex index;
    gamefile::IndexGameFileAt(pgnPath, index);
    gameCount = index.Count();
    if (gameCount == 0) {
        context.err << "No games in " << pgnPath << "\n";
        return false;
    }
    if (search::FastFileIsCurrent(pgnPath, gameCount)) {
        return true;
    }
    search::FastFileJob job;
    job.pgnPath = pgnPath;
    job.offsets = index.offsets;
    const search::FastFileOutcome outcome = search::WriteFastFile(job, {});
    if (outcome.status != search::FastFileStatus::kComplete &&
        outcome.status != search::FastFileStatus::kFenWarning) {
        context.err << search::FastFileStatusMessage(outcome.status) << "\n";
        return false;
    }
    return true;
}

int Build(CliContext& context, database::BuildMode mode, const std::string& dbPath,
          const std::string& pgnPath) {
    int gameCount = 0;
    if (!PrepareFastFile(context, pgnPath, gameCount)) {
        return 1;
    }
    const database::BuildOutcome outcome = database::BuildDatabase(dbPath, mode, pgnPath, gameCount);
    if (outcome.status != database::BuildStatus::kComplete) {
        context.err << outcome.message << "\n";
        return 1;
    }
    context.out << outcome.message << " Games: " << outcome.gameCount << "\n";
    return 0;
}

int Check(CliContext& context, const std::string& dbPath) {
    if (!database::HasDatabaseExtension(dbPath)) {
        context.err << database::kNotADatabaseName << "\n";
        return 1;
    }
    const database::DatabaseCheck check = database::CheckDatabase(database::PathsOf(dbPath));
    (check.ok ? context.out : context.err) << check.message << "\n";
    return check.ok ? 0 : 1;
}

int Show(CliContext& context, const std::string& dbPath, const std::string& number) {
    database::Database db;
    if (const char* failure = db.Open(dbPath)) {
        context.err << failure << "\n";
        return 1;
    }
    const int game = std::atoi(number.c_str());
    std::string text;
    if (game < 1 || game > db.GameCount() || !database::ReadGameText(db, game - 1, text)) {
        context.err << "No game " << number << " in the database.\n";
        return 1;
    }
    context.out << text;
    return 0;
}

int Search(CliContext& context, const std::string& dbPath, int argc, char** argv) {
    database::DatabaseCriteria criteria;
    bool timed = false;
    for (int i = 0; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--sort-year") {
            criteria.sortByYear = true;
            continue;
        }
        if (option == "--descending") {
            criteria.descending = true;
            continue;
        }
        if (option == "--time") {
            timed = true;
            continue;
        }
        if (i + 1 >= argc) {
            return Usage(context);
        }
        const std::string value = argv[++i];
        if (option == "--white") {
            criteria.white = value;
        } else if (option == "--black") {
            criteria.black = value;
        } else if (option == "--player") {
            criteria.white = value;
            criteria.eitherColor = true;
        } else if (option == "--year") {
            criteria.year = value;
        } else if (option == "--result") {
            criteria.result = value;
        } else if (option == "--eco") {
            criteria.eco = value;
        } else if (option == "--moves-count") {
            criteria.moves = value;
        } else if (option == "--site") {
            criteria.site = value;
        } else if (option == "--event") {
            criteria.event = value;
        } else if (option == "--position") {
            criteria.position = database::FastBoardOfFen(value);
            if (!criteria.position) {
                context.err << "Not a FEN position: " << value << "\n";
                return 2;
            }
        } else {
            return Usage(context);
        }
    }
    database::Database db;
    if (const char* failure = db.Open(dbPath)) {
        context.err << failure << "\n";
        return 2;
    }
    const auto started = std::chrono::steady_clock::now();
    const database::DatabaseSearchOutcome outcome = database::SearchDatabase(db, criteria);
    const auto elapsed =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started);
    if (outcome.failure != nullptr) {
        context.err << outcome.failure << "\n";
        return 2;
    }
    database::GameRecord record;
    std::string header;
    database::HeaderValues values;
    for (const int index : outcome.games) {
        context.out << index + 1;
        if (db.Record(index, record) && db.Header(record, header, values)) {
            context.out << '\t' << values[database::kWhite] << '\t' << values[database::kBlack] << '\t'
                        << values[database::kResult] << '\t' << values[database::kDate];
        }
        context.out << '\n';
    }
    context.err << database::kNumberOfGamesFound << ": " << outcome.games.size() << "\n";
    if (timed) {
        context.err << "Time: " << elapsed.count() << " ms (the search, after opening the database)\n";
    }
    return outcome.games.empty() ? 1 : 0;
}

}  // namespace

int RunDatabaseCommand(CliContext& context, int argc, char** argv) {
    if (argc < 2) {
        return Usage(context);
    }
    const std::string action = argv[0];
    const std::string dbPath = argv[1];
    if ((action == "create" || action == "add") && argc == 3) {
        return Build(context, action == "create" ? database::BuildMode::kNew : database::BuildMode::kAdd,
                     dbPath, argv[2]);
    }
    if (action == "remake" && argc == 2) {
        const database::BuildOutcome outcome = database::RemakeDatabase(dbPath);
        (outcome.status == database::BuildStatus::kComplete ? context.out : context.err)
            << outcome.message << "\n";
        return outcome.status == database::BuildStatus::kComplete ? 0 : 1;
    }
    if (action == "check" && argc == 2) {
        return Check(context, dbPath);
    }
    if (action == "show" && argc == 3) {
        return Show(context, dbPath, argv[2]);
    }
    if (action == "search") {
        return Search(context, dbPath, argc - 2, argv + 2);
    }
    return Usage(context);
}

}  // namespace ravelin::app
