#include "platform/private_profile.h"
#include "support/test_files.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <malloc.h>
#include <new>
#include <random>
#include <strings.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// Every allocation of this test program through the global operator new is
// counted, so that a test can see the most bytes that were live at once.
namespace {
std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakLiveBytes{0};
} // namespace

void* operator new(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr)
        throw std::bad_alloc();
    const std::size_t live = liveBytes += malloc_usable_size(p);
    for (std::size_t peak = peakLiveBytes; live > peak && !peakLiveBytes.compare_exchange_weak(peak, live);) {
    }
    return p;
}

void operator delete(void* p) noexcept {
    if (p != nullptr) {
        liveBytes -= malloc_usable_size(p);
        std::free(p);
    }
}

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

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
        std::string contents, expected, section = "A", key = "k";
    };
    // clang-format off
    const Case cases[] = {
        // Names ignore case and blanks; the first key wins; blanks inside a value stay.
        {"[a]\nK=1\n", "1"}, {"  [  A \t]  \n \t k  =\t  1 \t\n", "1", " A", "k\t"}, {"[A]\nk=1\nK=2\n", "1"},
        {"[A]\nk=  a  b  \n", "a  b"},
        // Only the first section of a name counts, even an empty one; no key of another section.
        {"[A]\nx=0\n[B]\nk=9\n[a]\nk=2\n", d}, {"[A]\nk=1\n[A]\nk=2\n", "1"}, {"[A]\n[B]\n[A]\nk=9\n", d},
        {"k=1\n[A]\nx=1\n", d}, {"[AB]\nk=1\n[A]\nkk=1\nk1=2\n", d},
        // One pair of matching quotes goes, after the blanks.
        {"[A]\nk= \" a b \" \n", " a b "}, {"[A]\nk='x'\n", "x"}, {"[A]\nk=\"\"x\"\"\n", "\"x\""},
        {"[A]\nk=\"\"\n", ""}, {"[A]\nk=\"x'\n", "\"x'"}, {"[A]\nk=\"\n", "\""},
        // Comments, lines without '=', '=' in a value, odd headers.
        {"[A]\n;k=1\n  ; k=2\n", d}, {"[A]\n;k=1\n", d, "A", ";k"}, {"[A]\nk\n", d}, {"[A]\nk=\n", ""},
        {"[A]\nk=a=b\n", "a=b"}, {"[A] ; note\nk=1\n", "1"}, {"[A\nk=1\n", "1"}, {"[]\n=1\n", d, "", ""},
        // Names of the same hash are still told apart.
        {"[A]\n16cd=1\ngwzx=2\n", "2", "A", "gwzx"}, {"[16cd]\nk=1\n[gwzx]\nk=2\n", "2", "gwzx"},
        // Line endings, byte order mark, raw bytes.
        {"[A]\r\nj=2\r\nk=1\r\n", "1"}, {"[A]\r\nk=1\nj=2\r\n", "1"}, {"\xEF\xBB\xBF[A]\nk=1\n", "1"},
        {"[A]\nk=1", "1"}, {std::string("[A]\nk=\x82\xbd\0b\n", 11), std::string("\x82\xbd\0b", 4)}};
    // clang-format on
    TempConfigDir dir;
    const auto path = dir.path() + "/test.ini";
    for (const auto& c : cases) {
        writeBytes(path, c.contents);
        EXPECT_EQ(getPrivateProfileString(c.section, c.key, d, path), c.expected)
            << ::testing::PrintToString(c.contents);
    }
    EXPECT_EQ(getPrivateProfileString("A", "k", d, dir.path() + "/none.ini"), d);
    EXPECT_EQ(getPrivateProfileInt("A", "k", 7, dir.path()), 7) << "a folder is no file";
}

