// Both programs against whatever a user or a script may throw at them:
// randomized command lines and inputs, the longest command lines, pipes
// closed early, and memory limits.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>

#include "pickfit_oracle.h"
#include "run_program.h"

namespace {

const std::string prompt = "Enter 5 integers separated by spaces: ";

// A short fixed-seed run by default; FUZZ_ITERATIONS and FUZZ_SEED make a
// longer or different one.
int fuzzIterations() {
    const char* text = std::getenv("FUZZ_ITERATIONS");
    return text != nullptr ? std::atoi(text) : 300;
}
std::mt19937 fuzzRng(std::uint32_t salt) {
    const char* text = std::getenv("FUZZ_SEED");
    return std::mt19937((text != nullptr ? static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10)) : 1u) ^ salt);
}

// How the C library converts a number: strtoll, then clamped to 32 bits.
std::int32_t referenceAtoi(const std::string& text) {
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return static_cast<std::int32_t>(std::max<long long>(INT32_MIN, std::min<long long>(INT32_MAX, value)));
}

std::string pick(std::mt19937& rng, std::initializer_list<const char*> choices) {
    return *(choices.begin() + std::uniform_int_distribution<std::size_t>(0, choices.size() - 1)(rng));
}

// Numbers with white space, signs, leading zeros and trailing text; huge
// numbers; numbers at the ends of the range; text that is no number.
std::string fuzzToken(std::mt19937& rng, int smallest, int largest) {
    std::uniform_int_distribution<int> kind(0, 9), digit(0, 9);
    std::string token;
    switch (kind(rng)) {
        case 0: {
            const int length = std::uniform_int_distribution<int>(10, 30)(rng);
            token = pick(rng, {"", "-", "+"});
            for (int i = 0; i < length; ++i) token += static_cast<char>('0' + digit(rng));
            return token;
        }
        case 1:
            return pick(rng, {"2147483647", "2147483648", "-2147483648", "-2147483649", "4294967296", "-0"});
        case 2:
            return pick(rng, {"", " ", "-", "+", "abc", "\t", "--5", "+-5", "0x10", "1e3", "\xff", "5 5"});
        case 3:
            return std::to_string(static_cast<std::int32_t>(rng()));
        default: {
            token = pick(rng, {"", "", "", " ", "\t\n ", "+", "-", "00"});
            token += std::to_string(std::uniform_int_distribution<int>(smallest, largest)(rng));
            return token + pick(rng, {"", "", "", " ", "x", ".5", "abc", "-3"});
        }
    }
}

TEST(Fuzz, PickfitOnRandomCommandLines) {
    std::mt19937 rng = fuzzRng(1);
    const int iterations = fuzzIterations();
    int accepted = 0;
    for (int iteration = 0; iteration < iterations; ++iteration) {
        // Counts stay small enough that every run ends quickly.
        Args args;
        std::uniform_int_distribution<int> small(0, 9);
        args.push_back(small(rng) < 8 ? fuzzToken(rng, 0, 14) : pick(rng, {"-3", "99999999999", "x", "", "0"}));
        const int more = std::uniform_int_distribution<int>(0, 18)(rng);
        for (int i = 0; i < more; ++i) args.push_back(fuzzToken(rng, -6, 6));
        if (referenceAtoi(args[0]) > 16) args[0] = "16";

        const std::int32_t n = args.empty() ? 0 : referenceAtoi(args[0]);
        const bool valid = args.size() >= 2 && n >= 1 && static_cast<std::int64_t>(args.size()) - 1 >= n;
        SCOPED_TRACE(::testing::PrintToString(args));
        const RunResult r = runBuilt(PICKFIT_PATH, args);
        accepted += valid;
        if (valid) {
            Values values;
            for (int i = 0; i < n; ++i) values.push_back(referenceAtoi(args[static_cast<std::size_t>(i) + 1]));
            EXPECT_TRUE(sameText(r.out, oracle(values, referenceAtoi(args.back()))));
            EXPECT_EQ(r.err, "");
            EXPECT_EQ(r.status, 0);
        } else {
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err, "usage: pickfit N VALUE... TARGET\n");
            EXPECT_EQ(r.status, 1);
        }
        if (::testing::Test::HasFailure()) break;
    }
    // Both kinds of command line must have come up.
    EXPECT_GT(accepted, iterations / 10);
    EXPECT_LT(accepted, iterations - iterations / 10);
}

