#include "app/cli_reports.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/cli_game.h"
#include "chess/annotations.h"
#include "chess/board.h"
#include "display/diagram_pieces.h"
#include "display/piece_set.h"
#include "gamefile/game_file.h"
#include "gamefile/game_loader.h"
#include "platform/file_util.h"
#include "platform/working_paths.h"
#include "reports/diagram_bitmap.h"
#include "reports/diagram_images.h"
#include "reports/html_annotation.h"
#include "reports/html_diagram.h"
#include "settings/settings_record.h"

namespace ravelin::app {

namespace {

// The diagrams of the command line are drawn in the default style (Classic).
constexpr int kDefaultStyle = 4;

enum class DiagramKind { kNone, kBmp, kJpeg, kHtml };

struct DiagramArguments {
    std::string file;
    int game = 0;
    int ply = 0;
    DiagramKind kind = DiagramKind::kNone;
    std::string output;
    bool flipped = false;
    bool colour = false;
    int border = 0;
    int style = kDefaultStyle;
};

bool ParseDiagramArguments(int argc, char** argv, DiagramArguments& arguments) {
    std::vector<std::string> positional;
    for (int i = 0; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--ply" && hasValue) {
            arguments.ply = std::atoi(argv[++i]);
        } else if (option == "--border" && hasValue) {
            arguments.border = std::atoi(argv[++i]);
        } else if (option == "--style" && hasValue) {
            arguments.style = std::atoi(argv[++i]);
        } else if ((option == "--bmp" || option == "--jpeg" || option == "--html") && hasValue &&
                   arguments.kind == DiagramKind::kNone) {
            arguments.kind = option == "--bmp"    ? DiagramKind::kBmp
                             : option == "--jpeg" ? DiagramKind::kJpeg
                                                  : DiagramKind::kHtml;
            arguments.output = argv[++i];
        } else if (option == "--flip") {
            arguments.flipped = true;
        } else if (option == "--colour" || option == "--color") {
            arguments.colour = true;
        } else if (option.starts_with("--")) {
            return false;
        } else {
            positional.push_back(option);
        }
    }
    if (positional.size() != 2 || arguments.kind == DiagramKind::kNone || arguments.ply < 0 ||
        arguments.border < 0 || arguments.border > reports::kMaxDiagramBorder || arguments.style < 0 ||
        arguments.style >= display::kPieceStyleCount) {
        return false;
    }
    arguments.file = positional[0];
    arguments.game = std::atoi(positional[1].c_str());
    return arguments.game >= 1;
}

std::string FolderOf(const std::string& path) {
    const std::string directory = gamefile::DirectoryOf(path);
    return directory.empty() ? "." : directory;
}

// The page and its images beside it.
bool WritePage(const std::string& path, const std::string& text, std::ostream& err) {
    if (!platform::WriteFileReplacing(path, text.data(), text.size())) {
        err << reports::kErrorCreatingFile << "\n";
        return false;
    }
    const std::string images = reports::DiagramImageDirectory(platform::ShippedDataDirectory());
    if (const std::string missing = reports::CopyDiagramImages(images, FolderOf(path)); !missing.empty()) {
        err << missing << ": the diagram image could not be copied from " << images << "\n";
        return false;
    }
    return true;
}

bool WritePicture(const DiagramArguments& arguments, const chess::Board& board, std::ostream& err) {
    const std::string pieces = platform::ShippedDataDirectory() + "/pieces";
    display::PieceSetLoad load =
        display::LoadPieceSet(pieces, arguments.style, settings::BoardSizeOption::kSmall);
    if (!load.set) {
        err << load.error << "\n";
        return false;
    }
    reports::DiagramColours colours;
    if (arguments.colour) {
        // The first-run board colours of the window.
        const settings::ColourPreset& preset = settings::kBuiltInColourPresets[2];
        const auto rgb = [](std::uint32_t value) {
            return reports::Rgb{static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                static_cast<std::uint8_t>(value >> 16)};
        };
        colours.dark = rgb(preset.darkSquares);
        colours.light = rgb(preset.lightSquares);
    }
    const reports::DiagramRaster raster =
        reports::DrawDiagram(reports::MakePalettedPieces(display::DiagramPieceCells(*load.set)), board,
                             arguments.flipped, arguments.border, colours);
    const bool jpeg = arguments.kind == DiagramKind::kJpeg;
    const std::vector<std::uint8_t> bytes =
        jpeg ? reports::EncodeDiagramJpeg(raster) : reports::EncodeDiagramBmp(raster);
    if (bytes.empty() || !reports::WriteDiagramFile(arguments.output, bytes)) {
        err << (jpeg ? reports::kErrorCreatingJpeg : reports::kErrorCreatingFile) << "\n";
        return false;
    }
    return true;
}

int DiagramCommand(int argc, char** argv, std::ostream& out, std::ostream& err) {
    DiagramArguments arguments;
    if (!ParseDiagramArguments(argc, argv, arguments)) {
        err << "usage: ravelin-cli diagram FILE N --ply P --bmp|--jpeg|--html OUT [--flip] [--colour] "
               "[--border 0-5] [--style 0-7]\n";
        return 2;
    }
    bool written = false;
    const int status = ReplayGamesOfFile(
        arguments.file, arguments.game, err,
        [&](int, const gamefile::GameHeader&, chess::ChessContext& context, const chess::GameRecord&,
            const gamefile::ReplaySummary& summary) {
            if (arguments.ply > summary.pliesPlayed) {
                err << "Game " << arguments.game << " has " << summary.pliesPlayed << " plies.\n";
                return;
            }
            const chess::Board board = chess::FromCompact(context.history.boards[arguments.ply]);
            if (arguments.kind != DiagramKind::kHtml) {
                written = WritePicture(arguments, board, err);
                return;
            }
            const std::string caption =
                arguments.ply == 0
                    ? std::string()
                    : reports::LastMoveCaption(arguments.ply,
                                               chess::SanView(context.moves.MoveOfPly(arguments.ply)));
            written =
                WritePage(arguments.output, reports::HtmlDiagramText(board, arguments.flipped, caption), err);
        });
    if (status != 0 || !written) {
        return 1;
    }
    out << arguments.output << "\n";
    return 0;
}

// The game's annotations after a ply, as display lines joined by line ends; empty when none.
std::string AnnotationText(const chess::GameRecord& record, int ply) {
    std::vector<std::string> lines;
    chess::AnnotationOutput output;
    output.list = &lines;
    output.width = static_cast<int>(reports::kMoveRunWidth);
    chess::ShowAnnotations(record, ply, output);
    std::string text;
    for (const std::string& line : lines) {
        text += (text.empty() ? "" : "\r\n") + line;
    }
    return text;
}

// The page of a game: the players and event as its title, the moves in runs broken after every
// annotated move, each annotation in a block quote, and a diagram of the final position.
std::string GamePage(const gamefile::GameHeader& header, chess::ChessContext& context,
                     const chess::GameRecord& record, int plies) {
    gamefile::HeaderDisplay display;
    gamefile::BuildHeaderDisplay(header, display);
    const std::string players =
        std::string(gamefile::TextOf(display.white)) + " - " + std::string(gamefile::TextOf(display.black));
    std::string event(gamefile::TextOf(display.event));
    for (const std::string_view more : {gamefile::TextOf(display.site), gamefile::TextOf(display.date)}) {
        if (!more.empty()) {
            event += (event.empty() ? "" : ", ") + std::string(more);
        }
    }
    reports::AnnotationPage page;
    page.Reset();
    page.SetTitle(players, players, event);
    const chess::PieceLetters letters{};
    auto addComment = [&](int ply) {
        page.comment = AnnotationText(record, ply);
        if (!page.comment.empty()) {
            page.EndComment();
        }
    };
    addComment(0);
    int start = 0;
    for (int ply = 1; ply <= plies; ++ply) {
        const bool annotated = !AnnotationText(record, ply).empty();
        if (!annotated && ply < plies) {
            continue;
        }
        // The moves up to this ply only: later entries are left empty.
        std::array<chess::SanText, chess::kMaxMovesPerSide> white{};
        std::array<chess::SanText, chess::kMaxMovesPerSide> black{};
        for (int p = 1; p <= ply; ++p) {
            (p % 2 == 1 ? white[(p - 1) / 2] : black[p / 2 - 1]) = context.moves.MoveOfPly(p);
        }
        int written = 0;
        page.AddMoveRun(reports::FormatMoveRun(white, black, start, letters, written));
        start += written;
        addComment(ply);
    }
    const std::string result(chess::SanView(record.result));
    if (!result.empty()) {
        page.AddMoveRun(result);
    }
    const std::string caption =
        plies == 0 ? std::string()
                   : reports::LastMoveCaption(plies, chess::SanView(context.moves.MoveOfPly(plies)));
    page.page += reports::HtmlDiagramText(chess::FromCompact(context.history.boards[plies]), false, caption);
    return page.SavedText();
}

int HtmlCommand(int argc, char** argv, std::ostream& out, std::ostream& err) {
    if (argc != 3 || std::atoi(argv[1]) < 1) {
        err << "usage: ravelin-cli html FILE N OUT\n";
        return 2;
    }
    bool written = false;
    const int status = ReplayGamesOfFile(
        argv[0], std::atoi(argv[1]), err,
        [&](int, const gamefile::GameHeader& header, chess::ChessContext& context,
            const chess::GameRecord& record, const gamefile::ReplaySummary& summary) {
            written = WritePage(argv[2], GamePage(header, context, record, summary.pliesPlayed), err);
        });
    if (status != 0 || !written) {
        return 1;
    }
    out << argv[2] << "\n";
    return 0;
}

}  // namespace

bool IsReportCommand(const char* command) {
    return std::strcmp(command, "diagram") == 0 || std::strcmp(command, "html") == 0;
}

int RunReportCommand(const char* command, int argc, char** argv, std::ostream& out, std::ostream& err) {
    return std::strcmp(command, "diagram") == 0 ? DiagramCommand(argc, argv, out, err)
                                                : HtmlCommand(argc, argv, out, err);
}

}  // namespace ravelin::app
