#include "pickfit_oracle.h"

#include <algorithm>
#include <utility>

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

std::uint32_t totalOf(const Values& values, std::uint64_t mask) {
    std::uint32_t total = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if ((mask >> i) & 1) total += static_cast<std::uint32_t>(values[i]);
    }
    return total;
}

namespace {

// Every selection that totals the target, by brute force over all masks, or
// for larger inputs by pairing the selections of the two halves.
std::vector<std::uint64_t> matchingSelections(const Values& values, std::int32_t target) {
    const auto wanted = static_cast<std::uint32_t>(target);
    const std::size_t n = values.size();
    std::vector<std::uint64_t> matches;
    if (n <= 20) {
        for (std::uint64_t mask = 1; mask < (std::uint64_t{1} << n); ++mask) {
            if (totalOf(values, mask) == wanted) matches.push_back(mask);
        }
        return matches;
    }
    const std::size_t low = n / 2;
    std::vector<std::pair<std::uint32_t, std::uint64_t>> lows;
    for (std::uint64_t mask = 0; mask < (std::uint64_t{1} << low); ++mask)
        lows.emplace_back(totalOf(values, mask), mask);
    std::sort(lows.begin(), lows.end());
    for (std::uint64_t high = 0; high < (std::uint64_t{1} << (n - low)); ++high) {
        const std::uint32_t rest = wanted - totalOf(values, high << low);
        auto it = std::lower_bound(lows.begin(), lows.end(), std::make_pair(rest, std::uint64_t{0}));
        for (; it != lows.end() && it->first == rest; ++it) {
            if ((high << low | it->second) != 0) matches.push_back(high << low | it->second);
        }
    }
    return matches;
}

}  // namespace

std::string oracle(const Values& values, std::int32_t target) {
    std::vector<std::uint64_t> matches = matchingSelections(values, target);
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

Args commandLine(const Values& values, std::int32_t target) {
    Args args{std::to_string(values.size())};
    for (std::int32_t v : values) args.push_back(std::to_string(v));
    args.push_back(std::to_string(target));
    return args;
}