TEST(Fuzz, AddfiveOnRandomInput) {
    std::mt19937 rng = fuzzRng(2);
    const int iterations = fuzzIterations();
    int totals = 0;
    for (int iteration = 0; iteration < iterations; ++iteration) {
        // Half the inputs start with four to six plain integers, which
        // the pieces that follow may or may not spoil.
        std::string input;
        const bool plain = rng() % 2 == 0;
        const int numbers = plain ? std::uniform_int_distribution<int>(4, 6)(rng) : 0;
        for (int i = 0; i < numbers; ++i) {
            input +=
                pick(rng, {"", " ", "\n", "\t "}) + std::to_string(static_cast<std::int32_t>(rng()) >> (rng() % 32));
            input += pick(rng, {" ", "\n", "\r\n", "\t"});
        }
        const int pieces = std::uniform_int_distribution<int>(0, plain ? 3 : 9)(rng);
        for (int i = 0; i < pieces; ++i) {
            switch (std::uniform_int_distribution<int>(0, 5)(rng)) {
                case 0:
                    input += pick(rng, {" ", "\n", "\t", "\r\n", "\v\f", "  "});
                    break;
                case 1:
                    input += static_cast<char>(rng());
                    break;  // any byte, NUL included
                default:
                    input += fuzzToken(rng, -1000, 1000) + pick(rng, {" ", " ", "\n", ""});
            }
        }
        // What the program must do, by the C library's own conversion.
        int read = 0;
        std::int64_t total = 0;
        const char* cursor = input.c_str();
        for (; read < 5; ++read) {
            char* end = nullptr;
            errno = 0;
            const long long value = std::strtoll(cursor, &end, 10);
            if (end == cursor || errno == ERANGE || value < INT32_MIN || value > INT32_MAX) break;
            total += value;
            cursor = end;
        }
        SCOPED_TRACE(::testing::PrintToString(input));
        RunOptions options;
        options.input = input;
        const RunResult r = runBuilt(ADDFIVE_PATH, {}, options);
        totals += read == 5;
        if (read == 5) {
            const auto wrapped = static_cast<std::int32_t>(static_cast<std::uint32_t>(total));
            EXPECT_EQ(r.out, prompt + "\nTheir sum is: " + std::to_string(wrapped) + "\n");
            EXPECT_EQ(r.err, "");
            EXPECT_EQ(r.status, 0);
        } else {
            EXPECT_EQ(r.out, prompt + "\n");
            const std::string start = "addfive: read " + std::to_string(read) + " of 5 integers; ";
            EXPECT_EQ(r.err.substr(0, start.size()), start);
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
            EXPECT_EQ(r.status, 1);
        }
        if (::testing::Test::HasFailure()) break;
    }
    EXPECT_GT(totals, iterations / 10);
    EXPECT_LT(totals, iterations - iterations / 10);
}

// The most values that fit on one command line here: the kernel takes
// argument and environment strings and their pointers up to ARG_MAX.
int mostValues(std::size_t bytesPerValue) {
    std::size_t environment = 0;
    for (char** e = environ; *e != nullptr; ++e) environment += std::string(*e).size() + 1 + sizeof(char*);
    const auto budget = static_cast<std::size_t>(sysconf(_SC_ARG_MAX)) - environment - 8192;
    return static_cast<int>(budget / (bytesPerValue + sizeof(char*)));
}

// A path as deep as the values are many: n ones and their total, whose one
// match takes every value, one level of the walk each.
Args deepestPath(int n) {
    Args args{std::to_string(n)};
    args.insert(args.end(), static_cast<std::size_t>(n), "1");
    args.push_back(std::to_string(n));
    return args;
}

std::string deepestLine(int n) {
    std::string line = "1";
    for (int i = 1; i < n; ++i) line += "+1";
    return line + "=" + std::to_string(n) + "\n";
}

