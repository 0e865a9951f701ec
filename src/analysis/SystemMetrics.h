#pragma once
// The money metrics of every tested system, in a table of its own (MethodMetrics) in the betting systems
// file, one row per Methods row and keyed by its ID, with the staking plan the test used.  Methods itself
// keeps exactly its columns.

#include "analysis/BetMetrics.h"
#include "analysis/Staking.h"

#include <QString>
#include <optional>

class Database;
class Table;

namespace SystemMetrics
{

// Makes the table when the file lacks it (files written before it existed).
void ensureTable(Database &systems);

struct Stored {
    QString staking; // StakingPlan::name()
    BetMetrics metrics;
};

void store(Database &systems, int methodsId, const StakingPlan &plan, const BetMetrics &metrics);
std::optional<Stored> read(Database &systems, int methodsId);

// Deletes the current row of a table open on Methods together with its metrics row, in one transaction:
// either both go or neither.
void deleteSystem(Table &methods);
// Deletes the metrics rows whose Methods row is gone.
void deleteOrphans(Database &systems);
// Makes every later delete of a row of this table (a window's) take its metrics row along, inside the
// delete's own transaction.
void followDeletes(Table &methods);

} // namespace SystemMetrics
