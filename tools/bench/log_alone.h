// The launch log on its own: a shown window holding only the log, filled
// with the lines of a launch in batches as the launch window shows them,
// and the memory that added to a process of its own. In the benchmark's own
// process the log would take pages the launches before it freed, and seem
// to cost nothing.
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

// Runs this program again with --log-alone on the lines, written to a file
// in szFolder.
LogAlone MeasureLogAlone(const std::vector<std::string>& szLines, const std::string& szFolder);
// That run: measures the lines of the file and writes the figures beside it.
int RunLogAlone(const std::string& szFile);

}  // namespace corvane::bench