TEST(HugeCommandLine, ServesAsManyValuesAsTheKernelAccepts) {
    SKIP_UNDER_LAUNCHER("the longest command line is the launcher's");
    const int n = mostValues(2);
    ASSERT_GT(n, 100000);
    const RunResult r = runBuilt(PICKFIT_PATH, deepestPath(n));
    EXPECT_TRUE(sameText(r.out, deepestLine(n))) << n << " values";
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
    std::cout << "[          ] " << n << " values in " << r.seconds << " s\n";
}

// 150,000 levels deep; then a target out of reach, which the bounds end at
// once, where a walk without them would not end.
TEST(HugeCommandLine, RunsOfOnes) {
    const int n = 150000;
    Args args = deepestPath(n);
    RunResult r = runBuilt(PICKFIT_PATH, args);
    EXPECT_TRUE(sameText(r.out, deepestLine(n)));
    EXPECT_EQ(r.status, 0);

    args.back() = "0";
    r = runBuilt(PICKFIT_PATH, args);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 0);
}

// Runs pickfit under the limits that the shell command `prefix` sets, for
// at most `seconds`.
RunResult pickfitUnder(const std::string& prefix, const Args& args, double seconds = 60) {
    RunOptions options;
    options.shellPrefix = prefix;
    options.timeoutSeconds = seconds;
    return runBuilt(PICKFIT_PATH, args, options);
}

// Whether /bin/true starts with these arguments under the limits that
// `prefix` sets: where it does not, no program can.
bool anyProgramStarts(const std::string& prefix, const Args& args) {
    RunOptions control;
    control.shellPrefix = prefix;
    return runProgram("/bin/true", args, control).status == 0;
}

// The walk keeps its stack of fixed parts in memory taken before the index,
// so the stack limit changes nothing: under every limit that lets a program
// start with the arguments, soft or hard, from 24 KiB (below that the C
// library cannot start reliably; 64 KiB for the sanitizer's runtime) to
// none, the output is exact. The largest is 99,999
// levels under the usual hard 8 MiB, the arguments alone taking 1 MiB.
TEST(HugeCommandLine, AnyStackLimitGivesTheSameOutput) {
    SKIP_UNDER_LAUNCHER("ulimit -s would apply to the launcher");
    const struct {
        Args args;
        std::string out;
    } cases[] = {
        {{"1", "5", "5"}, "5=5\n"},
        {commandLine(Values(40, 7), 280),
         "7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7+7=280\n"},
        {deepestPath(20000), deepestLine(20000)},
        {deepestPath(99999), deepestLine(99999)},
    };
    std::vector<std::string> limits = {"24", "32", "64", "128", "1024", "8192", "65536", "unlimited"};
#ifdef PROGRAMS_SANITIZED
    limits.erase(limits.begin(), limits.begin() + 2);
#endif
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.front() + " values");
        for (const std::string& kib : limits) {
            // Both limits, or the soft one alone under no hard limit.
            for (const bool hard : {true, false}) {
                const std::string prefix = hard ? "ulimit -s " + kib : "ulimit -H -s unlimited; ulimit -S -s " + kib;
                if (!anyProgramStarts(prefix, c.args)) continue;
                const RunResult r = pickfitUnder(prefix, c.args);
                EXPECT_TRUE(sameText(r.out, c.out)) << prefix;
                EXPECT_EQ(r.err, "") << prefix;
                EXPECT_EQ(r.status, 0) << prefix;
            }
        }
    }
}

// A write cut short, when pickfit is stopped and continued while a small
// pipe is full, goes on from where it stopped.
TEST(Pipes, AShortWriteGoesOn) {
    RunOptions options;
    options.stopAndContinue = true;
    const Values values{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, -7};
    const RunResult r = runBuilt(PICKFIT_PATH, commandLine(values, 0), options);
    EXPECT_TRUE(sameText(r.out, oracle(values, 0)));
    EXPECT_EQ(r.status, 0);
}

