#include "shell/dialogs/annotation_dialogs.h"

#include "annotation/annotation_tags.h"
#include "annotation/annotation_text.h"
#include "chess/nag_text.h"

namespace ravelin::shell {

namespace {

constexpr int kTableNags = 139;
constexpr int kNoveltyNag = 146;
constexpr char kTextTooLong[] = "The text may hold at most 299999 characters.";

}  // namespace

std::string AnnotationTextDialog::Validate() {
    if (text.size() > kAnnotationEditSize) {
        return kTextTooLong;
    }
    if (forLine_) {
        const std::string line = annotation::LineItem(text);
        return line.empty() ? std::string() : annotation::CheckLine(line);
    }
    return annotation::CheckComment(annotation::CommentItem(text));
}

MoveAnnotationDialog::MoveAnnotationDialog() {
    for (int nag = 1; nag <= kTableNags; ++nag) {
        rows.push_back(std::to_string(nag) + " - " + std::string(chess::NagTableText(nag)));
    }
    rows.push_back("146 - Novelty");
}

int MoveAnnotationDialog::ChosenNag() const {
    return selected == static_cast<int>(rows.size()) - 1 ? kNoveltyNag : selected + 1;
}

std::string AnnotatorDialog::Validate() {
    return annotation::CheckAnnotator(value);
}

}  // namespace ravelin::shell
