#pragma once

#include <string>

class StereoBuffer;

// Writes a buffer as a 16-bit PCM stereo RIFF/WAVE file.
class WavWriter {
public:
    static bool Write(const std::string& path, const StereoBuffer& sound);
};
