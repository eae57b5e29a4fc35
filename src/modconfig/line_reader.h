// Reads a configuration file line by line. A line ends at CR, at CR LF (both
// removed) or at the end of the file; a lone LF does not end a line and stays
// in its text, so a file written with LF alone reads as one single line.
// Bytes are handed over unchanged, NUL and bytes of 0x80 and above included.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace corvane {

class LineReader {
public:
    explicit LineReader(InputFile& file);

    // True when no byte is left to read.
    bool AtEnd();
    // The next line without its end; "" at the end of the file.
    std::string ReadLine();
    // Reads again from the first byte.
    void Rewind();

private:
    // Makes sure at least one unread byte is in the buffer; false at the end.
    bool Fill();

    InputFile& file;
    std::vector<char> buffer;
    size_t lPos = 0;  // next unread byte in buffer
    size_t lEnd = 0;  // bytes held in buffer
};

}  // namespace corvane
