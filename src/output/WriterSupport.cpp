#include "output/WriterSupport.h"

#include "data/Errors.h"

namespace WriterSupport
{
void forEachRow(const ExportSource &source, const ExportProgress &progress,
                const std::function<void(int)> &fn)
{
    const int total = source.rowCount();
    constexpr int kProgressEvery = 256;
    for (int r = 0; r < total; ++r) {
        if (progress && r % kProgressEvery == 0 && !progress(r, total))
            throw Abort();
        fn(r);
    }
    if (progress && !progress(total, total))
        throw Abort();
}

void put(QIODevice &out, const QByteArray &bytes)
{
    if (out.write(bytes) != bytes.size())
        throw QuorvaneError(QStringLiteral("Cannot write the exported data: %1").arg(out.errorString()));
}

QString footerText(const QDate &date)
{
    return QStringLiteral("Exported on ") + exportDateText(date);
}

QByteArray plainNumber(double value)
{
    return QByteArray::number(value, 'g', 15);
}

QByteArray cellNumber(const ExportCell &cell)
{
    return cell.decimals >= 0 ? QByteArray::number(cell.number, 'f', cell.decimals)
                              : plainNumber(cell.number);
}
} // namespace WriterSupport
