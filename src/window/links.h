#pragma once

// The help page and the author's addresses, handed to the desktop's usual
// openers. Nothing waits for them and no failure reaches the player.

#include <QString>
#include <QUrl>

namespace zandrel {

inline const QString kHelpPageName = QStringLiteral("help.html");
inline const QString kHelpIndexFragment = QStringLiteral("index");

/// The help page beside the program, at `fragment` when one is given.
QUrl helpPageUrl(const QString& fragment = QString());
/// A new mail to the author.
QUrl authorMailUrl();
/// The author's home page.
QUrl authorHomePageUrl();
/// Hands `url` to the desktop and returns at once; the result is not examined.
void openLink(const QUrl& url);

} // namespace zandrel
