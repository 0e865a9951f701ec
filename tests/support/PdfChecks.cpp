#include "support/PdfChecks.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

QString withoutLigatures(QString text)
{
    // U+FB00..U+FB06: ff, fi, fl, ffi, ffl, long s t, st.
    static const char *const letters[] = {"ff", "fi", "fl", "ffi", "ffl", "st", "st"};
    for (int i = 0; i < 7; ++i)
        text.replace(QChar(0xFB00 + i), QLatin1String(letters[i]));
    return text;
}

bool popplerAvailable()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

QString pdfRawText(const QString &pdfPath)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                          QStringLiteral("UTF-8"), pdfPath, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QStringList pdfPages(const QString &pdfPath)
{
    QStringList pages = withoutLigatures(pdfRawText(pdfPath)).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QList<QSizeF> pdfPageSizes(const QString &pdfPath)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                        QStringLiteral("100000"), pdfPath});
    p.waitForFinished(60000);
    static const QRegularExpression size(QStringLiteral("Page\\s+\\d+ size:\\s+([0-9.]+) x ([0-9.]+) pts"));
    QList<QSizeF> sizes;
    auto it = size.globalMatch(QString::fromUtf8(p.readAllStandardOutput()));
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        sizes << QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
    }
    return sizes;
}

QImage renderPdfPage(const QString &pdfPath, int page, int dpi)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
             QString::number(page), QStringLiteral("-l"), QString::number(page),
             QStringLiteral("-singlefile"), pdfPath, prefix});
    p.waitForFinished(60000);
    return QImage(prefix + QStringLiteral(".png"));
}
