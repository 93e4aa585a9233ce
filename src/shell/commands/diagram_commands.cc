#include "shell/commands/diagram_commands.h"

#include <optional>
#include <string_view>

#include "chess/move_list.h"
#include "chess/piece_letters.h"
#include "display/diagram_pieces.h"
#include "display/piece_set.h"
#include "display/rgb_image.h"
#include "gamefile/game_file.h"
#include "platform/file_util.h"
#include "platform/working_paths.h"
#include "reports/diagram_images.h"
#include "reports/html_diagram.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/search_commands.h"
#include "shell/commands/variation_editor.h"
#include "shell/dialogs/html_text_dialog.h"
#include "shell/display_mode.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

// The window has no border width setting of its own: diagrams are drawn without a border.
constexpr int kDiagramBorder = 0;

std::string VariationMove(const search::SearchVariation& variation, int ply) {
    const chess::SanText& san =
        ply % 2 == 1 ? variation.whiteMoves[(ply - 1) / 2] : variation.blackMoves[ply / 2 - 1];
    return std::string(chess::SanView(san));
}

std::optional<std::string> ChooseFile(MainWindow& window, const char* title, const char* filter,
                                      settings::FileDialogSlot slot, std::string_view extension) {
    settings::SettingsRecord& settings = window.Settings();
    platform::FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.initialDirectory = settings.DialogDirectory(slot);
    request.fileName = settings.DialogFileName(slot);
    request.saveDialog = true;
    std::optional<std::string> chosen = window.Platform().files->ChooseFile(request);
    if (!chosen || chosen->empty()) {
        return std::nullopt;
    }
    const std::string directory = gamefile::DirectoryOf(*chosen);
    const std::string name = gamefile::ApplyExtensionRule(gamefile::NameOf(*chosen), extension);
    settings.SetDialogDirectory(slot, directory);
    settings.SetDialogFileName(slot, name);
    window.SaveSettings();
    return directory.empty() ? name : directory + "/" + name;
}

std::string FolderOf(const std::string& path) {
    const std::string directory = gamefile::DirectoryOf(path);
    return directory.empty() ? "." : directory;
}

// The page's images beside it; a failure is told, the page stays.
void CopyImagesBeside(MainWindow& window, const std::string& page) {
    const std::string source = reports::DiagramImageDirectory(platform::ShippedDataDirectory());
    if (!reports::CopyDiagramImages(source, FolderOf(page)).empty()) {
        window.Messages().ShowMessage(kDiagramImagesNotCopied);
    }
}

// "Html Diagram": the page in the working directory, shown in the editor, which may save the
// edited text elsewhere.
void HtmlDiagram(MainWindow& window) {
    const std::string path = window.Paths().File(reports::kDiagramFileName);
    if (!WriteHtmlDiagram(window, path)) {
        return;
    }
    std::string text;
    platform::ReadSmallFile(path, text, kHtmlEditableSize + 2);
    HtmlTextDialog dialog(kHtmlDiagramTitle, text);
    if (dialog.TooBigToEdit()) {
        window.Messages().ShowMessage(kDiagramTooBigToEdit);
        return;
    }
    if (!window.Platform().dialogs->RunDialog(dialog) || !dialog.save) {
        return;
    }
    const std::optional<std::string> target =
        ChooseFile(window, "Select Html File", "*.html", settings::FileDialogSlot::kHtml, ".html");
    if (!target) {
        return;
    }
    if (!platform::WriteFileReplacing(*target, dialog.text.data(), dialog.text.size())) {
        window.Messages().ShowMessage(reports::kErrorCreatingFile);
        return;
    }
    CopyImagesBeside(window, *target);
}

void HtmlDiagramToFile(MainWindow& window) {
    const std::optional<std::string> target =
        ChooseFile(window, "Select Html File", "*.html", settings::FileDialogSlot::kHtml, ".html");
    if (target) {
        WriteHtmlDiagram(window, *target);
    }
}

reports::Rgb RgbOf(std::uint32_t colourValue) {
    const display::RgbColour colour = display::FromColourValue(colourValue);
    return {colour.red, colour.green, colour.blue};
}

