#pragma once

// The name of an ECO line being added or renamed: up to 400 characters, trailing blanks dropped,
// never empty and never more than one line.

#include <string>

#include "platform/dialog.h"
#include "tree/eco_editor.h"

namespace ravelin::shell {

inline constexpr char kEcoNameTitle[] = "ECO Line Name";

class Addeconamebox : public platform::Dialog {
  public:
    explicit Addeconamebox(std::string prefill) : name(std::move(prefill)) {}
    std::string Title() const override { return kEcoNameTitle; }
    std::string Validate() override {
        std::string problem;
        name = tree::CleanEcoName(name, problem);
        return problem;
    }

    std::string name;
};

}  // namespace ravelin::shell
