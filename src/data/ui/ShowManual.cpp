#include "data/ui/ShowManual.h"

#include "data/ui/GuiMessenger.h"

#include <QDesktopServices>
#include <QDir>

void ShowManual(const QString &manual, const std::function<bool(const QUrl &)> &open)
{
    if (manual.isEmpty()) {
        messenger().error(QStringLiteral("The manual is missing: it was not installed with the program. "
                                         "Install Quorvane again to get it back."));
        return;
    }
    // The desktop's browser shows the manual; without one the user hears why nothing opens.
    const QUrl url = QUrl::fromLocalFile(manual);
    if (!(open ? open(url) : QDesktopServices::openUrl(url)))
        messenger().error(QStringLiteral("The manual could not be opened: no web browser is set up to show "
                                         "%1. Open that file in a web browser.")
                              .arg(QDir::toNativeSeparators(manual)));
}
