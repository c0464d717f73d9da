#include "pickfit_oracle.h"

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <unordered_set>
#include <utility>

// Where a selection stands in the visiting order: a node's first child drops
// its highest position, so the walk orders selections by their membership
// bits below the highest position, absent before present, and a selection
// before every selection that extends it.
namespace {

int highest(Mask m) {
    const auto high = static_cast<std::uint64_t>(m >> 64), low = static_cast<std::uint64_t>(m);
    return high != 0 ? 127 - __builtin_clzll(high) : 63 - __builtin_clzll(low);
}

Mask bit(std::size_t i) { return Mask{1} << i; }

}  // namespace

bool visitedBefore(Mask a, Mask b) {
    const int topA = highest(a), topB = highest(b);
    for (int j = 0; j < std::min(topA, topB); ++j) {
        const bool inA = (a & bit(static_cast<std::size_t>(j))) != 0, inB = (b & bit(static_cast<std::size_t>(j))) != 0;
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

// For long runs of structured values: the sets of totals that the positions
// from each one on reach guide a search that follows only selections that
// can still match. The sets must stay small.
std::vector<Mask> matchesGuidedBySuffixes(const Values& values, std::uint32_t wanted) {
    const std::size_t n = values.size();
    if (n > 128) throw std::length_error("too many values for the oracle");
    std::vector<std::unordered_set<std::uint32_t>> reach(n + 1);
    for (std::size_t i = n; i-- > 0;) {
        const auto v = static_cast<std::uint32_t>(values[i]);
        reach[i] = reach[i + 1];
        for (std::uint32_t total : reach[i + 1]) reach[i].insert(total + v);
        reach[i].insert(v);
        if (reach[i].size() > 1000000) throw std::length_error("too many totals for the oracle");
    }
    std::vector<Mask> matches;
    std::function<void(std::size_t, std::uint32_t, Mask)> extend = [&](std::size_t i, std::uint32_t rest, Mask mask) {
        const std::uint32_t taken = rest - static_cast<std::uint32_t>(values[i]);
        if (taken == 0) matches.push_back(mask | bit(i));
        if (reach[i + 1].count(taken) != 0) extend(i + 1, taken, mask | bit(i));
        if (reach[i + 1].count(rest) != 0) extend(i + 1, rest, mask);
    };
    if (reach[0].count(wanted) != 0) extend(0, wanted, 0);
    return matches;
}

// Every selection that totals the target, by brute force over all masks, or
// for larger inputs by pairing the selections of the two halves.
std::vector<Mask> matchingSelections(const Values& values, std::int32_t target) {
    const auto wanted = static_cast<std::uint32_t>(target);
    const std::size_t n = values.size();
    if (n > 48) return matchesGuidedBySuffixes(values, wanted);
    std::vector<Mask> matches;
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

// The totals of every selection of n values from `from` on, the empty one
// included, sorted by a radix sort.
std::vector<std::uint32_t> sortedTotals(const Values& values, std::size_t from, std::size_t n) {
    std::vector<std::uint32_t> totals(std::size_t{1} << n), spare(totals.size());
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t half = std::size_t{1} << i;
        for (std::size_t j = 0; j < half; ++j)
            totals[half + j] = totals[j] + static_cast<std::uint32_t>(values[from + i]);
    }
    for (int shift = 0; shift < 32; shift += 8) {
        std::vector<std::size_t> starts(257);
        for (std::uint32_t t : totals) ++starts[((t >> shift) & 255) + 1];
        for (std::size_t d = 0; d < 256; ++d) starts[d + 1] += starts[d];
        for (std::uint32_t t : totals) spare[starts[(t >> shift) & 255]++] = t;
        totals.swap(spare);
    }
    return totals;
}

}  // namespace

std::uint64_t countMatches(const Values& values, std::int32_t target) {
    const auto wanted = static_cast<std::uint32_t>(target);
    const std::size_t low = values.size() / 2;
    const std::vector<std::uint32_t> first = sortedTotals(values, 0, low);
    const std::vector<std::uint32_t> second = sortedTotals(values, low, values.size() - low);
    // As x rises, wanted - x falls, wrapping once: below and above the split
    // the totals of `second` that pair with it are found walking down.
    const auto split = std::upper_bound(first.begin(), first.end(), wanted);
    std::uint64_t count = 0;
    for (const auto& part : {std::make_pair(first.begin(), split), std::make_pair(split, first.end())}) {
        std::size_t from = second.size(), to = second.size();
        for (auto x = part.first; x != part.second; ++x) {
            const std::uint32_t need = wanted - *x;
            while (to > 0 && second[to - 1] > need) --to;
            from = std::min(from, to);
            while (from > 0 && second[from - 1] == need) --from;
            count += to - from;
        }
    }
    return count - (wanted == 0);  // the empty selection is never printed
}

std::string oracle(const Values& values, std::int32_t target) {
    std::vector<Mask> matches = matchingSelections(values, target);
    std::sort(matches.begin(), matches.end(), visitedBefore);
    std::string text;
    for (Mask mask : matches) {
        std::string line;
        for (std::size_t i = 0; i < values.size(); ++i) {
            if ((mask & bit(i)) != 0) line += (line.empty() ? "" : "+") + std::to_string(values[i]);
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
