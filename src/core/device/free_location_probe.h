// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

namespace ribodex {

// The search for the lowest free location of first..last from the device's count of used
// locations (AT+CPBS? "+CPBS: <memory>,<used>,<total>") and a few range reads, instead of
// reading the whole memory: pure planning, no device traffic; the caller (GsmDevice) sends
// the reads and hands back their complete answers. One object per search, not shared.
//
// Chunks are read from both ends, each end's chunk twice as long as its last one, the next
// from the end whose reads have cost less on the wire (an empty location costs nothing in a
// range read, an entry its line). Everything below the ascending end was read taken, so the
// first free location an ascending chunk shows is the answer. The locations not yet read
// (the middle) hold used minus the entries seen at both ends; once that is the whole middle,
// the middle is full and the answer is the lowest free location seen above it (none: the
// memory is full).
//
// A count that cannot be right (more entries seen than used, or more left than the middle
// holds) gives up: the caller reads the whole memory instead. A device that undercounts
// only makes the search read on; one that overcounts may make it answer a free location
// that is not the lowest, or a full memory that is not. Every answer is a location that a
// complete range read showed free.
class FreeLocationProbe {
public:
    enum class Verdict { Read, Found, Full, GiveUp };
    struct Step {
        Verdict verdict = Verdict::GiveUp;
        int first = 0;  // Read: the range to read; Found: the location
        int last = 0;
        bool operator==(const Step&) const = default;
    };

    // The first chunk of each end; from a memory of 250 locations, one chunk at the top
    // already closes the count of a SIM filled from the bottom up to its last ten.
    static constexpr long long kFirstChunk = 10;

    FreeLocationProbe(long long used, int first, int last);

    // What to do now: the range to read, the answer, a full memory, or give up.
    Step Next() const;
    // The complete answer to the range Next gave: the locations it listed as taken (any
    // order; those outside the range are ignored).
    void Answered(int first, int last, const std::vector<int>& taken);

private:
    long long used;
    long long low, high;  // the middle: low..high, not read yet
    long long takenBelow = 0, takenAbove = 0;
    std::optional<long long> freeBelow, freeAbove;  // the lowest free location read at each end
    long long lowChunk = kFirstChunk, highChunk = kFirstChunk;
    long long lowCost = 0, highCost = 0;
};

}  // namespace ribodex
