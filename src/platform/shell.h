// The small services of the desktop the main window uses: interface sounds
// and the default web browser.
#pragma once

#include <string>

namespace corvane {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts a sound file playing in the background; a missing or unreadable
    // file plays nothing, not even the default sound.
    virtual void Play(const std::string& szPath) = 0;
};

class Browser {
public:
    virtual ~Browser() = default;
    // Opens the address in the default web browser.
    virtual void Open(const std::string& szAddress) = 0;
};

}  // namespace corvane
