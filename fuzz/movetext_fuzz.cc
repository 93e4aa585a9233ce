// libs: ravelin_gamefile ravelin_chess
// Movetext bytes through the parser, the replay, the annotation display of every ply and a few
// steps of the variation stepper: none of them may read or write outside their tables.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "chess/annotations.h"
#include "chess/chess_context.h"
#include "chess/movetext.h"
#include "chess/variation_stepper.h"

namespace {

// Hands out the input as lines the way the file reader does: split at line feeds, at most 255
// characters each.
class BytesLineSource : public ravelin::chess::MovetextLineSource {
  public:
    BytesLineSource(const std::uint8_t* data, std::size_t size)
        : text_(reinterpret_cast<const char*>(data), size) {}

    int NextLine(std::string_view& line, std::uint64_t& offset) override {
        if (position_ >= text_.size()) {
            return 0;
        }
        std::size_t end = text_.find('\n', position_);
        end = end == std::string_view::npos ? text_.size() : end;
        const std::size_t length =
            std::min<std::size_t>(end - position_, ravelin::chess::kMaxMovetextLineLength);
        line = text_.substr(position_, length);
        offset = position_;
        const std::size_t taken = length < end - position_ ? length : end - position_ + 1;
        position_ += taken;
        return static_cast<int>(taken);
    }

  private:
    std::string_view text_;
    std::size_t position_ = 0;
};

constexpr int kSteps = 40;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto context = ravelin::chess::MakeChessContext();
    static auto record = ravelin::chess::MakeGameRecord();
    context->batch = true;
    context->fenSwitch = false;
    BytesLineSource source(data, size);
    const int moves = ravelin::chess::ParseMovetext(*context, *record, source);
    ravelin::chess::SetStartPosition(*context);
    const int played = ravelin::chess::ReplayMoves(*context, moves);
    std::vector<std::string> lines;
    for (int ply = 0; ply <= record->plyCount && ply <= ravelin::chess::kMaxPly; ++ply) {
        ravelin::chess::AnnotationOutput output;
        output.list = &lines;
        ravelin::chess::ShowAnnotations(*record, ply, output);
    }
    ravelin::chess::VariationStepper stepper;
    stepper.Start();
    ravelin::chess::RestorePosition(*context, 0);
    int ply = 0;
    for (int step = 0; step < kSteps && stepper.depth >= 0; ++step) {
        ply = ravelin::chess::StepVariation(*context, *record, stepper, ply);
        if (ply < 0 || ply > ravelin::chess::kMaxPly || played < 0) {
            __builtin_trap();
        }
    }
    return 0;
}
