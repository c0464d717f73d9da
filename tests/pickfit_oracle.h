// An oracle for pickfit written independently of its search: it finds the
// matching selections by enumerating masks (or pairing the masks of two
// halves, or for long structured runs following sets of reachable totals)
// and sorts them into the visiting order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Args = std::vector<std::string>;
using Values = std::vector<std::int32_t>;
// A selection of up to 128 positions, bit i for position i.
using Mask = unsigned __int128;

// Whether selection a comes before b in the walk.
bool visitedBefore(Mask a, Mask b);

std::uint32_t totalOf(const Values& values, std::uint64_t mask);

// The lines pickfit must print for these values and target.
std::string oracle(const Values& values, std::int32_t target);

// How many lines pickfit must print, by pairing the totals of the two
// halves' selections, each sorted; it takes 3 x 2^(N/2) x 4 bytes.
std::uint64_t countMatches(const Values& values, std::int32_t target);

// N, the values, and the target, as a command line.
Args commandLine(const Values& values, std::int32_t target);
