#pragma once

#include <string_view>

namespace ravelin::shell {

// The program's help page (HTML), shown by "Help".
std::string_view HelpPageHtml();

}  // namespace ravelin::shell
