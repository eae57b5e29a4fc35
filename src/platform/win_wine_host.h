// The Linux side as Wine shows it to a Windows program: the functions Wine
// adds to ntdll and kernel32, looked up as the program runs, so that the
// same Corvane.exe starts on Windows, where they do not exist.
#pragma once

#include "platform/wine_host.h"

namespace corvane {

class WinWineHost : public WineHost {
public:
    bool UnderWine() override;
    std::optional<std::string> Environment(const std::string& szName) override;
    std::optional<std::string> DosPathOf(const std::string& szUnixPath) override;
};

}  // namespace corvane
