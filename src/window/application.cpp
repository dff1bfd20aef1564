#include "window/application.h"

#include "window/fonts.h"
#include "window/main_window.h"

#include <QApplication>

namespace zandrel {

int runApplication(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("zandrel"));
    installFontSubstitutions();

    StartupOptions options;
    options.debugMode = isDebugCommandLine(app.arguments().mid(1));
    MainWindow window(options);
    if (!window.formLoad())
        return 0;
    return app.exec();
}

} // namespace zandrel
