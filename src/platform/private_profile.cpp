#include "platform/private_profile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <exception>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

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
constexpr char kDoubleQuote = '"';
constexpr char kSingleQuote = '\'';
/// Mode of a newly created file (read-write for the user, readable for others).
constexpr mode_t kNewFileMode = 0644;
/// Symbolic links followed before giving up (a loop of links).
constexpr int kMaxLinkHops = 40;
/// Random characters mkostemp puts at the end of a temporary file's name.
constexpr std::size_t kTempSuffixLength = 6;
constexpr int kTempCreateAttempts = 3;
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

/// Size of a line's text plus its ending within the file.
std::size_t lineSpan(const ProfileLine& line) {
    return line.text.size() + line.ending.size();
}

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

/// FNV-1a hash of a name in lower case; equal names (ignoring case) hash alike.
std::uint32_t nameHash(std::string_view name) {
    std::uint32_t hash = 2166136261u;
    for (char c : name) {
        hash ^= static_cast<unsigned char>(lowerAscii(c));
        hash *= 16777619u;
    }
    return hash;
}

/// A value without one pair of matching outer quotes.
std::string_view withoutQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == kDoubleQuote || value.front() == kSingleQuote) &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
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

/// Line of `body` starting at `pos` (which must lie inside it), classified.
ProfileLine lineAt(std::string_view body, std::size_t pos) {
    const auto newline = body.find('\n', pos);
    if (newline == std::string_view::npos)
        return classify(body.substr(pos), {});
    const bool crlf = newline > pos && body[newline - 1] == '\r';
    const auto textEnd = crlf ? newline - 1 : newline;
    return classify(body.substr(pos, textEnd - pos), crlf ? kCrLf : kLf);
}

/// Calls visit(line, offset) for every line of `body`, in order, one at a time, so
/// that no per-line storage is needed however many lines the file has.
template <typename Visit> void forEachLine(std::string_view body, Visit&& visit) {
    for (std::size_t pos = 0; pos < body.size();) {
        const auto line = lineAt(body, pos);
        visit(line, pos);
        pos += lineSpan(line);
    }
}

std::string_view withoutBom(std::string_view contents) {
    return contents.starts_with(kUtf8Bom) ? contents.substr(kUtf8Bom.size()) : contents;
}

/// What happened when reading a whole file.
enum class ReadResult { ok, missing, tooLarge, failed };

/// Says once per file, on standard error, that a file too large is left alone.
void reportTooLarge(const std::string& path) {
    static std::mutex mutex;
    static std::set<std::string> reported;
    const std::lock_guard lock(mutex);
    if (reported.insert(path).second)
        std::fprintf(stderr, "zandrel: %s is larger than %zu bytes; left alone, defaults in use\n",
                     path.c_str(), kMaxProfileFileSize);
}

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
    if (static_cast<unsigned long long>(info.st_size) > kMaxProfileFileSize) {
        ::close(fd);
        reportTooLarge(path);
        return ReadResult::tooLarge;
    }
    // One byte more than the bound, to notice a file that grew since fstat.
    contents.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == contents.size()) {
            if (contents.size() > kMaxProfileFileSize)
                break;
            contents.resize(std::min(contents.size() * 2, kMaxProfileFileSize + 1));
        }
        const ssize_t n = ::read(fd, contents.data() + filled, contents.size() - filled);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            contents.clear();
            return ReadResult::failed;
        }
        if (n == 0)
            break;
        filled += static_cast<std::size_t>(n);
    }
    ::close(fd);
    contents.resize(filled);
    if (filled > kMaxProfileFileSize) {
        contents.clear();
        reportTooLarge(path);
        return ReadResult::tooLarge;
    }
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

/// True for a name mkostemp made from `prefix` (prefix + six letters or digits).
bool isTemporaryName(std::string_view name, std::string_view prefix) {
    if (name.size() != prefix.size() + kTempSuffixLength || !name.starts_with(prefix))
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
}

/// Removes our own temporary files of `prefix` in the folder that no running write
/// holds: a write keeps an exclusive lock on its temporary file until it is renamed,
/// and the system drops that lock when the writer dies.
void removeStaleTemporaries(const std::filesystem::path& folder, std::string_view prefix) {
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        return;
    DIR* dir = ::fdopendir(dirFd);
    if (dir == nullptr) {
        ::close(dirFd);
        return;
    }
    std::vector<std::string> candidates;
    while (const dirent* entry = ::readdir(dir)) {
        if (isTemporaryName(entry->d_name, prefix))
            candidates.emplace_back(entry->d_name);
    }
    for (const auto& name : candidates) {
        const int fd = ::openat(dirfd(dir), name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat opened {};
        struct stat named {};
        // Only a regular file of ours, unlocked, and still under that name.
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(dirfd(dir), name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_dev == opened.st_dev && named.st_ino == opened.st_ino)
            ::unlinkat(dirfd(dir), name.c_str(), 0);
        ::close(fd);
    }
    ::closedir(dir);
}

/// Creates and locks a temporary file for `target`; -1 when that fails.
int createTemporary(const std::filesystem::path& folder, const std::string& prefix, std::string& tempPath) {
    for (int attempt = 0; attempt < kTempCreateAttempts; ++attempt) {
        tempPath = (folder / (prefix + "XXXXXX")).string();
        const int fd = ::mkostemp(tempPath.data(), O_CLOEXEC);
        if (fd < 0)
            return -1;
        struct stat info {};
        // Another write's clean-up may have taken the fresh file for a stale one
        // before it was locked: then it has no name any more, and we start again.
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &info) == 0 && info.st_nlink > 0)
            return fd;
        ::close(fd);
    }
    return -1;
}

