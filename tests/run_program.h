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
    // Enough for any small run natively; large ones set more. Every limit is
    // multiplied by timeScale(), since the same run takes longer under the
    // sanitizer or an emulator.
    double timeoutSeconds = 10;
    std::string until;             // when set, the program is killed once its standard output holds this text
    std::string shellPrefix;       // when set, run through sh -c "PREFIX; exec PROGRAM ..." (for ulimit)
    bool countLinesOnly = false;   // count the lines of standard output instead of keeping it
    bool stopAndContinue = false;  // standard output a 4 KiB pipe, the program stopped and continued after each read
};

RunResult runProgram(const std::string& path, const std::vector<std::string>& args, const RunOptions& options = {});

// How many times longer than natively a run of this build may take: the
// build's TIME_SCALE, 1 for a native build.
double timeScale();

// The words that go before each program this tree built: the build's
// PROGRAM_LAUNCHER (an emulator such as qemu-i386), or none.
std::vector<std::string> launcher();

// Runs a program that this tree built, after the launcher.
RunResult runBuilt(const std::string& path, const std::vector<std::string>& args, const RunOptions& options = {});

// Arguments for /bin/sh that run `script`, in which "$@" stands for the
// program this tree built at `path`, after the launcher.
std::vector<std::string> shellScript(const std::string& script, const std::string& path);

// Skips a test whose meaning depends on the kernel's limits for the
// program itself: under a launcher they would apply to the launcher.
#define SKIP_UNDER_LAUNCHER(why) \
    if (!launcher().empty()) GTEST_SKIP() << "under the launcher " << launcher().front() << ", " << why

// Compares a program's output with what it should be. On a difference it
// says where the first one is: a line diff of large outputs would not fit in
// memory.
::testing::AssertionResult sameText(const std::string& actual, const std::string& expected);
