// libs: ravelin_annotation ravelin_gamefile
// Arbitrary bytes as a game's text in the annotation buffer, with a position taken from the first
// two bytes: the item finders must answer with spans inside the text, and the edits built on them
// must keep to the text's bounds.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "annotation/annotation_text.h"

namespace {

using ravelin::annotation::TextSpan;

void CheckSpan(const std::optional<TextSpan>& span, std::size_t size) {
    if (span && (span->begin > span->end || span->end > size)) {
        std::abort();
    }
}

void CheckPoint(std::size_t point, std::size_t size) {
    if (point > size) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::size_t position = ((std::size_t{data[0]} << 8) | data[1]) % (text.size() + 1);
    namespace annotation = ravelin::annotation;

    CheckPoint(annotation::MovetextBegin(text), text.size());
    for (annotation::ItemKind kind : {annotation::ItemKind::kComment, annotation::ItemKind::kLine,
                                      annotation::ItemKind::kMoveAnnotation}) {
        const std::optional<TextSpan> item = annotation::FindItem(text, position, kind);
        CheckSpan(item, text.size());
        if (item) {
            std::string edited(text);
            annotation::DeleteItem(edited, *item);
            annotation::NormaliseSpacing(edited);
        }
    }
    CheckSpan(annotation::EnclosingLine(text, position), text.size());
    if (position < text.size() && (text[position] == '(' || text[position] == '{')) {
        const std::size_t close = annotation::MatchingClose(text, position);
        if (close != std::string_view::npos) {
            CheckPoint(close, text.size());
        }
    }
    CheckPoint(annotation::MoveStart(text, position), text.size());
    for (bool pastLines : {false, true}) {
        CheckPoint(annotation::AppendPoint(text, position, pastLines), text.size());
    }
    for (bool before : {false, true}) {
        std::string edited(text);
        annotation::InsertItem(edited, position, "{fuzz}", before);
        annotation::WriteBlackMoveNumber(edited, position, 1);
        annotation::DropBareBlackMoveNumber(edited, position);
    }
    std::string spaced(text);
    annotation::NormaliseSpacing(spaced);
    annotation::CheckComment(text);
    annotation::CheckLine(text);
    annotation::CommentItem(text);
    annotation::LineItem(text);
    annotation::Flattened(text);
    annotation::LinesFit(text);
    return 0;
}
