#!/usr/bin/env python3
"""The whole English league history as season files, and a plain sqlite3 baseline for the benchmarks.

  history_baseline.py split HISTORY_CSV OUTDIR
      writes one season file per season (football-data layout: Div,Date,HomeTeam,AwayTeam,FTHG,FTAG),
      dates as played.  Prints the file names in season order.
  history_baseline.py import LEAGUE SEASON_FILE...
      the same reads and writes as an import, done plainly: per season file one transaction that reads
      the stored matches of the season's dates, the next ID and the teams, inserts every match row and
      writes every team row it changed.  Prints the seconds taken.
  history_baseline.py recalc LEAGUE
      reads every played match once and writes a prediction's eight columns into each row, in one
      transaction.  Prints the seconds taken.
  history_baseline.py backtest LEAGUE SYSTEMS
      reads every played match once and writes a detail row for each into the betting systems file's
      Results (emptied first), in one transaction.  Prints the seconds taken.
The league file must exist with the four tables (made by quorvane-cli new).
"""

import csv
import datetime
import os
import sqlite3
import sys
import time

def split(history, outdir):
    seasons = {}
    with open(history, newline="", encoding="utf-8") as f:
        for row in csv.DictReader(f):
            seasons.setdefault(int(row["Season"]), []).append(row)
    os.makedirs(outdir, exist_ok=True)
    for season in sorted(seasons):
        path = os.path.join(outdir, "season-%d.csv" % season)
        with open(path, "w", newline="", encoding="utf-8") as out:
            out.write("Div,Date,HomeTeam,AwayTeam,FTHG,FTAG\r\n")
            for row in seasons[season]:
                d = datetime.date.fromisoformat(row["Date"])
                out.write("E%s,%s,%s,%s,%s,%s\r\n" % (row["tier"], d.strftime("%d/%m/%Y"), row["home"],
                                                      row["visitor"], row["hgoal"], row["vgoal"]))
        print(path)


def read_season(path):
    matches = []
    with open(path, newline="", encoding="utf-8") as f:
        for row in csv.DictReader(f):
            d = datetime.datetime.strptime(row["Date"], "%d/%m/%Y").date().isoformat()
            matches.append((d, row["HomeTeam"], row["AwayTeam"], int(row["FTHG"]), int(row["FTAG"])))
    return matches


def import_season(db, path):
    matches = read_season(path)
    first = min(m[0] for m in matches)
    last = max(m[0] for m in matches)
    stored = {}
    for rowid, date, home, away in db.execute(
            "SELECT rowid, DateP, Home, Away FROM Results WHERE DateP BETWEEN ? AND ?", (first, last)):
        stored[(date, home.casefold(), away.casefold())] = rowid
    next_id = (db.execute("SELECT MAX(ID) FROM Results").fetchone()[0] or -1) + 1
    teams = {}
    for row in db.execute("SELECT rowid, Team, TRH, TRA, TRT, HP, HW, HD, HL, HF, HA, AP, AW, AD, AL, AF, AA "
                          "FROM Teams"):
        teams[row[1].casefold()] = list(row)
    changed = set()
    for date, home, away, hg, ag in matches:
        for name in (home, away):
            key = name.casefold()
            if key not in teams:
                cur = db.execute("INSERT INTO Teams (Pos, Team, TRH, TRA, TRT, HP, HW, HD, HL, HF, HA, AP, AW, "
                                 "AD, AL, AF, AA) VALUES (?, ?, 1500, 1500, 1500, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "
                                 "0, 0)", (len(teams) + 1, name))
                teams[key] = [cur.lastrowid, name, 1500, 1500, 1500] + [0] * 12
        if (date, home.casefold(), away.casefold()) in stored:
            continue
        h, a = teams[home.casefold()], teams[away.casefold()]
        db.execute("INSERT INTO Results (ID, Home, Away, Result, DateP, Rnd, MatchT, PtsH, PtsHT, PtsA, PtsAT, "
                   "TRH, TRHT, TRA, TRAT, F, A, HP, DP, AP, CF, PResult, Ttl, Verdict, UOV, UOP, O1, O1B, OX, "
                   "OXB, O2, O2B, Retrn) VALUES (?, ?, ?, ?, ?, 1, 'Regular Season', 0, 0, 0, 0, ?, ?, ?, ?, "
                   "?, ?, 0, 0, 0, 0, ':', 0, '?', 2.5, '2.5', '-', '', '-', '', '-', '', 0)",
                   (next_id, h[1], a[1], "%d:%d" % (hg, ag), date, h[2], h[4], a[3], a[4], hg, ag))
        next_id += 1
        h[5] += 1
        h[6 + (0 if hg > ag else 1 if hg == ag else 2)] += 1
        h[9] += hg
        h[10] += ag
        a[11] += 1
        a[12 + (0 if ag > hg else 1 if hg == ag else 2)] += 1
        a[15] += ag
        a[16] += hg
        changed.update((home.casefold(), away.casefold()))
    for key in changed:
        t = teams[key]
        db.execute("UPDATE Teams SET TRH = ?, TRA = ?, TRT = ?, HP = ?, HW = ?, HD = ?, HL = ?, HF = ?, HA = ?, "
                   "AP = ?, AW = ?, AD = ?, AL = ?, AF = ?, AA = ? WHERE rowid = ?", t[2:] + [t[0]])


