#include "window/message_box.h"

#include <QMessageBox>
#include <QString>
#include <QWidget>

#include <cstdlib>
#include <fstream>

namespace zandrel {

namespace {

MessageHook& hook() {
    static MessageHook instance;
    return instance;
}

} // namespace

void setMessageHook(MessageHook newHook) {
    hook() = std::move(newHook);
}

void showMessageBox(const std::string& text, QWidget* parent) {
    if (hook()) {
        hook()(text);
        return;
    }
    if (const char* logPath = std::getenv(kMessageLogVariable); logPath != nullptr && *logPath != '\0') {
        std::ofstream log(logPath, std::ios::app | std::ios::binary);
        log << text << '\n';
        return;
    }
    // Over a window that is not showing yet (start-up's messages) the box
    // stands in the middle of the screen, not over where that window waits.
    QWidget* owner = parent != nullptr && parent->window()->isVisible() ? parent : nullptr;
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kMessageTitle), QString::fromStdString(text),
                    QMessageBox::Ok, owner);
    // Closing a box shown before any window must not end the program.
    box.setAttribute(Qt::WA_QuitOnClose, false);
    box.exec();
}

} // namespace zandrel
