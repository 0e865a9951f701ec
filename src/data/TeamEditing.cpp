#include "data/TeamEditing.h"

#include "data/BusyCursor.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/Messenger.h"
#include "data/PendingEdit.h"
#include "data/TDataMod.h"
#include "data/TextCompare.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace
{
const QString kTeam = QStringLiteral("Team");
const QString kPlayer = QStringLiteral("Player");

// Runs work over every row of the dataset, with its display updates suspended and its filter off.  A
// failure cancels the pending edit before the filter comes back on, so nothing half-set is ever stored.
template <typename Work> void overAllRows(Dataset &ds, Work work)
{
    ControlsDisabled quiet(ds);
    FilterOff all(ds);
    PendingEdit pending(ds);
    work();
    pending.release();
}

// Sets column to `to` in every row where it equals `from`, letter case ignored.  The rows are found first,
// so rows that move when a sort key changes are neither skipped nor visited twice, and a change of letter
// case only comes to an end.
void replaceEverywhere(Dataset &ds, const QString &column, const QString &from, const QString &to)
{
    overAllRows(ds, [&] {
        std::vector<Dataset::Bookmark> rows;
        for (ds.first(); !ds.eof(); ds.next())
            if (TextCompare::equalNoCase(ds.field(column).asString(), from))
                rows.push_back(ds.bookmark());
        for (Dataset::Bookmark b : rows) {
            ds.gotoBookmark(b);
            ds.edit();
            ds.field(column).setString(to);
            ds.post();
        }
    });
}

void setPicture(Dataset &ds, const QString &column, const QByteArray &picture)
{
    if (picture.isEmpty())
        ds.field(column).clear(); // no picture is an empty column, not an empty image
    else
        ds.field(column).setBlob(picture);
}

// ---- BMP headers

quint32 u32(const QByteArray &d, int offset)
{
    return qFromLittleEndian<quint32>(d.constData() + offset);
}
qint32 i32(const QByteArray &d, int offset)
{
    return qFromLittleEndian<qint32>(d.constData() + offset);
}
quint16 u16(const QByteArray &d, int offset)
{
    return qFromLittleEndian<quint16>(d.constData() + offset);
}
qint16 i16(const QByteArray &d, int offset)
{
    return qFromLittleEndian<qint16>(d.constData() + offset);
}

constexpr int kFileHeaderSize = 14;
constexpr int kCoreHeaderSize = 12;  // the oldest info header, with 16-bit sizes
constexpr qint64 kMaxSide = 1 << 16; // keeps the size arithmetic far from overflow
enum Compression : quint32 { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3 };

// The info header that follows the file header.
struct BmpInfo {
    quint32 headerSize;
    qint64 width, height; // height < 0: rows stored top-down
    quint16 planes, bitCount;
    quint32 compression = Rgb;
    quint32 imageSize = 0;   // bytes of pixel data; may be 0 for uncompressed images
    quint32 coloursUsed = 0; // 0: all that the bit count allows
};

std::optional<BmpInfo> readInfo(const QByteArray &d)
{
    BmpInfo i;
    i.headerSize = u32(d, kFileHeaderSize);
    switch (i.headerSize) {
    case 12:
    case 40:
    case 52:
    case 56:
    case 64:
    case 108:
    case 124:
        break;
    default:
        return std::nullopt;
    }
    if (kFileHeaderSize + qint64(i.headerSize) > d.size())
        return std::nullopt;
    if (i.headerSize == kCoreHeaderSize) {
        i.width = i16(d, 18);
        i.height = i16(d, 20);
        i.planes = u16(d, 22);
        i.bitCount = u16(d, 24);
    } else {
        i.width = i32(d, 18);
        i.height = i32(d, 22);
        i.planes = u16(d, 26);
        i.bitCount = u16(d, 28);
        i.compression = u32(d, 30);
        i.imageSize = u32(d, 34);
        i.coloursUsed = u32(d, 46);
    }
    return i;
}

bool plausible(const BmpInfo &i)
{
    if (i.width <= 0 || i.height == 0 || i.width > kMaxSide || std::abs(i.height) > kMaxSide || i.planes != 1)
        return false;
    switch (i.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return false;
    }
    switch (i.compression) {
    case Rgb:
        return true;
    case BitFields:
        return i.bitCount == 16 || i.bitCount == 32;
    case Rle8:
    case Rle4:
        // Run-length rows are stored bottom-up.
        return i.height > 0 && i.bitCount == (i.compression == Rle8 ? 8 : 4);
    default:
        return false;
    }
}

// What lies between the info header and the pixels: the colours of up to 8 bits a pixel (all that the bit
// count allows unless fewer are named), or the three colour masks after the 40-byte header.
qint64 colourTableBytes(const BmpInfo &i)
{
    if (i.bitCount <= 8) {
        const quint32 all = 1u << i.bitCount;
        const quint32 used = i.coloursUsed == 0 ? all : std::min(i.coloursUsed, all);
        return qint64(used) * (i.headerSize == kCoreHeaderSize ? 3 : 4);
    }
    return i.compression == BitFields && i.headerSize == 40 ? 12 : 0;
}

// Bytes of pixel data the header announces: rows padded to four bytes, or the stated size of run-length
// data (which has no size of its own; 0 when the header leaves it out).
qint64 pixelBytes(const BmpInfo &i)
{
    if (i.compression == Rle8 || i.compression == Rle4)
        return i.imageSize;
    const qint64 rowBytes = (i.width * i.bitCount + 31) / 32 * 4;
    return rowBytes * std::abs(i.height);
}
} // namespace

