#pragma once
// The export types of tables, in the order of the export dialog's type list, with their extensions and
// the list's descriptions.  XLSX comes last, after the ten types the dialog always offered.

#include <QList>
#include <QString>
#include <optional>

enum class ExportType { Clipboard, Csv, Dif, Xls, Html, Rtf, Sylk, Tab, Txt, Doc, Xlsx };

struct ExportTypeInfo {
    ExportType type;
    QString extension; // without the dot
    QString description;
};

const QList<ExportTypeInfo> &tableExportTypes();
const ExportTypeInfo &exportTypeInfo(ExportType type);
// By extension ("csv", "slk", ...), letter case ignored.
std::optional<ExportType> exportTypeOfExtension(const QString &extension);
// The dialog's filter: "Microsoft Clipboard (*.clp);;Comma Separated Value (*.csv);;...".
QString tableExportFilter();
// The type whose filter entry this is; nothing for another text.
std::optional<ExportType> exportTypeOfFilter(const QString &filterEntry);
// The type the dialog preselects: the web page.
constexpr ExportType kDefaultTableExportType = ExportType::Html;
