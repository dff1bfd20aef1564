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
//   are ignored; names compare case-insensitively (ASCII letters only). After the
//   blanks, one pair of matching quotes around a value ("..." or '...') is removed,
//   before the value is read as a number too.
// - Only the first section of a name counts: a later section of the same name is
//   never looked at. Within it the first matching key line wins. Keys before the
//   first section belong to no section and are never found.
// - A missing or unreadable file, section or key gives the default, and so does a
//   file larger than kMaxProfileFileSize (reported once on standard error).
//
// Writing rules: the first matching key line of the first section of that name (the
// one a read would find) gets its new value in place; a missing key is added after
// the last non-blank line of that first section, even when a later section of the
// same name holds it; a missing section is appended at the end of the file. Every
// other line stays byte for byte as it was. New lines use the file's line ending
// (CRLF when its first line ends in CRLF, LF otherwise). The file is replaced
// atomically (temporary file in the same folder, fsync, rename), so a failed write
// leaves the old file as it was; temporary files that an earlier, killed write left
// behind are removed. A symbolic link is written through: the file it names is
// replaced or created, the link stays. A file without write permission, and a file
// larger than kMaxProfileFileSize, is left alone and the write fails.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_decoding.h"

namespace zandrel {

/// Smallest and largest value of the game's 16-bit integers.
inline constexpr int kInteger16Min = INT16_MIN;
inline constexpr int kInteger16Max = INT16_MAX;

/// Largest settings or records file that is read or written. Real files hold a few
/// kilobytes; anything beyond this is not the game's and is left alone.
inline constexpr std::size_t kMaxProfileFileSize = 4 * 1024 * 1024;

/// Parses the number at the start of a value: blanks, an optional sign, then decimal
/// digits up to the first non-digit ("12abc" is 12, "0x10" is 0). Returns nothing
/// when the value does not start that way, even if a digit follows later: empty,
/// "abc", "-", "--1", "+ 1", "#1", "[1]". Values beyond the range of int saturate at
/// its ends.
std::optional<int> parseProfileInt(std::string_view text);

/// Clamps a value into the 16-bit range (-32768..32767).
std::int16_t clampToInteger16(long long value);

/// Integer value of `key` in `section` of the file at `path`: the leading number of
/// the value (without its quotes) as parseProfileInt reads it. The default comes back
/// when the file, section or key is missing and also when the value does not start
/// with a number.
int getPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue,
                         const std::string& path);

/// Text value of `key` in `section` of the file at `path`, blanks and then one pair of
/// matching outer quotes removed, bytes as stored; `defaultValue` when the file, section or key is missing.
std::string getPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, const std::string& path);

/// Sets `key` in `section` to `value`, written exactly as given behind the '='.
/// Creates the folder, file, section or key as needed. Returns false, leaving the
/// file untouched, when the write fails, the file is read-only or too large, or a
/// name or value cannot be stored (empty names, line breaks, '=' in a key, ']' in a
/// section, a key starting with '[' or ';').
bool writePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               const std::string& path);

/// A private-profile file read once, for many look-ups that must see one state of
/// the file. Same rules as the free functions. Holds the file's text and a compact
/// index of its section and key lines (a few bytes per line).
class PrivateProfile {
public:
    /// Reads the file; a missing, unreadable or too large file gives an empty profile.
    static PrivateProfile load(const std::string& path);
    /// Parses the given file contents.
    static PrivateProfile fromText(std::string_view text);

    /// As getPrivateProfileInt.
    int getInt(std::string_view section, std::string_view key, int defaultValue) const;
    /// As getPrivateProfileString.
    std::string getString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    /// How the file's text is stored, judged from the whole file.
    TextEncoding textEncoding() const { return encoding_; }

private:
    static PrivateProfile parse(std::string text);
    std::optional<std::string_view> find(std::string_view section, std::string_view key) const;

    /// A section header: hash of its lower-case name, offset of its line.
    struct SectionLine {
        std::uint32_t nameHash;
        std::uint32_t offset;
    };
    /// A key line: offset of its section's header, hash of its lower-case name,
    /// offset of its line.
    struct KeyLine {
        std::uint32_t sectionOffset;
        std::uint32_t nameHash;
        std::uint32_t offset;
    };

    std::string text_; ///< the file without its byte order mark
    TextEncoding encoding_ = TextEncoding::utf8;
    std::vector<SectionLine> sections_; ///< by hash, then file order
    std::vector<KeyLine> keys_;         ///< by section, hash, then file order
};

} // namespace zandrel
