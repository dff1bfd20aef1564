#include "platform/textDecoding.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

// "たろう" in both encodings.
const std::string kTaroUtf8 = "\xE3\x81\x9F\xE3\x82\x8D\xE3\x81\x86";
const std::string kTaroCp932 = "\x82\xbd\x82\xeb\x82\xa4";
const std::string kReplacement(kReplacementCharacter);

TEST(IsValidUtf8, AcceptsWellFormedTextOnly) {
    const std::pair<std::string, bool> cases[] = {
        {"", true},
        {"tovi", true},
        {kTaroUtf8, true},
        {"\xF0\x9F\x8E\xB1", true},     // U+1F3B1, four bytes
        {std::string("a\0b", 3), true}, // NUL is a character
        {kTaroCp932, false},
        {"\xC0\xAF", false},         // overlong '/'
        {"\xE0\x80\xAF", false},     // overlong
        {"\xED\xA0\x80", false},     // surrogate
        {"\xF4\x90\x80\x80", false}, // above U+10FFFF
        {"\xE3\x81", false},         // cut short
        {"\x80", false},             // stray continuation byte
        {"\xFF", false},
    };
    for (const auto& [bytes, valid] : cases)
        EXPECT_EQ(isValidUtf8(bytes), valid) << ::testing::PrintToString(bytes);
}

TEST(DecodeUtf8OrCp932, ConvertsCodePage932AndKeepsUtf8) {
    const std::pair<std::string, std::string> cases[] = {
        {"tovi", "tovi"},
        {kTaroUtf8, kTaroUtf8},
        {kTaroCp932, kTaroUtf8},
        {"Taro" + kTaroCp932, "Taro" + kTaroUtf8},
        {"\xB1", "\xEF\xBD\xB1"},     // half-width katakana A
        {"\x87\x40", "\xE2\x91\xA0"}, // circled digit one, a code page 932 extension
        {"\x81\x60", "\xEF\xBD\x9E"}, // wave dash as code page 932 maps it (U+FF5E)
        {"", ""},
    };
    for (const auto& [bytes, utf8] : cases)
        EXPECT_EQ(decodeUtf8OrCp932(bytes), utf8) << ::testing::PrintToString(bytes);
}

TEST(DecodeUtf8OrCp932, UndecodableBytesBecomeReplacementCharacters) {
    const std::pair<std::string, std::string> cases[] = {
        {"\x82", kReplacement}, // lead byte cut off at the end
        {"a\x82", "a" + kReplacement},
        {"\x82 b", kReplacement + " b"}, // lead byte without a trail byte
        {"\xFF\xFF", kReplacement + kReplacement},
        {kTaroCp932.substr(0, 5), "\xE3\x81\x9F\xE3\x82\x8D" + kReplacement},
    };
    for (const auto& [bytes, utf8] : cases) {
        const auto decoded = decodeUtf8OrCp932(bytes);
        EXPECT_EQ(decoded, utf8) << ::testing::PrintToString(bytes);
        EXPECT_TRUE(isValidUtf8(decoded));
    }
}

TEST(DecodeUtf8OrCp932, EveryByteSequenceGivesValidUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
        all += static_cast<char>(255 - b);
    }
    EXPECT_TRUE(isValidUtf8(decodeUtf8OrCp932(all)));
}

TEST(CountCharacters, CountsCodePointsNotBytes) {
    EXPECT_EQ(countCharacters(""), 0u);
    EXPECT_EQ(countCharacters("tovi"), 4u);
    EXPECT_EQ(countCharacters(kTaroUtf8), 3u);
    EXPECT_EQ(countCharacters("\xF0\x9F\x8E\xB1x"), 2u);
    EXPECT_EQ(countCharacters("\xFF\xFE"), 2u); // each undecodable byte is one
}

struct FixedCase {
    std::string text;
    std::size_t length;
    std::string expected;
};

TEST(ToFixedText, CutsOrPadsByCharacters) {
    const std::string cjk25 = [] {
        std::string s;
        for (int i = 0; i < 25; ++i)
            s += "\xE6\x97\xA5"; // 日
        return s;
    }();
    const FixedCase cases[] = {
        {"tovi", 20, "tovi" + std::string(16, ' ')},
        {"abcdefghijklmnopqrstuvwxy", 20, "abcdefghijklmnopqrst"},
        {kTaroUtf8, 5, kTaroUtf8 + "  "},
        {kTaroUtf8, 2, "\xE3\x81\x9F\xE3\x82\x8D"},
        {cjk25, 20, cjk25.substr(0, 60)},
        {"1", 9, "1" + std::string(8, ' ')},
        {"", 8, std::string(8, ' ')},
        {"exact", 5, "exact"},
        {"any", 0, ""},
        {"\xFF"
         "abc",
         2,
         "\xFF"
         "a"},
    };
    for (const auto& c : cases) {
        const auto fixed = toFixedText(c.text, c.length);
        EXPECT_EQ(fixed, c.expected) << c.text;
        EXPECT_EQ(countCharacters(fixed), c.length) << c.text;
    }
}

} // namespace
} // namespace zandrel
