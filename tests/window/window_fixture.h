#pragma once

// A started main window with its own settings folder and single-instance lock,
// its message boxes captured as texts, in the language the test chooses.

#include "sound/recording_output.h"
#include "support/test_files.h"
#include "window/fonts.h"
#include "window/main_window.h"
#include "window/message_box.h"
#include "window/opening_window.h"
#include "window/table_screen.h"
#include "window/text_label.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QMouseEvent>
#include <QPointF>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QPointF& point, std::ostream* os) {
    *os << '(' << point.x() << ", " << point.y() << ')';
}

namespace zandrel::testing {

/// The one application of the test program; "Arial" mapped as the game does.
inline void ensureQtApp() {
    if (QCoreApplication::instance() != nullptr)
        return;
    static int argc = 1;
    static char name[] = "window_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // never destroyed: tearing Qt down at exit is not safe
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

inline constexpr const char *kJapanese = "ja_JP.UTF-8", *kEnglish = "en_US.UTF-8";

/// The child of `root` named `name`, of type T; a test failure when there is none.
template <class T = QWidget> T* findIn(const QObject& root, const char* name) {
    T* found = root.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr)
        ADD_FAILURE() << "no " << name;
    return found;
}

/// One mouse event straight to `widget`, also outside it (as a widget holding the grab gets them).
inline void sendMouse(QWidget* widget, QEvent::Type type, QPointF pos,
                      Qt::MouseButton button = Qt::LeftButton, Qt::MouseButtons held = Qt::LeftButton) {
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

/// The pointer moving over `widget` with no button held.
inline void move(QWidget* widget, QPointF pos = {5, 5}) {
    sendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
}

/// Owns a main window that has run its start-up.
class WindowHarness {
public:
    /// A window in `lang` (the opening picture clicked away) finding `settings` and `records` if given.
    explicit WindowHarness(const char* lang = kJapanese, bool debugMode = false,
                           const char* settings = nullptr, const char* records = nullptr) {
        language_.set("LC_ALL", std::nullopt);
        language_.set("LC_MESSAGES", std::nullopt);
        language_.set("LANG", lang);
        if (settings != nullptr)
            writeBytes(settingsPath(), settings);
        if (records != nullptr)
            writeBytes(config_.gameDir() + "ZDSCORE.INI", records);
        ensureQtApp();
        installFontSubstitutions();
        setMessageHook([this](const std::string& text) { messages.push_back(text); });
        StartupOptions options;
        options.debugMode = debugMode;
        options.instanceLockPath = lockDir_.filePath(QStringLiteral("zandrel.lock"));
        options.soundOutput = sound;
        window = std::make_unique<MainWindow>(options);
        started = window->formLoad();
        if (OpeningWindow* opening = window->openingWindow())
            opening->Form_Click();
    }
    ~WindowHarness() {
        window.reset();
        setMessageHook({});
    }

    MainWindow& w() { return *window; }
    /// A control by its object name, its name in the game's design ("cmdShot", "mnuRetry").
    template <class T = QWidget> T* find(const char* name) const { return findIn<T>(*window, name); }
    TableScreen& table() const { return *find<TableScreen>("tableScreen"); }
    Game& game() { return window->game(); }
    const GameState& state() const { return window->gameState(); }
    std::string settingsPath() const { return config_.gameDir() + "ZANDREL.INI"; }

    std::vector<std::string> messages;
    /// What the window's sound room asked of the device.
    std::shared_ptr<RecordingOutput> sound = std::make_shared<RecordingOutput>();
    std::unique_ptr<MainWindow> window;
    bool started = false;

private:
    TempConfigDir config_;
    EnvGuard language_;
    QTemporaryDir lockDir_;
};

/// "Let's Play!" with the game kind and the points chosen in the boxes.
inline void letsPlay(WindowHarness& h, GameKind gameKind = GameKind::fourBall, int points = 5) {
    auto* kind = h.find<QComboBox>("cmbGameName");
    kind->setCurrentIndex(kind->findData(int(gameKind)));
    auto* target = h.find<QComboBox>("cmbPoints");
    target->setCurrentIndex(target->findData(points));
    QTest::mouseClick(h.find("lblLetsPlay"), Qt::LeftButton);
}

/// Runs the motion timer until the balls rest (far beyond the longest shot).
inline void restBalls(WindowHarness& h) {
    for (int tick = 0; tick < 2000 && h.game().isShotRunning(); ++tick)
        h.game().Timer1_Timer();
    ASSERT_FALSE(h.game().isShotRunning()) << "the balls never came to rest";
}

/// "４つ球のデモ" and the demonstration's first step.
inline void startDemo(WindowHarness& h) {
    QTest::mouseClick(h.find("lblHelp"), Qt::LeftButton);
    h.game().timDemo_Timer();
    ASSERT_EQ(h.state().playMode, PlayMode::demo);
}

/// Runs `act` on the modal W that `open` brings up and leaves none open (a missing one fails).
template <class W> void onModal(const std::function<void()>& open, std::function<void(W&)> act) {
    auto opened = std::make_shared<bool>(false);
    QTimer::singleShot(0, [opened, act] {
        auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
        if (window == nullptr) {
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        *opened = true;
        act(*window);
        if (window->isVisible())
            window->close();
    });
    open();
    EXPECT_TRUE(*opened) << "no such window opened";
}
/// The same for the window that the menu item `item` brings up.
template <class W> void onModal(WindowHarness& h, const char* item, std::function<void(W&)> act) {
    onModal<W>([&] { h.find<QAction>(item)->trigger(); }, std::move(act));
}

inline void expectPlaces(std::initializer_list<std::pair<const QWidget*, QRect>> places) {
    for (const auto& [widget, place] : places)
        EXPECT_EQ(widget->geometry(), place) << widget->metaObject()->className();
}

} // namespace zandrel::testing
