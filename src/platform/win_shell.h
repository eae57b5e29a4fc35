// Interface sounds through winmm and web pages through the shell.
#pragma once

#include "platform/shell.h"

namespace corvane {

class WinSoundPlayer : public SoundPlayer {
public:
    void Play(const std::string& szPath) override;
};

class WinBrowser : public Browser {
public:
    // Hands the address to the shell's "open"; a refusal throws PlatformError.
    void Open(const std::string& szAddress) override;
};

}  // namespace corvane
