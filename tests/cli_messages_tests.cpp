// The command line's own message table: one English row for each message, and the filling of
// its blanks with what the user typed.
#include <gtest/gtest.h>

#include "cli/Cli.h"
#include "cli/CliMessages.h"
#include "tests/CliHost.h"

namespace {

using cli::CliMessage;

TEST(CliMessageTable, HasOneAsciiRowForEveryIdInOrder) {
    const auto& rows = cli::CliMessageTable();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const cli::CliMessageRow& row = rows[i];
        EXPECT_EQ(static_cast<std::size_t>(row.id), i) << "row " << i << " is out of order or twice";
        ASSERT_NE(row.english, nullptr) << "row " << i;
        const std::string_view text = row.english;
        EXPECT_FALSE(text.empty()) << "row " << i << " has no text";
        for (unsigned char c : text) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "row " << i << ": " << text;
    }
    // The ids are numbered from 0 without gaps: the last id bounds them all.
    EXPECT_EQ(rows.size(), static_cast<std::size_t>(CliMessage::HibernationSizeRefused) + 1);
}

// What the user typed goes into a message as it is, even where it looks like a blank, and
// also when the message is put inside the line of a settings file that names it.
TEST(CliMessageFill, TypedTextThatLooksLikeABlankStaysAsItIs) {
    struct Case {
        std::vector<std::string> args;
        std::string input;  // standard input
        std::string said;
    };
    const Case cases[] = {
        {{"set", "%1=on"}, "", "tovika: unknown setting '%1'\n"},
        {{"set", "-f", "-"}, "%2 = x\n", "tovika: standard input:1: unknown setting '%2'\n"},
        {{"set", "-f", "-"}, "\n%3\n", "tovika: standard input:2: expected `key = value`\n"},
        {{"--lang", "%1"}, "", "tovika: --lang takes ja or en, not '%1'\n"},
        {{"%9"}, "", "tovika: unknown command '%9'; see --help\n"},
    };
    for (const Case& c : cases) {
        TestHost host;
        host.in.str(c.input);
        EXPECT_EQ(cli::Run(c.args, host), cli::kBadInput) << c.said;
        EXPECT_EQ(host.err.str(), c.said);
    }
}

}  // namespace
