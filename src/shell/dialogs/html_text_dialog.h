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

}  // namespace ravelin::shell
