// The INI layer: what a read finds, what a write changes, and how a failed
// write leaves the file.

#include "platform/private_profile.h"
#include "support/random_profile.h"
#include "support/test_files.h"

#include <algorithm>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <strings.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zandrel {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempConfigDir;
using testing::writeBytes;

const std::string d = "<default>";

int entriesIn(const std::string& folder) {
    return static_cast<int>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(ReadString, FindsWhatAReaderOfTheFileExpects) {
    struct Case {
        const char* what;
        std::string contents, section, key, expected;
    };
    const Case cases[] = {
        {"names ignore case", "[pinDor]\nsOUnd=1\n", "PINDOR", "SOUND", "1"},
        {"asked names ignore case", "[PINDOR]\nSOUND=1\n", "pindor", "sound", "1"},
        {"blanks around everything", "  [  PINDOR \t]  \n \t SOUND  =\t  1 \t\n", " PINDOR", "SOUND\t", "1"},
        {"blanks inside a value stay", "[A]\nk=  a  b  \n", "A", "k", "a  b"},
        {"first key wins", "[A]\nK=1\nk=2\n", "A", "k", "1"},
        {"later section of the same name", "[A]\nx=0\n[B]\nk=9\n[a]\nk=2\n", "A", "k", d},
        {"first of two sections", "[A]\nk=1\n[A]\nk=2\n", "A", "k", "1"},
        {"empty first section", "[A]\n[B]\n[A]\nk=9\n", "A", "k", d},
        {"quotes removed after the blanks", "[A]\nk= \" a b \" \n", "A", "k", " a b "},
        {"single quotes", "[A]\nk='x'\n", "A", "k", "x"},
        {"one pair only", "[A]\nk=\"\"x\"\"\n", "A", "k", "\"x\""},
        {"empty quotes", "[A]\nk=\"\"\n", "A", "k", ""},
        {"quotes that do not match", "[A]\nk=\"x'\n", "A", "k", "\"x'"},
        {"a quote alone", "[A]\nk=\"\n", "A", "k", "\""},
        {"a quote at one end", "[A]\nk=\"24/05/01\n", "A", "k", "\"24/05/01"},
        {"key of another section", "[A]\nx=1\n[B]\nk=1\n", "A", "k", d},
        {"key before any section", "k=1\n[A]\nx=1\n", "A", "k", d},
        {"longer names are other names", "[AB]\nk=1\n[A]\nkk=1\nk1=2\n", "A", "k", d},
        {"comment line", "[A]\n;k=1\n  ; k=2\n", "A", "k", d},
        {"comment is no key of its own", "[A]\n;k=1\n", "A", ";k", d},
        {"line without =", "[A]\nk\n", "A", "k", d},
        {"empty value is a value", "[A]\nk=\n", "A", "k", ""},
        {"value holds =", "[A]\nk=a=b\n", "A", "k", "a=b"},
        {"text after ]", "[A] ; note\nk=1\n", "A", "k", "1"},
        {"header without ]", "[A\nk=1\n", "A", "k", "1"},
        {"CRLF", "[A]\r\nk=1\r\nj=2\r\n", "A", "j", "2"},
        {"mixed endings", "[A]\r\nk=1\nj=2\r\n", "A", "k", "1"},
        {"byte order mark", "\xEF\xBB\xBF[A]\nk=1\n", "A", "k", "1"},
        {"no final newline", "[A]\nk=1", "A", "k", "1"},
        {"raw bytes and NULs kept", std::string("[A]\nk=\x82\xbd\0b\n", 11), "A", "k",
         std::string("\x82\xbd\0b", 4)},
        {"empty names never match", "[]\n=1\n", "", "", d},
    };
    TempConfigDir dir;
    const auto path = dir.path() + "/test.ini";
    for (const auto& c : cases) {
        writeBytes(path, c.contents);
        EXPECT_EQ(getPrivateProfileString(c.section, c.key, d, path), c.expected) << c.what;
    }
    EXPECT_EQ(getPrivateProfileString("A", "k", d, dir.path() + "/none.ini"), d);
    EXPECT_EQ(getPrivateProfileInt("A", "k", 42, dir.path() + "/no/such/folder/x.ini"), 42);
    EXPECT_EQ(getPrivateProfileInt("A", "k", 7, dir.path()), 7) << "a folder is no file";
}

TEST(ReadInt, LeadingNumberSaturatedOrTheDefaultWhenThereIsNone) {
    constexpr int kDefault = 77;
    // A leading number; the default without a digit; saturated, never wrapped, beyond int.
    // clang-format off
    const std::pair<std::string, int> cases[] = {
        {"1", 1}, {" 0", 0}, {"-1", -1}, {"+5", 5}, {"007", 7}, {"12abc", 12}, {"1 2", 1}, {"1e3", 1},
        {"0x10", 0}, {"3.9", 3}, {"-0", 0}, {"", kDefault}, {"abc", kDefault}, {"-", kDefault},
        {"- 5", kDefault}, {"--1", kDefault}, {"+ 1", kDefault}, {"#1", kDefault}, {"[1]", kDefault},
        {"\"0\"", 0}, {"'-1'", -1}, {"\" 7 \"", 7}, {"\"12\"x", kDefault}, {"\"3", kDefault}, {"'0\"", kDefault}, {"\xEF\xBC\x93", kDefault}, {"2147483647", INT_MAX},
        {"2147483648", INT_MAX}, {"-2147483649", INT_MIN}, {"4294967297", INT_MAX},
        {std::string(100000, '9'), INT_MAX}, {"-" + std::string(100000, '9'), INT_MIN}};
    // clang-format on
    for (const auto& [value, expected] : cases) {
        const auto profile = PrivateProfile::fromText("[N]\nv=" + value + "\n");
        EXPECT_EQ(profile.getInt("N", "v", kDefault), expected) << value.substr(0, 20);
    }
    EXPECT_EQ(PrivateProfile::fromText("").getInt("N", "v", -5), -5);
    const std::pair<long long, int> clamps[] = {{32767, 32767},   {32768, 32767},   {-32768, -32768},
                                                {-32769, -32768}, {INT_MAX, 32767}, {LLONG_MIN, -32768}};
    for (const auto& [input, expected] : clamps)
        EXPECT_EQ(clampToInteger16(input), expected) << input;
}

TEST(Write, ChangesOnlyWhatItMust) {
    struct Case {
        const char* what;
        std::string before, section, key, value, after;
    };
    const Case cases[] = {
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
        {"the key a read finds", "[A]\nx=1\ny=1\nY=2\n[A]\ny=0\n", "A", "y", "5",
         "[A]\nx=1\ny=5\nY=2\n[A]\ny=0\n"},
        {"only in a later section: added to the first", "[A]\nx=1\n[B]\ny=0\n[A]\ny=1\n", "A", "y", "5",
         "[A]\nx=1\ny=5\n[B]\ny=0\n[A]\ny=1\n"},
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

    const auto rw = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(path, rw);
    const auto link = dir.path() + "/link.ini";
    fs::create_symlink(path, link);
    ASSERT_TRUE(writePrivateProfileString("A", "k", "2", link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readBytes(path), "[A]\nk=2\n");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, rw);

    // A link to a file not there yet: that file is made, the link stays.
    fs::create_directory(dir.path() + "/elsewhere");
    const auto dangling = dir.path() + "/dangling.ini";
    fs::create_symlink("elsewhere/new.ini", dangling);
    ASSERT_TRUE(writePrivateProfileString("A", "k", "3", dangling));
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(readBytes(dir.path() + "/elsewhere/new.ini"), "[A]\nk=3\n");
    EXPECT_EQ(getPrivateProfileInt("A", "k", 0, dangling), 3);

    const auto loop = dir.path() + "/loop.ini";
    fs::create_symlink("loop.ini", loop);
    EXPECT_FALSE(writePrivateProfileString("A", "k", "1", loop));
    const auto intoNowhere = dir.path() + "/nowhere.ini";
    fs::create_symlink("no/such/folder/x.ini", intoNowhere);
    EXPECT_FALSE(writePrivateProfileString("A", "k", "1", intoNowhere)) << "no folders made for a link";
    EXPECT_TRUE(fs::is_symlink(loop) && fs::is_symlink(intoNowhere));
}

TEST(Write, RemovesTemporaryFilesOfKilledWritesOnly) {
    TempConfigDir dir;
    const auto path = dir.path() + "/a.ini";
    const std::string stale[] = {".a.ini.Xy12Z9", ".a.ini.000000"};
    const std::string kept[] = {".a.ini.Xy12Z", ".a.ini.Xy12Z9.bak", ".b.ini.Xy12Z9", "a.ini.Xy12Z9",
                                ".a.ini.Xy-2Z9"};
    for (const auto& name : stale)
        writeBytes(dir.path() + "/" + name, "[A]\nk=");
    for (const auto& name : kept)
        writeBytes(dir.path() + "/" + name, "x");
    // A write still running holds a lock on its temporary file.
    const auto running = dir.path() + "/.a.ini.RuN123";
    writeBytes(running, "[A]\n");
    const int held = ::open(running.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    ASSERT_TRUE(writePrivateProfileString("A", "k", "1", path));
    ::close(held);
    for (const auto& name : stale)
        EXPECT_FALSE(fs::exists(dir.path() + "/" + name)) << name;
    for (const auto& name : kept)
        EXPECT_TRUE(fs::exists(dir.path() + "/" + name)) << name;
    EXPECT_TRUE(fs::exists(running));
    EXPECT_EQ(readBytes(path), "[A]\nk=1\n");
}

TEST(Write, RefusesWhatTheFileCannotHoldAndLeavesItAlone) {
    const std::array<std::string, 3> cases[] = {
        {" ", "k", "1"},  {"a]b", "k", "1"}, {"a\nb", "k", "1"}, {"A", "", "1"},       {"A", "a=b", "1"},
        {"A", "[k", "1"}, {"A", ";k", "1"},  {"A", "a\rb", "1"}, {"A", "k", "1\n[B]"}, {"A", "k", "1\r"}};
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
    // Without any write permission the file stays as it is, for root as well.
    const auto readOnly = dir.path() + "/read-only.ini";
    writeBytes(readOnly, "[A]\nk=1\n");
    const auto r = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(readOnly, r);
    EXPECT_FALSE(writePrivateProfileString("A", "k", "2", readOnly));
    EXPECT_EQ(readBytes(readOnly), "[A]\nk=1\n");
    EXPECT_EQ(fs::status(readOnly).permissions() & fs::perms::all, r);
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

TEST(HugeFiles, AboveTheBoundGiveDefaultsAreNeverWrittenAndSaySoOnce) {
    TempConfigDir dir;
    const auto path = dir.path() + "/big.ini";
    std::string big = "[A]\nk=5\n";
    big.resize(kMaxProfileFileSize, '\n');
    writeBytes(path, big);
    EXPECT_EQ(getPrivateProfileInt("A", "k", 7, path), 5) << "at the bound it is read";
    EXPECT_TRUE(writePrivateProfileString("A", "k", "6", path));
    EXPECT_FALSE(writePrivateProfileString("A", "j", "1", path)) << "would grow beyond the bound";

    big += '\n';
    writeBytes(path, big);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(getPrivateProfileInt("A", "k", 7, path), 7);
    EXPECT_FALSE(writePrivateProfileString("A", "k", "1", path));
    EXPECT_EQ(getPrivateProfileString("A", "k", d, path), d);
    const auto said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(readBytes(path), big);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find(path), std::string::npos) << said;
}

/// Resets this process's peak resident memory; false where the system cannot.
bool resetResidentPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return clear.good();
}

long residentPeakKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:"))
            return std::stol(line.substr(6));
    }
    return -1;
}

