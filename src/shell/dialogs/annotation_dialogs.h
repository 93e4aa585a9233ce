#pragma once

// The dialogs of the annotation mode: the one-text editor of comments and lines, the list of move
// annotations, and the annotator.

#include <string>
#include <utility>
#include <vector>

#include "platform/dialog.h"

namespace ravelin::shell {

inline constexpr char kEnterCommentTitle[] = "Enter Comment";
inline constexpr char kModifyCommentTitle[] = "Modify Comment";
inline constexpr char kEnterLineTitle[] = "Enter Line";
inline constexpr char kModifyLineTitle[] = "Modify Line";
inline constexpr char kMoveAnnotationTitle[] = "Move Annotation";
inline constexpr char kSetAnnotatorTitle[] = "Set Annotator";
inline constexpr char kChooseAnnotation[] = "Choose a move annotation first.";
// The edit text holds at most this many characters.
inline constexpr std::size_t kAnnotationEditSize = 299999;

// A comment or a line typed or changed as one text; forLine checks it as a line.
class AnnotationTextDialog : public platform::Dialog {
  public:
    AnnotationTextDialog(std::string title, std::string initial, bool forLine)
        : text(std::move(initial)), forLine_(forLine), title_(std::move(title)) {}
    std::string Title() const override { return title_; }
    std::string Validate() override;

    std::string text;

  private:
    bool forLine_;
    std::string title_;
};

// Every move annotation as "n - text", then "146 - Novelty"; the chosen row is taken.
class MoveAnnotationDialog : public platform::Dialog {
  public:
    MoveAnnotationDialog();
    std::string Title() const override { return kMoveAnnotationTitle; }
    std::string Validate() override { return selected < 0 ? kChooseAnnotation : std::string(); }
    // The number of the chosen row: its index + 1, 146 for the last row.
    int ChosenNag() const;

    std::vector<std::string> rows;
    int selected = -1;
};

class AnnotatorDialog : public platform::Dialog {
  public:
    explicit AnnotatorDialog(std::string initial) : value(std::move(initial)) {}
    std::string Title() const override { return kSetAnnotatorTitle; }
    std::string Validate() override;

    std::string value;
};

}  // namespace ravelin::shell
