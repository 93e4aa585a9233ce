#include "eco/eco_export.h"

#include <filesystem>

#include "platform/file_util.h"

namespace ravelin::eco {

namespace {

constexpr char kCrLf[] = "\r\n";
// The break point is searched from this character backwards.
constexpr std::size_t kBreakSearchStart = 74;

}  // namespace

std::string ExportedName(std::string_view name) {
    if (name.size() < kExportNameLimit) {
        return std::string(name);
    }
    const std::size_t space = name.substr(0, kExportNameLimit).find_last_of(' ');
    if (space != std::string_view::npos) {
        return std::string(name.substr(0, space));
    }
    // No space to cut at: keep fewer than kExportNameLimit bytes, never half a UTF-8 character.
    std::size_t cut = kExportNameLimit - 1;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return std::string(name.substr(0, cut));
}

std::string ExportedMoves(std::string_view moves) {
    std::string text;
    std::string rest(moves);
    while (rest.size() >= kExportLineLimit) {
        const std::size_t stop = rest.find_last_of('.', kBreakSearchStart);
        const std::size_t space =
            stop == std::string::npos ? std::string::npos : rest.find_last_of(' ', stop);
        // A break must leave text on the line; otherwise the rest is written whole.
        if (space == std::string::npos || space == 0) {
            break;
        }
        text += rest.substr(0, space);
        text += kCrLf;
        rest.erase(0, space);
    }
    text += rest;
    text += kCrLf;
    return text;
}

std::string EcoPgnText(const EcoTable& table, const std::vector<int>& order) {
    std::string text;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const int entry = order[i];
        if (i > 0) {
            text += kCrLf;
        }
        text += "[ECO \"";
        text += EcoCode(table, entry);
        text += "\"]\r\n[Opening \"";
        text += ExportedName(EcoName(table, entry));
        text += "\"]\r\n";
        text += ExportedMoves(EcoMoves(table, entry));
    }
    return text;
}

bool ExportEcoPgnFiles(const EcoTable& table, const std::string& workingDirectory) {
    const std::string folder = workingDirectory + "/" + kOpeningsFolder;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const struct {
        const char* name;
        const std::vector<int>& order;
    } files[] = {{kEcoCodesPgn, table.ecoOrder}, {kEcoMovesPgn, table.byMoves}, {kEcoNamesPgn, table.byName}};
    bool allWritten = true;
    for (const auto& file : files) {
        const std::string text = EcoPgnText(table, file.order);
        allWritten = platform::WriteFileReplacing(folder + "/" + file.name, text.data(), text.size(),
                                                  platform::Durability::kCache) &&
                     allWritten;
    }
    return allWritten;
}

}  // namespace ravelin::eco
