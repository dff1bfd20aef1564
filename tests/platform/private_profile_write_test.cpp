#include "platform/file_helpers.h"
#include "platform/private_profile.h"
#include "platform/random_profile.h"
#include "support/temp_config_dir.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zandrel {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempConfigDir;
using testing::writeBytes;

int entriesIn(const std::string& folder) {
    return static_cast<int>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

struct WriteCase {
    const char* what;
    std::string before;
    std::string section;
    std::string key;
    std::string value;
    std::string after;
};

TEST(Write, ChangesOnlyWhatItMust) {
    const WriteCase cases[] = {
        {"new section", "", "PINDOR", "SOUND", " 1", "[PINDOR]\nSOUND= 1\n"},
        {"new key after the last", "[PINDOR]\nBGM=-1\n", "PINDOR", "SOUND", " 1",
         "[PINDOR]\nBGM=-1\nSOUND= 1\n"},
        {"replaced in place, the rest byte for byte",
         "; mine\n[Other]\n  A = x \n\n[pindor]\n  Sound = 1 ; old\nBGM=0\n\n[Z]\nq=1", "PINDOR", "SOUND",
         " 0", "; mine\n[Other]\n  A = x \n\n[pindor]\n  Sound= 0\nBGM=0\n\n[Z]\nq=1"},
        {"before blank lines ending the section", "[A]\nk=1\n\n[B]\n", "A", "j", "2",
         "[A]\nk=1\nj=2\n\n[B]\n"},
        {"into an empty section", "[A]\n[B]\nz=1\n", "a", "j", "2", "[A]\nj=2\n[B]\nz=1\n"},
        {"into the first of two sections", "[A]\nx=1\n[B]\n[A]\ny=1\n", "A", "z", "3",
         "[A]\nx=1\nz=3\n[B]\n[A]\ny=1\n"},
        {"the key a read finds", "[A]\nx=1\n[B]\ny=0\n[A]\ny=1\nY=2\n", "A", "y", "5",
         "[A]\nx=1\n[B]\ny=0\n[A]\ny=5\nY=2\n"},
        {"CRLF: replace", "[A]\r\nk=1\r\nj=2\r\n", "A", "k", "5", "[A]\r\nk=5\r\nj=2\r\n"},
        {"CRLF: new key", "[A]\r\nk=1\r\n", "A", "j", "2", "[A]\r\nk=1\r\nj=2\r\n"},
        {"CRLF: new section", "[A]\r\nk=1\r\n", "B", "x", "1", "[A]\r\nk=1\r\n[B]\r\nx=1\r\n"},
        {"byte order mark kept", "\xEF\xBB\xBF[A]\nk=1\n", "A", "k", "2", "\xEF\xBB\xBF[A]\nk=2\n"},
        {"no final newline: new key", "[A]\nk=1", "A", "j", "2", "[A]\nk=1\nj=2\n"},
        {"no final newline: new section", "[A]\nk=1", "B", "x", "1", "[A]\nk=1\n[B]\nx=1\n"},
        {"no final newline: replace", "[A]\nk=1", "A", "k", "2", "[A]\nk=2\n"},
        {"keys before any section are no section's", "k=1\n", "A", "k", "2", "k=1\n[A]\nk=2\n"},
        {"comment is no key", "[A]\n;k=1\n", "A", "k", "2", "[A]\n;k=1\nk=2\n"},
        {"value exactly as given", "", "S", "k", "  a b  ", "[S]\nk=  a b  \n"},
        {"raw bytes and NULs kept", std::string("\x82\0\n[A]\nk=1\n", 11), "A", "k", "-1",
         std::string("\x82\0\n[A]\nk=-1\n", 12)},
    };
    TempConfigDir dir;
    const auto path = dir.path() + "/test.ini";
    for (const auto& c : cases) {
        writeBytes(path, c.before);
        ASSERT_TRUE(writePrivateProfileString(c.section, c.key, c.value, path)) << c.what;
        EXPECT_EQ(readBytes(path), c.after) << c.what;
    }
    EXPECT_EQ(entriesIn(dir.path()), 1) << "no temporary file left behind";
}

TEST(Write, CreatesFoldersKeepsPermissionsAndFollowsLinks) {
    TempConfigDir dir;
    const auto path = dir.gameDir() + "deeper/a.ini";
    ASSERT_TRUE(writePrivateProfileString("A", "k", "1", path));
    EXPECT_EQ(readBytes(path), "[A]\nk=1\n");

    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    const auto link = dir.path() + "/link.ini";
    fs::create_symlink(path, link);
    ASSERT_TRUE(writePrivateProfileString("A", "k", "2", link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readBytes(path), "[A]\nk=2\n");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST(Write, RefusesWhatTheFileCannotHoldAndLeavesItAlone) {
    const std::array<std::array<std::string, 3>, 10> cases = {{{" ", "k", "1"},
                                                               {"a]b", "k", "1"},
                                                               {"a\nb", "k", "1"},
                                                               {"A", "", "1"},
                                                               {"A", "a=b", "1"},
                                                               {"A", "[k", "1"},
                                                               {"A", ";k", "1"},
                                                               {"A", "a\rb", "1"},
                                                               {"A", "k", "1\n[B]"},
                                                               {"A", "k", "1\r"}}};
    TempConfigDir dir;
    const auto path = dir.path() + "/a.ini";
    writeBytes(path, "[A]\nk=0\n");
    for (const auto& [section, key, value] : cases)
        EXPECT_FALSE(writePrivateProfileString(section, key, value, path))
            << section << '|' << key << '|' << value;
    EXPECT_EQ(readBytes(path), "[A]\nk=0\n");
    EXPECT_FALSE(writePrivateProfileString("A", "k", "1", ""));
}

TEST(WriteFailure, BlockedOrUnwritablePlacesReturnFalse) {
    TempConfigDir dir;
    const auto blocker = dir.path() + "/blocker";
    writeBytes(blocker, "a file");
    EXPECT_FALSE(writePrivateProfileString("A", "k", "1", blocker + "/a.ini"));
    EXPECT_FALSE(writePrivateProfileString("A", "k", "1", blocker + "/sub/a.ini"));
    fs::create_directory(dir.path() + "/x.ini");
    EXPECT_FALSE(writePrivateProfileString("A", "k", "1", dir.path() + "/x.ini"));
    const auto pipe = dir.path() + "/pipe.ini";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(writePrivateProfileString("A", "k", "1", pipe)) << "must neither hang nor replace the pipe";
    EXPECT_EQ(getPrivateProfileInt("A", "k", 3, pipe), 3);
    if (::geteuid() != 0) { // folder permissions do not bind root
        const auto locked = dir.path() + "/locked";
        writeBytes(locked + "/a.ini", "[A]\nk=1\n");
        fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(writePrivateProfileString("A", "k", "2", locked + "/a.ini"));
        fs::permissions(locked, fs::perms::owner_all);
        EXPECT_EQ(readBytes(locked + "/a.ini"), "[A]\nk=1\n");
    }
}

TEST(WriteFailure, FailedWriteLeavesTheOldFileIntact) {
    // A file size limit makes the write fail part-way, for root too.
    constexpr rlim_t kLimit = 4096;
    TempConfigDir dir;
    const auto path = dir.path() + "/a.ini";
    const std::string before = "[A]\nk=1\nlong=" + std::string(2 * kLimit, 'x') + "\n";
    writeBytes(path, before);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = kLimit;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool written = writePrivateProfileString("A", "k", "2", path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(entriesIn(dir.path()), 1) << "the temporary file must be removed";
}

TEST(WriteFuzz, RandomFilesReadBackTheWrittenValueAndNothingElseChanges) {
    testing::RandomProfile random;
    TempConfigDir dir;
    const auto path = dir.path() + "/fuzz.ini";
    const auto same = [](std::string a, std::string b) {
        const auto lower = [](std::string& s) {
            std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
        };
        lower(a);
        lower(b);
        return a == b;
    };
    for (int i = 0; i < testing::kFuzzFileCount / 3; ++i) {
        const auto before = random.next(i);
        writeBytes(path, before);
        const auto section = random.sectionName();
        const auto key = random.keyName();
        auto value = random.value();
        std::erase_if(value, [](char c) { return c == '\n' || c == '\r'; });
        ASSERT_EQ(writePrivateProfileString(section, key, value, path), !section.empty()) << "file " << i;
        const auto old = PrivateProfile::fromText(before);
        const auto now = PrivateProfile::load(path);
        if (section.empty()) {
            ASSERT_EQ(readBytes(path), before);
            continue;
        }
        ASSERT_EQ(now.getString(section, key, "-"),
                  PrivateProfile::fromText("[s]\nk=" + value).getString("s", "k", ""));
        for (int probe = 0; probe < 12; ++probe) {
            const auto s = random.sectionName();
            const auto k = random.keyName();
            if (!same(s, section) || !same(k, key)) {
                ASSERT_EQ(now.getString(s, k, "-"), old.getString(s, k, "-"))
                    << "file " << i << " [" << s << "] " << k;
            }
        }
    }
}

} // namespace
} // namespace zandrel
