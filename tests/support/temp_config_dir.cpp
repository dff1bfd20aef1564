#include "support/temp_config_dir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace zandrel::testing {

TempConfigDir::TempConfigDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zandrel-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) {
        previous_ = old;
        hadPrevious_ = true;
    }
    setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
}

TempConfigDir::~TempConfigDir() {
    if (hadPrevious_)
        setenv("XDG_CONFIG_HOME", previous_.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace zandrel::testing
