#pragma once

// Helpers for tests that touch files or the environment: never the user's own.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zandrel::testing {

/// Sets or unsets environment variables for its lifetime, then restores them.
class EnvGuard {
public:
    EnvGuard() = default;
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;
    ~EnvGuard() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            put(it->first, it->second);
    }
    void set(const std::string& name, const std::optional<std::string>& value) {
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        put(name, value);
    }

private:
    static void put(const std::string& name, const std::optional<std::string>& value) {
        value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

/// A fresh, empty folder set as XDG_CONFIG_HOME for its lifetime, then removed.
class TempConfigDir {
public:
    TempConfigDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zandrel-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
        env_.set("XDG_CONFIG_HOME", path_);
    }
    ~TempConfigDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }           ///< without a trailing '/'
    std::string gameDir() const { return path_ + "/zandrel/"; } ///< the game's own, as it computes it

private:
    std::string path_;
    EnvGuard env_;
};

/// Writes `bytes` to `path` exactly, creating the folders above it.
inline void writeBytes(const std::string& path, std::string_view bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::ssize(bytes));
}

/// The bytes of the file at `path` ("" when it cannot be read).
inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace zandrel::testing
