// Lines of text kept packed, for a log of many lines that repeat most of
// the line before them, as paths in one folder do: a line is kept as how
// many bytes it shares with the line before it and the bytes that follow.
// Every sixteenth line, and the first of each block, is kept whole, so a
// line is read back from at most fifteen lines before it. The bytes lie in
// blocks filled one after the other, so the store never grows to twice its
// size as one string would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane::ui {

class PackedLines {
public:
    void Add(const std::string& szLine);
    void Clear();
    size_t Count() const { return lCount; }
    // Line i as it was added; "" beyond the last.
    std::string Line(size_t i) const;
    // The memory the lines take, all of it.
    size_t Bytes() const;

private:
    // Where a line kept whole lies.
    struct Restart {
        size_t lFirstLine;
        uint32_t lBlock;
        uint32_t lOffset;
    };

    std::vector<std::string> blocks;
    std::vector<Restart> restarts;
    std::string szLast;  // the line added last, whole
    size_t lCount = 0;
};

}  // namespace corvane::ui
