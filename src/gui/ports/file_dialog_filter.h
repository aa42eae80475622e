#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kdk::gui {

// "desc|pattern|desc|pattern" as the name filters a Qt file dialog takes: each
// description keeps its text, and its patterns (";" separated) are put in
// parentheses after it unless the description already shows them that way.
std::vector<std::string> NameFiltersOf(std::string_view filter);

}  // namespace kdk::gui
