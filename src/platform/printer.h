#pragma once

#include <string>
#include <vector>

namespace ravelin::platform {

// One printed document: pages of text lines, laid out by the core.
struct PrintDocument {
    std::string title;
    std::vector<std::vector<std::string>> pages;
};

class Printer {
public:
    virtual ~Printer() = default;
    // Shows the platform's print set-up and prints; false when cancelled or failed.
    virtual bool Print(const PrintDocument& document) = 0;
};

}  // namespace ravelin::platform
