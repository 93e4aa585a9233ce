#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ravelin::eco {

// The source opening list: tab-separated files with a header line and the columns eco, name and
// pgn ("1. e4 e5 2. Nf3"), read in this order.
inline constexpr const char* kEcoSourceFiles[] = {"a.tsv", "b.tsv", "c.tsv", "d.tsv", "e.tsv"};

// The four table files made from the source list, byte for byte as they are shipped, and what was
// left out of it.
struct EcoBuild {
    std::string codes;  // ravelin.eco
    std::string names;  // ravelin.ecn
    std::string moves;  // ravelin.ecm
    std::string order;  // ravelin.ecs: entries by code, ties in entry order
    int entries = 0;
    int sourceLines = 0;
    int leftOutTooLong = 0;          // more than 30 moves
    int leftOutLongMove = 0;         // a move of more than seven characters
    int leftOutUnplayable = 0;       // a move the program's rules refuse
    int leftOutMalformed = 0;        // not three columns, a bad code or an empty name
    std::vector<std::string> notes;  // one line per source line left out for a fault
};

// Replays every source line with the program's own SAN reader and writer, so each move is written
// exactly as the program writes it ("+" for checks), and lays out the four files.
EcoBuild BuildEcoTable(const std::vector<std::string>& sourceTexts);

// Reads the source files of a directory in kEcoSourceFiles order. False with the reason in error
// when one cannot be read.
bool ReadEcoSource(const std::string& directory, std::vector<std::string>& texts, std::string& error);

}  // namespace ravelin::eco
