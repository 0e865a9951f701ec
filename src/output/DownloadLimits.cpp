#include "output/DownloadLimits.h"

#include "data/Numbers.h"

namespace DownloadLimits
{

namespace
{
constexpr qint64 MB = 1024 * 1024;
constexpr int Minute = 60 * 1000;

// The largest real file of each kind is a small part of its limit: a list of a few hundred leagues is a
// few kilobytes, a season of the results archive about 100 KB, a league file with a long history a few
// megabytes.  Each deadline lets the largest file allowed come over a slow line (about 300 KB/s) and
// still ends a server that trickles a byte now and then, which no idle timeout notices.
Limit &slot(Kind kind)
{
    static Limit list{QStringLiteral("league list"), 1 * MB, Minute / 2};
    static Limit season{QStringLiteral("season file"), 20 * MB, 2 * Minute};
    static Limit league{QStringLiteral("league file"), 500 * MB, 30 * Minute};
    switch (kind) {
    case Kind::LeagueList:
        return list;
    case Kind::Season:
        return season;
    case Kind::LeagueFile:
        break;
    }
    return league;
}
} // namespace

Limit limit(Kind kind)
{
    return slot(kind);
}

QString tooLargeText(const Limit &limit)
{
    return QStringLiteral("The %1 is larger than %2.").arg(limit.what, sizeText(limit.maxBytes));
}

QString deadlineText(const Limit &limit)
{
    return QStringLiteral("No answer within %1.").arg(durationText(limit.deadlineMs));
}

QString sizeText(qint64 bytes)
{
    if (bytes > 0 && bytes % MB == 0)
        return QStringLiteral("%1 MB").arg(bytes / MB);
    if (bytes > 0 && bytes % 1024 == 0)
        return QStringLiteral("%1 KB").arg(bytes / 1024);
    return QStringLiteral("%1 bytes").arg(bytes);
}

QString durationText(int milliseconds)
{
    if (milliseconds >= 2 * Minute && milliseconds % Minute == 0)
        return QStringLiteral("%1 min").arg(milliseconds / Minute);
    return Numbers::formatGeneral(milliseconds / 1000.0) + QStringLiteral(" s");
}

TestOverride::TestOverride(Kind kind, qint64 maxBytes, int deadlineMs) : m_kind(kind), m_saved(slot(kind))
{
    slot(kind).maxBytes = maxBytes;
    slot(kind).deadlineMs = deadlineMs;
}

TestOverride::~TestOverride()
{
    slot(m_kind) = m_saved;
}

} // namespace DownloadLimits
