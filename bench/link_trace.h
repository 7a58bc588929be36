// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading back a SerialLink trace file: how many bytes each exchange put on the line, for
// the benchmarks that compare a run with the time its bytes need on the wire.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ribodex::bench {

struct TraceRecord {
    bool write = false;      // a Write (command sent) or a Read (answer received)
    std::string_view bytes;  // the command or the answer, exactly as traced
};

// The Write and Read records of a trace of port. Records start with a
// "MM/DD/YYYY HH:MM:SS [COM]: " stamp at the start of a line; a Read record's answer spans
// lines of its own. The views point into trace.
inline std::vector<TraceRecord> TraceRecords(const std::string& trace, const std::string& port) {
    std::vector<std::size_t> starts;
    for (std::size_t p = 0; p + 27 <= trace.size(); ++p) {
        if ((p == 0 || trace[p - 1] == '\n') && trace.compare(p + 19, 8, " [COM]: ") == 0)
            starts.push_back(p);
    }
    std::vector<TraceRecord> records;
    const std::string write = "Write(" + port + "): ", read = "Read(" + port + "): ";
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::size_t begin = starts[i] + 27;
        const std::size_t end = (i + 1 < starts.size() ? starts[i + 1] : trace.size()) - 1;  // its '\n'
        const std::string_view record(trace.data() + begin, end - begin);
        if (record.rfind(write, 0) == 0) records.push_back({true, record.substr(write.size())});
        if (record.rfind(read, 0) == 0) records.push_back({false, record.substr(read.size())});
    }
    return records;
}

// Ten bits a byte (start, eight data, stop).
inline double WireMs(std::size_t bytes, double baud) { return bytes * 10.0 / baud * 1000.0; }

}  // namespace ribodex::bench
