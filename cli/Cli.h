// The command line: every job of the window by name, plus restore, compare and verified
// writes. It parses, calls the jobs that the window uses and prints; nothing here knows a
// port or a file format that the core does not.
#pragma once

#include <string>
#include <vector>

#include "cli/Host.h"

namespace cli {

// Exit statuses.
enum Status {
    kDone = 0,
    kDifferent = 1,   // diff found differences
    kBadInput = 2,    // usage or bad input: nothing written
    kHardware = 3,    // a refused port instruction, a silent firmware, a byte that reads back otherwise
    kFileFailed = 4,  // a file could not be read or written
};

// What each status means, as the usage text says it: every status once, in order.
struct StatusMeaning {
    Status status;
    const char* meaning;
};
inline constexpr StatusMeaning kStatusMeanings[] = {
    {kDone, "done"},
    {kDifferent, "diff found differences"},
    {kBadInput, "bad input (nothing written)"},
    {kHardware, "hardware or firmware failure"},
    {kFileFailed, "a file could not be read or written"},
};

// The names of the commands, in the order of the usage text: what the usage, the manual page,
// the guides and the fuzz dictionary list.
std::vector<std::string> CommandNames();

// Runs one command line (the arguments after the program's name) and returns its status.
int Run(const std::vector<std::string>& args, Host& host);

}  // namespace cli
