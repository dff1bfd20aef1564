#include "platform/platform_helpers.h"

#include "platform/private_profile.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace zandrel {

namespace {

constexpr std::string_view kGameFolder = "zandrel/";
constexpr std::string_view kConfigBelowHome = ".config/";
constexpr std::string_view kJapaneseLanguage = "ja";
/// Characters that end the language part of a locale name ("ja_JP.UTF-8@x").
constexpr std::string_view kLocaleLanguageEnd = "_.@";
constexpr std::array kLocaleVariables = {"LC_ALL", "LC_MESSAGES", "LANG"};
constexpr std::size_t kPasswdBufferStart = 1024;
constexpr std::size_t kPasswdBufferMax = 1 << 20;

bool isAbsolute(std::string_view path) {
    return !path.empty() && path.front() == '/';
}

/// `folder` joined with `below`, without doubling the '/' between them.
std::string joinFolder(std::string_view folder, std::string_view below) {
    while (!folder.empty() && folder.back() == '/')
        folder.remove_suffix(1);
    std::string result(folder);
    result += '/';
    result += below;
    return result;
}

std::string homeFromUserDatabase() {
    std::vector<char> buffer(kPasswdBufferStart);
    for (;;) {
        passwd entry{};
        passwd* found = nullptr;
        const int error = ::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE && buffer.size() < kPasswdBufferMax) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (error != 0 || found == nullptr || found->pw_dir == nullptr)
            return {};
        return found->pw_dir;
    }
}

} // namespace

std::string getWindowsDir() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && isAbsolute(config))
        return joinFolder(config, kGameFolder);
    std::string home;
    if (const char* fromEnvironment = std::getenv("HOME");
        fromEnvironment != nullptr && isAbsolute(fromEnvironment))
        home = fromEnvironment;
    else
        home = homeFromUserDatabase();
    if (!isAbsolute(home))
        return std::string(kGameFolder);
    return joinFolder(home, std::string(kConfigBelowHome) + std::string(kGameFolder));
}

std::string programDirectory() {
    std::vector<char> buffer(PATH_MAX);
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size())
        return ".";
    const std::string program(buffer.data(), static_cast<std::size_t>(length));
    const auto slash = program.rfind('/');
    return slash == std::string::npos ? std::string(".") : program.substr(0, slash);
}

std::string signedNumberText(int value) {
    const std::string digits = std::to_string(value);
    return value < 0 ? digits : " " + digits;
}

std::string trimNul(std::string_view s) {
    s = s.substr(0, s.find('\0'));
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

bool isJapaneseSystem() {
    for (const char* name : kLocaleVariables) {
        const char* value = std::getenv(name);
        if (value == nullptr || *value == '\0')
            continue;
        const std::string_view locale(value);
        return locale.substr(0, locale.find_first_of(kLocaleLanguageEnd)) == kJapaneseLanguage;
    }
    return false;
}

long long roundHalfToEven(double value) {
    constexpr double kLimit = 9.2233720368547758e18; // 2^63, the first double past long long
    if (std::isnan(value))
        return 0;
    if (value >= kLimit)
        return LLONG_MAX;
    if (value <= -kLimit)
        return LLONG_MIN;
    const double below = std::floor(value);
    const double fraction = value - below; // exact for every double
    auto result = static_cast<long long>(below);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0))
        ++result;
    return result;
}

float pixelsToPoints(int pixels, double twipsPerPixel) {
    const std::int16_t twips = clampToInteger16(roundHalfToEven(static_cast<double>(pixels) * twipsPerPixel));
    return static_cast<float>(twips * kPointsPerTwip);
}

} // namespace zandrel
