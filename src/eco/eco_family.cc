#include "eco/eco_family.h"

namespace ravelin::eco {

namespace {

struct FamilyRange {
    std::string_view first;
    std::string_view last;
    std::string_view name;
};

constexpr FamilyRange kFamilyRanges[] = {
    {"A00", "A00", "Polish,Grob,etc"},
    {"A01", "A01", "Nimzowitsch-Larsen"},
    {"A02", "A03", "Bird"},
    {"A04", "A09", "Reti"},
    {"A10", "A39", "English"},
    {"A40", "A40", "Queen's Pawn,etc"},
    {"A41", "A41", "Neo-Old Indian"},
    {"A42", "A42", "Modern"},
    {"A43", "A43", "Old Benoni"},
    {"A44", "A44", "Old Benoni,etc"},
    {"A45", "A45", "Trompowsky,Indian"},
    {"A46", "A46", "Indian"},
    {"A47", "A47", "Queen's Indian"},
    {"A48", "A49", "King's Indian Def"},
    {"A50", "A50", "Indian"},
    {"A51", "A52", "Budapest"},
    {"A53", "A55", "Old Indian"},
    {"A56", "A56", "Benoni,etc"},
    {"A57", "A59", "Benko gambit"},
    {"A60", "A79", "Benoni"},
    {"A80", "A99", "Dutch"},
    {"B00", "B00", "Nimzowitsch Def"},
    {"B01", "B01", "Scandinavian"},
    {"B02", "B05", "Alekhine"},
    {"B06", "B06", "Modern"},
    {"B07", "B09", "Pirc"},
    {"B10", "B19", "Caro-Kann"},
    {"B20", "B99", "Sicilian"},
    {"C00", "C19", "French"},
    {"C20", "C20", "Open game"},
    {"C21", "C22", "Center game"},
    {"C23", "C24", "Bishop's opening"},
    {"C25", "C28", "Vienna game"},
    {"C29", "C29", "Vienna gambit"},
    {"C30", "C32", "KGD"},
    {"C33", "C39", "KGA"},
    {"C40", "C40", "Latvian,etc"},
    {"C41", "C41", "Philidor"},
    {"C42", "C43", "Petroff"},
    {"C44", "C44", "Ponziani,Scotch"},
    {"C45", "C45", "Scotch"},
    {"C46", "C46", "3,4 Knights"},
    {"C47", "C49", "Four Knights"},
    {"C50", "C50", "Giuoco Piano,etc"},
    {"C51", "C52", "Evans gambit"},
    {"C53", "C54", "Giuoco Piano"},
    {"C55", "C59", "Two Knights"},
    {"C60", "C99", "Ruy Lopez"},
    {"D00", "D00", "Queen's Pawn,etc"},
    {"D01", "D01", "Richter-Veresov"},
    {"D02", "D02", "Queen's Pawn,etc"},
    {"D03", "D03", "Torre-Tartakower"},
    {"D04", "D05", "Colle"},
    {"D06", "D09", "QGD"},
    {"D10", "D19", "Slav"},
    {"D20", "D29", "QGA"},
    {"D30", "D30", "QGD"},
    {"D31", "D31", "Semi-Slav"},
    {"D32", "D42", "QGD"},
    {"D43", "D49", "Semi-Slav"},
    {"D50", "D69", "QGD"},
    {"D70", "D79", "Neo-Grunfeld"},
    {"D80", "D99", "Grunfeld"},
    {"E00", "E00", "Catalan,etc"},
    {"E01", "E09", "Catalan"},
    {"E10", "E10", "Blumenfeld,etc"},
    {"E11", "E11", "Bogo-Indian"},
    {"E12", "E19", "Queen's Indian"},
    {"E20", "E59", "Nimzo-Indian"},
    {"E60", "E99", "King's Indian Def"},
};

constexpr int IndexOf(std::string_view code) {
    return (code[0] - 'A') * 100 + (code[1] - '0') * 10 + (code[2] - '0');
}

constexpr std::array<std::string_view, kEcoFamilies> MakeFamilyNames() {
    std::array<std::string_view, kEcoFamilies> names{};
    for (const FamilyRange& range : kFamilyRanges) {
        for (int i = IndexOf(range.first); i <= IndexOf(range.last); ++i) {
            names[static_cast<std::size_t>(i)] = range.name;
        }
    }
    names[kUnknownFamily] = "???";
    return names;
}

constexpr std::array<std::string_view, kEcoFamilies> kFamilyNames = MakeFamilyNames();

}  // namespace

const std::array<std::string_view, kEcoFamilies>& EcoFamilyNames() {
    return kFamilyNames;
}

int EcoFamilyIndex(std::string_view code) {
    if (code.size() < 3 || code[0] < 'A' || code[0] > 'E' || code[1] < '0' || code[1] > '9' ||
        code[2] < '0' || code[2] > '9') {
        return kUnknownFamily;
    }
    return IndexOf(code);
}

}  // namespace ravelin::eco
