#include "platform/private_profile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <exception>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zandrel {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\r";
constexpr std::string_view kLf = "\n";
constexpr std::string_view kCrLf = "\r\n";
constexpr char kSectionOpen = '[';
constexpr char kSectionClose = ']';
constexpr char kCommentMark = ';';
constexpr char kKeyValueSeparator = '=';
/// Separates section and key in the look-up table; never part of a name.
constexpr char kNameSeparator = '\n';
/// Mode of a newly created file (read-write for the user, readable for others).
constexpr mode_t kNewFileMode = 0644;
constexpr std::size_t kReadChunk = 64 * 1024;
/// Digits beyond this magnitude only saturate the result.
constexpr long long kSaturation = static_cast<long long>(INT_MAX) + 1;

enum class LineKind { other, section, key };

/// One line of a profile file.
struct ProfileLine {
    std::string_view text;   ///< without the line ending
    std::string_view ending; ///< "\n", "\r\n" or "" (last line without one)
    LineKind kind = LineKind::other;
    std::string_view name;   ///< section or key name, trimmed
    std::string_view value;  ///< key value, trimmed
    std::size_t nameEnd = 0; ///< key lines: offset in text just past the key name
};

std::string_view trimBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

std::string lookupKey(std::string_view section, std::string_view key) {
    std::string result;
    result.reserve(section.size() + key.size() + 1);
    for (char c : section)
        result += lowerAscii(c);
    result += kNameSeparator;
    for (char c : key)
        result += lowerAscii(c);
    return result;
}

ProfileLine classify(std::string_view text, std::string_view ending) {
    ProfileLine line;
    line.text = text;
    line.ending = ending;
    const auto start = text.find_first_not_of(kBlanks);
    if (start == std::string_view::npos)
        return line;
    if (text[start] == kSectionOpen) {
        const auto body = text.substr(start + 1);
        line.kind = LineKind::section;
        line.name = trimBlanks(body.substr(0, body.find(kSectionClose)));
        return line;
    }
    if (text[start] == kCommentMark)
        return line;
    const auto separator = text.find(kKeyValueSeparator);
    if (separator == std::string_view::npos)
        return line;
    line.kind = LineKind::key;
    line.name = trimBlanks(text.substr(0, separator));
    line.value = trimBlanks(text.substr(separator + 1));
    line.nameEnd = line.name.empty()
                       ? separator
                       : static_cast<std::size_t>(line.name.data() - text.data()) + line.name.size();
    return line;
}

/// Splits file contents (without the byte order mark) into classified lines.
std::vector<ProfileLine> splitLines(std::string_view body) {
    std::vector<ProfileLine> lines;
    std::size_t pos = 0;
    while (pos < body.size()) {
        const auto newline = body.find('\n', pos);
        if (newline == std::string_view::npos) {
            lines.push_back(classify(body.substr(pos), {}));
            break;
        }
        const bool crlf = newline > pos && body[newline - 1] == '\r';
        const auto textEnd = crlf ? newline - 1 : newline;
        lines.push_back(classify(body.substr(pos, textEnd - pos), crlf ? kCrLf : kLf));
        pos = newline + 1;
    }
    return lines;
}

std::string_view withoutBom(std::string_view contents) {
    return contents.starts_with(kUtf8Bom) ? contents.substr(kUtf8Bom.size()) : contents;
}

/// What happened when reading a whole file.
enum class ReadResult { ok, missing, failed };

ReadResult readWholeFile(const std::string& path, std::string& contents) {
    contents.clear();
    // Non-blocking, so that a pipe put in the file's place cannot stall the game;
    // anything but a regular file is refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT ? ReadResult::missing : ReadResult::failed;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return ReadResult::failed;
    }
    std::string chunk(kReadChunk, '\0');
    for (;;) {
        const ssize_t n = ::read(fd, chunk.data(), chunk.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return ReadResult::failed;
        }
        if (n == 0)
            break;
        contents.append(chunk.data(), static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ReadResult::ok;
}

bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // best effort: the rename itself has already happened
        ::close(fd);
    }
}

