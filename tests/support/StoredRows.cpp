#include "support/StoredRows.h"

#include "data/Database.h"
#include "data/Table.h"

QString storedRows(Database &db, const QStringList &tables)
{
    QString out;
    for (const QString &table : tables) {
        Statement st = db.prepare(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(quoteIdentifier(table)));
        while (st.step()) {
            for (int i = 0; i < st.columnCount(); ++i)
                out += st.value(i).toString() + QLatin1Char('|');
            out += QLatin1Char('\n');
        }
    }
    return out;
}
