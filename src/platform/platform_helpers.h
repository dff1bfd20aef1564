#pragma once

// Small services of the system around the game: where its files live, the user's
// language, string clean-up and font sizes.

#include <string>
#include <string_view>

namespace zandrel {

/// Twips per pixel of an ordinary 96 dpi screen (1440 twips per inch).
inline constexpr double kTwipsPerPixel = 15.0;
/// Twips per typographic point.
inline constexpr double kPointsPerTwip = 0.05;

/// The game's folder for its settings and records files, always ending in '/':
/// "$XDG_CONFIG_HOME/zandrel/" when XDG_CONFIG_HOME is an absolute path, else
/// "$HOME/.config/zandrel/" (the home folder from the user database when HOME is not
/// an absolute path), else "zandrel/" below the current folder. Computed afresh at
/// every call; the folder is not created here.
std::string getWindowsDir();

/// The folder that holds the running program, without a trailing '/' ("" for the
/// root folder). Found through /proc/self/exe; "." when that cannot be read.
std::string programDirectory();

/// `s` cut before its first NUL character, then stripped of leading and trailing
/// blanks (the space character only).
std::string trimNul(std::string_view s);

/// A number as the game writes it into settings and captions: a leading blank
/// in place of the sign of a non-negative value, " 1", " 0", "-1".
std::string signedNumberText(int value);

/// True when the process locale names Japanese: the first non-empty one of LC_ALL,
/// LC_MESSAGES and LANG has the language "ja" ("ja", "ja_JP", "ja.UTF-8",
/// "ja_JP.UTF-8@variant"). Unset, "C", "POSIX" and every other language give false.
bool isJapaneseSystem();

/// The nearest integer to `value`, a half going to the even neighbour ("banker's
/// rounding"), independent of the floating-point rounding mode. NaN gives 0;
/// values beyond the range of long long saturate.
long long roundHalfToEven(double value);

/// Font size in points for a height of `pixels`: the pixels in twips, rounded to a
/// 16-bit integer (half to even, clamped to the 16-bit range), times 0.05.
/// At 15 twips per pixel 19 gives 14.25 and 25 gives 18.75.
float pixelsToPoints(int pixels, double twipsPerPixel = kTwipsPerPixel);

} // namespace zandrel
