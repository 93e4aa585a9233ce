#pragma once

// "Html Diagram" and "Html Annotation": an HTML text to look at and edit. Html Diagram offers to
// save the edited text in a file of its own; Html Annotation hands it back to the page being built.

#include <cstddef>
#include <string>
#include <utility>

#include "platform/dialog.h"

namespace ravelin::shell {

inline constexpr char kHtmlDiagramTitle[] = "Html Diagram";
inline constexpr char kHtmlAnnotationTitle[] = "Html Annotation";
// The most text the editor holds; a longer text is shown but its edits are not taken back.
inline constexpr std::size_t kHtmlEditableSize = 299998;

class HtmlTextDialog : public platform::Dialog {
  public:
    HtmlTextDialog(std::string dialogTitle, std::string html)
        : text(std::move(html)), title_(std::move(dialogTitle)) {}
    std::string Title() const override { return title_; }
    bool TooBigToEdit() const { return text.size() > kHtmlEditableSize; }

    std::string text;  // CR LF line ends
    // Html Diagram: accepted with "Save", the text is to be written to a file the user names.
    bool save = false;

  private:
    std::string title_;
};

inline constexpr char kHtmlTitleDialogTitle[] = "Edit Html Title";
inline constexpr char kHtmlCommentDialogTitle[] = "Html Comment";
inline constexpr std::size_t kHtmlTitleFieldSize = 78;
inline constexpr std::size_t kHtmlCommentSize = 9998;

// "Title", "Heading" and "Sub Head" of an annotation page.
class HtmlTitleDialog : public platform::Dialog {
  public:
    std::string Title() const override { return kHtmlTitleDialogTitle; }
    std::string Validate() override;

    std::string title;
    std::string heading;
    std::string subHead;
};

// The comment being written on an annotation page.
class HtmlCommentDialog : public platform::Dialog {
  public:
    explicit HtmlCommentDialog(std::string comment) : text(std::move(comment)) {}
    std::string Title() const override { return kHtmlCommentDialogTitle; }
    std::string Validate() override;

    std::string text;
};

}  // namespace ravelin::shell