def connect(path):
    db = sqlite3.connect(path, isolation_level=None)
    db.execute("PRAGMA synchronous=FULL")
    return db


def run_import(league, files):
    db = connect(league)
    start = time.perf_counter()
    for path in files:
        db.execute("BEGIN IMMEDIATE")
        import_season(db, path)
        db.execute("COMMIT")
    print("%.6f" % (time.perf_counter() - start))


def run_recalc(league):
    db = connect(league)
    start = time.perf_counter()
    db.execute("BEGIN IMMEDIATE")
    for row in db.execute(PLAYED).fetchall():
        total = row[7] + row[8]
        db.execute("UPDATE Results SET HP = ?, DP = ?, AP = ?, CF = ?, Verdict = ?, PResult = ?, Ttl = ?, "
                   "UOP = ? WHERE rowid = ?", (40, 30, 30, 50, "?", "1:1", total,
                                              "Over 2.5" if total > row[13] else "Under 2.5", row[0]))
    db.execute("COMMIT")
    print("%.6f" % (time.perf_counter() - start))


PLAYED = ("SELECT rowid, ID, DateP, Rnd, Result, Home, Away, F, A, TRH, TRHT, TRA, TRAT, UOV, O1, OX, O2 "
          "FROM Results WHERE Result <> ':' ORDER BY DateP, rowid")


def run_backtest(league, systems):
    db = connect(league)
    out = connect(systems)
    start = time.perf_counter()
    out.execute("BEGIN IMMEDIATE")
    out.execute("DELETE FROM Results")
    balance = 100.0
    for row in db.execute(PLAYED):
        total = row[7] + row[8]
        balance += 1
        out.execute("INSERT INTO Results (ID, Home, Away, Result, DateP, Rnd, F, A, HP, DP, AP, CF, PResult, Ttl, "
                    "Verdict, UOV, UOP, O1, OX, O2, Balance) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                    "?, ?, ?, ?, ?, ?)",
                    (row[1], row[5], row[6], row[4], row[2], row[3], row[7], row[8], 40, 30, 30, 50, "1:1", total,
                     "?", row[13], "Over 2.5" if total > row[13] else "Under 2.5", row[14], row[15], row[16],
                     round(balance, 2)))
    out.execute("COMMIT")
    print("%.6f" % (time.perf_counter() - start))


if __name__ == "__main__":
    verb = sys.argv[1] if len(sys.argv) > 1 else ""
    if verb == "split" and len(sys.argv) == 4:
        split(sys.argv[2], sys.argv[3])
    elif verb == "import" and len(sys.argv) >= 4:
        run_import(sys.argv[2], sys.argv[3:])
    elif verb == "recalc" and len(sys.argv) == 3:
        run_recalc(sys.argv[2])
    elif verb == "backtest" and len(sys.argv) == 4:
        run_backtest(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)
