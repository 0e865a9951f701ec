#pragma once
// Every stored row of some tables as one text, to show that a refused command changed nothing.

#include <QString>
#include <QStringList>

class Database;

QString storedRows(Database &db, const QStringList &tables);
