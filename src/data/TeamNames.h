#pragma once
// Every team name of a league in the order "ORDER BY Team" gives: letter case ignored, names equal
// but for case in their stored order.

#include <QStringList>

class Database;

QStringList readTeamNamesByName(Database &league);