TEST(ReadInt, LeadingNumberSaturatedOrTheDefaultWhenThereIsNone) {
    constexpr int no = 77; // the default: no number
    // A leading number; the default without a digit; saturated, never wrapped, beyond int.
    // clang-format off
    const std::pair<std::string, int> cases[] = {
        {"1", 1}, {" 0", 0}, {"-1", -1}, {"+5", 5}, {"007", 7}, {"12abc", 12}, {"0x10", 0}, {"", no},
        {"abc", no}, {"-", no}, {"- 5", no}, {"--1", no}, {"+ 1", no}, {"#1", no}, {"[1]", no}, {"\"0\"", 0},
        {"'-1'", -1}, {"\" 7 \"", 7}, {"\"12\"x", no}, {"\"3", no}, {"'0\"", no}, {"\xEF\xBC\x93", no},
        {"2147483647", INT_MAX}, {"2147483648", INT_MAX},
        {"-2147483649", INT_MIN}, {"4294967297", INT_MAX}, {std::string(100000, '9'), INT_MAX},
        {"-" + std::string(100000, '9'), INT_MIN}};
    const std::pair<long long, int> clamps[] = {{32767, 32767}, {32768, 32767}, {-32768, -32768},
        {-32769, -32768}, {INT_MAX, 32767}, {LLONG_MIN, -32768}};
    // clang-format on
    for (const auto& [value, expected] : cases) {
        const auto profile = PrivateProfile::fromText("[N]\nv=" + value + "\n");
        EXPECT_EQ(profile.getInt("N", "v", no), expected) << value.substr(0, 20);
    }
    EXPECT_EQ(PrivateProfile::fromText("").getInt("N", "v", -5), -5);
    for (const auto& [input, expected] : clamps)
        EXPECT_EQ(clampToInteger16(input), expected) << input;
}

TEST(Write, ChangesOnlyWhatItMust) {
    // Key "k" of section "A" set to a value: file before, value, file after.
    // clang-format off
    const std::array<std::string, 3> cases[] = {
        {"", "  a b  ", "[A]\nk=  a b  \n"}, {"[A]\nj=-1\n", "1", "[A]\nj=-1\nk=1\n"},
        {"; mine\n[Other]\n  A = x \n\n[a]\n  K = 1 ; old\nj=0\n\n[Z]\nq=1", "0",
         "; mine\n[Other]\n  A = x \n\n[a]\n  K=0\nj=0\n\n[Z]\nq=1"},
        // Into the first section of that name, after its last line that is not blank.
        {"[A]\nx=1\n\n[B]\n", "2", "[A]\nx=1\nk=2\n\n[B]\n"}, {"k=1\n", "2", "k=1\n[A]\nk=2\n"},
        {"[a]\n[B]\nz=1\n", "2", "[a]\nk=2\n[B]\nz=1\n"}, {"[A]\n;k=1\n", "2", "[A]\n;k=1\nk=2\n"},
        {"[A]\nx=1\n[B]\n[A]\ny=1\n", "3", "[A]\nx=1\nk=3\n[B]\n[A]\ny=1\n"},
        {"[A]\nx=1\nk=1\nK=2\n[A]\nk=0\n", "5", "[A]\nx=1\nk=5\nK=2\n[A]\nk=0\n"},
        {"[A]\nx=1\n[B]\nk=0\n[A]\nk=1\n", "5", "[A]\nx=1\nk=5\n[B]\nk=0\n[A]\nk=1\n"},
        // The file's line ending, byte order mark, missing final newline and raw bytes.
        {"[A]\r\nk=1\r\nj=2\r\n", "5", "[A]\r\nk=5\r\nj=2\r\n"},
        {"[A]\r\nj=1\r\n", "2", "[A]\r\nj=1\r\nk=2\r\n"},
        {"[B]\r\nk=1\r\n", "1", "[B]\r\nk=1\r\n[A]\r\nk=1\r\n"},
        {"\xEF\xBB\xBF[A]\nk=1\n", "2", "\xEF\xBB\xBF[A]\nk=2\n"}, {"[A]\nk=1", "2", "[A]\nk=2\n"},
        {"[A]\nj=1", "2", "[A]\nj=1\nk=2\n"}, {"[B]\nk=1", "1", "[B]\nk=1\n[A]\nk=1\n"},
        {std::string("\x82\0\n[A]\nk=1\n", 11), "-1", std::string("\x82\0\n[A]\nk=-1\n", 12)}};
    // clang-format on
    TempConfigDir dir;
    const auto path = dir.path() + "/test.ini";
    for (const auto& [before, value, after] : cases) {
        writeBytes(path, before);
        ASSERT_TRUE(writePrivateProfileString("A", "k", value, path)) << ::testing::PrintToString(before);
        EXPECT_EQ(readBytes(path), after) << ::testing::PrintToString(before);
    }
    EXPECT_EQ(entriesIn(dir.path()), 1) << "no temporary file left behind";
}

