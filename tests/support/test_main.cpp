// Every test program points the config, runtime and home folders at the build
// tree first: no test can touch the player's real settings or records.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv) {
    const std::filesystem::path root = ZANDREL_TEST_ENV_DIR;
    for (const char* sub : {"config", "runtime", "home"})
        std::filesystem::create_directories(root / sub);
    std::filesystem::permissions(root / "runtime", std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace);
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (root / "runtime").c_str(), 1);
    setenv("HOME", (root / "home").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
