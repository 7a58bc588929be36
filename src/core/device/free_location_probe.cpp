// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/free_location_probe.h"

#include <algorithm>

namespace ribodex {
namespace {

// A range read's own exchange (its echo, final result and answer delay) costs about as much
// on the wire as two entry lines at 9600 baud with 50 ms latency.
constexpr long long kChunkCost = 2;
// Doubling stops here, so that the arithmetic stays far from overflow on any range.
constexpr long long kLongestChunk = 1LL << 30;

}  // namespace

FreeLocationProbe::FreeLocationProbe(long long used, int first, int last)
    : used(used), low(first), high(last) {}

FreeLocationProbe::Step FreeLocationProbe::Next() const {
    if (freeBelow) return {Verdict::Found, static_cast<int>(*freeBelow), static_cast<int>(*freeBelow)};
    const long long middle = std::max(0LL, high - low + 1);
    const long long left = used - takenBelow - takenAbove;
    if (left < 0 || left > middle) return {};
    if (left == middle) {
        if (!freeAbove) return {Verdict::Full};
        return {Verdict::Found, static_cast<int>(*freeAbove), static_cast<int>(*freeAbove)};
    }
    // Ties go to the top, where a memory filled from the bottom is empty and cheap to read.
    if (highCost <= lowCost) {
        const long long from = std::max(low, high - highChunk + 1);
        return {Verdict::Read, static_cast<int>(from), static_cast<int>(high)};
    }
    return {Verdict::Read, static_cast<int>(low), static_cast<int>(std::min(high, low + lowChunk - 1))};
}

void FreeLocationProbe::Answered(int first, int last, const std::vector<int>& taken) {
    std::vector<int> inside;
    for (int index : taken)
        if (index >= first && index <= last) inside.push_back(index);
    std::sort(inside.begin(), inside.end());
    inside.erase(std::unique(inside.begin(), inside.end()), inside.end());
    // The listed locations are sorted: the first gap in them is the chunk's lowest free one.
    long long next = first;
    for (int index : inside) {
        if (index != next) break;
        ++next;
    }
    const std::optional<long long> lowestFree = next <= last ? std::optional<long long>(next) : std::nullopt;
    const long long count = static_cast<long long>(inside.size());
    if (first == low) {
        // Everything below low was read taken: the chunk's first free location is the lowest.
        if (lowestFree) {
            freeBelow = lowestFree;
            return;
        }
        takenBelow += count;
        low = static_cast<long long>(last) + 1;
        lowCost += kChunkCost + count;
        lowChunk = std::min(kLongestChunk, lowChunk * 2);
    } else {
        takenAbove += count;
        if (lowestFree) freeAbove = lowestFree;  // each chunk lies below the ones before it
        high = static_cast<long long>(first) - 1;
        highCost += kChunkCost + count;
        highChunk = std::min(kLongestChunk, highChunk * 2);
    }
}

}  // namespace ribodex
