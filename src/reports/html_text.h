#pragma once

#include <string>
#include <string_view>

namespace ravelin::reports {

// Text from a game (names, event, comments) for an HTML page: the characters HTML gives a meaning
// ('<', '>', '&', '"') written as entities, so the page shows them as typed.
std::string HtmlEscape(std::string_view text);

}  // namespace ravelin::reports
