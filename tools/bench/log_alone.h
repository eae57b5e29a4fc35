// The launch log on its own: a shown window holding only the log, filled
// with the lines of a launch in batches as the launch window shows them,
// and the memory that added to the process.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::bench {

struct LogAlone {
    uint64_t lGrowth = 0;  // working set after the lines, less before them
    uint64_t lTextBytes = 0;
    size_t lLines = 0;
};

LogAlone MeasureLogAlone(const std::vector<std::string>& szLines);

}  // namespace corvane::bench
