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

/// What Qt says while it starts its window system, held back: when that fails
/// the player gets one clear line instead of Qt's advice to reinstall (and no
/// abort); otherwise the held messages are passed on.
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

/// True when Qt's platform was found and only the display behind it failed.
bool displayFailed() {
    for (const HeldMessage& message : heldMessages)
        if (message.text.contains(QStringLiteral("could not connect to display"), Qt::CaseInsensitive) ||
            message.text.contains(QStringLiteral("wl_display"), Qt::CaseInsensitive))
            return true;
    return false;
}

/// What Qt said before it gave up, on one line: its own warnings (which name
/// the platform plugin it could not find or load) and the plugins it has.
std::string platformFailure(const QString& fatal) {
    QStringList said;
    for (const HeldMessage& message : heldMessages)
        said << message.text.simplified();
    const qsizetype available = fatal.indexOf(QStringLiteral("Available platform plugins are:"));
    if (available >= 0)
        said << fatal.mid(available).simplified();
    return said.join(QStringLiteral("; ")).toStdString();
}

void holdMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) {
        if (displayFailed())
            std::fprintf(stderr, "zandrel: a graphical display is needed, but it could not be opened (%s)\n",
                         displayDetails().c_str());
        else
            std::fprintf(stderr, "zandrel: the window system could not be started (%s)\n",
                         platformFailure(text).c_str());
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
