// A stand-in game installation registered where the games' installers
// register themselves: HKLM\SOFTWARE\Electronic Arts\EA Games\<game> in the
// 32-bit registry view. Only ever used in the tests' own Wine prefix; the
// keys are removed again when the registration goes.
#pragma once

#include <cstdint>
#include <string>

namespace corvane::test {

class GameRegistration {
public:
    // szKey: the sub-key under HKLM, such as "SOFTWARE\Electronic Arts\EA Games\Generals".
    GameRegistration(std::string szKey, const std::string& szInstallPath, uint32_t lVersion);
    ~GameRegistration();
    GameRegistration(const GameRegistration&) = delete;
    GameRegistration& operator=(const GameRegistration&) = delete;

private:
    std::string szKey;
};

}  // namespace corvane::test
