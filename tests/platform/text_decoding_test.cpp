#include "platform/text_decoding.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

// "たろう" in both encodings.
const std::string kTaroUtf8 = "\xE3\x81\x9F\xE3\x82\x8D\xE3\x81\x86";
const std::string kTaroCp932 = "\x82\xbd\x82\xeb\x82\xa4";
const std::string kBad(kReplacementCharacter);

TEST(IsValidUtf8, AcceptsWellFormedTextOnly) {
    // Overlong forms, surrogates, beyond U+10FFFF and cut sequences are not UTF-8.
    const std::pair<std::string, bool> cases[] = {
        {kTaroUtf8, true},       {"\xF0\x9F\x8E\xB1", true},  {std::string("a\0b", 3), true},
        {kTaroCp932, false},     {"\xC0\xAF", false},         {"\xE0\x80\xAF", false},
        {"\xED\xA0\x80", false}, {"\xF4\x90\x80\x80", false}, {"\xE3\x81", false},
        {"\x80", false}};
    for (const auto& [bytes, valid] : cases)
        EXPECT_EQ(isValidUtf8(bytes), valid) << ::testing::PrintToString(bytes);
}

TEST(DecodeUtf8OrCp932, KeepsUtf8ConvertsCodePage932ReplacesTheRest) {
    const std::pair<std::string, std::string> cases[] = {
        {kTaroUtf8, kTaroUtf8},       {kTaroCp932, kTaroUtf8},
        {"\xB1", "\xEF\xBD\xB1"},     // half-width katakana A
        {"\x87\x40", "\xE2\x91\xA0"}, // circled digit one: only code page 932 has it
        {"\x81\x60", "\xEF\xBD\x9E"}, // wave dash as code page 932 maps it (U+FF5E)
        {"a\x82", "a" + kBad},        // lead byte cut off at the end
        {"\x82 b", kBad + " b"},      // lead byte without a trail byte
        {"\xFF\xFF", kBad + kBad}};
    for (const auto& [bytes, utf8] : cases)
        EXPECT_EQ(decodeUtf8OrCp932(bytes), utf8) << ::testing::PrintToString(bytes);
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += {static_cast<char>(b), static_cast<char>(255 - b)};
    EXPECT_TRUE(isValidUtf8(decodeUtf8OrCp932(all)));
}

TEST(DetectTextEncoding, WholeFileDecidesAndTwoByteSequencesAloneMeanCodePage932) {
    const std::string myCp932 = "\xCF\xB2"; // ﾏｲ, also well-formed UTF-8
    const std::pair<std::string, TextEncoding> cases[] = {
        {"", TextEncoding::utf8},
        {"k=" + kTaroUtf8, TextEncoding::utf8},
        {"k=" + myCp932 + "\nj=" + kTaroUtf8, TextEncoding::utf8},
        {"k=" + myCp932, TextEncoding::cp932},
        {"k=" + myCp932 + "\xC3\xBD", TextEncoding::cp932}, // ﾏｲﾃｽ
        {"k=" + myCp932 + "\nj=" + kTaroCp932, TextEncoding::cp932},
        {"k=" + kTaroUtf8 + "\nj=" + kTaroCp932, TextEncoding::cp932}, // not UTF-8 as a whole
        {"\xEF\xBB\xBFk=\xC3\xA9", TextEncoding::utf8},
        {"k=\xC3\xA9", TextEncoding::cp932}};
    for (const auto& [contents, encoding] : cases)
        EXPECT_EQ(detectTextEncoding(contents), encoding) << ::testing::PrintToString(contents);
    EXPECT_EQ(decodeText(myCp932, TextEncoding::cp932), "\xEF\xBE\x8F\xEF\xBD\xB2");
    EXPECT_EQ(decodeText(myCp932, TextEncoding::utf8), myCp932);
    EXPECT_EQ(decodeText(kTaroCp932, TextEncoding::utf8), kTaroUtf8) << "a stray value still reads";
}

TEST(ToFixedText, CutsOrPadsByCharactersNotBytes) {
    std::string sun25;
    for (int i = 0; i < 25; ++i)
        sun25 += "\xE6\x97\xA5"; // 日
    // The last: an undecodable byte is one character.
    const std::tuple<std::string, std::size_t, std::string> cases[] = {
        {"tovi", 20, "tovi" + std::string(16, ' ')},
        {kTaroUtf8, 5, kTaroUtf8 + "  "},
        {sun25, 20, sun25.substr(0, 60)},
        {"", 8, std::string(8, ' ')},
        {"any", 0, ""},
        {"\xFF\x61\x62\x63", 2, "\xFF\x61"}};
    for (const auto& [text, length, expected] : cases) {
        EXPECT_EQ(toFixedText(text, length), expected) << text;
        EXPECT_EQ(countCharacters(expected), length) << text;
    }
}

} // namespace
} // namespace zandrel
