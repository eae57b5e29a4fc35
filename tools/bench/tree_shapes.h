// A tree of files described before it is written: relative paths and sizes,
// drawn from a seeded generator so every run makes the same tree.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scratch_layout.h"

namespace corvane::bench {

struct FileSpec {
    std::string szPath;  // relative, backslashes, no leading one
    uint64_t lSize = 0;
};

using TreeShape = std::vector<FileSpec>;

// A small, fast, seeded generator (splitmix64): the same numbers everywhere.
class Numbers {
public:
    explicit Numbers(uint64_t lSeed) : lState(lSeed) {}
    uint64_t Next();
    // Evenly between lLow and lHigh, both included.
    uint64_t Between(uint64_t lLow, uint64_t lHigh) { return lLow + Next() % (lHigh - lLow + 1); }

private:
    uint64_t lState;
};

// printf into a std::string.
std::string Format(const char* szFormat, ...);

// Files, folders (the root not counted) and bytes of the tree.
TreeSize SizeOf(const TreeShape& shape);

// Writes the tree below szRoot, which is created: every folder, and every
// file filled with varied bytes of its size.
void WriteTree(const std::string& szRoot, const TreeShape& shape);

}  // namespace corvane::bench
