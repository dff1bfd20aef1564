#include "window/application.h"

#include "window/fonts.h"
#include "window/main_window.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zandrel {

namespace {

/// What Qt says while it opens the display, held back: when the display
/// cannot be opened the player gets one clear line instead of Qt's advice to
/// reinstall (and no abort); otherwise the held messages are passed on.
struct HeldMessage {
    QtMsgType type;
    QString text;
};
std::vector<HeldMessage> heldMessages;

std::string displayDetails() {
    std::string details;
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        if (const char* value = std::getenv(name); value != nullptr && *value != '\0')
            details += std::string(details.empty() ? "" : ", ") + name + "=" + value;
    }
    return details;
}

void holdMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "zandrel: a graphical display is needed, but it could not be opened (%s)\n",
                     displayDetails().c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    heldMessages.push_back({type, text});
}

std::unique_ptr<QApplication> openApplication(int& argc, char* argv[]) {
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const HeldMessage& message : std::exchange(heldMessages, {}))
        qt_message_output(message.type, QMessageLogContext(), message.text);
    return app;
}

} // namespace

int runApplication(int argc, char* argv[]) {
    const std::unique_ptr<QApplication> app = openApplication(argc, argv);
    app->setApplicationName(QStringLiteral("zandrel"));
    installFontSubstitutions();

    StartupOptions options;
    options.debugMode = isDebugCommandLine(app->arguments().mid(1));
    MainWindow window(options);
    if (!window.formLoad())
        return 0;
    return app->exec();
}

} // namespace zandrel
