// Where a report's lines go, one by one, as soon as each is made: a memo of the window, the
// standard output of the command line, a list in the tests. The line is handed over whole.
#pragma once

#include <functional>
#include <string>

namespace sys {

using LineSink = std::function<void(std::string line)>;

}  // namespace sys
