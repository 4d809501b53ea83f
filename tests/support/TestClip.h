#pragma once

#include "support/TempFolder.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace listrion::test {

// A short sound clip for the player tests, made at test time: a 440 Hz tone as 8 kHz, 8-bit
// mono PCM in a WAV file (8 KB a second).
inline std::filesystem::path writeTestClip(const TempFolder& folder, int seconds = 5)
{
    constexpr std::uint32_t kRate = 8000;
    const std::uint32_t samples = kRate * static_cast<std::uint32_t>(seconds);
    std::string bytes;
    const auto text = [&bytes](const char* four) {
        bytes.append(four, 4);
    };
    const auto number = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    };
    text("RIFF");
    number(36 + samples, 4);
    text("WAVE");
    text("fmt ");
    number(16, 4);
    number(1, 2); // PCM
    number(1, 2); // mono
    number(kRate, 4);
    number(kRate, 4); // bytes a second
    number(1, 2);     // bytes a sample
    number(8, 2);     // bits a sample
    text("data");
    number(samples, 4);
    for (std::uint32_t i = 0; i < samples; ++i) {
        // A square wave of 440 Hz around the 8-bit middle value.
        bytes.push_back(static_cast<char>((i * 440 * 2 / kRate) % 2 == 0 ? 160 : 96));
    }
    return folder.write("clip.wav", bytes);
}

} // namespace listrion::test