/// Replaces the file at `target` with `contents` through a temporary file in the
/// same folder, so that readers see either the old or the new file, never a part.
bool replaceFileAtomically(const std::filesystem::path& target, std::string_view contents, mode_t mode) {
    const auto folder = target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    std::string tempPath = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkostemp(tempPath.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, contents) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(tempPath.c_str(), target.c_str()) != 0) {
        ::unlink(tempPath.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

bool isStorableName(std::string_view name) {
    return !name.empty() && name.find_first_of("\r\n") == std::string_view::npos;
}

/// New file contents with `key` in `section` set to `value`.
std::string withValue(std::string_view contents, std::string_view section, std::string_view key,
                      std::string_view value) {
    const bool hasBom = contents.starts_with(kUtf8Bom);
    const auto lines = splitLines(withoutBom(contents));

    std::string_view newline = kLf;
    for (const auto& line : lines) {
        if (!line.ending.empty()) {
            newline = line.ending;
            break;
        }
    }

    std::optional<std::size_t> keyLine;      // the key line a read would find
    std::optional<std::size_t> firstSection; // header of the first matching section
    std::optional<std::size_t> insertAfter;  // last non-blank line of that section
    bool inMatching = false;
    bool inFirstMatching = false;
    for (std::size_t i = 0; i < lines.size() && !keyLine; ++i) {
        const auto& line = lines[i];
        if (line.kind == LineKind::section) {
            inMatching = equalsIgnoreCase(line.name, section);
            inFirstMatching = inMatching && !firstSection;
            if (inFirstMatching) {
                firstSection = i;
                insertAfter = i;
            }
            continue;
        }
        if (inMatching && line.kind == LineKind::key && equalsIgnoreCase(line.name, key))
            keyLine = i;
        else if (inFirstMatching && !trimBlanks(line.text).empty())
            insertAfter = i;
    }

    std::string result;
    result.reserve(contents.size() + section.size() + key.size() + value.size() + 8);
    if (hasBom)
        result += kUtf8Bom;
    const auto appendKeyLine = [&] {
        result.append(key).append(1, kKeyValueSeparator).append(value).append(newline);
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& line = lines[i];
        if (keyLine && *keyLine == i) {
            result.append(line.text.substr(0, line.nameEnd)).append(1, kKeyValueSeparator).append(value);
            result.append(line.ending.empty() ? newline : line.ending);
            continue;
        }
        result.append(line.text);
        if (!keyLine && insertAfter && *insertAfter == i) {
            result.append(line.ending.empty() ? newline : line.ending);
            appendKeyLine();
            continue;
        }
        result.append(line.ending);
    }
    if (!keyLine && !firstSection) {
        if (!result.empty() && result.back() != '\n')
            result.append(newline);
        result.append(1, kSectionOpen).append(section).append(1, kSectionClose).append(newline);
        appendKeyLine();
    }
    return result;
}

} // namespace

std::optional<int> parseProfileInt(std::string_view text) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long magnitude = 0;
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        magnitude = std::min(magnitude * 10 + (text[digits] - '0'), kSaturation);
        ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    const long long value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

std::int16_t clampToInteger16(long long value) {
    return static_cast<std::int16_t>(std::clamp<long long>(value, kInteger16Min, kInteger16Max));
}

PrivateProfile PrivateProfile::load(const std::string& path) {
    try {
        std::string contents;
        if (readWholeFile(path, contents) == ReadResult::ok)
            return fromText(contents);
    } catch (const std::exception&) {
        // Out of memory on an absurd file: treat it as unreadable.
    }
    return {};
}

PrivateProfile PrivateProfile::fromText(std::string_view text) {
    PrivateProfile profile;
    std::optional<std::string_view> section;
    for (const auto& line : splitLines(withoutBom(text))) {
        if (line.kind == LineKind::section)
            section = line.name;
        else if (line.kind == LineKind::key && section)
            profile.values_.try_emplace(lookupKey(*section, line.name), line.value);
    }
    return profile;
}

const std::string* PrivateProfile::find(std::string_view section, std::string_view key) const {
    section = trimBlanks(section);
    key = trimBlanks(key);
    if (section.empty() || key.empty())
        return nullptr;
    const auto it = values_.find(lookupKey(section, key));
    return it == values_.end() ? nullptr : &it->second;
}

int PrivateProfile::getInt(std::string_view section, std::string_view key, int defaultValue) const {
    const auto* value = find(section, key);
    if (value == nullptr)
        return defaultValue;
    return parseProfileInt(*value).value_or(defaultValue);
}

std::string PrivateProfile::getString(std::string_view section, std::string_view key,
                                      std::string_view defaultValue) const {
    const auto* value = find(section, key);
    return value == nullptr ? std::string(defaultValue) : *value;
}

int getPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue,
                         const std::string& path) {
    return PrivateProfile::load(path).getInt(section, key, defaultValue);
}

std::string getPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, const std::string& path) {
    return PrivateProfile::load(path).getString(section, key, defaultValue);
}

bool writePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               const std::string& path) {
    section = trimBlanks(section);
    key = trimBlanks(key);
    if (!isStorableName(section) || section.find(kSectionClose) != std::string_view::npos ||
        !isStorableName(key) || key.find(kKeyValueSeparator) != std::string_view::npos ||
        key.front() == kSectionOpen || key.front() == kCommentMark ||
        value.find_first_of("\r\n") != std::string_view::npos || path.empty())
        return false;
    try {
        namespace fs = std::filesystem;
        std::error_code error;
        fs::path target(path);
        // Write through a symbolic link to the file it names instead of replacing the link.
        if (fs::is_symlink(fs::symlink_status(target, error))) {
            target = fs::weakly_canonical(target, error);
            if (error)
                return false;
        }
        std::string contents;
        const auto read = readWholeFile(target.string(), contents);
        if (read == ReadResult::failed)
            return false;
        mode_t mode = kNewFileMode;
        if (read == ReadResult::ok) {
            struct stat info {};
            if (::stat(target.c_str(), &info) == 0)
                mode = info.st_mode & 07777;
        }
        const auto updated = withValue(contents, section, key, value);
        if (target.has_parent_path()) {
            fs::create_directories(target.parent_path(), error);
            if (error)
                return false;
        }
        return replaceFileAtomically(target, updated, mode);
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace zandrel