TEST(Write, CreatesMissingFolders) {
    TempConfigDir dir;
    const auto path = dir.gameDir() + "deeper/a.ini";
    EXPECT_TRUE(writePrivateProfileString("A", "k", "1", path));
    EXPECT_EQ(readBytes(path), "[A]\nk=1\n");
}

TEST(Write, KeepsThePermissionsOfTheFile) {
    using fs::perms;
    TempConfigDir dir;
    const auto path = dir.path() + "/a.ini";
    writeBytes(path, "[A]\nk=0\n");
    const auto rw = perms::owner_read | perms::owner_write;
    for (const perms kept : {rw, rw | perms::group_read | perms::group_write | perms::others_read}) {
        fs::permissions(path, kept);
        EXPECT_TRUE(writePrivateProfileString("A", "k", "1", path));
        EXPECT_EQ(fs::status(path).permissions() & perms::all, kept);
    }
    EXPECT_EQ(readBytes(path), "[A]\nk=1\n");
}

TEST(Write, FollowsSymbolicLinksThatStayInPlace) {
    TempConfigDir dir;
    const auto path = dir.path() + "/a.ini", link = dir.path() + "/link.ini";
    writeBytes(path, "[A]\nk=1\n");
    const auto rw = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(path, rw);
    fs::create_symlink(path, link);
    EXPECT_TRUE(writePrivateProfileString("A", "k", "2", link));
    EXPECT_EQ(std::tuple(readBytes(path), fs::status(path).permissions() & fs::perms::all),
              std::tuple("[A]\nk=2\n", rw));
    // A link to a file not there yet: that file is made, the link stays; no folders are made for a link.
    fs::create_directory(dir.path() + "/elsewhere");
    const auto dangling = dir.path() + "/dangling.ini", loop = dir.path() + "/loop.ini",
               intoNowhere = dir.path() + "/nowhere.ini";
    fs::create_symlink("elsewhere/new.ini", dangling);
    fs::create_symlink("loop.ini", loop);
    fs::create_symlink("no/such/folder/x.ini", intoNowhere);
    EXPECT_TRUE(writePrivateProfileString("A", "k", "3", dangling));
    EXPECT_EQ(readBytes(dir.path() + "/elsewhere/new.ini"), "[A]\nk=3\n");
    EXPECT_FALSE(writePrivateProfileString("A", "k", "1", loop));
    EXPECT_FALSE(writePrivateProfileString("A", "k", "1", intoNowhere));
    for (const auto& kept : {link, dangling, loop, intoNowhere})
        EXPECT_TRUE(fs::is_symlink(kept)) << kept;
}

