#pragma once
// The straightforward way to get a team's history: one query per team and match, narrowed by a date
// filter.  Kept for the tests and the benchmarks, to check the one-pass histories against it.

#include "predict/HistorySource.h"

#include <QHash>
#include <vector>

class Database;

class QueryHistories final : public HistorySource
{
public:
    explicit QueryHistories(Database &db) : m_db(db) {}
    History current(const QString &team) override;
    History before(const QString &team, const QDate &date) override;

private:
    History load(const QString &team, const QDate *before);
    Database &m_db;
    // The last history handed out per team (a History only views its matches).
    QHash<QString, std::vector<MatchRecord>> m_records;
    QHash<QString, std::vector<const MatchRecord *>> m_pointers;
};
