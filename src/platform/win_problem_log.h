// Corvane.log beside the program: one line per problem, the newest 256 KB kept.
#pragma once

#include <mutex>

#include "platform/problem_log.h"

namespace corvane {

class WinProblemLog : public ProblemLog {
public:
    explicit WinProblemLog(std::string szPath) : szPath(std::move(szPath)) {}
    void Note(const std::string& szWhat) override;

private:
    std::string szPath;
    std::mutex mutex;  // the launch notes from its own thread
};

}  // namespace corvane
