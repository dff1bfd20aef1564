#include "window/links.h"

#include "window/program_info.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>

namespace zandrel {

QUrl helpPageUrl(const QString& fragment) {
    QUrl url = QUrl::fromLocalFile(QDir(QCoreApplication::applicationDirPath()).filePath(kHelpPageName));
    if (!fragment.isEmpty())
        url.setFragment(fragment);
    return url;
}

QUrl authorMailUrl() {
    return QUrl(QStringLiteral("mailto:") + QString::fromUtf8(kAuthorMail));
}

QUrl authorHomePageUrl() {
    return QUrl(QString::fromUtf8(kAuthorHomePage));
}

void openLink(const QUrl& url) {
    // The desktop starts its opener detached; a missing opener only makes this
    // return false, which changes nothing for the game.
    (void)QDesktopServices::openUrl(url);
}

} // namespace zandrel
