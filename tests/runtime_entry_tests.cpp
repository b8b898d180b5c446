// The Windows programs' own start-up routine (sys/win32/CrtStart*.cpp): the lists of
// constructors and destructors it runs, and the arguments it makes of the command line.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sys/CrtStartLists.h"

namespace {

std::string calls;
void CallA() { calls += 'a'; }
void CallB() { calls += 'b'; }
void CallC() { calls += 'c'; }

TEST(StartupLists, ConstructorsRunLastFirstAndDestructorsInOrder) {
    const auto uncounted = reinterpret_cast<sys::ListEntry>(~std::uintptr_t{0});
    const sys::ListEntry open[] = {uncounted, CallA, CallB, CallC, nullptr};
    const sys::ListEntry counted[] = {reinterpret_cast<sys::ListEntry>(std::uintptr_t{2}), CallA, CallB};
    const sys::ListEntry empty[] = {uncounted, nullptr};
    const struct { const sys::ListEntry* list; std::string constructors, destructors; } cases[] = {
        {open, "cba", "abc"},
        {counted, "ba", "ab"},
        {empty, "", ""},
    };
    for (const auto& c : cases) {
        calls.clear();
        sys::RunConstructors(c.list);
        EXPECT_EQ(calls, c.constructors);
        calls.clear();
        sys::RunDestructors(c.list);
        EXPECT_EQ(calls, c.destructors);
    }
}

TEST(StartupLists, ArgumentsFollowTheProgramNameAndItsBlanks) {
    const struct { const char* line; const char* arguments; } cases[] = {
        {"TOVIKA.exe", ""},
        {"TOVIKA.exe  /x y", "/x y"},
        {"\"C:\\Program Files\\TOVIKA.exe\"\t-a", "-a"},
        {"\"C:\\a b\\TOVIKA.exe\" ", ""},
        {"C:\\\x83\x5c\x83\x74\x83\x67\\TOVIKA.exe x", "x"},  // Shift-JIS in the name
        {"\"unclosed name x", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_STREQ(sys::ArgumentsOf(c.line), c.arguments) << c.line;
}

}  // namespace
