#include "sound/sound_settings.h"

#include "platform/platform_helpers.h"
#include "platform/private_profile.h"

namespace zandrel {

std::string settingsFilePath() {
    return getWindowsDir() + std::string(kSettingsFileName);
}

SoundSettings loadSoundSettings(const std::string& path) {
    const auto profile = PrivateProfile::load(path);
    return {clampToInteger16(profile.getInt(kSettingsSection, kSoundKey, kSoundOn)),
            clampToInteger16(profile.getInt(kSettingsSection, kBgmKey, kBgmOn))};
}

SoundSettings normalizeSoundSettings(const SoundSettings& settings) {
    return {settings.soundMode == kSoundOn ? kSoundOn : kSoundOff,
            settings.isBGMOn != kBgmOff ? kBgmOn : kBgmOff};
}

std::string formatSettingValue(int value) {
    const auto digits = std::to_string(value);
    return value < 0 ? digits : " " + digits;
}

bool saveSoundMode(int soundMode, const std::string& path) {
    const int normalized = normalizeSoundSettings({soundMode, kBgmOff}).soundMode;
    return writePrivateProfileString(kSettingsSection, kSoundKey, formatSettingValue(normalized), path);
}

bool saveBgmMode(int isBGMOn, const std::string& path) {
    const int normalized = normalizeSoundSettings({kSoundOff, isBGMOn}).isBGMOn;
    return writePrivateProfileString(kSettingsSection, kBgmKey, formatSettingValue(normalized), path);
}

bool saveSoundSettings(const SoundSettings& settings, const std::string& path) {
    const bool bgmSaved = saveBgmMode(settings.isBGMOn, path);
    const bool soundSaved = saveSoundMode(settings.soundMode, path);
    return bgmSaved && soundSaved;
}

} // namespace zandrel
