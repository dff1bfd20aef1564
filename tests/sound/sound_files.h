#pragma once

// Small wave and MIDI files made on the spot, so the device tests need no
// files of the game.

#include "support/test_files.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace zandrel::testing {

inline void putLittle(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xff);
}

inline void putBig(std::string& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out += static_cast<char>((value >> (8 * i)) & 0xff);
}

/// A 0.2 s 16-bit mono click of 880 Hz at 22.05 kHz.
inline void writeClickWave(const std::string& path) {
    constexpr int rate = 22050, frames = rate / 5;
    std::string data;
    for (int i = 0; i < frames; ++i) {
        const double s = 20000.0 * std::sin(2.0 * M_PI * 880.0 * i / rate) * std::exp(-i / 1500.0);
        putLittle(data, static_cast<std::uint16_t>(static_cast<std::int16_t>(s)), 2);
    }
    std::string file = "RIFF";
    putLittle(file, static_cast<std::uint32_t>(36 + data.size()), 4);
    file += "WAVEfmt ";
    putLittle(file, 16, 4);
    putLittle(file, 1, 2); // PCM
    putLittle(file, 1, 2); // mono
    putLittle(file, rate, 4);
    putLittle(file, rate * 2, 4);
    putLittle(file, 2, 2);
    putLittle(file, 16, 2);
    file += "data";
    putLittle(file, static_cast<std::uint32_t>(data.size()), 4);
    writeBytes(path, file + data);
}

/// A Standard MIDI File of four piano notes, a quarter second each.
inline void writeNotesMidi(const std::string& path) {
    std::string track = std::string("\x00\xc0\x00", 3); // piano
    for (const int note : {60, 64, 67, 72}) {
        track += std::string("\x00\x90", 2) + static_cast<char>(note) + '\x64';
        track += std::string("\x81\x70\x80", 3) + static_cast<char>(note) + '\x00'; // 240 ticks later
    }
    track += std::string("\x00\xff\x2f\x00", 4);
    std::string file = "MThd";
    putBig(file, 6, 4);
    putBig(file, 0, 2);
    putBig(file, 1, 2);
    putBig(file, 480, 2);
    file += "MTrk";
    putBig(file, static_cast<std::uint32_t>(track.size()), 4);
    writeBytes(path, file + track);
}

} // namespace zandrel::testing
