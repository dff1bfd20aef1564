#pragma once

// A started main window for GUI tests: its own settings folder, its own
// single-instance lock, the message boxes captured as texts, the language
// chosen by the test.

#include "qt_app.h"
#include "support/temp_config_dir.h"
#include "window/fonts.h"
#include "window/main_window.h"
#include "window/message_box.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

/// Lets test failures print Qt texts readably.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace zandrel::testing {

/// Sets the language variables the game reads for its lifetime.
class LanguageGuard {
public:
    explicit LanguageGuard(const char* lang) {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            const char* old = std::getenv(name);
            saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
            unsetenv(name);
        }
        setenv("LANG", lang, 1);
    }
    ~LanguageGuard() {
        for (const auto& [name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    LanguageGuard(const LanguageGuard&) = delete;
    LanguageGuard& operator=(const LanguageGuard&) = delete;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

inline constexpr const char* kJapanese = "ja_JP.UTF-8";
inline constexpr const char* kEnglish = "en_US.UTF-8";

/// Owns a main window that has run its start-up.
class WindowHarness {
public:
    /// Starts a window; `settings`, when given, is the settings file it finds.
    explicit WindowHarness(const char* lang = kJapanese, bool debugMode = false,
                           const char* settings = nullptr)
        : language_(lang) {
        if (settings != nullptr) {
            std::filesystem::create_directories(config_.gameDir());
            std::ofstream(settingsPath()) << settings;
        }
        ensureQtApp();
        installFontSubstitutions();
        setMessageHook([this](const std::string& text) { messages.push_back(text); });
        StartupOptions options;
        options.debugMode = debugMode;
        options.instanceLockPath = lockDir_.filePath(QStringLiteral("zandrel.lock"));
        window = std::make_unique<MainWindow>(options);
        started = window->formLoad();
    }
    ~WindowHarness() {
        window.reset();
        setMessageHook({});
    }
    WindowHarness(const WindowHarness&) = delete;
    WindowHarness& operator=(const WindowHarness&) = delete;

    MainWindow& w() { return *window; }
    Game& game() { return window->game(); }
    GameState& state() { return window->game().mutableState(); }
    std::string settingsPath() const { return config_.gameDir() + "ZANDREL.INI"; }

    /// Runs motion ticks until the balls rest (or the limit is reached).
    int runShotToRest(int tickLimit = 2000) {
        int ticks = 0;
        while (game().isShotRunning() && ticks < tickLimit) {
            game().Timer1_Timer();
            ++ticks;
        }
        return ticks;
    }

    std::vector<std::string> messages;
    std::unique_ptr<MainWindow> window;
    bool started = false;

private:
    TempConfigDir config_;
    LanguageGuard language_;
    QTemporaryDir lockDir_;
};

} // namespace zandrel::testing
