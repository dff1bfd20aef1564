// Where the message box stands: over the main window once it shows, in the
// middle of the screen before (start-up's messages).

#include "window_fixture.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

namespace zandrel::testing {
namespace {

/// Shows a real box over `parent`, closes it as soon as it is up and returns its centre.
QPoint boxCentre(QWidget* parent) {
    QPoint centre(-1, -1);
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            centre = box->geometry().center();
            box->accept();
        }
    });
    closer.start(10);
    showMessageBox("Pass 1 !", parent);
    return centre;
}

TEST(MessageBox, StandsInTheMiddleOfTheScreenUntilTheMainWindowShowsThenOverIt) {
    ensureQtApp();
    EnvGuard env;
    env.set(kMessageLogVariable, std::nullopt);
    QWidget window;
    window.setGeometry(30, 20, 540, 372); // where a hidden window waits
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    ASSERT_GT((screenCentre - window.geometry().center()).manhattanLength(), 50);

    for (QWidget* parent : {static_cast<QWidget*>(nullptr), &window})
        EXPECT_LE((boxCentre(parent) - screenCentre).manhattanLength(), 2);
    window.show();
    EXPECT_LE((boxCentre(&window) - window.geometry().center()).manhattanLength(), 2);
}

} // namespace
} // namespace zandrel::testing