/// Replaces the file at `target` with `contents` through a temporary file in the
/// same folder, so that readers see either the old or the new file, never a part.
bool replaceFileAtomically(const std::filesystem::path& target, std::string_view contents, mode_t mode) {
    const auto folder = target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    const std::string prefix = "." + target.filename().string() + ".";
    removeStaleTemporaries(folder, prefix);
    std::string tempPath;
    const int fd = createTemporary(folder, prefix, tempPath);
    if (fd < 0)
        return false;
    // The lock is held until the rename is done, so that no clean-up takes the file.
    const bool written = writeAll(fd, contents) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0 &&
                         ::rename(tempPath.c_str(), target.c_str()) == 0;
    if (!written)
        ::unlink(tempPath.c_str());
    ::close(fd);
    if (written)
        syncFolder(folder);
    return written;
}

bool isStorableName(std::string_view name) {
    return !name.empty() && name.find_first_of("\r\n") == std::string_view::npos;
}

/// New file contents with `key` in `section` set to `value`.
std::string withValue(std::string_view contents, std::string_view section, std::string_view key,
                      std::string_view value) {
    const bool hasBom = contents.starts_with(kUtf8Bom);
    const auto body = withoutBom(contents);

    // First pass: where the key line is or where a new one goes, by line offset.
    std::string_view newline;
    std::optional<std::size_t> keyLine;      // the key line a read would find
    std::optional<std::size_t> firstSection; // header of the first matching section
    std::optional<std::size_t> insertAfter;  // last non-blank line of that section
    bool inFirstMatching = false;
    forEachLine(body, [&](const ProfileLine& line, std::size_t offset) {
        if (newline.empty() && !line.ending.empty())
            newline = line.ending;
        if (keyLine)
            return;
        if (line.kind == LineKind::section) {
            inFirstMatching = !firstSection && equalsIgnoreCase(line.name, section);
            if (inFirstMatching)
                firstSection = insertAfter = offset;
            return;
        }
        if (!inFirstMatching)
            return;
        if (line.kind == LineKind::key && equalsIgnoreCase(line.name, key))
            keyLine = offset;
        else if (!trimBlanks(line.text).empty())
            insertAfter = offset;
    });
    if (newline.empty())
        newline = kLf;

    // Second pass: the same lines, one changed or one added.
    std::string result;
    result.reserve(contents.size() + section.size() + key.size() + value.size() + 8);
    if (hasBom)
        result += kUtf8Bom;
    const auto appendKeyLine = [&] {
        result.append(key).append(1, kKeyValueSeparator).append(value).append(newline);
    };
    forEachLine(body, [&](const ProfileLine& line, std::size_t offset) {
        if (keyLine == offset) {
            result.append(line.text.substr(0, line.nameEnd)).append(1, kKeyValueSeparator).append(value);
            result.append(line.ending.empty() ? newline : line.ending);
            return;
        }
        result.append(line.text);
        if (!keyLine && insertAfter == offset) {
            result.append(line.ending.empty() ? newline : line.ending);
            appendKeyLine();
            return;
        }
        result.append(line.ending);
    });
    if (!keyLine && !firstSection) {
        if (!result.empty() && result.back() != '\n')
            result.append(newline);
        result.append(1, kSectionOpen).append(section).append(1, kSectionClose).append(newline);
        appendKeyLine();
    }
    return result;
}

/// The file a write must replace: `path` itself or, when it is a symbolic link, the
/// file the chain of links ends at, whether that file exists yet or not. Nothing
/// for a loop of links or a path that cannot be examined.
std::optional<std::filesystem::path> followLinks(std::filesystem::path path) {
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0)
            return errno == ENOENT ? std::optional(path) : std::nullopt;
        if (!S_ISLNK(info.st_mode))
            return path;
        std::error_code error;
        const auto named = std::filesystem::read_symlink(path, error);
        if (error)
            return std::nullopt;
        path = named.is_absolute() ? named : path.parent_path() / named;
    }
    return std::nullopt;
}

/// True when the permissions of an existing file allow us to change it. Root may
/// write anything, but a file without any write permission is read-only for the
/// game as well.
bool isWritableFile(const std::filesystem::path& path, const struct stat& info) {
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
           ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
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
            return parse(std::move(contents));
    } catch (const std::exception&) {
        // Out of memory: treat the file as unreadable.
    }
    return {};
}

