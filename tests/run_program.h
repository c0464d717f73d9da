// Runs a program with an argument vector (no shell) and collects what it did.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct RunResult {
    std::string out;  // unless only its lines were counted
    std::size_t lines = 0;
    std::string err;
    int status = -1;  // exit status, or 128 + signal number when killed (9 on a timeout)
    double seconds = 0;
};

enum class StdoutTo { Capture, DevFull, Closed };

struct RunOptions {
    std::string input;  // written to standard input, which is then closed
    StdoutTo stdoutTo = StdoutTo::Capture;
    double timeoutSeconds = 10;   // enough for any small run; large ones set more
    std::string shellPrefix;      // when set, run through sh -c "PREFIX; exec PROGRAM ..." (for ulimit)
    bool countLinesOnly = false;  // count the lines of standard output instead of keeping it
};

RunResult runProgram(const std::string& path, const std::vector<std::string>& args, const RunOptions& options = {});

// Compares a program's output with what it should be. On a difference it
// says where the first one is: a line diff of large outputs would not fit in
// memory.
::testing::AssertionResult sameText(const std::string& actual, const std::string& expected);
