#include "window/message_box.h"

#include <QMessageBox>
#include <QString>

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
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kMessageTitle), QString::fromStdString(text),
                    QMessageBox::Ok, parent);
    box.exec();
}

} // namespace zandrel