PrivateProfile PrivateProfile::fromText(std::string_view text) {
    return parse(std::string(text));
}

PrivateProfile PrivateProfile::parse(std::string text) {
    PrivateProfile profile;
    // Offsets are stored in 32 bits; files that large are refused long before.
    if (text.size() > UINT32_MAX)
        return profile;
    profile.encoding_ = detectTextEncoding(text);
    if (text.starts_with(kUtf8Bom))
        text.erase(0, kUtf8Bom.size());
    profile.text_ = std::move(text);
    const std::string_view body = profile.text_;

    // Counted first, so that the index takes exactly the room it needs.
    std::size_t sectionCount = 0;
    std::size_t keyCount = 0;
    forEachLine(body, [&](const ProfileLine& line, std::size_t) {
        sectionCount += line.kind == LineKind::section;
        keyCount += line.kind == LineKind::key;
    });
    profile.sections_.reserve(sectionCount);
    profile.keys_.reserve(keyCount);
    std::optional<std::uint32_t> section;
    forEachLine(body, [&](const ProfileLine& line, std::size_t offset) {
        const auto at = static_cast<std::uint32_t>(offset);
        if (line.kind == LineKind::section) {
            section = at;
            profile.sections_.push_back({nameHash(line.name), at});
        } else if (line.kind == LineKind::key && section) {
            profile.keys_.push_back({*section, nameHash(line.name), at});
        }
    });
    std::sort(profile.sections_.begin(), profile.sections_.end(), [](const auto& a, const auto& b) {
        return std::tie(a.nameHash, a.offset) < std::tie(b.nameHash, b.offset);
    });
    std::sort(profile.keys_.begin(), profile.keys_.end(), [](const auto& a, const auto& b) {
        return std::tie(a.sectionOffset, a.nameHash, a.offset) <
               std::tie(b.sectionOffset, b.nameHash, b.offset);
    });
    return profile;
}

std::optional<std::string_view> PrivateProfile::find(std::string_view section, std::string_view key) const {
    section = trimBlanks(section);
    key = trimBlanks(key);
    if (section.empty() || key.empty())
        return std::nullopt;
    const std::string_view body = text_;

    // The first section of that name, in file order among those of the same hash.
    const auto sectionHash = nameHash(section);
    auto header =
        std::lower_bound(sections_.begin(), sections_.end(), sectionHash,
                         [](const SectionLine& s, std::uint32_t hash) { return s.nameHash < hash; });
    for (; header != sections_.end() && header->nameHash == sectionHash; ++header) {
        if (equalsIgnoreCase(lineAt(body, header->offset).name, section))
            break;
    }
    if (header == sections_.end() || header->nameHash != sectionHash)
        return std::nullopt;

    // Its first key line of that name.
    const auto keyHash = nameHash(key);
    auto entry =
        std::lower_bound(keys_.begin(), keys_.end(), std::pair(header->offset, keyHash),
                         [](const KeyLine& k, const std::pair<std::uint32_t, std::uint32_t>& wanted) {
                             return std::pair(k.sectionOffset, k.nameHash) < wanted;
                         });
    for (; entry != keys_.end() && entry->sectionOffset == header->offset && entry->nameHash == keyHash;
         ++entry) {
        const auto line = lineAt(body, entry->offset);
        if (equalsIgnoreCase(line.name, key))
            return withoutQuotes(line.value);
    }
    return std::nullopt;
}

int PrivateProfile::getInt(std::string_view section, std::string_view key, int defaultValue) const {
    const auto value = find(section, key);
    if (!value)
        return defaultValue;
    return parseProfileInt(*value).value_or(defaultValue);
}

std::string PrivateProfile::getString(std::string_view section, std::string_view key,
                                      std::string_view defaultValue) const {
    return std::string(find(section, key).value_or(defaultValue));
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
        const fs::path given(path);
        // Write through a symbolic link to the file it names, even one not there yet.
        const auto target = followLinks(given);
        if (!target)
            return false;
        std::string contents;
        const auto read = readWholeFile(target->string(), contents);
        if (read != ReadResult::ok && read != ReadResult::missing)
            return false;
        mode_t mode = kNewFileMode;
        if (read == ReadResult::ok) {
            struct stat info {};
            if (::stat(target->c_str(), &info) != 0 || !isWritableFile(*target, info))
                return false;
            mode = info.st_mode & 07777;
        }
        const auto updated = withValue(contents, section, key, value);
        if (updated.size() > kMaxProfileFileSize)
            return false; // a file the game would no longer read
        // The game's own folder is made when missing; a link's target folder is not.
        if (*target == given && target->has_parent_path()) {
            std::error_code error;
            fs::create_directories(target->parent_path(), error);
            if (error)
                return false;
        }
        return replaceFileAtomically(*target, updated, mode);
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace zandrel
