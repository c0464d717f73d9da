#include <gtest/gtest.h>

#include <string>

#include "run_program.h"

namespace {

const std::string prompt = "Enter 5 integers separated by spaces: ";

RunResult addfive(const std::string& input) {
    RunOptions options;
    options.input = input;
    return runBuilt(ADDFIVE_PATH, {}, options);
}

TEST(Addfive, PrintsTheTotalOfFiveIntegers) {
    const struct {
        std::string input;
        std::string total;
    } cases[] = {
        {"1\n2\n3\n4\n5\n", "15"},
        {"-1 -2 -3 -4 -5\n", "-15"},
        {"2147483647 2147483647 2147483647 2147483647 2147483647\n", "2147483643"},
        {"-2147483648 -2147483648 0 0 0", "0"},
        {" \t\r\n\v\f+7 -0 0007 -2147483648 2147483647", "13"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        const RunResult r = addfive(c.input);
        EXPECT_EQ(r.out, prompt + "\nTheir sum is: " + c.total + "\n");
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.status, 0);
    }
}

// What follows the fifth integer stays for the next reader of the same
// input: from a file all of it, from a pipe all but the byte that ended it.
TEST(Addfive, LeavesWhatFollowsTheFifthIntegerUnread) {
    const struct {
        std::string input, restFromPipe, restFromFile;
    } cases[] = {
        {"1 2 3 4 5", "", ""},                               // input ends with the fifth integer
        {"1 2 3 4 5\n", "", "\n"},                           // a line end ends it
        {"1 2 3 4 5 6 seven\n", "6 seven\n", " 6 seven\n"},  // a space
        {"1 2 3 4 5-6\n", "6\n", "-6\n"},                    // a sign
        {"1 2 3 4 5x", "", "x"},                             // a letter
        {"1\n2\n3\n4\n5\nnext\n", "next\n", "\nnext\n"},     // lines follow
    };
    const std::string fromPipe = "\"$@\"; cat";
    const std::string fromFile = "f=$(mktemp); cat > \"$f\"; (\"$@\"; cat) < \"$f\"; rm \"$f\"";
    for (const auto& c : cases) {
        for (const std::string& script : {fromPipe, fromFile}) {
            SCOPED_TRACE(c.input + " through " + script);
            RunOptions options;
            options.input = c.input;
            const RunResult r = runProgram("/bin/sh", shellScript(script, ADDFIVE_PATH), options);
            const std::string& rest = script == fromPipe ? c.restFromPipe : c.restFromFile;
            EXPECT_EQ(r.out, prompt + "\nTheir sum is: 15\n" + rest);
            EXPECT_EQ(r.err, "");
            EXPECT_EQ(r.status, 0);
        }
    }
}

TEST(Addfive, ReportsInputThatIsNotFiveIntegers) {
    const struct {
        std::string input;
        std::string err;
    } cases[] = {
        {"", "read 0 of 5 integers; input ended"},
        {"1 2 3 4", "read 4 of 5 integers; input ended"},
        {"1 2 3 4 \n\n  ", "read 4 of 5 integers; input ended"},
        {"1 2 x3 4 5", "read 2 of 5 integers; 'x3' is not an integer"},
        {"1 2 3abc 4 5", "read 3 of 5 integers; 'abc' is not an integer"},
        {"- 1 2 3 4 5", "read 0 of 5 integers; '-' is not an integer"},
        {"1 +-2 3 4 5", "read 1 of 5 integers; '+-2' is not an integer"},
        {std::string("1 \x1b[2J\0 3 4 5", 13), "read 1 of 5 integers; '?[2J?' is not an integer"},
        {"1 \x7f~ 3 4 5", "read 1 of 5 integers; '?~' is not an integer"},
        {"1 " + std::string(40, '7'), "read 1 of 5 integers; '" + std::string(40, '7') + "' is out of range"},
        {"1 " + std::string(41, '7'), "read 1 of 5 integers; '" + std::string(40, '7') + "...' is out of range"},
        {"1 2 3 4 2147483648", "read 4 of 5 integers; '2147483648' is out of range"},
        {"-2147483649 1 2 3 4", "read 0 of 5 integers; '-2147483649' is out of range"},
        {"1 99999999999999999999999999999999999999999999999999",
         "read 1 of 5 integers; "
         "'9999999999999999999999999999999999999999...' "
         "is out of range"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        const RunResult r = addfive(c.input);
        EXPECT_EQ(r.out, prompt + "\n");
        EXPECT_EQ(r.err, "addfive: " + c.err + "\n");
        EXPECT_EQ(r.status, 1);
    }
}

TEST(Addfive, ReportsFailedReadsAndWrites) {
    const struct {
        std::string shellPrefix;
        StdoutTo to;
        std::string out, err;
    } cases[] = {
        {"", StdoutTo::DevFull, "", "addfive: write error: No space left on device\n"},
        {"exec 0<&-", StdoutTo::Capture, prompt + "\n", "addfive: read error: Bad file descriptor\n"},
        {"exec 0</", StdoutTo::Capture, prompt + "\n", "addfive: read error: Is a directory\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.err);
        RunOptions options;
        options.input = "1 2 3 4 5\n";
        options.stdoutTo = c.to;
        options.shellPrefix = c.shellPrefix;
        const RunResult r = runBuilt(ADDFIVE_PATH, {}, options);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.status, 1);
    }
}

}  // namespace
