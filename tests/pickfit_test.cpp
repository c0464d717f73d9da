#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "pickfit_oracle.h"
#include "run_program.h"

namespace {

RunResult pickfit(const Args& args, const RunOptions& options = {}) { return runBuilt(PICKFIT_PATH, args, options); }

void expectLines(const Args& args, const std::string& lines, const RunOptions& options = {}) {
    const RunResult r = pickfit(args, options);
    EXPECT_TRUE(sameText(r.out, lines));
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
}

struct Case {
    Args args;
    std::string lines;
};

// Full-width values that wrap to the target in many ways: 14 MB of lines
// whose lengths vary, so that the output buffer's edge falls in every part
// of a line, values and targets alike.
Values wideValues() {
    Values values(20, INT32_MIN);
    values[3] = 5, values[8] = -5, values[12] = 1234, values[17] = -1234;
    return values;
}

// A span (the sum of |v|) of exactly 2^32: the total of the negative values
// and that of the positive ones are the same modulo 2^32.
Values spanOf2To32() {
    Values values(11, 1);
    values[0] = INT32_MIN, values[5] = INT32_MAX - 8;
    return values;
}

TEST(Pickfit, PrintsMatchingSelectionsInVisitingOrder) {
    const Case cases[] = {
        {commandLine(wideValues(), INT32_MIN), oracle(wideValues(), INT32_MIN)},
        {commandLine(spanOf2To32(), INT32_MIN), oracle(spanOf2To32(), INT32_MIN)},
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
        // A value whose key is 0xFFFFFFFF, where the table's keys wrap.
        {{"11", "2147483647", "-2147483648", "3", "4", "5", "-1", "7", "8", "9", "10", "11", "-1"},
         oracle({2147483647, INT32_MIN, 3, 4, 5, -1, 7, 8, 9, 10, 11}, -1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        expectLines(c.args, c.lines);
    }
}

TEST(Pickfit, ConvertsArgumentsLikeAtoiAndSaturates) {
    const Case cases[] = {
        {{"1", " \t-3x", "-3"}, "-3=-3\n"},
        {{"1", " \t\n\v\f\r7", "7"}, "7=7\n"},  // all six white-space characters
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
        // 2^40 lines: a run that went on after the first failed write would
        // not end in time.
        for (int n : {1, 40}) {
            RunOptions options;
            options.stdoutTo = c.to;
            options.timeoutSeconds = 60;
            const RunResult r = pickfit(zeros(n), options);
            EXPECT_EQ(r.err, c.err);
            EXPECT_EQ(r.status, 1);
        }
    }
    // A reader that stops after 4 MB, well into the lines of 60 zeros that
    // come from the rows' table: it must fail the same way.
    RunOptions options;
    options.shellPrefix =
        "trap '' PIPE; f=${TMPDIR:-/tmp}/pickfit-$$; mkfifo \"$f\"; "
        "head -c 4000000 <\"$f\" >/dev/null & exec >\"$f\"; rm \"$f\"";
    options.timeoutSeconds = 60;
    const RunResult r = pickfit(zeros(60), options);
    EXPECT_EQ(r.err, "pickfit: write error: Broken pipe\n");
    EXPECT_EQ(r.status, 1);
}

TEST(Pickfit, OracleOrderMatchesTheDocumentedWalk) {
    // The order of the 15 selections of four positions, as the walk visits them.
    const std::vector<std::uint64_t> expected = {0b1,  0b10,  0b100,  0b1000, 0b1100, 0b110,  0b1010, 0b1110,
                                                 0b11, 0b101, 0b1001, 0b1101, 0b111,  0b1011, 0b1111};
    std::vector<std::uint64_t> sorted = expected;
    std::sort(sorted.begin(), sorted.end());
    std::sort(sorted.begin(), sorted.end(), visitedBefore);
    EXPECT_EQ(sorted, expected);
}

std::int32_t randomValue(std::mt19937& rng, int kind) {
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX), small(-3, 3), edge(0, 3);
    switch (kind) {
        case 0:
            return small(rng);
        case 1:
            return INT32_MAX - edge(rng);
        case 2:
            return INT32_MIN + edge(rng);
        case 3:
            return 0;
        default:
            return any(rng);
    }
}

// Value lists that stress the search: equal values, zeros, alternating
// signs, values near both ends of the range (totals wrap), and mixtures;
// then the narrow spans (sum of |v|) that integer totals index: amounts,
// mixed signs, spans of exactly 2^32 - 1 or 2^32, positive values whose
// totals pass 2^31, and zeros but for three ones, whose many lines (for a
// target of 1 or 2) make the walk long enough to list its last positions
// from a table, of every size up to 21; last, small values among values
// near 2^30 and 2^31, whose integer totals reach past 2^32 and 2^33, so
// that a target stands for two or three of them.
Values valuesOfKind(std::mt19937& rng, int kind, int n) {
    Values values;
    const std::int32_t one = randomValue(rng, 4);
    const auto between = [&rng](std::int32_t low, std::int32_t high) {
        return std::uniform_int_distribution<std::int32_t>(low, high)(rng);
    };
    if (kind == 10) {
        values.assign(static_cast<std::size_t>(n), 0);
        std::fill(values.begin(), values.begin() + 3, 1);
        std::shuffle(values.begin(), values.end(), rng);
        return values;
    }
    if (kind == 8) {  // |INT32_MIN| + |INT32_MAX - (n - 2) + wider| + (n - 2) ones
        const int wider = between(0, 1);
        values = {INT32_MIN, INT32_MAX - std::max(0, n - 2 - wider)};
        while (static_cast<int>(values.size()) < n) values.push_back(between(0, 1) == 0 ? 1 : -1);
        std::shuffle(values.begin(), values.end(), rng);
        return Values(values.begin(), values.begin() + n);
    }
    for (int i = 0; i < n; ++i) {
        switch (kind) {
            case 6:
                values.push_back(between(100, 100000));
                break;
            case 7:
                values.push_back(between(-1000000, 1000000));
                break;
            case 9:
                values.push_back(between(INT32_MAX / n / 2, INT32_MAX / (n + 1) * 2));
                break;
            case 11:
                values.push_back(between(0, 2) == 0 ? between(1, 9) : (1 << 30 << between(0, 1)) - between(1, 9));
                break;
            case 0:
                values.push_back(one);
                break;
            case 1:
                values.push_back(0);
                break;
            case 2:
                values.push_back(i % 2 == 0 ? 5 : -5);
                break;
            case 3:
                values.push_back(randomValue(rng, 1 + (i % 2)));
                break;
            case 4:
                values.push_back(randomValue(rng, 4));
                break;
            default:
                values.push_back(randomValue(rng, std::uniform_int_distribution<int>(0, 4)(rng)));
        }
    }
    return values;
}

TEST(Pickfit, AgreesWithOracleOnRandomInputs) {
    std::mt19937 rng(20261208);
    for (int n : {1, 2, 3, 4, 5, 7, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22}) {
        for (int kind = 0; kind < 12; ++kind) {
            for (int targetKind = 0; targetKind < 4; ++targetKind) {
                const Values values = valuesOfKind(rng, kind, n);
                std::uint32_t target = 0;  // targetKind 0: zero
                if (targetKind == 1) target = totalOf(values, ~std::uint64_t{0});
                if (targetKind == 2) target = totalOf(values, rng() | std::uint64_t{1});
                if (targetKind == 3) target = static_cast<std::uint32_t>(rng());        // rarely reachable
                if (n > 14 && (kind == 1 || (kind == 2 && targetKind == 0))) continue;  // millions of lines
                if (kind == 10 ? n < 12 || targetKind == 0 || targetKind == 3 : n > 20) continue;
                if (kind == 10) target = static_cast<std::uint32_t>(targetKind);
                const auto t = static_cast<std::int32_t>(target);
                Args args = commandLine(values, t);
                if (targetKind == 2) args.insert(args.end() - 1, "ignored");
                SCOPED_TRACE(::testing::PrintToString(args));
                expectLines(args, oracle(values, t));
            }
        }
    }
}

// Runs of 40 to 48 random values, too many for brute force: the output
// must be exactly the selections that total the target, in visiting order.
// Their lines come from the two halves; from 44 on the texts of the table's
// subsets take too much room to be kept, and a line that the output
// block's end cuts is written value by value: at 48, 17 MB of such lines.
TEST(Pickfit, FindsEveryMatchAmongFortyValues) {
    std::mt19937 rng(40);
    RunOptions options;
    options.timeoutSeconds = 60;
    for (const int n : {40, 44, 48}) {
        const Values values = valuesOfKind(rng, 4, n);
        const auto target = static_cast<std::int32_t>(totalOf(values, 0x5555555555));
        const std::string expected = oracle(values, target);
        EXPECT_GT(std::count(expected.begin(), expected.end(), '\n'), 100);
        expectLines(commandLine(values, target), expected, options);
    }
}

// Up to 54 values over the whole 32-bit range, where the two halves do all
// the pruning and their first half reaches 29 positions: as many lines as
// an independent count, whose pairing of the halves' sorted totals takes
// 768 MiB at 52 values. At 54, every value 1 modulo 256 and the target 64,
// which no total of 54 of them can be, the whole index is built and finds
// nothing, within i386's address space too.
// Then thousands of lines of up to 38 values of 11 characters each, which
// must fit in the output buffer wherever its end falls. Which lines come in
// which order, the oracle differential checks.
TEST(Pickfit, CountsEveryMatchAmongManyValues) {
    std::mt19937 rng(5254);
    RunOptions options;
    options.countLinesOnly = true;
    options.timeoutSeconds = 300;
    std::vector<std::pair<Values, std::int32_t>> cases;
    for (const int n : {44, 48, 52, 54}) {
        Values values;
        for (int i = 0; i < n; ++i) values.push_back(static_cast<std::int32_t>(n < 54 ? rng() : rng() << 8 | 1));
        cases.emplace_back(
            values, n < 54 ? static_cast<std::int32_t>(totalOf(values, rng() | std::uint64_t{rng()} << 32)) : 64);
    }
    Values longest(14, 1);
    longest.push_back(0);
    for (int i = 0; i <= 30; ++i) longest.push_back(INT32_MIN + (1 << i));
    cases.emplace_back(longest, 5);
    // 24 zeros, all of whose 2^24 - 1 selections match: the rows' table of
    // 22 would hold more entries than it may, and one of 21 is built.
    cases.emplace_back(Values(24, 0), 0);
    for (const auto& [values, target] : cases) {
        const RunResult r = pickfit(commandLine(values, target), options);
        EXPECT_EQ(r.lines, values.size() != 54 ? countMatches(values, target) : 0) << values.size() << " values";
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.status, 0);
    }
}

// Long runs, past the two halves' reach: a target out of reach ends the run
// at once, and a target exactly at a bound is still found. Narrow spans
// index every position by reachable totals; wide ones leave the first
// positions to the residue filter, and the last ones to the table that the
// walk builds when it gets there. All values even and the target odd, the
// run ends before any index is built; values that are all 1000 modulo 2^16
// can match only alone.
TEST(Pickfit, PrunesLongRuns) {
    std::mt19937 rng(60);
    Values ones(60, 1), counting, band, signs(60, 1), amounts, even, alone(52, 1000 + (20000 << 16)),
        lazy(31, 1000 + (30000 << 16));
    signs[0] = -1;
    for (int i = 1; i <= 60; ++i) counting.push_back(i);
    for (int i = 0; i < 60; ++i) band.push_back(std::uniform_int_distribution<std::int32_t>(1000, 2000)(rng));
    for (int i = 0; i < 60; ++i) amounts.push_back(std::uniform_int_distribution<std::int32_t>(100, 999)(rng));
    for (int i = 0; i < 60; ++i) even.push_back(static_cast<std::int32_t>(rng() & ~1u));
    for (int i = 1; i <= 25; ++i) lazy.push_back(i);
    // 63 to 66 amounts, the rows' words holding 64 positions each, and a
    // target that takes both the first and the last ones; two zeros among
    // 64 amounts, so that a line may end on a value equal to its rest or
    // add the zeros after it.
    std::vector<Values> across;
    for (int n = 63; n <= 66; ++n) {
        across.emplace_back();
        for (int i = 0; i < n; ++i)
            across.back().push_back(std::uniform_int_distribution<std::int32_t>(1000, 2000)(rng));
    }
    Values zeros = across[1];
    zeros[30] = zeros[63] = 0;
    const auto acrossTarget = [](const Values& v) { return v[0] + v[v.size() - 2] + v.back(); };
    // Wide values past the two halves' reach, whose one line the residues
    // and the bounds must not cut: a value alone among others that no
    // selection of theirs can complete, and a line at the bounds' very edge.
    Values residues(55, 1310721000), edge(56, 1), crossing(68, 1000), congruent;
    residues[5] = 1310720007;
    edge[0] = edge[1] = INT32_MAX;
    // Amounts, then two values near 2^31 whose total passes 2^32: a target
    // that takes both stands for two integer totals, with and without them.
    for (int i = 0; i < 58; ++i) congruent.push_back(std::uniform_int_distribution<std::int32_t>(100, 1000)(rng));
    congruent.push_back(INT32_MAX);
    congruent.push_back(INT32_MAX - 5);
    const auto congruentTarget = static_cast<std::int32_t>(totalOf(congruent, 0b11 | std::uint64_t{3} << 58));
    // Selections of values on both sides of position 64.
    crossing[0] = 1, crossing[63] = 5, crossing[65] = 2, crossing[66] = 3;
    // Two halves whose table's values take 12 characters each, too many for
    // the texts of its subsets to be kept: lines copy them one by one.
    Values wordy(22, 1500000000);
    for (int i = 0; i < 22; ++i) wordy.push_back(-2000000000 + i);
    const auto wordyTarget = static_cast<std::int32_t>(totalOf(wordy, 0b11 | std::uint64_t{0b1011} << 22));
    // A line across two groups of rows whose rest in the second lies at the
    // very end of that group's window: 1000, 62 amounts too large to take
    // part, then 2, 63 and 1.
    Values edgeOfRows(63, 5000);
    edgeOfRows[0] = 1000;
    edgeOfRows.insert(edgeOfRows.end(), {2, 63, 1});
    const auto amountsTarget = static_cast<std::int32_t>(totalOf(amounts, 0x0100200030000));
    const auto line = [](const Values& values, std::size_t from, std::int32_t target) {
        std::string text;
        for (std::size_t i = from; i < values.size(); ++i) text += (i == from ? "" : "+") + std::to_string(values[i]);
        return text + "=" + std::to_string(target) + "\n";
    };
    std::string singles;
    for (int i = 0; i < 60; ++i) singles += "1=1\n";
    const struct {
        Values values;
        std::int32_t target;
        std::string lines;
    } cases[] = {
        {ones, 0, ""},
        {ones, 61, ""},
        {ones, -1, ""},
        {counting, 1831, ""},
        {band, 10, ""},
        {band, -5, ""},
        {ones, 60, line(ones, 0, 60)},
        {ones, 1, singles},
        {counting, 1830, line(counting, 0, 1830)},
        {counting, 1, "1=1\n"},
        {signs, 59, line(signs, 1, 59)},
        {signs, -1, "-1=-1\n"},
        {amounts, amountsTarget, oracle(amounts, amountsTarget)},
        {even, 12345, ""},
        {alone, alone[0], oracle(alone, alone[0])},
        {lazy, 50, oracle(lazy, 50)},
        {across[0], acrossTarget(across[0]), oracle(across[0], acrossTarget(across[0]))},
        {across[1], acrossTarget(across[1]), oracle(across[1], acrossTarget(across[1]))},
        {across[2], acrossTarget(across[2]), oracle(across[2], acrossTarget(across[2]))},
        {across[3], acrossTarget(across[3]), oracle(across[3], acrossTarget(across[3]))},
        {zeros, zeros[5] + zeros[62], oracle(zeros, zeros[5] + zeros[62])},
        {residues, 1310720007, oracle(residues, 1310720007)},
        {edge, -2147483595, oracle(edge, -2147483595)},
        {crossing, 6, oracle(crossing, 6)},
        {congruent, congruentTarget, oracle(congruent, congruentTarget)},
        {wordy, wordyTarget, oracle(wordy, wordyTarget)},
        {edgeOfRows, 1065, oracle(edgeOfRows, 1065)},
    };
    // A run that prints nothing is bounded only by the harness's limit,
    // which a missing prune would pass by hours.
    RunOptions options;
    options.timeoutSeconds = 120;
    for (const auto& c : cases) {
        const Args args = commandLine(c.values, c.target);
        SCOPED_TRACE(::testing::PrintToString(args));
        const RunResult r = pickfit(args, options);
        EXPECT_TRUE(sameText(r.out, c.lines));
        EXPECT_EQ(r.status, 0);
    }
}

}  // namespace
