#include "output/ui/ExportDialogs.h"

#include "output/ExportSource.h"
#include "output/TableExport.h"
#include "output/report/PictureFiles.h"

#include "data/CommandBoundary.h"
#include "data/Dataset.h"
#include "data/ui/GuiMessenger.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMimeData>
#include <QProgressDialog>

namespace
{
ChosenFile chooseWithDialog(QWidget *parent, const QString &title, const QString &filters,
                            const QString &selected)
{
    QString filter = selected;
    const QString path = QFileDialog::getSaveFileName(parent, title, QString(), filters, &filter,
                                                      QFileDialog::DontConfirmOverwrite);
    return {path, filter};
}

ExportFileChooser &fileChooser()
{
    static ExportFileChooser chooser = chooseWithDialog;
    return chooser;
}

// The export's progress window with its Cancel.
class ExportProgressWindow
{
public:
    ExportProgressWindow(QWidget *parent, const QString &caption)
        : m_dialog(QStringLiteral("Processing..."), QStringLiteral("&Cancel"), 0, 100, parent)
    {
        m_dialog.setWindowTitle(caption);
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(500);
    }
    ExportProgress callback()
    {
        return [this](int done, int total) {
            m_dialog.setValue(total > 0 ? done * 100 / total : 100);
            return !m_dialog.wasCanceled();
        };
    }

private:
    QProgressDialog m_dialog;
};

void copyToClipboard(const ExportSource &source, const ExportOptions &options)
{
    const ClipboardTable t = clipboardTable(source, options);
    auto *mime = new QMimeData;
    mime->setText(t.text);
    mime->setHtml(t.html);
    QApplication::clipboard()->setMimeData(mime);
    messenger().information(QStringLiteral("Data was copied to clipboard!"));
}

void exportTable(const ExportSource &source, const QString &title, const QString &progressCaption,
                 QWidget *parent)
{
    runCommand(messenger(), [&] {
        const ChosenFile chosen = fileChooser()(
            parent, QStringLiteral("Export Data As"), tableExportFilter(),
            tableExportFilter().split(QStringLiteral(";;")).value(static_cast<int>(kDefaultTableExportType)));
        if (chosen.path.isEmpty())
            return;
        const ExportType type =
            exportTypeOfFilter(chosen.filter)
                .value_or(
                    exportTypeOfExtension(QFileInfo(chosen.path).suffix()).value_or(kDefaultTableExportType));
        ExportProgressWindow progress(parent, progressCaption);
        ExportOptions options;
        options.title = title;
        options.progress = progress.callback();
        if (type == ExportType::Clipboard)
            return copyToClipboard(source, options);
        exportTableFile(source, type, withExportExtension(chosen.path, type), options, messenger());
    });
}
} // namespace

void setExportFileChooser(ExportFileChooser chooser)
{
    fileChooser() = chooser ? std::move(chooser) : ExportFileChooser(chooseWithDialog);
}

ChosenFile chooseSaveFile(QWidget *parent, const QString &title, const QString &filters,
                          const QString &selected)
{
    return fileChooser()(parent, title, filters, selected);
}

void ExportGrid(const Dataset &dataset, const QList<GridColumn> &columns, const QString &title,
                QWidget *parent)
{
    const DatasetExportSource source(dataset, columns);
    exportTable(source, title, QStringLiteral("Exporting DBGrid"), parent);
}

void ExportStringGrid(const QList<QStringList> &cells, const QString &title, QWidget *parent)
{
    const TextExportSource source(cells);
    exportTable(source, title, QStringLiteral("Exporting String Grid"), parent);
}

void ExportChart(QWidget *chart, QWidget *parent)
{
    runCommand(messenger(), [&] {
        const ChosenFile chosen = fileChooser()(parent, QStringLiteral("Export Data As"), pictureFilter(),
                                                pictureFilter().split(QStringLiteral(";;")).value(0));
        if (chosen.path.isEmpty())
            return;
        const PictureType type =
            pictureTypeOfFilter(chosen.filter)
                .value_or(pictureTypeOfExtension(QFileInfo(chosen.path).suffix()).value_or(PictureType::Bmp));
        const QString path = withPictureExtension(chosen.path, type);
        if (!mayOverwrite(path, messenger()))
            return;
        writePicture([chart](QPainter &p) { chart->render(&p); }, chart->size(), type, path);
    });
}
