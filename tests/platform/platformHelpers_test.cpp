#include "platform/env_guard.h"
#include "platform/platformHelpers.h"
#include "support/temp_config_dir.h"

#include <climits>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace zandrel {
namespace {

using testing::EnvGuard;
using testing::TempConfigDir;
using Env = std::optional<std::string>;

struct DirCase {
    Env xdgConfigHome;
    Env home;
    std::string expected;
};

TEST(GetWindowsDir, FollowsXdgConfigHomeThenHome) {
    const DirCase cases[] = {
        {"/cfg", "/home/u", "/cfg/zandrel/"},
        {"/cfg/", "/home/u", "/cfg/zandrel/"},
        {"/", "/home/u", "/zandrel/"},
        {std::nullopt, "/home/u", "/home/u/.config/zandrel/"},
        {"", "/home/u", "/home/u/.config/zandrel/"},
        {"relative/cfg", "/home/u", "/home/u/.config/zandrel/"},
        {std::nullopt, "/home/u/", "/home/u/.config/zandrel/"},
    };
    for (const auto& c : cases) {
        EnvGuard env;
        env.set("XDG_CONFIG_HOME", c.xdgConfigHome);
        env.set("HOME", c.home);
        EXPECT_EQ(getWindowsDir(), c.expected) << c.xdgConfigHome.value_or("<unset>");
    }
}

TEST(GetWindowsDir, WithoutAUsableHomeAsksTheUserDatabase) {
    for (const Env& home : {Env{}, Env{""}, Env{"relative"}}) {
        EnvGuard env;
        env.set("XDG_CONFIG_HOME", std::nullopt);
        env.set("HOME", home);
        const auto dir = getWindowsDir();
        EXPECT_TRUE(dir.ends_with("zandrel/")) << dir;
        EXPECT_NE(dir.find("relative"), 0u) << dir;
    }
}

TEST(GetWindowsDir, NamesTheFolderWithoutCreatingIt) {
    TempConfigDir dir;
    EXPECT_EQ(getWindowsDir(), dir.gameDir());
    EXPECT_FALSE(std::filesystem::exists(dir.gameDir()));
}

TEST(TrimNul, CutsAtTheFirstNulAndTrimsBlanksOnly) {
    const std::pair<std::string, std::string> cases[] = {
        {std::string("abc\0def", 7), "abc"},
        {std::string(" ab\0xyz", 7), "ab"},
        {std::string("\0abc", 4), ""},
        {std::string("ab \0 \0", 6), "ab"},
        {"  tovi  ", "tovi"},
        {"    ", ""},
        {"", ""},
        {" a b ", "a b"},
        {"\tab\t", "\tab\t"},
        {std::string(200, '\0'), ""},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(trimNul(input), expected) << '"' << input << '"';
}

struct LocaleCase {
    Env lcAll;
    Env lcMessages;
    Env lang;
    bool japanese;
};

TEST(IsJapaneseSystem, FirstNonEmptyLocaleVariableDecides) {
    const Env unset;
    const LocaleCase cases[] = {
        {unset, unset, unset, false},
        {unset, unset, "ja_JP.UTF-8", true},
        {unset, unset, "ja", true},
        {unset, unset, "ja.UTF-8", true},
        {unset, unset, "ja_JP.eucJP", true},
        {unset, unset, "ja_JP@variant", true},
        {unset, unset, "C", false},
        {unset, unset, "POSIX", false},
        {unset, unset, "C.UTF-8", false},
        {unset, unset, "en_US.UTF-8", false},
        {unset, unset, "en_JP.UTF-8", false},
        {unset, unset, "jam_JM", false},
        {unset, unset, "j", false},
        {"", "", "ja_JP.UTF-8", true},
        {"C", unset, "ja_JP.UTF-8", false},
        {"ja_JP.UTF-8", "en_US.UTF-8", "en_US.UTF-8", true},
        {unset, "ja_JP.UTF-8", "en_US.UTF-8", true},
        {"", "en_GB.UTF-8", "ja_JP.UTF-8", false},
    };
    for (const auto& c : cases) {
        EnvGuard env;
        env.set("LC_ALL", c.lcAll);
        env.set("LC_MESSAGES", c.lcMessages);
        env.set("LANG", c.lang);
        EXPECT_EQ(isJapaneseSystem(), c.japanese)
            << c.lcAll.value_or("-") << ' ' << c.lcMessages.value_or("-") << ' ' << c.lang.value_or("-");
    }
}

TEST(RoundHalfToEven, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, long long> cases[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {3.5, 4},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {2.4999999, 2},
        {2.5000001, 3},
        {-2.5000001, -3},
        {259.5, 260},
        {260.5, 260},
        {0.49999999999999994, 0},
        {7.0, 7},
        {1e300, LLONG_MAX},
        {-1e300, LLONG_MIN},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(roundHalfToEven(input), expected) << input;
}

TEST(PixelsToPoints, FifteenTwipsPerPixelAndOthers) {
    EXPECT_EQ(pixelsToPoints(19), 14.25f);
    EXPECT_EQ(pixelsToPoints(25), 18.75f);
    EXPECT_EQ(pixelsToPoints(0), 0.0f);
    EXPECT_EQ(pixelsToPoints(19, 12.0), 11.4f);
    EXPECT_EQ(pixelsToPoints(1, 13.5), 0.7f); // 13.5 twips round to 14
    EXPECT_EQ(pixelsToPoints(1, 14.5), 0.7f); // 14.5 twips round to 14
    EXPECT_EQ(pixelsToPoints(3, 12.5), 1.9f); // 37.5 twips round to 38
    EXPECT_EQ(pixelsToPoints(-2), -1.5f);
    // Past the 16-bit twips range the count is clamped rather than wrapped.
    EXPECT_EQ(pixelsToPoints(3000), static_cast<float>(32767 * 0.05));
}

} // namespace
} // namespace zandrel
