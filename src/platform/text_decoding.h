#pragma once

// Text from the game's files: names may be stored as UTF-8 or, by older versions
// of the game, in the Japanese Windows code page 932 (a Shift-JIS superset).

#include <cstddef>
#include <string>
#include <string_view>

namespace zandrel {

/// Unicode replacement character, written for bytes that cannot be decoded.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

/// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or code
/// points above U+10FFFF).
bool isValidUtf8(std::string_view bytes);

/// `bytes` as UTF-8: kept as they are when they already are valid UTF-8, otherwise
/// converted from code page 932. Bytes that do not decode become U+FFFD.
std::string decodeUtf8OrCp932(std::string_view bytes);

/// Number of characters (code points) of UTF-8 text; a byte that does not start a
/// well-formed sequence counts as one character.
std::size_t countCharacters(std::string_view utf8);

/// UTF-8 text cut to `length` characters or padded with blanks on the right to
/// `length` characters, as a fixed-length text field holds it.
std::string toFixedText(std::string_view utf8, std::size_t length);

} // namespace zandrel
