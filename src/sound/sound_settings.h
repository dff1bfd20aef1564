#pragma once

// The sound and music switches in the settings file ZANDREL.INI, section "PINDOR".
// Only the file side: reading the stored values and writing them back.

#include <cstdint>
#include <string>
#include <string_view>

namespace zandrel {

inline constexpr std::string_view kSettingsFileName = "ZANDREL.INI";
inline constexpr std::string_view kSettingsSection = "PINDOR";
inline constexpr std::string_view kSoundKey = "SOUND";
inline constexpr std::string_view kBgmKey = "BGM";

inline constexpr int kSoundOn = 1;  ///< contact sounds on
inline constexpr int kSoundOff = 0; ///< contact sounds off
inline constexpr int kBgmOn = -1;   ///< background music on
inline constexpr int kBgmOff = 0;   ///< background music off

/// The two switches: soundMode 1 on / 0 off, isBGMOn -1 on / 0 off. Values read
/// from a hand-edited file may be anything in the 16-bit range until normalised.
struct SoundSettings {
    int soundMode = kSoundOn;
    int isBGMOn = kBgmOn;

    bool operator==(const SoundSettings&) const = default;
};

/// Path of the settings file: getWindowsDir() + "ZANDREL.INI".
std::string settingsFilePath();

/// The stored values as they are ("SOUND" default 1, "BGM" default -1), clamped to
/// the 16-bit range; a value without a number gives the default.
SoundSettings loadSoundSettings(const std::string& path = settingsFilePath());

/// The switches as the game runs them: sound on only for exactly 1, music on for
/// any non-zero value.
SoundSettings normalizeSoundSettings(const SoundSettings& settings);

/// Writes "SOUND" normalised (" 1" or " 0"). False when the write failed.
bool saveSoundMode(int soundMode, const std::string& path = settingsFilePath());

/// Writes "BGM" normalised ("-1" or " 0"). False when the write failed.
bool saveBgmMode(int isBGMOn, const std::string& path = settingsFilePath());

} // namespace zandrel
