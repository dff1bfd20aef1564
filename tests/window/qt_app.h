#pragma once

// One QApplication for every test of the window tests that needs Qt (fonts,
// widgets, painting). Call ensureQtApp() at the start of such a test.

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QFont>
#include <QString>

namespace zandrel::testing {

/// Creates the application once (offscreen unless QT_QPA_PLATFORM says
/// otherwise) and maps "Arial" to Liberation Sans as the game does.
inline void ensureQtApp() {
    if (QCoreApplication::instance() != nullptr)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    static int argc = 1;
    static char name[] = "window_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: tearing Qt down during static destruction is not safe.
    static QApplication* const app = new QApplication(argc, argv);
    (void)app;
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

} // namespace zandrel::testing
