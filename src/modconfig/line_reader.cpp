#include "modconfig/line_reader.h"

#include <cstring>

namespace corvane {

namespace {

// Large enough that a file of many megabytes needs few reads, small enough
// that nobody notices it.
constexpr size_t kBufferSize = 64 * 1024;

}  // namespace

LineReader::LineReader(InputFile& file) : file(file), buffer(kBufferSize) {}

bool LineReader::Fill() {
    if (lPos < lEnd) return true;
    lPos = 0;
    lEnd = file.Read(buffer.data(), buffer.size());
    return lEnd > 0;
}

bool LineReader::AtEnd() { return !Fill(); }

std::string LineReader::ReadLine() {
    std::string szLine;
    while (Fill()) {
        const char* pStart = buffer.data() + lPos;
        const size_t lAvailable = lEnd - lPos;
        const void* pCr = std::memchr(pStart, '\r', lAvailable);
        if (pCr == nullptr) {
            // Appending whole chunks keeps a megabyte-long line linear.
            szLine.append(pStart, lAvailable);
            lPos = lEnd;
            continue;
        }
        const size_t lLength = static_cast<const char*>(pCr) - pStart;
        szLine.append(pStart, lLength);
        lPos += lLength + 1;
        // The LF of a CR LF may only arrive with the next read.
        if (Fill() && buffer[lPos] == '\n') ++lPos;
        return szLine;
    }
    return szLine;
}

void LineReader::Rewind() {
    file.Rewind();
    lPos = 0;
    lEnd = 0;
}

}  // namespace corvane
