// The port through which core asks for a sound. The Qt program plays it without
// waiting, and only when an audio output exists; tests record the requests.
#pragma once

#include <filesystem>
#include <vector>

namespace platform {

class Sounds {
public:
    virtual ~Sounds() = default;
    // Plays the WAV file; a missing file plays nothing.
    virtual void play(const std::filesystem::path& wavFile) = 0;
    // The system's default beep.
    virtual void beep() {}
};

class RecordingSounds final : public Sounds {
public:
    void play(const std::filesystem::path& wavFile) override { played.push_back(wavFile); }
    void beep() override { ++beeps; }
    std::vector<std::filesystem::path> played;
    int beeps = 0;
};

} // namespace platform
