// The command line as the platform splits it and the application keeps it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frame/win/command_line.h"
#include "base/str_buffer.h"

namespace s::tests::app {

namespace {

using process::commandline::win::CommandLine;

std::string utf8(const char16_t* text) {
    std::string out;
    for (; *text; ++text)
        out += *text < 0x80 ? static_cast<char>(*text) : '?';
    return out;
}

struct SplitCase {
    const wchar_t* line;
    std::vector<std::string> arguments;
    bool startup;  // whether "-startup" is among them, ignoring case
};

class CommandLineSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(CommandLineSplit, KeepsFlagsInTheDashForm) {
    const SplitCase& c = GetParam();
    CommandLine* line = CommandLine::take();
    ASSERT_TRUE(process::commandline::win::splitArguments(c.line, *line));
    std::vector<std::string> got;
    for (int32_t i = 0; i < line->argumentCount(); ++i)
        got.push_back(utf8(line->argumentAt(i)));
    EXPECT_EQ(got, c.arguments);
    EXPECT_EQ(line->findArgument(u"-startup") >= 0, c.startup);
    line->release();
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineSplit,
    testing::Values(SplitCase{L"", {}, false}, SplitCase{L"   ", {}, false},
                    SplitCase{L"-startup", {"-startup"}, true},
                    SplitCase{L"/STARTUP", {"-STARTUP"}, true},
                    SplitCase{L"\"-startup\"", {"-startup"}, true},
                    SplitCase{L"--startup", {"--startup"}, false}, SplitCase{L"-", {"-"}, false},
                    SplitCase{L"/", {"-"}, false}, SplitCase{L"\"a b\" c", {"a b", "c"}, false},
                    SplitCase{L"x -StartUp", {"x", "-StartUp"}, true},
                    SplitCase{L"a\\\"b \"c\\\\\" d", {"a\"b", "c\\", "d"}, false},
                    SplitCase{L"\"/startup", {"-startup"}, true}));

TEST(CommandLine, OutOfRangeReadsEmptyAndResetForgets) {
    CommandLine* line = CommandLine::take();
    line->addArgument(u"startup", true, true);
    line->addArgument(u"plain", false, true);
    EXPECT_EQ(line->argumentCount(), 2);
    EXPECT_EQ(utf8(line->argumentAt(0)), "-startup");
    EXPECT_EQ(utf8(line->argumentAt(2)), "");
    EXPECT_EQ(utf8(line->argumentAt(-1)), "");
    line->afterParse();
    EXPECT_EQ(line->argumentCount(), 2);
    EXPECT_EQ(str::StrBuffer(line->className()).equals(u"s_process_commandline_win_CommandLine"),
              true);
    line->release();
    CommandLine* again = CommandLine::take();
    EXPECT_EQ(again->argumentCount(), 0);
    again->release();
}

}  // namespace

}  // namespace s::tests::app
