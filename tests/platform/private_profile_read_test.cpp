#include "platform/file_helpers.h"
#include "platform/private_profile.h"
#include "support/temp_config_dir.h"

#include <climits>
#include <gtest/gtest.h>

namespace zandrel {
namespace {

using testing::TempConfigDir;
using testing::writeBytes;

const std::string d = "<default>";

struct ReadCase {
    const char* what;
    std::string contents;
    std::string section;
    std::string key;
    std::string expected;
};

TEST(ReadString, FindsWhatAReaderOfTheFileExpects) {
    const ReadCase cases[] = {
        {"names ignore case", "[pinDor]\nsOUnd=1\n", "PINDOR", "SOUND", "1"},
        {"asked names ignore case", "[PINDOR]\nSOUND=1\n", "pindor", "sound", "1"},
        {"blanks around everything", "  [  PINDOR \t]  \n \t SOUND  =\t  1 \t\n", " PINDOR", "SOUND\t", "1"},
        {"blanks inside a value stay", "[A]\nk=  a  b  \n", "A", "k", "a  b"},
        {"first key wins", "[A]\nK=1\nk=2\n", "A", "k", "1"},
        {"later section of the same name", "[A]\nx=0\n[B]\nk=9\n[a]\nk=2\n", "A", "k", "2"},
        {"first of two sections", "[A]\nk=1\n[A]\nk=2\n", "A", "k", "1"},
        {"key of another section", "[A]\nx=1\n[B]\nk=1\n", "A", "k", d},
        {"key before any section", "k=1\n[A]\nx=1\n", "A", "k", d},
        {"longer names are other names", "[AB]\nk=1\n[A]\nkk=1\nk1=2\n", "A", "k", d},
        {"comment line", "[A]\n;k=1\n  ; k=2\n", "A", "k", d},
        {"comment is no key of its own", "[A]\n;k=1\n", "A", ";k", d},
        {"line without =", "[A]\nk\n", "A", "k", d},
        {"empty value is a value", "[A]\nk=\n", "A", "k", ""},
        {"value holds =", "[A]\nk=a=b\n", "A", "k", "a=b"},
        {"text after ]", "[A] ; note\nk=1\n", "A", "k", "1"},
        {"header without ]", "[A\nk=1\n", "A", "k", "1"},
        {"CRLF", "[A]\r\nk=1\r\nj=2\r\n", "A", "j", "2"},
        {"mixed endings", "[A]\r\nk=1\nj=2\r\n", "A", "k", "1"},
        {"byte order mark", "\xEF\xBB\xBF[A]\nk=1\n", "A", "k", "1"},
        {"no final newline", "[A]\nk=1", "A", "k", "1"},
        {"raw bytes and NULs kept", std::string("[A]\nk=\x82\xbd\0b\n", 11), "A", "k",
         std::string("\x82\xbd\0b", 4)},
        {"empty names never match", "[]\n=1\n", "", "", d},
    };
    TempConfigDir dir;
    const auto path = dir.path() + "/test.ini";
    for (const auto& c : cases) {
        writeBytes(path, c.contents);
        EXPECT_EQ(getPrivateProfileString(c.section, c.key, d, path), c.expected) << c.what;
    }
    EXPECT_EQ(getPrivateProfileString("A", "k", d, dir.path() + "/none.ini"), d);
    EXPECT_EQ(getPrivateProfileInt("A", "k", 42, dir.path() + "/no/such/folder/x.ini"), 42);
    EXPECT_EQ(getPrivateProfileInt("A", "k", 7, dir.path()), 7) << "a folder is no file";
}

TEST(ReadInt, LeadingNumberSaturatedOrTheDefaultWhenThereIsNone) {
    constexpr int kDefault = 77;
    const std::pair<std::string, int> cases[] = {{"1", 1},
                                                 {" 0", 0},
                                                 {"-1", -1},
                                                 {"+5", 5},
                                                 {"007", 7},
                                                 {"12abc", 12},
                                                 {"1 2", 1},
                                                 {"1e3", 1},
                                                 {"0x10", 0},
                                                 {"3.9", 3},
                                                 {"-0", 0},
                                                 // No digit at all: no number, so the default stands.
                                                 {"", kDefault},
                                                 {"abc", kDefault},
                                                 {"-", kDefault},
                                                 {"- 5", kDefault},
                                                 {"--1", kDefault},
                                                 {"\xEF\xBC\x93", kDefault},
                                                 // Beyond int: saturated, never wrapped.
                                                 {"2147483647", INT_MAX},
                                                 {"2147483648", INT_MAX},
                                                 {"-2147483649", INT_MIN},
                                                 {"4294967297", INT_MAX},
                                                 {std::string(100000, '9'), INT_MAX},
                                                 {"-" + std::string(100000, '9'), INT_MIN}};
    for (const auto& [value, expected] : cases) {
        const auto profile = PrivateProfile::fromText("[N]\nv=" + value + "\n");
        EXPECT_EQ(profile.getInt("N", "v", kDefault), expected) << value.substr(0, 20);
    }
    EXPECT_EQ(PrivateProfile::fromText("").getInt("N", "v", -5), -5);
}

TEST(ClampToInteger16, KeepsTheGamesIntegerRange) {
    const std::pair<long long, int> cases[] = {{32767, 32767},   {32768, 32767},   {-32768, -32768},
                                               {-32769, -32768}, {INT_MAX, 32767}, {LLONG_MIN, -32768}};
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(clampToInteger16(input), expected) << input;
}

} // namespace
} // namespace zandrel
