#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "run_program.h"

namespace {

using Args = std::vector<std::string>;

RunResult pickfit(const Args& args, const RunOptions& options = {}) { return runProgram(PICKFIT_PATH, args, options); }

void expectLines(const Args& args, const std::string& lines) {
    const RunResult r = pickfit(args);
    EXPECT_EQ(r.out, lines);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
}

struct Case {
    Args args;
    std::string lines;
};

TEST(Pickfit, PrintsMatchingSelectionsInVisitingOrder) {
    const Case cases[] = {
        {{"3", "2", "3", "5", "5"}, "5=5\n2+3=5\n"},
        {{"2", "1", "4", "9", "5"}, "1+4=5\n"},  // the 9 stands between values and target
        {{"2", "1", "4"}, "4=4\n"},              // the last value is also the target
        {{"2", "x", "5", "5"}, "5=5\n0+5=5\n"},
        {{"2", "1", "2", "9"}, ""},
        {{"1", "7", "7"}, "7=7\n"},
        {{"1", "7", "3"}, ""},
        {{"2", "5", "5", "5"}, "5=5\n5=5\n"},
        {{"2", "1", "-1", "0"}, "1+-1=0\n"},
        {{"1", "0", "0"}, "0=0\n"},
        {{"4", "1", "2", "3", "4", "5"}, "2+3=5\n1+4=5\n"},
        {{"4", "0", "0", "0", "0", "0"},
         "0=0\n0=0\n0=0\n0=0\n0+0=0\n0+0=0\n0+0=0\n0+0+0=0\n0+0=0\n0+0=0\n0+0=0\n0+0+0=0\n0+0+0=0\n0+0+0=0\n"
         "0+0+0+0=0\n"},
        {{"2", "2147483647", "1", "-2147483648"}, "2147483647+1=-2147483648\n"},
        {{"3", "-2147483648", "-2147483648", "7", "7"}, "7=7\n-2147483648+-2147483648+7=7\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        expectLines(c.args, c.lines);
    }
}

TEST(Pickfit, ConvertsArgumentsLikeAtoiAndSaturates) {
    const Case cases[] = {
        {{"1", " \t-3x", "-3"}, "-3=-3\n"},
        {{"1", "+5", " 5 "}, "5=5\n"},
        {{"1", "- 5", "0"}, "0=0\n"},  // a sign not followed by a digit gives 0
        {{"1", "--5", "0"}, "0=0\n"},
        {{"1", "", "0"}, "0=0\n"},
        {{"1", "0x1F", "0"}, "0=0\n"},
        {{"1", "00042", "42"}, "42=42\n"},
        {{"1", "2147483648", "2147483647"}, "2147483647=2147483647\n"},
        {{"1", "99999999999999999999", "2147483647"}, "2147483647=2147483647\n"},
        {{"1", "-2147483649", "-2147483648"}, "-2147483648=-2147483648\n"},
        {{"1", "-99999999999999999999", "-2147483648"}, "-2147483648=-2147483648\n"},
        {{"1", "2147483647", "4294967295"}, "2147483647=2147483647\n"},  // the target saturates too
        {{"1.9", "5", "5"}, "5=5\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        expectLines(c.args, c.lines);
    }
}

TEST(Pickfit, RejectsCommandLinesThatCannotBeRead) {
    const Args cases[] = {
        {},
        {"1"},
        {"0", "5", "5"},
        {"-1", "5", "5"},
        {"x", "5", "5"},
        {"2", "1"},
        {"3", "1", "2"},
        {" \t\n12abc", "+12", "12"},
        {"99999999999", "1", "2"},
    };
    for (const Args& args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const RunResult r = pickfit(args);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "usage: pickfit N VALUE... TARGET\n");
        EXPECT_EQ(r.status, 1);
    }
}

// N zeros with target 0 match every one of the 2^N - 1 selections.
Args zeros(int n) {
    Args args{std::to_string(n)};
    args.insert(args.end(), static_cast<std::size_t>(n) + 1, "0");
    return args;
}

TEST(Pickfit, StopsAtTheFirstFailedWrite) {
    struct WriteCase {
        StdoutTo to;
        std::string err;
    };
    const WriteCase cases[] = {
        {StdoutTo::DevFull, "pickfit: write error: No space left on device\n"},
        {StdoutTo::Closed, "pickfit: write error: Bad file descriptor\n"},
    };
    for (const WriteCase& c : cases) {
        for (int n : {1, 24}) {
            RunOptions options;
            options.stdoutTo = c.to;
            options.timeoutSeconds = 30;
            const RunResult r = pickfit(zeros(n), options);
            EXPECT_EQ(r.err, c.err);
            EXPECT_EQ(r.status, 1);
            EXPECT_LT(r.seconds, 5.0) << "a failed write must end the run promptly";
        }
    }
}

// --- Differential test against an independent oracle ---------------------

// Where a selection stands in the visiting order: a node's first child drops
// its highest position, so the walk orders selections by their membership
// bits below the highest position, absent before present, and a selection
// before every selection that extends it.
bool visitedBefore(std::uint64_t a, std::uint64_t b) {
    const int topA = 63 - __builtin_clzll(a), topB = 63 - __builtin_clzll(b);
    for (int j = 0; j < std::min(topA, topB); ++j) {
        const bool inA = (a >> j) & 1, inB = (b >> j) & 1;
        if (inA != inB) return inB;
    }
    return topA < topB;
}

std::string oracle(const std::vector<std::int32_t>& values, std::int32_t target) {
    std::vector<std::uint64_t> matches;
    const std::uint64_t all = std::uint64_t{1} << values.size();
    for (std::uint64_t mask = 1; mask < all; ++mask) {
        std::uint32_t total = 0;
        for (std::size_t i = 0; i < values.size(); ++i) {
            if ((mask >> i) & 1) total += static_cast<std::uint32_t>(values[i]);
        }
        if (total == static_cast<std::uint32_t>(target)) matches.push_back(mask);
    }
    std::sort(matches.begin(), matches.end(), visitedBefore);
    std::string text;
    for (std::uint64_t mask : matches) {
        std::string line;
        for (std::size_t i = 0; i < values.size(); ++i) {
            if ((mask >> i) & 1) line += (line.empty() ? "" : "+") + std::to_string(values[i]);
        }
        text += line + "=" + std::to_string(target) + "\n";
    }
    return text;
}

TEST(Pickfit, OracleOrderMatchesTheDocumentedWalk) {
    // The order of the 15 selections of four positions, as the walk visits them.
    const std::vector<std::uint64_t> expected = {0b1,   0b10,   0b100,  0b1000, 0b1100, 0b110,  0b1010, 0b1110,
                                                 0b11,  0b101,  0b1001, 0b1101, 0b111,  0b1011, 0b1111};
    std::vector<std::uint64_t> sorted = expected;
    std::sort(sorted.begin(), sorted.end());
    std::sort(sorted.begin(), sorted.end(), visitedBefore);
    EXPECT_EQ(sorted, expected);
}

std::int32_t randomValue(std::mt19937& rng, int kind) {
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX), small(-3, 3), edge(0, 3);
    switch (kind) {
        case 0: return small(rng);
        case 1: return INT32_MAX - edge(rng);
        case 2: return INT32_MIN + edge(rng);
        case 3: return 0;
        default: return any(rng);
    }
}

TEST(Pickfit, AgreesWithOracleOnRandomInputs) {
    std::mt19937 rng(20261208);
    for (int round = 0; round < 300; ++round) {
        const int n = std::uniform_int_distribution<int>(1, 12)(rng);
        const int kinds = std::uniform_int_distribution<int>(1, 5)(rng);  // how many kinds of value to mix
        std::vector<std::int32_t> values;
        for (int i = 0; i < n; ++i) values.push_back(randomValue(rng, std::uniform_int_distribution<int>(0, kinds - 1)(rng)));
        std::uint32_t target = 0;
        switch (round % 4) {
            case 0: target = static_cast<std::uint32_t>(randomValue(rng, 4)); break;
            case 1: target = 0; break;
            default:
                for (std::int32_t v : values) {
                    if (rng() & 1) target += static_cast<std::uint32_t>(v);
                }
        }
        const auto t = static_cast<std::int32_t>(target);
        Args args{std::to_string(n)};
        for (std::int32_t v : values) args.push_back(std::to_string(v));
        if (round % 7 == 0) args.push_back("ignored");
        args.push_back(std::to_string(t));
        SCOPED_TRACE(::testing::PrintToString(args));
        expectLines(args, oracle(values, t));
    }
}

}  // namespace
