#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ravelin::engine {

// Cuts a byte stream into lines: LF, CR LF and a lone CR each end one; a line split across two
// pieces is joined; empty lines are dropped. A line longer than the limit is handed on in pieces
// of the limit, so the held text never grows without bound.
class LineAssembler {
  public:
    explicit LineAssembler(std::size_t maxLine = 4096) : maxLine_(maxLine) {}
    // The lines the piece completes, in order.
    std::vector<std::string> Feed(std::string_view piece);
    // The text of an unfinished last line (at the end of the stream it counts as a line).
    std::string TakeRest();

  private:
    std::size_t maxLine_;
    std::string partial_;
};

}  // namespace ravelin::engine