QString addTeamCaption()
{
    return QStringLiteral("Add Team");
}

QString editTeamCaption()
{
    return QStringLiteral("Edit Team");
}

QString addPlayerCaption()
{
    return QStringLiteral("Add Player");
}

QString editPlayerCaption()
{
    return QStringLiteral("Edit Player");
}

EditMode teamModeOf(const QString &caption)
{
    return caption == editTeamCaption() ? EditMode::Edit : EditMode::Add;
}

EditMode playerModeOf(const QString &caption)
{
    return caption == editPlayerCaption() ? EditMode::Edit : EditMode::Add;
}

// ---------------------------------------------------------------- pictures

bool isBmpImage(const QByteArray &d)
{
    const qint64 size = d.size();
    if (size < kFileHeaderSize + kCoreHeaderSize || d[0] != 'B' || d[1] != 'M')
        return false;
    const quint32 fileSize = u32(d, 2); // 0 when the writer did not fill it in
    const quint32 pixelOffset = u32(d, 10);
    const std::optional<BmpInfo> info = readInfo(d);
    if (fileSize > size || !info || !plausible(*info))
        return false; // cut short, or a header we do not know
    const qint64 pixels = pixelBytes(*info);
    return pixelOffset >= kFileHeaderSize + info->headerSize + colourTableBytes(*info) && pixels > 0 &&
           pixelOffset + pixels <= size;
}

std::optional<QByteArray> readBmpFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (!isBmpImage(bytes))
        return std::nullopt;
    return bytes;
}

// ---------------------------------------------------------------- lists

QStringList teamNames(Table &teams)
{
    QStringList names;
    {
        ControlsDisabled quiet(teams);
        for (teams.first(); !teams.eof(); teams.next())
            names << teams.field(kTeam).asString();
        teams.first();
    }
    TextCompare::sortNoCase(names);
    return names;
}

QStringList playersOfTeam(Table &players, const QString &team)
{
    QStringList names;
    {
        ControlsDisabled quiet(players);
        {
            FilterOff all(players);
            for (players.first(); !players.eof(); players.next())
                if (players.field(kTeam).asString() == team)
                    names << players.field(kPlayer).asString();
        }
        players.first();
    }
    TextCompare::sortNoCase(names);
    return names;
}

bool locateTeam(Table &teams, const QString &name)
{
    return teams.locate(kTeam, {name}, Dataset::CaseInsensitive);
}