TEST(Pipes, ABrokenPipeEndsTheRunQuietly) {
    const std::string script = "\"$@\" 24 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 | head -n 1";
    const RunResult r = runProgram("/bin/sh", shellScript(script, PICKFIT_PATH));
    EXPECT_EQ(r.out, "0=0\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
}

// Under an address-space limit the index shrinks or goes, and the output
// stays exactly the same. Sanitized programs reserve terabytes of address
// space, so that build has no such test rather than a skipped one.
#ifndef PROGRAMS_SANITIZED
// The least limit in (refused, runs] that a run goes through under, by
// bisection.
int leastLimit(int refused, int runs, const std::function<bool(int)>& goesThrough) {
    while (runs - refused > 1) {
        const int middle = (refused + runs) / 2;
        (goesThrough(middle) ? runs : refused) = middle;
    }
    return runs;
}

RunResult underLimit(const Args& args, int kib, double seconds) {
    return pickfitUnder("ulimit -v " + std::to_string(kib), args, seconds);
}

// From the least limit a run goes through under, every limit in steps of
// 64 KiB past the largest index gives the same output. The kernel starts the
// stack a random 0 to 8 KiB lower each run, so the least limit found may have
// been a lucky draw, and the steps start 8 KiB above it. What the walk itself
// needs is taken first, and the index fits in what is left. Below that
// least limit a run says it is out of memory, or the C library cannot even
// be loaded; it never crashes, unless no program at all can start there.
// Two halves (wide values); rows of reachable totals that give way to the
// two halves (30 amounts), or to the lazy table and the filters (56
// amounts, in larger steps, and 25,000 ones whose path, as deep as the
// command line is long, needs the stack the walk took before the index),
// and 56 evenly spaced amounts whose rows are built with a rolling buffer;
// large indexes at a few limits, up to the largest (54 values that are 1
// modulo 256 and a target of 64: no line).
TEST(MemoryLimit, OutputStaysExact) {
    SKIP_UNDER_LAUNCHER("ulimit -v would apply to the launcher");
    std::mt19937 rng(44);
    Values wide, amounts, more, large, largest, deep(25000, 1), spaced, thinned;
    for (int i = 0; i < 24; ++i) wide.push_back(static_cast<std::int32_t>(rng()));
    for (int i = 0; i < 30; ++i) amounts.push_back(std::uniform_int_distribution<std::int32_t>(100, 99999)(rng));
    for (int i = 0; i < 56; ++i) more.push_back(std::uniform_int_distribution<std::int32_t>(100, 99999)(rng));
    for (int i = 0; i < 44; ++i) large.push_back(static_cast<std::int32_t>(rng()));
    for (int i = 0; i < 54; ++i) largest.push_back(static_cast<std::int32_t>(rng() << 8 | 1));
    for (int i = 0; i < 56; ++i) spaced.push_back(100000 + 17000 * i);
    // Amounts whose index, as the limit falls, is rows, then sets that keep
    // every position, then one in 2, 4, 8 and 16.
    for (int i = 0; i < 70; ++i) thinned.push_back(std::uniform_int_distribution<std::int32_t>(1, 999999)(rng));
    const struct {
        Args args;
        int sweepKib, stepKib;
        std::vector<int> limits;
    } cases[] = {
        {commandLine(wide, static_cast<std::int32_t>(totalOf(wide, 0x555555))), 1024, 64, {}},
        {commandLine(amounts, static_cast<std::int32_t>(totalOf(amounts, 0x10101010))), 1024, 64, {}},
        {commandLine(more, static_cast<std::int32_t>(totalOf(more, 0x1000000000001))), 2048, 256, {}},
        {commandLine(deep, 25000), 2048, 64, {}},
        {commandLine(spaced, 1016000), 2048, 64, {}},
        {commandLine(large, static_cast<std::int32_t>(totalOf(large, 0x555555555555))),
         0,
         0,
         {60000, 30000, 20000, 16000}},
        {commandLine(largest, 64), 0, 0, {800000, 400000, 150000}},
        {commandLine(thinned, thinned[3] + thinned[40] + thinned[69]), 0, 0, {20000, 9000, 7000, 5500, 4500, 4200}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.front() + " values");
        const RunResult full = runBuilt(PICKFIT_PATH, c.args);
        ASSERT_EQ(full.status, 0);
        // With less memory a run may take longer, its index smaller, but
        // within a bound that follows its full run: the slowest here took
        // 30 times as long, and a busy machine may double that. A filter
        // missing under a limit leaves runs of hours.
        const double seconds = std::max(60.0, 100 * full.seconds);
        const auto goesThrough = [&c, seconds](int kib) {
            const RunResult r = underLimit(c.args, kib, seconds);
            // Where even /bin/true cannot start with these arguments, the
            // kernel says so with a crash before any program runs.
            RunOptions control;
            control.shellPrefix = "ulimit -v " + std::to_string(kib);
            if (r.status != 0 && runProgram("/bin/true", c.args, control).status != 0) return false;
            if (r.status != 0) {
                EXPECT_TRUE(r.status == 127 || r.err == "pickfit: out of memory\n") << kib << ": " << r.err;
                EXPECT_LT(r.status, 128) << kib;
            }
            return r.status == 0;
        };
        std::vector<int> limits = c.limits;
        if (c.sweepKib > 0) {
            const int runs = leastLimit(1024, 65536, goesThrough);
            // Below it, in steps fine enough to meet every allocation that
            // can be refused there, a run says so and ends.
            for (int kib = 1024; kib < runs; kib += 128) goesThrough(kib);
            for (int kib = runs + 8; kib <= runs + c.sweepKib; kib += c.stepKib) limits.push_back(kib);
        }
        for (int kib : limits) {
            const RunResult r = underLimit(c.args, kib, seconds);
            EXPECT_TRUE(sameText(r.out, full.out)) << kib << " KiB";
            EXPECT_EQ(r.err, "") << kib << " KiB";
            EXPECT_EQ(r.status, 0) << kib << " KiB";
        }
    }
}
#endif

// On a terminal each line goes out as soon as it is complete, whatever
// standard input is. In the first two runs the first value alone is the one
// match: it is found at once, and then no other selection can match (the
// values are 1 modulo 2^16, so only 30 of them could, and 30 of them leave
// bit 16 clear where the target has it set), which no index of pickfit's
// can prove. The run goes on for hours, and is stopped once the line has
// come out, where a pipe would get nothing until the end. The last run is
// long enough for its last values to be tabulated, and on a terminal their
// lines are listed one by one: all of them come out. So do those of the run
// after it, whose table completes its first value only with its two 1s.
TEST(Terminal, ShowsEachLineAtOnce) {
    std::mt19937 rng(7);
    const auto value = [&rng](std::uint32_t low) { return static_cast<std::int32_t>((rng() << 17) | 1u << 16 | low); };
    Values endless{value(30)};
    while (endless.size() < 60) endless.push_back(value(1));
    const std::string line = std::to_string(endless[0]) + "=" + std::to_string(endless[0]) + "\r\n";
    Values values;
    for (int i = 0; i < 18; ++i) values.push_back(std::uniform_int_distribution<std::int32_t>(1, 9)(rng));
    const Values few{35, 3, 1, 5, 5, 4, 3, 6, 3, 4, 9, 5, 4, 7, 4, 1};
    const auto onTerminal = [](const std::string& text) {
        std::string lines;
        for (const char ch : text) lines += ch == '\n' ? "\r\n" : std::string(1, ch);
        return lines;
    };
    const struct {
        Args args;
        std::string input, out;
        bool stop;
    } cases[] = {
        {commandLine(endless, endless[0]), "", line, true},
        {commandLine(endless, endless[0]), " < /dev/null", line, true},
        {commandLine(values, 45), "", onTerminal(oracle(values, 45)), false},
        {commandLine(few, 37), "", onTerminal(oracle(few, 37)), false},
    };
    for (const auto& c : cases) {
        std::string command = "exec";
        for (const std::string& word : launcher()) command += " " + word;
        command += " '" + std::string(PICKFIT_PATH) + "'";
        for (const std::string& arg : c.args) command += " " + arg;
        RunOptions options;
        options.timeoutSeconds = 60;
        if (c.stop) options.until = c.out;
        const RunResult r = runProgram("/usr/bin/script", {"-qec", command + c.input, "/dev/null"}, options);
        EXPECT_TRUE(sameText(r.out, c.out)) << c.args.front() << " values" << c.input;
    }
}

}  // namespace
