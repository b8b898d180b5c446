// Where a report's lines go, one by one, as soon as each is made: a memo of the window, the
// standard output of the command line, a list in the tests. The line is lent for the call:
// a writer builds every line in one buffer and a memo copies it into a buffer of its own that
// it keeps from the last fill, so a refill allocates nothing (the handlers' own work must
// stay a small part of the time their port instructions take on the notebook).
#pragma once

#include <functional>
#include <string>

namespace sys {

using LineSink = std::function<void(const std::string& line)>;

}  // namespace sys
