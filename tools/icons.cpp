// Renders the application icon from its SVG into the PNG sizes of the icon theme:
//   quorvane-icons ICON.svg OUTDIR SIZE...   writes OUTDIR/SIZExSIZE/apps/quorvane.png
// The build runs it, so the pictures always follow the SVG and none is kept in the repository.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: quorvane-icons ICON.svg OUTDIR SIZE...\n");
        return 2;
    }
    QSvgRenderer svg(args[1]);
    if (!svg.isValid()) {
        std::fprintf(stderr, "quorvane-icons: cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    for (const QString &sizeText : args.mid(3)) {
        const int size = sizeText.toInt();
        if (size <= 0)
            return 2;
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            svg.render(&painter);
        }
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(args[2]).arg(size);
        QDir().mkpath(dir);
        if (!image.save(dir + QStringLiteral("/quorvane.png"))) {
            std::fprintf(stderr, "quorvane-icons: cannot write into %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
