#pragma once

// A printer without paper: pages of a fixed size, every character 10 pixels wide, and each page
// kept as the lines drawn on it. Tests script whether the set-up is cancelled.

#include <memory>
#include <string>
#include <vector>

#include "platform/printer.h"

namespace ravelin::platform {

struct PrintedLine {
    int x = 0;
    int y = 0;
    std::string text;
};

struct PrintedDocument {
    std::string name;
    int fontHeight = 0;
    std::vector<std::vector<PrintedLine>> pages;
    bool ended = false;
};

class HeadlessPrinter : public Printer {
  public:
    static constexpr int kCharacterWidth = 10;
    int pageWidth = 1020;
    int pageHeight = 1500;
    bool cancel = false;
    // Every document printed, in order.
    std::vector<PrintedDocument> documents;

    std::unique_ptr<PrintSurface> ChoosePrinter() override;
};

}  // namespace ravelin::platform
