#include "platform/text_decoding.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace zandrel {

namespace {

constexpr const char* kCp932 = "CP932";
constexpr const char* kUtf8 = "UTF-8";
constexpr unsigned char kAsciiEnd = 0x80;
constexpr std::size_t kMaxUtf8Length = 4;
/// Every code page 932 character takes at most three UTF-8 bytes per input byte
/// pair; a generous first output buffer avoids most regrowth.
constexpr std::size_t kOutputPerInputByte = 3;

/// Length of the well-formed UTF-8 sequence starting at `pos`, 0 when there is none.
std::size_t sequenceLength(std::string_view s, std::size_t pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[pos + i]); };
    const auto lead = byte(0);
    if (lead < kAsciiEnd)
        return 1;
    std::size_t length = 0;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            secondLow = 0xA0; // no overlong forms
        if (lead == 0xED)
            secondHigh = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            secondLow = 0x90; // no overlong forms
        if (lead == 0xF4)
            secondHigh = 0x8F; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (pos + length > s.size())
        return 0;
    if (byte(1) < secondLow || byte(1) > secondHigh)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

/// Fallback when the system has no code page 932 converter: ASCII stays, every
/// other byte becomes U+FFFD.
std::string asciiOnly(std::string_view bytes) {
    std::string result;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) < kAsciiEnd)
            result += c;
        else
            result += kReplacementCharacter;
    }
    return result;
}

} // namespace

std::string fromCp932(std::string_view bytes) {
    const iconv_t converter = ::iconv_open(kUtf8, kCp932);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return asciiOnly(bytes);
    std::string result;
    std::string buffer(bytes.size() * kOutputPerInputByte + kMaxUtf8Length, '\0');
    // iconv's interface takes a non-const input pointer but never writes through it.
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* out = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t converted = ::iconv(converter, &in, &inLeft, &out, &outLeft);
        const int error = errno;
        result.append(buffer.data(), buffer.size() - outLeft);
        if (converted != static_cast<std::size_t>(-1))
            break;
        if (error == E2BIG)
            continue;
        // EILSEQ (no such character) or EINVAL (a lead byte cut off at the end):
        // replace one byte and go on with the next.
        result += kReplacementCharacter;
        ++in;
        --inLeft;
        ::iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    ::iconv_close(converter);
    return result;
}

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t pos = 0; pos < bytes.size();) {
        const auto length = sequenceLength(bytes, pos);
        if (length == 0)
            return false;
        pos += length;
    }
    return true;
}

TextEncoding detectTextEncoding(std::string_view contents) {
    constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
    if (contents.starts_with(kUtf8Bom))
        return TextEncoding::utf8;
    bool onlyTwoByteSequences = false;
    for (std::size_t pos = 0; pos < contents.size();) {
        const auto length = sequenceLength(contents, pos);
        if (length == 0)
            return TextEncoding::cp932;
        if (length > 2)
            return isValidUtf8(contents.substr(pos)) ? TextEncoding::utf8 : TextEncoding::cp932;
        onlyTwoByteSequences = onlyTwoByteSequences || length == 2;
        pos += length;
    }
    return onlyTwoByteSequences ? TextEncoding::cp932 : TextEncoding::utf8;
}

std::string decodeText(std::string_view bytes, TextEncoding encoding) {
    return encoding == TextEncoding::cp932 ? fromCp932(bytes) : decodeUtf8OrCp932(bytes);
}

std::string decodeUtf8OrCp932(std::string_view bytes) {
    if (isValidUtf8(bytes))
        return std::string(bytes);
    return fromCp932(bytes);
}

std::size_t countCharacters(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++count)
        pos += std::max<std::size_t>(sequenceLength(utf8, pos), 1);
    return count;
}

std::string toFixedText(std::string_view utf8, std::size_t length) {
    std::size_t pos = 0;
    std::size_t characters = 0;
    while (pos < utf8.size() && characters < length) {
        pos += std::max<std::size_t>(sequenceLength(utf8, pos), 1);
        ++characters;
    }
    std::string result(utf8.substr(0, pos));
    result.append(length - characters, ' ');
    return result;
}

} // namespace zandrel
