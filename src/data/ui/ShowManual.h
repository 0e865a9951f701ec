#pragma once
// Opens the manual in the desktop's browser, and says in a message box why when it cannot: the Help
// commands of every window call this.

#include <QString>
#include <QUrl>
#include <functional>

// manual: the manual's index file, empty when it was not found.  open: how a file reaches the browser
// (QDesktopServices when not given; tests give their own).
void ShowManual(const QString &manual, const std::function<bool(const QUrl &)> &open = {});
