#pragma once

#include <string>

namespace zandrel::testing {

/// A fresh, empty folder set as XDG_CONFIG_HOME for the lifetime of the object;
/// the folder is removed and the previous value restored on destruction.
class TempConfigDir {
public:
    TempConfigDir();
    ~TempConfigDir();
    TempConfigDir(const TempConfigDir&) = delete;
    TempConfigDir& operator=(const TempConfigDir&) = delete;

    /// The folder itself, without a trailing '/'.
    const std::string& path() const { return path_; }
    /// The game's own folder inside it ("<path>/zandrel/"), as the game computes it.
    std::string gameDir() const { return path_ + "/zandrel/"; }

private:
    std::string path_;
    std::string previous_;
    bool hadPrevious_ = false;
};

} // namespace zandrel::testing
