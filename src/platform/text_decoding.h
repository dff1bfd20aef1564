#pragma once

// Text from the game's files: names may be stored as UTF-8 or, by older versions
// of the game, in the Japanese Windows code page 932 (a Shift-JIS superset).
//
// Which of the two a file uses is decided once for the whole file, never per
// value: many code page 932 strings are also well-formed UTF-8 (the half-width
// katakana "\xCF\xB2" would read as a Greek letter), so a single name cannot tell.

#include <cstddef>
#include <string>
#include <string_view>

namespace zandrel {

/// Unicode replacement character, written for bytes that cannot be decoded.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

/// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or code
/// points above U+10FFFF).
bool isValidUtf8(std::string_view bytes);

/// How a whole file's text is stored.
enum class TextEncoding { utf8, cp932 };

/// The encoding of a file's contents: UTF-8 when it starts with a UTF-8 byte order
/// mark, or when it is well-formed UTF-8 holding at least one sequence of three or
/// more bytes (Japanese text in UTF-8 takes three bytes per character), or when it
/// is plain ASCII. Code page 932 otherwise: when any byte sequence is not UTF-8,
/// and when the only non-ASCII sequences are two-byte ones, which is what pairs of
/// half-width katakana in code page 932 look like.
TextEncoding detectTextEncoding(std::string_view contents);

/// A value of a file whose encoding is `encoding`, as UTF-8. Values of a code page
/// 932 file are always converted; values of a UTF-8 file stay as they are unless
/// they are not well-formed UTF-8 (then as decodeUtf8OrCp932).
std::string decodeText(std::string_view bytes, TextEncoding encoding);

/// Converts code page 932 text to UTF-8; bytes that do not decode become U+FFFD.
std::string fromCp932(std::string_view bytes);

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
