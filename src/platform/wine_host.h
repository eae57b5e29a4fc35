// The Linux side of the machine, for a Corvane run under Wine or Proton:
// the environment Wine hands it and the Windows names Wine gives Unix
// paths. On Windows there is no such side.
#pragma once

#include <optional>
#include <string>

namespace corvane {

class WineHost {
public:
    virtual ~WineHost() = default;
    // Corvane runs under Wine (Proton is Wine as well).
    virtual bool UnderWine() = 0;
    // A variable of Corvane's environment, as the program's text; nothing
    // when it is not set.
    virtual std::optional<std::string> Environment(const std::string& szName) = 0;
    // The Windows path through which Wine reaches an absolute Unix path,
    // whichever drive maps it; nothing where Wine gives none.
    virtual std::optional<std::string> DosPathOf(const std::string& szUnixPath) = 0;
};

}  // namespace corvane
