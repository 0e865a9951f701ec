/* The floor of the history benchmark: the reads and writes of recalc and backtest done with nothing but the
 * sqlite3 API, on connections set up as the program sets up its own (rollback journal, synchronous=FULL, a
 * busy timeout, reads through a memory map).
 *
 *   history_floor recalc LEAGUE
 *       reads every played match once, oldest first, and writes a prediction's eight columns into each
 *       row by rowid, in one transaction.
 *   history_floor backtest LEAGUE SYSTEMS
 *       reads every played match once, oldest first, and writes a detail row for each into the betting
 *       systems file's Results (emptied first), in one transaction.
 *
 * Prints the seconds taken, start-up and opening left out.  Built beside the benchmarks; history_baseline.py
 * does the same in Python. */

#include <sqlite3.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static const char *const kPlayed =
    "SELECT rowid, ID, DateP, Rnd, Result, Home, Away, F, A, TRH, TRHT, TRA, TRAT, UOV, O1, OX, O2 "
    "FROM Results WHERE length(Result) > 1 ORDER BY DateP, rowid";

static void check(sqlite3 *db, int rc)
{
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE) {
        fprintf(stderr, "%s\n", sqlite3_errmsg(db));
        exit(1);
    }
}

static sqlite3 *connect(const char *path)
{
    sqlite3 *db = NULL;
    if (sqlite3_open_v2(path, &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, NULL) != SQLITE_OK) {
        fprintf(stderr, "cannot open %s\n", path);
        exit(1);
    }
    sqlite3_busy_timeout(db, 5000);
    check(db,
          sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; PRAGMA mmap_size=1073741824",
                       NULL, NULL, NULL));
    return db;
}

static sqlite3_stmt *prepare(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *st = NULL;
    check(db, sqlite3_prepare_v2(db, sql, -1, &st, NULL));
    return st;
}

static double now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec * 1e-9;
}

static const char *underOver(int total, double line)
{
    return total > line ? "Over 2.5" : "Under 2.5";
}

static void recalc(const char *league)
{
    sqlite3 *db = connect(league);
    const double start = now();
    check(db, sqlite3_exec(db, "BEGIN IMMEDIATE", NULL, NULL, NULL));
    sqlite3_stmt *read = prepare(db, kPlayed);
    sqlite3_stmt *update = prepare(db, "UPDATE Results SET HP = ?1, DP = ?2, AP = ?3, CF = ?4, Verdict = ?5, "
                                       "PResult = ?6, Ttl = ?7, UOP = ?8 WHERE rowid = ?9");
    /* Read whole first, as a recalculation needs every history before its first prediction. */
    size_t n = 0, cap = 1024;
    sqlite3_int64 *rowids = malloc(cap * sizeof *rowids);
    int *totals = malloc(cap * sizeof *totals);
    double *lines = malloc(cap * sizeof *lines);
    int rc;
    while ((rc = sqlite3_step(read)) == SQLITE_ROW) {
        if (n == cap) {
            cap *= 2;
            rowids = realloc(rowids, cap * sizeof *rowids);
            totals = realloc(totals, cap * sizeof *totals);
            lines = realloc(lines, cap * sizeof *lines);
        }
        rowids[n] = sqlite3_column_int64(read, 0);
        totals[n] = sqlite3_column_int(read, 7) + sqlite3_column_int(read, 8);
        lines[n] = sqlite3_column_double(read, 13);
        ++n;
    }
    check(db, rc);
    for (size_t i = 0; i < n; ++i) {
        sqlite3_bind_int(update, 1, 40);
        sqlite3_bind_int(update, 2, 30);
        sqlite3_bind_int(update, 3, 30);
        sqlite3_bind_int(update, 4, 50);
        sqlite3_bind_text(update, 5, "?", -1, SQLITE_STATIC);
        sqlite3_bind_text(update, 6, "1:1", -1, SQLITE_STATIC);
        sqlite3_bind_int(update, 7, totals[i]);
        sqlite3_bind_text(update, 8, underOver(totals[i], lines[i]), -1, SQLITE_STATIC);
        sqlite3_bind_int64(update, 9, rowids[i]);
        check(db, sqlite3_step(update));
        sqlite3_reset(update);
    }
    check(db, sqlite3_exec(db, "COMMIT", NULL, NULL, NULL));
    printf("%.6f\n", now() - start);
    sqlite3_finalize(read);
    sqlite3_finalize(update);
    sqlite3_close(db);
    free(rowids);
    free(totals);
    free(lines);
}

static void backtest(const char *league, const char *systems)
{
    sqlite3 *db = connect(league);
    sqlite3 *out = connect(systems);
    const double start = now();
    check(out, sqlite3_exec(out, "BEGIN IMMEDIATE; DELETE FROM Results", NULL, NULL, NULL));
    sqlite3_stmt *read = prepare(db, kPlayed);
    sqlite3_stmt *insert =
        prepare(out, "INSERT INTO Results (ID, Home, Away, Result, DateP, Rnd, F, A, HP, DP, "
                     "AP, CF, PResult, Ttl, Verdict, UOV, UOP, O1, OX, O2, Balance) VALUES "
                     "(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, "
                     "?17, ?18, ?19, ?20, ?21)");
    double balance = 100.0;
    int rc;
    /* Columns of the read (after rowid) that go into the detail row as they are, by the insert's place. */
    static const int copied[][2] = {{1, 1}, {5, 2}, {6, 3},   {4, 4},   {2, 5},   {3, 6},
                                    {7, 7}, {8, 8}, {13, 16}, {14, 18}, {15, 19}, {16, 20}};
    while ((rc = sqlite3_step(read)) == SQLITE_ROW) {
        const int total = sqlite3_column_int(read, 7) + sqlite3_column_int(read, 8);
        balance += 1;
        for (size_t c = 0; c < sizeof copied / sizeof copied[0]; ++c)
            sqlite3_bind_value(insert, copied[c][1], sqlite3_column_value(read, copied[c][0]));
        sqlite3_bind_int(insert, 9, 40);
        sqlite3_bind_int(insert, 10, 30);
        sqlite3_bind_int(insert, 11, 30);
        sqlite3_bind_int(insert, 12, 50);
        sqlite3_bind_text(insert, 13, "1:1", -1, SQLITE_STATIC);
        sqlite3_bind_int(insert, 14, total);
        sqlite3_bind_text(insert, 15, "?", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 17, underOver(total, sqlite3_column_double(read, 13)), -1, SQLITE_STATIC);
        sqlite3_bind_double(insert, 21, balance);
        check(out, sqlite3_step(insert));
        sqlite3_reset(insert);
    }
    check(db, rc);
    check(out, sqlite3_exec(out, "COMMIT", NULL, NULL, NULL));
    printf("%.6f\n", now() - start);
    sqlite3_finalize(read);
    sqlite3_finalize(insert);
    sqlite3_close(db);
    sqlite3_close(out);
}

int main(int argc, char **argv)
{
    if (argc == 3 && strcmp(argv[1], "recalc") == 0)
        recalc(argv[2]);
    else if (argc == 4 && strcmp(argv[1], "backtest") == 0)
        backtest(argv[2], argv[3]);
    else {
        fprintf(stderr, "usage: history_floor recalc LEAGUE | history_floor backtest LEAGUE SYSTEMS\n");
        return 2;
    }
    return 0;
}
