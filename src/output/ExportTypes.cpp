#include "output/ExportTypes.h"

namespace
{
QString filterEntry(const ExportTypeInfo &t)
{
    return t.description + QStringLiteral(" (*.") + t.extension + QLatin1Char(')');
}
} // namespace

const QList<ExportTypeInfo> &tableExportTypes()
{
    static const QList<ExportTypeInfo> types = {
        {ExportType::Clipboard, QStringLiteral("clp"), QStringLiteral("Microsoft Clipboard")},
        {ExportType::Csv, QStringLiteral("csv"), QStringLiteral("Comma Separated Value")},
        {ExportType::Dif, QStringLiteral("dif"), QStringLiteral("Data Interchange Format")},
        {ExportType::Xls, QStringLiteral("xls"), QStringLiteral("Microsoft Excel")},
        {ExportType::Html, QStringLiteral("html"), QStringLiteral("Web Page")},
        {ExportType::Rtf, QStringLiteral("rtf"), QStringLiteral("Rich Text Format")},
        {ExportType::Sylk, QStringLiteral("slk"), QStringLiteral("Symbolic Link")},
        {ExportType::Tab, QStringLiteral("tab"), QStringLiteral("Table")},
        {ExportType::Txt, QStringLiteral("txt"), QStringLiteral("Text")},
        {ExportType::Doc, QStringLiteral("doc"), QStringLiteral("Microsoft Word")},
        {ExportType::Xlsx, QStringLiteral("xlsx"), QStringLiteral("Excel Workbook")},
    };
    return types;
}

const ExportTypeInfo &exportTypeInfo(ExportType type)
{
    for (const ExportTypeInfo &t : tableExportTypes())
        if (t.type == type)
            return t;
    return tableExportTypes().front();
}

std::optional<ExportType> exportTypeOfExtension(const QString &extension)
{
    for (const ExportTypeInfo &t : tableExportTypes())
        if (t.extension.compare(extension, Qt::CaseInsensitive) == 0)
            return t.type;
    return std::nullopt;
}

QString tableExportFilter()
{
    QStringList entries;
    for (const ExportTypeInfo &t : tableExportTypes())
        entries << filterEntry(t);
    return entries.join(QStringLiteral(";;"));
}

std::optional<ExportType> exportTypeOfFilter(const QString &entry)
{
    for (const ExportTypeInfo &t : tableExportTypes())
        if (filterEntry(t) == entry)
            return t.type;
    return std::nullopt;
}
