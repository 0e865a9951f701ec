#include "output/DatasetReports.h"

#include "data/CellText.h"
#include "data/Dataset.h"

namespace
{
QString s(const char *text)
{
    return QString::fromLatin1(text);
}
} // namespace

QList<ReportColumn> reportColumnsOf(const QList<ReportField> &fields)
{
    QList<ReportColumn> out;
    for (const ReportField &f : fields)
        out << ReportColumn{s(f.title), f.width, f.alignment};
    return out;
}

ReportRows reportRowsOf(const Dataset &ds, const QList<ReportField> &fields)
{
    QList<int> index;
    for (const ReportField &f : fields)
        index << (f.field && *f.field ? columnIndex(ds.columns(), s(f.field)) : -1);
    ReportRows rows;
    if (!ds.isActive())
        return rows;
    rows.reserve(ds.recordCount());
    for (int r = 0; r < ds.recordCount(); ++r) {
        QStringList line;
        for (int c = 0; c < fields.size(); ++c) {
            if (!fields[c].field)
                line << QString::number(r + 1);
            else if (index[c] < 0)
                line << (fields[c].fixed ? s(fields[c].fixed) : QString());
            else
                line << displayText(ds.valueAt(r, index[c]), ds.columns()[index[c]].kind);
        }
        rows << line;
    }
    return rows;
}

BandedReport reportOf(const Dataset &ds, const QString &title, const QList<ReportField> &fields)
{
    BandedReport r;
    r.title = title;
    r.columns = reportColumnsOf(fields);
    r.rows = reportRowsOf(ds, fields);
    return r;
}
