#include "platform/file_helpers.h"
#include "platform/privateProfile.h"
#include "support/temp_config_dir.h"

#include <climits>
#include <gtest/gtest.h>

namespace zandrel {
namespace {

using testing::TempConfigDir;
using testing::writeBytes;

constexpr std::string_view kDefault = "<default>";

struct ReadCase {
    const char* what;
    std::string contents;
    std::string section;
    std::string key;
    std::string expected;
};

void PrintTo(const ReadCase& c, std::ostream* out) {
    *out << c.what;
}

class ReadString : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadString, FindsTheValueAReaderOfTheFileExpects) {
    const auto& c = GetParam();
    TempConfigDir dir;
    const auto path = dir.path() + "/test.ini";
    writeBytes(path, c.contents);
    EXPECT_EQ(getPrivateProfileString(c.section, c.key, kDefault, path), c.expected) << c.what;
    EXPECT_EQ(PrivateProfile::fromText(c.contents).getString(c.section, c.key, kDefault), c.expected)
        << c.what;
}

const std::string d(kDefault);

INSTANTIATE_TEST_SUITE_P(
    Rules, ReadString,
    ::testing::Values(ReadCase{"plain", "[PINDOR]\nSOUND=1\n", "PINDOR", "SOUND", "1"},
                      ReadCase{"names ignore case", "[pinDor]\nsOUnd=1\n", "PINDOR", "SOUND", "1"},
                      ReadCase{"asked names ignore case", "[PINDOR]\nSOUND=1\n", "pindor", "sound", "1"},
                      ReadCase{"blanks around everything", "  [  PINDOR \t]  \n \t SOUND  =\t  1 \t\n",
                               "PINDOR", "SOUND", "1"},
                      ReadCase{"blanks inside a value stay", "[A]\nk=  a  b  \n", "A", "k", "a  b"},
                      ReadCase{"blanks around asked names", "[A]\nk=1\n", " A ", " k\t", "1"},
                      ReadCase{"first key wins", "[A]\nk=1\nk=2\n", "A", "k", "1"},
                      ReadCase{"first key wins across spellings", "[A]\nK=1\nk=2\n", "A", "k", "1"},
                      ReadCase{"later section of the same name", "[A]\nx=0\n[B]\nk=9\n[a]\nk=2\n", "A", "k",
                               "2"},
                      ReadCase{"first of two sections", "[A]\nk=1\n[A]\nk=2\n", "A", "k", "1"},
                      ReadCase{"key of another section", "[A]\nx=1\n[B]\nk=1\n", "A", "k", d},
                      ReadCase{"key before any section", "k=1\n[A]\nx=1\n", "A", "k", d},
                      ReadCase{"longer key is another key", "[A]\nkk=1\nk1=2\n", "A", "k", d},
                      ReadCase{"longer section is another section", "[AB]\nk=1\n", "A", "k", d},
                      ReadCase{"comment line", "[A]\n;k=1\n  ; k=2\n", "A", "k", d},
                      ReadCase{"comment line is no key of its own", "[A]\n;k=1\n", "A", ";k", d},
                      ReadCase{"line without =", "[A]\nk\n", "A", "k", d},
                      ReadCase{"empty value is a value", "[A]\nk=\n", "A", "k", ""},
                      ReadCase{"value holds =", "[A]\nk=a=b\n", "A", "k", "a=b"},
                      ReadCase{"text after ]", "[A] ; note\nk=1\n", "A", "k", "1"},
                      ReadCase{"header without ]", "[A\nk=1\n", "A", "k", "1"},
                      ReadCase{"CRLF", "[A]\r\nk=1\r\nj=2\r\n", "A", "k", "1"},
                      ReadCase{"CRLF last line", "[A]\r\nk=1\r\nj=2\r\n", "A", "j", "2"},
                      ReadCase{"mixed endings", "[A]\r\nk=1\nj=2\r\n", "A", "j", "2"},
                      ReadCase{"byte order mark", "\xEF\xBB\xBF[A]\nk=1\n", "A", "k", "1"},
                      ReadCase{"no final newline", "[A]\nk=1", "A", "k", "1"},
                      ReadCase{"raw bytes kept", "[A]\nk=\x82\xbd\x82\xeb\n", "A", "k", "\x82\xbd\x82\xeb"},
                      ReadCase{"NUL inside a value kept", std::string("[A]\nk=a\0b\n", 10), "A", "k",
                               std::string("a\0b", 3)},
                      ReadCase{"empty file", "", "A", "k", d},
                      ReadCase{"empty key asked", "[A]\n=1\n", "A", "", d},
                      ReadCase{"empty section asked", "[]\nk=1\n", "", "k", d}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(ReadMissing, MissingFileOrFolderGivesTheDefault) {
    TempConfigDir dir;
    EXPECT_EQ(getPrivateProfileString("A", "k", "dflt", dir.path() + "/none.ini"), "dflt");
    EXPECT_EQ(getPrivateProfileInt("A", "k", 42, dir.path() + "/no/such/folder/x.ini"), 42);
}

TEST(ReadMissing, FolderInPlaceOfTheFileGivesTheDefault) {
    TempConfigDir dir;
    EXPECT_EQ(getPrivateProfileInt("A", "k", 7, dir.path()), 7);
}

struct IntCase {
    std::string value;
    int expected;
};

void PrintTo(const IntCase& c, std::ostream* out) {
    *out << ::testing::PrintToString(c.value);
}

class ReadInt : public ::testing::TestWithParam<IntCase> {};

constexpr int kIntDefault = 77;

TEST_P(ReadInt, ParsesTheLeadingNumber) {
    const auto& c = GetParam();
    TempConfigDir dir;
    const auto path = dir.path() + "/int.ini";
    writeBytes(path, "[N]\nv=" + c.value + "\n");
    EXPECT_EQ(getPrivateProfileInt("N", "v", kIntDefault, path), c.expected) << '"' << c.value << '"';
}

INSTANTIATE_TEST_SUITE_P(Numbers, ReadInt,
                         ::testing::Values(IntCase{"1", 1}, IntCase{" 1", 1}, IntCase{"-1", -1},
                                           IntCase{" 0", 0}, IntCase{"+5", 5}, IntCase{"007", 7},
                                           IntCase{"\t42\t", 42}, IntCase{"12abc", 12}, IntCase{"1 2", 1},
                                           IntCase{"1e3", 1}, IntCase{"0x10", 0}, IntCase{"3.9", 3},
                                           IntCase{"-0", 0},
                                           // No digit at all: there is no number, so the default stands.
                                           IntCase{"", kIntDefault}, IntCase{"abc", kIntDefault},
                                           IntCase{"-", kIntDefault}, IntCase{"- 5", kIntDefault},
                                           IntCase{"--1", kIntDefault}, IntCase{"\xEF\xBC\x93", kIntDefault},
                                           // Beyond int: saturated, never wrapped.
                                           IntCase{"2147483647", INT_MAX}, IntCase{"2147483648", INT_MAX},
                                           IntCase{"-2147483648", INT_MIN}, IntCase{"-2147483649", INT_MIN},
                                           IntCase{"99999999999999999999999999999", INT_MAX},
                                           IntCase{"-99999999999999999999999999999", INT_MIN},
                                           IntCase{"4294967297", INT_MAX}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(ReadInt, DefaultOnlyWithoutANumber) {
    const auto profile = PrivateProfile::fromText("[N]\nzero=0\nempty=\n");
    EXPECT_EQ(profile.getInt("N", "zero", kIntDefault), 0);
    EXPECT_EQ(profile.getInt("N", "empty", kIntDefault), kIntDefault);
    EXPECT_EQ(profile.getInt("N", "missing", -5), -5);
}

TEST(ReadInt, ThousandsOfDigitsSaturate) {
    EXPECT_EQ(parseProfileInt(std::string(100000, '9')), INT_MAX);
    EXPECT_EQ(parseProfileInt("-" + std::string(100000, '9')), INT_MIN);
}

TEST(ClampToInteger16, KeepsTheGamesIntegerRange) {
    const std::pair<long long, int> cases[] = {
        {0, 0},           {32767, 32767},   {32768, 32767},     {-32768, -32768},
        {-32769, -32768}, {INT_MAX, 32767}, {LLONG_MIN, -32768}};
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(clampToInteger16(input), expected) << input;
}

} // namespace
} // namespace zandrel