TEST(Write, RemovesTemporaryFilesOfKilledWritesOnly) {
    TempConfigDir dir;
    const std::string stale[] = {".a.ini.Xy12Z9", ".a.ini.000000"};
    const std::string kept[] = {".a.ini.Xy12Z", ".a.ini.Xy12Z9.bak", ".b.ini.Xy12Z9",
                                "a.ini.Xy12Z9", ".a.ini.Xy-2Z9",     ".a.ini.RuN123"};
    for (const auto& name : stale)
        writeBytes(dir.path() + "/" + name, "[A]\nk=");
    for (const auto& name : kept)
        writeBytes(dir.path() + "/" + name, "x");
    // A write still running holds a lock on its temporary file (the last one kept).
    const int held = ::open((dir.path() + "/" + kept[5]).c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    ASSERT_TRUE(writePrivateProfileString("A", "k", "1", dir.path() + "/a.ini"));
    ::close(held);
    for (const auto& name : stale)
        EXPECT_FALSE(fs::exists(dir.path() + "/" + name)) << name;
    for (const auto& name : kept)
        EXPECT_TRUE(fs::exists(dir.path() + "/" + name)) << name;
}

TEST(WriteFailure, ReturnsFalseAndLeavesTheFileAsItWas) {
    TempConfigDir dir;
    const auto at = [&](const std::string& name) { return dir.path() + "/" + name; };
    // Names and values the file cannot hold.
    const std::array<std::string, 3> cases[] = {
        {" ", "k", "1"},  {"a]b", "k", "1"}, {"a\nb", "k", "1"}, {"A", "", "1"},       {"A", "a=b", "1"},
        {"A", "[k", "1"}, {"A", ";k", "1"},  {"A", "a\rb", "1"}, {"A", "k", "1\n[B]"}, {"A", "k", "1\r"}};
    writeBytes(at("a.ini"), "[A]\nk=0\n");
    for (const auto& [section, key, value] : cases)
        EXPECT_FALSE(writePrivateProfileString(section, key, value, at("a.ini")))
            << section << '|' << key << '|' << value;
    EXPECT_EQ(readBytes(at("a.ini")), "[A]\nk=0\n");
    EXPECT_FALSE(writePrivateProfileString("A", "k", "1", ""));
    // Places that are no file to write.
    writeBytes(at("blocker"), "a file");
    fs::create_directory(at("x.ini"));
    ASSERT_EQ(::mkfifo(at("pipe.ini").c_str(), 0600), 0); // must neither hang nor be replaced
    for (const auto* name : {"blocker/a.ini", "blocker/sub/a.ini", "x.ini", "pipe.ini"})
        EXPECT_FALSE(writePrivateProfileString("A", "k", "1", at(name))) << name;
    EXPECT_EQ(getPrivateProfileInt("A", "k", 3, at("pipe.ini")), 3);
    // Without any write permission the file stays as it is, for root as well.
    const auto r = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(at("a.ini"), r);
    EXPECT_FALSE(writePrivateProfileString("A", "k", "2", at("a.ini")));
    EXPECT_EQ(std::tuple(readBytes(at("a.ini")), fs::status(at("a.ini")).permissions() & fs::perms::all),
              std::tuple("[A]\nk=0\n", r));
    if (::geteuid() != 0) { // folder permissions do not bind root
        writeBytes(at("locked/a.ini"), "[A]\nk=1\n");
        fs::permissions(at("locked"), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(writePrivateProfileString("A", "k", "2", at("locked/a.ini")));
        fs::permissions(at("locked"), fs::perms::owner_all);
        EXPECT_EQ(readBytes(at("locked/a.ini")), "[A]\nk=1\n");
    }
    // A file size limit makes the write fail part-way, for root too.
    constexpr rlim_t kLimit = 4096;
    const std::string before = "[A]\nk=1\nlong=" + std::string(2 * kLimit, 'x') + "\n";
    writeBytes(at("b.ini"), before);
    const auto entries = entriesIn(dir.path());
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit limit{kLimit, saved.rlim_max};
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool written = writePrivateProfileString("A", "k", "2", at("b.ini"));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    // Nothing written, the file as it was, the temporary file removed.
    EXPECT_EQ(std::tuple(written, readBytes(at("b.ini")), entriesIn(dir.path())),
              std::tuple(false, before, entries));
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

/// The most bytes live at once through operator new while `work` runs, beyond those live before.
template <typename Work> std::size_t peakAllocatedBytes(Work work) {
    const std::size_t before = liveBytes;
    peakLiveBytes = before;
    work();
    return peakLiveBytes - before;
}

TEST(HugeFiles, ReadingTakesTheTextOnceAndTwelveBytesPerSectionOrKeyLine) {
    TempConfigDir dir;
    const auto path = dir.path() + "/huge.ini";
    // The largest file there may be, in the shapes with the most lines per byte: blank lines, tiny
    // keys, tiny sections; it once took a hundred times the text.
    for (const std::string_view line : {"\n", "k=\n", "[s]\n"}) {
        std::string text = line == "k=\n" ? "[A]\n" : "";
        while (text.size() + line.size() <= kMaxProfileFileSize)
            text += line;
        const std::size_t indexedLines = line == "\n" ? 0 : text.size() / line.size();
        // A few pages for the allocator's rounding and the small things beside.
        const std::size_t bound = text.size() + 12 * indexedLines + 64 * 1024;
        writeBytes(path, text);
        for (const bool fromFile : {false, true}) {
            int read = 0;
            const std::size_t peak = peakAllocatedBytes([&] {
                const auto profile = fromFile ? PrivateProfile::load(path) : PrivateProfile::fromText(text);
                read = profile.getInt("A", "k", 4);
            });
            SCOPED_TRACE(::testing::Message() << ::testing::PrintToString(std::string(line))
                                              << (fromFile ? " from the file" : " from the text"));
            EXPECT_EQ(read, 4);
            EXPECT_GE(peak, text.size()) << "the count must see the text it holds";
            EXPECT_LE(peak, bound);
        }
    }
}

// Hostile files (random bytes, NULs, stray CRs, BOMs, unclosed sections, names in any case): a
// write reads back as written and leaves every other name as it read before.
TEST(WriteFuzz, RandomFilesReadBackTheWrittenValueAndNothingElseChanges) {
    std::mt19937 rng(0x5A4E4452);
    auto below = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto bytes = [&](int n) {
        std::string s(n, '\0');
        for (char& c : s)
            c = static_cast<char>(rng() & 0xFF);
        return s;
    };
    auto respell = [&](std::string name) {
        for (char& c : name)
            c = below(3) == 0 ? static_cast<char>(std::tolower(static_cast<unsigned char>(c))) : c;
        return name;
    };
    const std::string sections[] = {"SOLO", "TOVI", "PINDOR", ""};
    const std::string keys[] = {"Name01", "LV", "SOUND", "Shots10", "Balls"};
    const std::string values[] = {"-35000", "99999999999",      " 12abc ", "\"7\"",
                                  "'x",     "\x82\xbd\x82\xeb", "",        std::string("z\0z", 3)};
    auto section = [&] { return respell(sections[below(4)]); };
    auto key = [&] { return respell(keys[below(5)]); };
    auto value = [&] { return below(4) == 0 ? bytes(below(40)) : values[below(8)]; };

    TempConfigDir dir;
    const auto path = dir.path() + "/fuzz.ini";
    for (int i = 0; i < 1000; ++i) {
        std::string before = below(10) == 0 ? "\xEF\xBB\xBF" : "";
        for (int line = below(40); line > 0; --line) {
            const int kind = below(6);
            before += kind == 0   ? "[" + section() + (below(8) == 0 ? "" : "]")
                      : kind == 1 ? bytes(below(60))
                                  : " " + key() + " = " + value();
            before += below(3) == 0 ? "\r\n" : "\n";
        }
        writeBytes(path, before);
        const auto s = section(), k = key();
        auto v = value();
        std::erase_if(v, [](char c) { return c == '\n' || c == '\r'; });
        ASSERT_EQ(writePrivateProfileString(s, k, v, path), !s.empty()) << "file " << i;
        const auto old = PrivateProfile::fromText(before);
        const auto now = PrivateProfile::load(path);
        if (s.empty()) {
            ASSERT_EQ(readBytes(path), before) << "file " << i;
        } else {
            ASSERT_EQ(now.getString(s, k, d), PrivateProfile::fromText("[s]\nk=" + v).getString("s", "k", ""))
                << i;
        }
        for (const auto& os : sections)
            for (const auto& ok : keys)
                if (strcasecmp(os.c_str(), s.c_str()) != 0 || strcasecmp(ok.c_str(), k.c_str()) != 0) {
                    ASSERT_EQ(now.getString(os, ok, d), old.getString(os, ok, d))
                        << "file " << i << " " << os << ok;
                }
    }
}

} // namespace
} // namespace zandrel
