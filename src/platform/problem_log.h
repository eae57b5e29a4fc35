// What went wrong, kept for the player and for a bug report in a small text
// file beside the program: the operation, the path and the system's reason.
#pragma once

#include <string>

namespace corvane {

class ProblemLog {
public:
    virtual ~ProblemLog() = default;
    // Appends one line, with the time; never fails. Threads may note at
    // the same time.
    virtual void Note(const std::string& szWhat) = 0;
};

}  // namespace corvane