bool locatePlayer(Table &players, const QString &name)
{
    return players.locate(kPlayer, {name}, Dataset::CaseInsensitive);
}

bool DeleteTeamNamed(TDataMod &dm, const QString &name)
{
    Transaction tx(dm.ADOConnection);
    if (!locateTeam(dm.ADOTableTeams, name))
        return false;
    dm.ADOTableTeams.deleteRecord(); // the table renumbers the positions after every delete
    tx.commit();
    return true;
}

bool DeletePlayerNamed(TDataMod &dm, const QString &name)
{
    Table &players = dm.ADOTablePlayers;
    Transaction tx(dm.ADOConnection);
    bool found = false;
    {
        ControlsDisabled quiet(players);
        {
            FilterOff all(players);
            found = locatePlayer(players, name);
            if (found)
                players.deleteRecord();
        }
        players.first();
    }
    tx.commit();
    return found;
}

// ---------------------------------------------------------------- team dialog

TeamValues ShowTeam(TDataMod &dm, EditMode mode)
{
    Table &teams = dm.ADOTableTeams;
    if (mode != EditMode::Edit || teams.isEmpty())
        return {};
    return {teams.field(kTeam).asString(), teams.field(QStringLiteral("TPic")).asBlob()};
}

bool AddTeam(TDataMod &dm, const QString &name, const QByteArray &picture, Messenger &messenger)
{
    if (name.isEmpty()) {
        messenger.warning(QStringLiteral("No team entered"));
        return false;
    }
    BusyCursor busy;
    Table &teams = dm.ADOTableTeams;
    Transaction tx(dm.ADOConnection);
    PendingEdit pending(teams);
    teams.appendRecord(newTeamValues(name, teams.recNo(), picture));
    pending.release();
    dm.RenumberPositions();
    tx.commit();
    return true;
}

bool EditTeam(TDataMod &dm, const QString &name, const QByteArray &picture, Messenger &messenger)
{
    if (name.isEmpty()) {
        messenger.warning(QStringLiteral("No team entered"));
        return false;
    }
    BusyCursor busy;
    Table &teams = dm.ADOTableTeams;
    Transaction tx(dm.ADOConnection);
    if (teams.isEmpty())
        throw DatabaseError(QStringLiteral("There is no team to edit."));
    const QString old = teams.field(kTeam).asString();
    if (name != old) {
        replaceEverywhere(dm.ADOTableResults, QStringLiteral("Home"), old, name);
        replaceEverywhere(dm.ADOTableResults, QStringLiteral("Away"), old, name);
        replaceEverywhere(dm.ADOTablePlayers, kTeam, old, name);
    }
    PendingEdit pending(teams);
    teams.edit();
    teams.field(kTeam).setString(name);
    setPicture(teams, QStringLiteral("TPic"), picture);
    pending.post();
    dm.RenumberPositions();
    tx.commit();
    return true;
}

// ---------------------------------------------------------------- player dialog

const QList<QPair<QString, int>> &playerRatingPresets()
{
    static const QList<QPair<QString, int>> presets = {
        {QStringLiteral("Excellent"), 2700}, {QStringLiteral("Very Good"), 2300},
        {QStringLiteral("Good"), 1900},      {QStringLiteral("Average"), 1500},
        {QStringLiteral("Fair"), 1100},      {QStringLiteral("Poor"), 700},
        {QStringLiteral("Very Poor"), 300}};
    return presets;
}

QString playerRatingPrompt()
{
    return QStringLiteral("Change rating");
}

QString dashIfEmpty(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("-") : text;
}

