#include "platform/platform_helpers.h"
#include "support/test_files.h"

#include <climits>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>
#include <tuple>

namespace zandrel {
namespace {

using testing::EnvGuard;
using Env = std::optional<std::string>;
const Env unset;

TEST(GetWindowsDir, FollowsXdgConfigHomeThenHome) {
    // clang-format off
    const std::tuple<Env, Env, std::string> cases[] = {
        {"/cfg", "/home/u", "/cfg/zandrel/"}, {"/cfg/", "/home/u", "/cfg/zandrel/"}, {"/", "/home/u", "/zandrel/"},
        {unset, "/home/u", "/home/u/.config/zandrel/"}, {"", "/home/u/", "/home/u/.config/zandrel/"},
        {"relative/cfg", "/home/u", "/home/u/.config/zandrel/"},
        {unset, "relative", "/"}};
    // clang-format on
    for (const auto& [xdg, home, expected] : cases) {
        EnvGuard env;
        env.set("XDG_CONFIG_HOME", xdg);
        env.set("HOME", home);
        if (expected == "/") // home from the user database: some absolute path
            EXPECT_THAT(getWindowsDir(), ::testing::MatchesRegex("/.*/zandrel/"));
        else
            EXPECT_EQ(getWindowsDir(), expected);
    }
    testing::TempConfigDir config;
    EXPECT_EQ(getWindowsDir(), config.gameDir());
    EXPECT_FALSE(std::filesystem::exists(config.gameDir())) << "naming the folder does not create it";
}

TEST(TrimNul, CutsAtTheFirstNulAndTrimsBlanksOnly) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {std::string(" ab\0xyz", 7), "ab"}, {std::string("\0abc", 4), ""}, {"  tovi  ", "tovi"}, {"    ", ""},
        {" a b ", "a b"}, {"\tab\t", "\tab\t"}, {std::string(200, '\0'), ""}};
    // clang-format on
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(trimNul(input), expected) << ::testing::PrintToString(input);
}

TEST(SignedNumberText, APositiveNumberHasABlankForThePlusSign) {
    for (const auto& [n, text] :
         {std::pair{0, " 0"}, {12, " 12"}, {-1, "-1"}, {32767, " 32767"}, {-32768, "-32768"}})
        EXPECT_EQ(signedNumberText(n), text);
}

TEST(IsJapaneseSystem, FirstNonEmptyOfLcAllLcMessagesLang) {
    // clang-format off
    const std::tuple<Env, Env, Env, bool> cases[] = {
        {unset, unset, unset, false},          {unset, unset, "ja_JP.UTF-8", true},
        {unset, unset, "ja", true},            {unset, unset, "ja.UTF-8", true},
        {unset, unset, "ja_JP@variant", true}, {unset, unset, "en_JP.UTF-8", false},
        {unset, unset, "jam_JM", false},       {unset, unset, "j", false},
        {"", "", "ja_JP.UTF-8", true},         {"C", unset, "ja_JP.UTF-8", false},
        {unset, "ja_JP.UTF-8", "en_US.UTF-8", true},  {"ja_JP.UTF-8", "en_US.UTF-8", "en_US.UTF-8", true},
        {"", "en_GB.UTF-8", "ja_JP.UTF-8", false},    {"", "", "", false}};
    // clang-format on
    for (const auto& [all, messages, lang, japanese] : cases) {
        EnvGuard env;
        env.set("LC_ALL", all);
        env.set("LC_MESSAGES", messages);
        env.set("LANG", lang);
        EXPECT_EQ(isJapaneseSystem(), japanese)
            << all.value_or("-") << ' ' << messages.value_or("-") << ' ' << lang.value_or("-");
    }
}

TEST(RoundHalfToEven, HalvesGoToTheEvenNeighbour) {
    // clang-format off
    const std::pair<double, long long> cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {2.4999999, 2}, {2.5000001, 3},
        {-2.5000001, -3}, {0.49999999999999994, 0}, {1e300, LLONG_MAX}, {-1e300, LLONG_MIN},
        {std::numeric_limits<double>::quiet_NaN(), 0}};
    // clang-format on
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(roundHalfToEven(input), expected) << input;
}

TEST(PixelsToPoints, TwipsRoundedHalfToEvenThenTwentyPerPoint) {
    EXPECT_EQ(pixelsToPoints(19), 14.25f);
    EXPECT_EQ(pixelsToPoints(19, 12.0), 11.4f);
    EXPECT_EQ(pixelsToPoints(1, 13.5), 0.7f); // 13.5 twips round to 14
    EXPECT_EQ(pixelsToPoints(1, 14.5), 0.7f); // 14.5 twips round to 14
    EXPECT_EQ(pixelsToPoints(-2), -1.5f);
    EXPECT_EQ(pixelsToPoints(3000), static_cast<float>(32767 * 0.05)) << "clamped to 16 bits, not wrapped";
}

} // namespace
} // namespace zandrel
