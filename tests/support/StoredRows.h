#pragma once
// What a file holds, as texts to compare: every stored row of some tables, or the file's bytes as a
// hash, to show that a refused command changed nothing.

#include <QByteArray>
#include <QString>
#include <QStringList>

class Database;

// One text a row, its values joined by "|", in stored order.
QStringList storedRowList(Database &db, const QString &table);
// The rows of all the tables as one text.
QString storedRows(Database &db, const QStringList &tables);
// The SHA-256 of the file's bytes; empty when it cannot be read.
QByteArray fileHash(const QString &path);