PlayerForm ShowPlayer(TDataMod &dm, EditMode mode)
{
    PlayerForm form;
    form.teams = teamNames(dm.ADOTableTeams);
    Table &players = dm.ADOTablePlayers;
    if (mode != EditMode::Edit || players.isEmpty())
        return form;
    PlayerValues p;
    p.number = players.field(QStringLiteral("N")).asInteger();
    p.name = players.field(kPlayer).asString();
    p.team = players.field(kTeam).asString();
    p.position = dashIfEmpty(players.field(QStringLiteral("Pos")).asString());
    p.weight = dashIfEmpty(players.field(QStringLiteral("Wt")).asString());
    p.height = dashIfEmpty(players.field(QStringLiteral("Ht")).asString());
    p.inOut = players.field(QStringLiteral("IN_OUT")).asString();
    // A player without a date of birth shows the first day the date fields accept.
    const QDate dob = players.field(QStringLiteral("DOB")).asDate();
    if (dob.isValid()) {
        p.year = dob.year();
        p.month = dob.month();
        p.day = dob.day();
    }
    p.rating = players.field(QStringLiteral("PR")).asInteger();
    p.picture = players.field(QStringLiteral("PPic")).asBlob();
    form.player = p;
    return form;
}

bool SavePlayer(TDataMod &dm, EditMode mode, const QStringList &teamEntries, const PlayerValues &p,
                Messenger &messenger)
{
    if (p.name.isEmpty()) {
        messenger.warning(QStringLiteral("No player entered"));
        return false;
    }
    if (!TextCompare::containsNoCase(teamEntries, p.team)) {
        messenger.warning(QStringLiteral("No team selected or invalid team"));
        return false;
    }
    const QDate dob = Dates::encode(p.year, p.month, p.day);

    BusyCursor busy;
    Table &players = dm.ADOTablePlayers;
    Transaction tx(dm.ADOConnection);
    if (mode == EditMode::Edit) {
        if (players.isEmpty())
            throw DatabaseError(QStringLiteral("There is no player to edit."));
        players.deleteRecord();
    }
    // A player's name is unique in the whole file: an existing player of that name, in any team, is
    // overwritten.
    overAllRows(players, [&] {
        if (locatePlayer(players, p.name))
            players.edit();
        else
            players.append();
        players.field(QStringLiteral("N")).setInteger(p.number);
        players.field(kPlayer).setString(p.name);
        players.field(kTeam).setString(p.team);
        players.field(QStringLiteral("Pos")).setString(dashIfEmpty(p.position));
        players.field(QStringLiteral("IN_OUT")).setString(p.inOut);
        setPicture(players, QStringLiteral("PPic"), p.picture);
        players.field(QStringLiteral("DOB")).setDate(dob);
        players.field(QStringLiteral("Wt")).setString(dashIfEmpty(p.weight));
        players.field(QStringLiteral("Ht")).setString(dashIfEmpty(p.height));
        players.field(QStringLiteral("Atk")).setInteger(5);
        players.field(QStringLiteral("Def")).setInteger(5);
        players.field(QStringLiteral("PR")).setInteger(p.rating);
        players.post();
    });
    tx.commit();
    return true;
}

// ---------------------------------------------------------------- pasted lists

QStringList pastedLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    return lines;
}

int PasteTeams(TDataMod &dm, const QStringList &lines)
{
    BusyCursor busy;
    Table &teams = dm.ADOTableTeams;
    Transaction tx(dm.ADOConnection);
    int added = 0;
    PendingEdit pending(teams);
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].size() <= 1 || locateTeam(teams, lines[i]))
            continue;
        teams.appendRecord(newTeamValues(lines[i], i));
        ++added;
    }
    pending.release();
    dm.RenumberPositions();
    tx.commit();
    return added;
}

int PastePlayers(TDataMod &dm, const QStringList &teamEntries, const QString &team, const QStringList &lines,
                 Messenger &messenger)
{
    if (!TextCompare::containsNoCase(teamEntries, team)) {
        messenger.warning(QStringLiteral("No team selected or invalid team"));
        return 0;
    }
    BusyCursor busy;
    Table &players = dm.ADOTablePlayers;
    Transaction tx(dm.ADOConnection);
    int added = 0;
    overAllRows(players, [&] {
        for (const QString &line : lines) {
            if (line.size() <= 1 || locatePlayer(players, line))
                continue;
            players.appendRecord(
                {QVariant(), line, team, QStringLiteral("-"), 1500, 5, 5, QStringLiteral("OUT")});
            ++added;
        }
    });
    tx.commit();
    return added;
}
