#pragma once

// The tag lines at the top of a game's text: values read, replaced, added and removed in place.

#include <optional>
#include <string>
#include <string_view>

namespace ravelin::annotation {

// The value of the Annotator tag, nothing when the game has none.
std::optional<std::string> AnnotatorValue(std::string_view text);
// The value of any tag, nothing when the game has none.
std::optional<std::string> TagValue(std::string_view text, std::string_view name);
// Replaces the Annotator tag line (where it stood, or after the last tag line), or removes it for
// an empty value.
void SetAnnotator(std::string& text, std::string_view value);
// The same for any tag; with keepEmpty an empty value is written as "" instead of removing the tag.
void SetTagValue(std::string& text, std::string_view name, std::string_view value, bool keepEmpty = false);

// The message for an annotator value that cannot stand in its tag line, empty when it can.
std::string CheckAnnotator(std::string_view value);

}  // namespace ravelin::annotation
