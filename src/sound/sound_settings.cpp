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

bool saveSoundMode(int soundMode, const std::string& path) {
    const int normalized = normalizeSoundSettings({soundMode, kBgmOff}).soundMode;
    return writePrivateProfileString(kSettingsSection, kSoundKey, signedNumberText(normalized), path);
}

bool saveBgmMode(int isBGMOn, const std::string& path) {
    const int normalized = normalizeSoundSettings({kSoundOff, isBGMOn}).isBGMOn;
    return writePrivateProfileString(kSettingsSection, kBgmKey, signedNumberText(normalized), path);
}

} // namespace zandrel