// "Bitmap" and "JPEG", with or without the board's colours.
void SaveDiagram(MainWindow& window, bool jpeg, bool withColour) {
    const std::optional<std::string> target =
        jpeg ? ChooseFile(window, "Select JPEG File", "*.jpg", settings::FileDialogSlot::kJpeg, ".jpg")
             : ChooseFile(window, "Select Bitmap File", "*.bmp", settings::FileDialogSlot::kBitmap, ".bmp");
    if (!target) {
        return;
    }
    const settings::SettingsRecord& settings = window.Settings();
    // Diagrams are drawn from the normal board's piece set of the chosen style.
    display::PieceSetLoad load = display::LoadPieceSet(window.Paths().Directory(), settings.PieceStyle(),
                                                       settings::BoardSizeOption::kSmall);
    if (!load.set) {
        window.Messages().ShowMessage(load.error);
        return;
    }
    reports::DiagramColours colours;
    if (withColour) {
        colours = {RgbOf(settings.DarkSquaresColour()), RgbOf(settings.LightSquaresColour()),
                   RgbOf(settings.BorderColour())};
    }
    const DiagramPosition position = CurrentDiagramPosition(window);
    const reports::DiagramRaster raster =
        reports::DrawDiagram(reports::MakePalettedPieces(display::DiagramPieceCells(*load.set)),
                             position.board, position.flipped, kDiagramBorder, colours);
    const std::vector<std::uint8_t> bytes =
        jpeg ? reports::EncodeDiagramJpeg(raster) : reports::EncodeDiagramBmp(raster);
    if (bytes.empty() || !reports::WriteDiagramFile(*target, bytes)) {
        window.Messages().ShowMessage(jpeg ? reports::kErrorCreatingJpeg : reports::kErrorCreatingFile);
        return;
    }
    window.Messages().ShowMessage(jpeg ? reports::kJpegComplete : reports::kBitmapComplete);
}

}  // namespace

DiagramPosition CurrentDiagramPosition(MainWindow& window) {
    DiagramPosition position;
    display::GameDisplay& display = window.Viewer().Display();
    position.flipped = display.Flipped();
    if (window.displayMode == kModePositionEdit) {
        position.board = window.Search().criteriaBoard.squares;
    } else if (window.displayMode == kModeVariationEdit) {
        const VariationEditor& editor = window.Searches().Variation();
        position.board = editor.ShownBoard();
        if (const int ply = editor.CurrentPly(); ply > 0) {
            std::string move = VariationMove(window.Search().criteria.variation, ply);
            chess::LocalisePieceLetters(move, display.Options().letters);
            position.caption = reports::LastMoveCaption(ply, move);
        }
    } else {
        position.board = display.HasGame() ? display.ShownBoard() : chess::MakeStartBoard();
        if (const int ply = display.CurrentPly(); display.HasGame() && ply > 0) {
            position.caption = reports::LastMoveCaption(ply, display.PlainMove(ply));
        }
    }
    return position;
}

bool WriteHtmlDiagram(MainWindow& window, const std::string& path) {
    const DiagramPosition position = CurrentDiagramPosition(window);
    const std::string text = reports::HtmlDiagramText(position.board, position.flipped, position.caption);
    if (!platform::WriteFileReplacing(path, text.data(), text.size())) {
        window.Messages().ShowMessage(reports::kErrorCreatingFile);
        return false;
    }
    CopyImagesBeside(window, path);
    return true;
}

void RegisterDiagramCommands(MainWindow& window) {
    window.Handlers().Set(kCmdHtmlDiagram, [&window] { HtmlDiagram(window); });
    window.Handlers().Set(kCmdHtmlDiagramToFile, [&window] { HtmlDiagramToFile(window); });
    window.Handlers().Set(kCmdBitmapDiagram, [&window] { SaveDiagram(window, false, false); });
    window.Handlers().Set(kCmdBitmapDiagramWithColour, [&window] { SaveDiagram(window, false, true); });
    window.Handlers().Set(kCmdJpegDiagram, [&window] { SaveDiagram(window, true, false); });
    window.Handlers().Set(kCmdJpegDiagramWithColour, [&window] { SaveDiagram(window, true, true); });
}

}  // namespace ravelin::shell
