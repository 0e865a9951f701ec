#pragma once
// The lines of a banded report, held compactly: each distinct text once and a number per cell, so that a
// report over the whole league history (a line per match, the same dates, teams and scores over and over)
// costs a few bytes a cell instead of a text each.  Reads like a list of string lists.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

class ReportRows
{
public:
    qsizetype size() const { return static_cast<qsizetype>(m_starts.size()); }
    bool isEmpty() const { return m_starts.empty(); }
    void reserve(qsizetype rows);
    QStringList at(qsizetype row) const;
    QStringList operator[](qsizetype row) const { return at(row); }
    ReportRows &operator<<(const QStringList &row);

private:
    std::vector<quint32> m_starts; // where each row's cells begin in m_cells
    std::vector<quint32> m_cells;  // places in m_texts
    QList<QString> m_texts;
    QHash<QString, quint32> m_ids;
};
