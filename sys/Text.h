// Plain ASCII text helpers shared by the parsers of the program's text files and answers.
#pragma once

#include <string_view>

namespace sys {

// `text` without the spaces, tabs and line ends at either side.
inline std::string_view Trim(std::string_view text) {
    constexpr std::string_view kSpace = " \t\r\n";
    const auto first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

}  // namespace sys
