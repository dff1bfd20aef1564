#include "window/application.h"

#include <QApplication>
#include <QWidget>

namespace zandrel {

int runApplication(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Zandrel"));
    window.setFixedSize(540, 372);
    window.setStyleSheet(QStringLiteral("background-color: black;"));
    window.show();
    return app.exec();
}

} // namespace zandrel
