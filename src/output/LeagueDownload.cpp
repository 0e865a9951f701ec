#include "output/LeagueDownload.h"

#include "data/Database.h"
#include "data/Errors.h"
#include "data/Excerpt.h"
#include "data/LeagueSchema.h"
#include "data/ProgramFolder.h"
#include "entry/AccessConversion.h"
#include "entry/ConvertLeague.h"
#include "output/HttpFetch.h"
#include "output/ServerText.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <optional>
#include <sys/stat.h>

namespace LeagueDownload
{

QUrl baseUrl(const QString &text)
{
    QUrl url(text.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        return QUrl();
    if (!url.path().endsWith(QLatin1Char('/')))
        url.setPath(url.path() + QLatin1Char('/'));
    return url;
}

QUrl listUrl(const QUrl &base)
{
    return base.resolved(QUrl(QStringLiteral("data/leagues.txt")));
}

QUrl leagueUrl(const QUrl &base, const QString &name)
{
    // Encoded, so that a name with a space, "#" or "?" stays one path segment.
    const QByteArray file = QUrl::toPercentEncoding(name + QStringLiteral(".mdb"));
    return base.resolved(QUrl(QStringLiteral("data/") + QString::fromLatin1(file), QUrl::StrictMode));
}

QString bareName(const QString &entry)
{
    for (const QString &mark : {OkMark, FailMark, ConvertedMark})
        if (entry.endsWith(mark))
            return entry.left(entry.size() - mark.size());
    return entry;
}

QString listPath()
{
    return programFolder() + QStringLiteral("/data/leagues.txt");
}

QString defaultFolder()
{
    return programFolder() + QStringLiteral("/Data/");
}

QStringList listLines(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes); // drops a byte-order mark that starts the bytes
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

namespace
{
// The mode a new file gets from the user's umask (0664 under 002).  The database engine makes a converted
// file 0644 less the umask, which is not what the user's umask asks for every other new file.
mode_t userFileMode()
{
    const mode_t mask = ::umask(0); // reading the umask means setting it: put it back at once
    ::umask(mask);
    return 0666 & ~mask;
}

// A download into a file staged beside target (see StagedFile), moved over target only by commit().
class PartFile
{
public:
    explicit PartFile(const QString &target) : m_target(target) {}
    bool open(QString *why)
    {
        const QString folder = QFileInfo(m_target).absolutePath();
        QString reason;
        if (!QDir().mkpath(folder)) {
            reason = QStringLiteral("it cannot be made");
        } else {
            try {
                m_staged.emplace(m_target, ExistingFile::Replace);
                m_file.setFileName(m_staged->path());
                if (m_file.open(QIODevice::ReadWrite))
                    return true;
                reason = m_file.errorString();
            } catch (const QuorvaneError &e) { // the next file may still come
                reason = e.message();
            }
        }
        *why =
            QStringLiteral("Cannot write in the folder %1: %2").arg(QDir::toNativeSeparators(folder), reason);
        return false;
    }
    QFile &file() { return m_file; }
    QString path() const { return m_file.fileName(); }
    bool commit(const QDateTime &modified, QString *why)
    {
        m_file.close();
        if (::chmod(QFile::encodeName(path()).constData(), userFileMode()) != 0) {
            *why = QStringLiteral("Cannot write in the folder %1: %2")
                       .arg(QDir::toNativeSeparators(QFileInfo(m_target).absolutePath()),
                            QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
        if (modified.isValid()) {
            QFile f(path());
            if (f.open(QIODevice::ReadWrite))
                f.setFileTime(modified, QFileDevice::FileModificationTime);
        }
        try {
            m_staged->commit();
        } catch (const QuorvaneError &e) {
            *why = e.message();
            return false;
        }
        return true;
    }

private:
    QString m_target;
    std::optional<StagedFile> m_staged;
    QFile m_file;
};

// An Access league file as it came, converted into a league file (checked as it is made) that takes its
// place; false with the reason when it holds no league.
bool convertInPlace(const QString &path, QString *why)
{
    try {
        ConvertAccessLeague(path, path, ExistingFile::Replace);
        return true;
    } catch (const QuorvaneError &e) {
        *why = e.message();
        return false;
    }
}

bool looksLikeHtml(const HttpReply &r, const QByteArray &body)
{
    return r.contentType.startsWith(QLatin1String("text/html"), Qt::CaseInsensitive) ||
           body.trimmed().startsWith('<');
}
} // namespace

LeagueList fetchList(HttpFetch &http, const QUrl &base, const QString &listFile)
{
    const QUrl url = listUrl(base);
    const FetchBudget budget(DownloadLimits::Kind::LeagueList);
    const HttpReply head = http.head(url, budget);
    if (!head.ok)
        throw QuorvaneError(head.error);
    PartFile part(listFile);
    QString why;
    if (!part.open(&why))
        throw QuorvaneError(why);
    const HttpReply got = http.get(url, part.file(), budget);
    if (!got.ok)
        throw QuorvaneError(got.error);
    part.file().seek(0);
    const QByteArray bytes = part.file().readAll();
    // An error page served as a success is no list of leagues.
    if (looksLikeHtml(got, bytes))
        throw QuorvaneError(QStringLiteral("The server sent a web page instead of the league list."));
    if (!part.commit(QDateTime(), &why))
        throw QuorvaneError(why);
    LeagueList list;
    for (const QString &line : listLines(bytes)) {
        if (ServerText::acceptableName(line, &why))
            list.names << line;
        else
            list.skipped.append({line, why});
    }
    return list;
}

QString skippedText(const QList<SkippedName> &skipped)
{
    constexpr int Shown = 10; // a list of nothing but bad names must not flood the screen
    QStringList lines;
    for (const SkippedName &s : skipped.first(std::min<qsizetype>(Shown, skipped.size())))
        lines << QStringLiteral("Skipped the league name \"%1\": %2.")
                     .arg(ServerText::escaped(excerpt(s.name)), s.why);
    if (skipped.size() > Shown)
        lines << QStringLiteral("Skipped %1 more league names.").arg(skipped.size() - Shown);
    return lines.join(QLatin1Char('\n'));
}

bool isLeagueFile(const QString &path, QString *why)
{
    try {
        if (AccessConversion::isAccessFile(path)) {
            QTemporaryDir scratch;
            ConvertAccessLeague(path, scratch.filePath(QStringLiteral("league.qvl")));
            return true;
        }
        Database db;
        db.open(path);
        LeagueSchema::check(db);
        db.close();
        return true;
    } catch (const QuorvaneError &e) {
        if (why)
            *why = e.message();
        return false;
    }
}

FileOutcome fetchLeagueFile(HttpFetch &http, const QUrl &base, const QString &name, const QString &folder,
                            const std::function<bool(qint64, qint64)> &block)
{
    FileOutcome o;
    QString why;
    if (!ServerText::acceptableName(name, &why)) {
        o.reason =
            QStringLiteral("\"%1\" cannot be a file name: %2.").arg(ServerText::escaped(excerpt(name)), why);
        return o;
    }
    const QUrl url = leagueUrl(base, name);
    const QString local = QDir(folder).filePath(name + QStringLiteral(".mdb"));
    const FetchBudget budget(DownloadLimits::Kind::LeagueFile);
    const HttpReply head = http.head(url, budget);
    if (!head.ok) {
        o.reason = head.error;
        return o;
    }
    const QFileInfo info(local);
    if (info.exists() && (!head.lastModified.isValid() || info.lastModified() >= head.lastModified)) {
        o.result = FileResult::UpToDate;
        return o;
    }
    PartFile part(local);
    if (!part.open(&o.reason))
        return o;
    const HttpReply got = http.get(url, part.file(), budget, block);
    if (got.cancelled) {
        o.result = FileResult::Cancelled;
        return o;
    }
    if (!got.ok) {
        o.reason = got.error;
        return o;
    }
    part.file().close();
    const bool access = AccessConversion::isAccessFile(part.path());
    if (!(access ? convertInPlace(part.path(), &why) : isLeagueFile(part.path(), &why))) {
        // The reason may quote the file, which is the server's.
        o.reason = QStringLiteral("The server sent no league file (%1).").arg(ServerText::escaped(why));
        return o;
    }
    o.converted = access;
    if (!part.commit(got.lastModified.isValid() ? got.lastModified : head.lastModified, &o.reason))
        return o;
    o.result = FileResult::Downloaded;
    return o;
}

bool runDownloads(HttpFetch &http, const QUrl &base, const QString &folder, QStringList &entries,
                  const QList<bool> &ticked, const RunCallbacks &callbacks, const std::atomic<bool> *cancel)
{
    bool allOk = true;
    for (QString &entry : entries)
        entry = bareName(entry);
    auto cancelled = [cancel] { return cancel && cancel->load(); };
    for (int i = 0; i < entries.size(); ++i) {
        if (cancelled())
            break;
        if (!ticked.value(i))
            continue;
        if (callbacks.starting)
            callbacks.starting(i);
        const FileOutcome o = fetchLeagueFile(http, base, entries[i], folder, [&](qint64 got, qint64 total) {
            if (callbacks.progress)
                callbacks.progress(got, total);
            return !cancelled();
        });
        if (o.result == FileResult::Cancelled)
            break;
        const bool ok = o.result != FileResult::Failed;
        allOk = allOk && ok;
        entries[i] += !ok ? FailMark : o.converted ? ConvertedMark : OkMark;
        if (callbacks.finished)
            callbacks.finished(i, o);
    }
    return allOk;
}

PublishOutcome publish(const QString &dir)
{
    const QDir data(QDir(dir).filePath(QStringLiteral("data")));
    if (!data.exists())
        throw QuorvaneError(QStringLiteral("There is no folder %1: put the league files (NAME.mdb) there.")
                                .arg(QDir::toNativeSeparators(data.path())));
    PublishOutcome o;
    const QStringList files = data.entryList({QStringLiteral("*.mdb")}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        const QString name = file.chopped(4);
        QString why;
        // A name no client would take is not listed.
        if (!ServerText::acceptableName(name, &why) || !isLeagueFile(data.filePath(file), &why))
            o.skipped << ServerText::escaped(file + QStringLiteral(": ") + why);
        else
            o.listed << name;
    }
    QSaveFile list(data.filePath(QStringLiteral("leagues.txt")));
    if (list.open(QIODevice::WriteOnly)) {
        for (const QString &name : std::as_const(o.listed))
            list.write(name.toUtf8() + "\r\n");
    }
    if (!list.commit())
        throw QuorvaneError(QStringLiteral("Cannot write %1: %2")
                                .arg(QDir::toNativeSeparators(list.fileName()), list.errorString()));
    return o;
}

} // namespace LeagueDownload
