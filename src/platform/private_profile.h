#pragma once

// Private-profile files: the plain "[section]" / "key=value" text files that hold
// the game's settings and records.
//
// Reading rules:
// - Lines end in LF or CRLF; a UTF-8 byte order mark at the start of the file is
//   skipped (and kept when the file is rewritten).
// - A line whose first non-blank character is '[' starts a section; its name is the
//   text up to the first ']' (or the end of the line). A line whose first non-blank
//   character is ';' is a comment. Any other line with a '=' is a key line: the key
//   is the text before the first '=', the value the text after it.
// - Blanks (space, tab, and a stray CR) around section names, key names and values
//   are ignored; names compare case-insensitively (ASCII letters only).
// - A section may appear more than once: the key is looked for in every section of
//   that name, in file order, and the first matching key line wins. Keys before the
//   first section belong to no section and are never found.
// - A missing or unreadable file, section or key gives the default.
//
// Writing rules: the first matching key line (the one a read would find) gets its
// new value in place; a missing key is added after the last non-blank line of the
// first section of that name; a missing section is appended at the end of the file.
// Every other line stays byte for byte as it was. New lines use the file's line
// ending (CRLF when its first line ends in CRLF, LF otherwise). The file is replaced
// atomically (temporary file in the same folder, fsync, rename), so a failed write
// leaves the old file as it was.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zandrel {

/// Smallest and largest value of the game's 16-bit integers.
inline constexpr int kInteger16Min = INT16_MIN;
inline constexpr int kInteger16Max = INT16_MAX;

/// Parses the number at the start of a value: blanks, an optional sign, then decimal
/// digits up to the first non-digit ("12abc" is 12, "0x10" is 0). Returns nothing
/// when there is no digit at all (empty value, "abc", "-"). Values beyond the range
/// of int saturate at its ends.
std::optional<int> parseProfileInt(std::string_view text);

/// Clamps a value into the 16-bit range (-32768..32767).
std::int16_t clampToInteger16(long long value);

/// Integer value of `key` in `section` of the file at `path`: the leading number of
/// the value as parseProfileInt reads it. The default comes back when the file,
/// section or key is missing and also when the value holds no number at all.
int getPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue,
                         const std::string& path);

/// Text value of `key` in `section` of the file at `path`, blanks around it removed,
/// bytes as stored; `defaultValue` when the file, section or key is missing.
std::string getPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, const std::string& path);

/// Sets `key` in `section` to `value`, written exactly as given behind the '='.
/// Creates the folder, file, section or key as needed. Returns false, leaving the
/// file untouched, when the write fails or a name or value cannot be stored (empty
/// names, line breaks, '=' in a key, ']' in a section, a key starting with '[' or ';').
bool writePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               const std::string& path);

/// A private-profile file read once, for many look-ups that must see one state of
/// the file. Same rules as the free functions.
class PrivateProfile {
public:
    /// Reads the file; a missing or unreadable file gives an empty profile.
    static PrivateProfile load(const std::string& path);
    /// Parses the given file contents.
    static PrivateProfile fromText(std::string_view text);

    /// As getPrivateProfileInt.
    int getInt(std::string_view section, std::string_view key, int defaultValue) const;
    /// As getPrivateProfileString.
    std::string getString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;

private:
    const std::string* find(std::string_view section, std::string_view key) const;

    /// First value of each key, by lower-case "section\nkey".
    std::unordered_map<std::string, std::string> values_;
};

} // namespace zandrel
