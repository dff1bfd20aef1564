#include "platform/file_helpers.h"
#include "platform/privateProfile.h"
#include "platform/random_profile.h"
#include "support/temp_config_dir.h"

#include <algorithm>
#include <cctype>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zandrel {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempConfigDir;
using testing::writeBytes;

struct WriteCase {
    const char* what;
    std::string before;
    std::string section;
    std::string key;
    std::string value;
    std::string after;
};

void PrintTo(const WriteCase& c, std::ostream* out) {
    *out << c.what;
}

class WriteValue : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteValue, ChangesOnlyWhatItMust) {
    const auto& c = GetParam();
    TempConfigDir dir;
    const auto path = dir.path() + "/test.ini";
    writeBytes(path, c.before);
    ASSERT_TRUE(writePrivateProfileString(c.section, c.key, c.value, path)) << c.what;
    EXPECT_EQ(readBytes(path), c.after) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, WriteValue,
    ::testing::Values(
        WriteCase{"new section in an empty file", "", "PINDOR", "SOUND", " 1", "[PINDOR]\nSOUND= 1\n"},
        WriteCase{"new key after the last one", "[PINDOR]\nBGM=-1\n", "PINDOR", "SOUND", " 1",
                  "[PINDOR]\nBGM=-1\nSOUND= 1\n"},
        WriteCase{"value replaced in place, the rest byte for byte",
                  "; settings\n[Other]\n  A = x \n\n[pindor]\n  Sound = 1 ; old\nBGM=0\n\n[Z]\nq=1", "PINDOR",
                  "SOUND", " 0", "; settings\n[Other]\n  A = x \n\n[pindor]\n  Sound= 0\nBGM=0\n\n[Z]\nq=1"},
        WriteCase{"negative value", "[PINDOR]\nBGM= 0\n", "PINDOR", "BGM", "-1", "[PINDOR]\nBGM=-1\n"},
        WriteCase{"key inserted before the blank lines ending its section", "[A]\nk=1\n\n[B]\nz=1\n", "A",
                  "j", "2", "[A]\nk=1\nj=2\n\n[B]\nz=1\n"},
        WriteCase{"key into an empty section", "[A]\n[B]\nz=1\n", "a", "j", "2", "[A]\nj=2\n[B]\nz=1\n"},
        WriteCase{"key into the first of two sections", "[A]\nx=1\n[B]\n[A]\ny=1\n", "A", "z", "3",
                  "[A]\nx=1\nz=3\n[B]\n[A]\ny=1\n"},
        WriteCase{"the key a read finds, even in a later section", "[A]\nx=1\n[B]\ny=0\n[A]\ny=1\n", "A", "y",
                  "5", "[A]\nx=1\n[B]\ny=0\n[A]\ny=5\n"},
        WriteCase{"only the first of two equal keys", "[A]\nk=1\nk=2\n", "A", "K", "9", "[A]\nk=9\nk=2\n"},
        WriteCase{"CRLF file: replace", "[A]\r\nk=1\r\nj=2\r\n", "A", "k", "5", "[A]\r\nk=5\r\nj=2\r\n"},
        WriteCase{"CRLF file: new key", "[A]\r\nk=1\r\n", "A", "j", "2", "[A]\r\nk=1\r\nj=2\r\n"},
        WriteCase{"CRLF file: new section", "[A]\r\nk=1\r\n", "B", "x", "1", "[A]\r\nk=1\r\n[B]\r\nx=1\r\n"},
        WriteCase{"byte order mark kept", "\xEF\xBB\xBF[A]\nk=1\n", "A", "k", "2", "\xEF\xBB\xBF[A]\nk=2\n"},
        WriteCase{"no final newline: new key", "[A]\nk=1", "A", "j", "2", "[A]\nk=1\nj=2\n"},
        WriteCase{"no final newline: new section", "[A]\nk=1", "B", "x", "1", "[A]\nk=1\n[B]\nx=1\n"},
        WriteCase{"no final newline: replace", "[A]\nk=1", "A", "k", "2", "[A]\nk=2\n"},
        WriteCase{"keys before any section are not the section's", "k=1\n", "A", "k", "2", "k=1\n[A]\nk=2\n"},
        WriteCase{"comment is not a key", "[A]\n;k=1\n", "A", "k", "2", "[A]\n;k=1\nk=2\n"},
        WriteCase{"value written exactly, blanks included", "", "S", "k", "  a b  ", "[S]\nk=  a b  \n"},
        WriteCase{"raw bytes and NULs around are kept", std::string("\x82\xbd\0\n[A]\nk=1\n", 12), "A", "k",
                  "2", std::string("\x82\xbd\0\n[A]\nk=2\n", 12)}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(Write, CreatesTheFolderAndFile) {
    TempConfigDir dir;
    const auto path = dir.gameDir() + "deeper/ZANDREL.INI";
    ASSERT_FALSE(fs::exists(dir.gameDir()));
    ASSERT_TRUE(writePrivateProfileString("PINDOR", "BGM", "-1", path));
    ASSERT_TRUE(writePrivateProfileString("PINDOR", "SOUND", " 1", path));
    EXPECT_EQ(readBytes(path), "[PINDOR]\nBGM=-1\nSOUND= 1\n");
    EXPECT_EQ(getPrivateProfileInt("pindor", "sound", 5, path), 1);
    EXPECT_EQ(getPrivateProfileInt("PINDOR", "BGM", 5, path), -1);
}

TEST(Write, LeavesNoTemporaryFilesBehind) {
    TempConfigDir dir;
    const auto path = dir.path() + "/a.ini";
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(writePrivateProfileString("A", "k" + std::to_string(i), "1", path));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(Write, KeepsTheFilesPermissions) {
    TempConfigDir dir;
    const auto path = dir.path() + "/a.ini";
    writeBytes(path, "[A]\nk=1\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(writePrivateProfileString("A", "k", "2", path));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST(Write, WritesThroughASymbolicLink) {
    TempConfigDir dir;
    const auto real = dir.path() + "/real.ini";
    const auto link = dir.path() + "/link.ini";
    writeBytes(real, "[A]\nk=1\n");
    fs::create_symlink(real, link);
    ASSERT_TRUE(writePrivateProfileString("A", "k", "2", link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readBytes(real), "[A]\nk=2\n");
}

struct BadInput {
    std::string section;
    std::string key;
    std::string value;
};

TEST(Write, RefusesWhatTheFileCannotHoldAndLeavesItAlone) {
    const BadInput cases[] = {{"", "k", "1"},       {" ", "k", "1"},  {"a]b", "k", "1"},
                              {"a\nb", "k", "1"},   {"A", "", "1"},   {"A", "a=b", "1"},
                              {"A", "[k", "1"},     {"A", ";k", "1"}, {"A", "a\r\nb", "1"},
                              {"A", "k", "1\n[B]"}, {"A", "k", "1\r"}};
    TempConfigDir dir;
    const auto path = dir.path() + "/a.ini";
    const std::string before = "[A]\nk=0\n";
    writeBytes(path, before);
    for (const auto& c : cases) {
        EXPECT_FALSE(writePrivateProfileString(c.section, c.key, c.value, path)) << c.section << '|' << c.key;
        EXPECT_EQ(readBytes(path), before);
    }
    EXPECT_FALSE(writePrivateProfileString("A", "k", "1", ""));
}

TEST(WriteFailure, FolderBlockedByAFileReturnsFalse) {
    TempConfigDir dir;
    const auto blocker = dir.path() + "/blocker";
    writeBytes(blocker, "not a folder");
    EXPECT_FALSE(writePrivateProfileString("A", "k", "1", blocker + "/ZANDREL.INI"));
    EXPECT_FALSE(writePrivateProfileString("A", "k", "1", blocker + "/sub/ZANDREL.INI"));
    EXPECT_EQ(readBytes(blocker), "not a folder");
}

TEST(WriteFailure, FolderInPlaceOfTheFileReturnsFalse) {
    TempConfigDir dir;
    fs::create_directory(dir.path() + "/x.ini");
    EXPECT_FALSE(writePrivateProfileString("A", "k", "1", dir.path() + "/x.ini"));
    EXPECT_TRUE(fs::is_directory(dir.path() + "/x.ini"));
}

TEST(WriteFailure, UnwritableFolderReturnsFalseAndKeepsTheFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind root";
    TempConfigDir dir;
    const auto folder = dir.path() + "/locked";
    const auto path = folder + "/a.ini";
    writeBytes(path, "[A]\nk=1\n");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(writePrivateProfileString("A", "k", "2", path));
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(readBytes(path), "[A]\nk=1\n");
}

/// Makes every write past `bytes` of a file fail (EFBIG) for its lifetime. Binds
/// root too, unlike permissions.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

TEST(WriteFailure, FailedWriteLeavesTheOldFileIntact) {
    constexpr rlim_t kLimit = 4096;
    TempConfigDir dir;
    const auto path = dir.path() + "/a.ini";
    const std::string before = "[A]\nk=1\nlong=" + std::string(2 * kLimit, 'x') + "\n[B]\nz=2\n";
    writeBytes(path, before);
    bool written = true;
    {
        FileSizeLimit limit(kLimit);
        written = writePrivateProfileString("A", "k", "2", path);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(readBytes(path), before);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1) << "the temporary file must be removed";
}

TEST(WriteFuzz, RandomFilesReadBackTheWrittenValueAndNothingElseChanges) {
    testing::RandomProfile random;
    TempConfigDir dir;
    const auto path = dir.path() + "/fuzz.ini";
    constexpr int kFiles = 1000;
    constexpr int kProbes = 12;
    for (int i = 0; i < kFiles; ++i) {
        const auto before = random.next(i);
        writeBytes(path, before);
        const auto section = random.sectionName();
        const auto key = random.keyName();
        std::string value = random.value();
        value.erase(std::remove_if(value.begin(), value.end(), [](char c) { return c == '\n' || c == '\r'; }),
                    value.end());
        const bool storable = !section.empty();
        const auto old = PrivateProfile::fromText(before);
        const bool written = writePrivateProfileString(section, key, value, path);
        ASSERT_EQ(written, storable) << "file " << i;
        if (!written) {
            ASSERT_EQ(readBytes(path), before) << "file " << i;
            continue;
        }
        const auto now = PrivateProfile::load(path);
        const auto trimmed = PrivateProfile::fromText("[s]\nk=" + value + "\n").getString("s", "k", "");
        ASSERT_EQ(now.getString(section, key, "<none>"), trimmed) << "file " << i;
        for (int p = 0; p < kProbes; ++p) {
            const auto probeSection = random.sectionName();
            const auto probeKey = random.keyName();
            if (probeSection == section && probeKey == key)
                continue;
            const auto lower = [](std::string s) {
                for (char& c : s)
                    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                return s;
            };
            if (lower(probeSection) == lower(section) && lower(probeKey) == lower(key))
                continue;
            ASSERT_EQ(now.getString(probeSection, probeKey, "<none>"),
                      old.getString(probeSection, probeKey, "<none>"))
                << "file " << i << " [" << probeSection << "] " << probeKey;
        }
    }
}

} // namespace
} // namespace zandrel