TEST(HugeFiles, MemoryStaysWithinASmallMultipleOfTheText) {
    constexpr std::size_t kSize = 8'000'000;
    const auto repeated = [](std::string_view line) {
        std::string text;
        text.reserve(kSize + line.size());
        while (text.size() < kSize)
            text += line;
        return text;
    };
    // The shapes with the most lines per byte: blank lines, tiny keys, tiny sections.
    const std::string shapes[] = {repeated("\n"), "[A]\n" + repeated("k=\n"), repeated("[s]\n")};
    for (const auto& text : shapes) {
        if (!resetResidentPeak())
            GTEST_SKIP() << "peak memory cannot be measured here";
        const long before = residentPeakKilobytes();
        const auto profile = PrivateProfile::fromText(text);
        EXPECT_EQ(profile.getInt("A", "k", 4), 4);
        const long grown = residentPeakKilobytes() - before;
        // The text once, twelve bytes per line of at least three, and room for a
        // sanitizer's bookkeeping; far below the hundred times it once took.
        EXPECT_LT(grown, static_cast<long>(8 * kSize / 1024)) << text.substr(0, 4);
    }
}

TEST(WriteFuzz, RandomFilesReadBackTheWrittenValueAndNothingElseChanges) {
    testing::RandomProfile random;
    TempConfigDir dir;
    const auto path = dir.path() + "/fuzz.ini";
    for (int i = 0; i < testing::kFuzzFileCount / 3; ++i) {
        const auto before = random.next(i);
        writeBytes(path, before);
        const auto section = random.sectionName();
        const auto key = random.keyName();
        auto value = random.value();
        std::erase_if(value, [](char c) { return c == '\n' || c == '\r'; });
        ASSERT_EQ(writePrivateProfileString(section, key, value, path), !section.empty()) << "file " << i;
        if (section.empty()) {
            ASSERT_EQ(readBytes(path), before);
            continue;
        }
        const auto old = PrivateProfile::fromText(before);
        const auto now = PrivateProfile::load(path);
        ASSERT_EQ(now.getString(section, key, "-"),
                  PrivateProfile::fromText("[s]\nk=" + value).getString("s", "k", ""));
        for (int probe = 0; probe < 12; ++probe) {
            const auto s = random.sectionName();
            const auto k = random.keyName();
            if (strcasecmp(s.c_str(), section.c_str()) != 0 || strcasecmp(k.c_str(), key.c_str()) != 0) {
                ASSERT_EQ(now.getString(s, k, "-"), old.getString(s, k, "-"))
                    << "file " << i << " [" << s << "] " << k;
            }
        }
    }
}

} // namespace
} // namespace zandrel
