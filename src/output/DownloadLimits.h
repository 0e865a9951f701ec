#pragma once
// How much a download may bring and how long it may take.  A server that sends more, or so slowly that
// the file never ends, is cut off with the reason, and the file it was sending is left out.  The values
// stand together here so that they are weighed against each other.

#include <QString>

namespace DownloadLimits
{

enum class Kind { LeagueList, Season, LeagueFile };

struct Limit {
    QString what;    // what the messages call it: "league list"
    qint64 maxBytes; // of the body
    int deadlineMs;  // for every request of one file together, from its first one
};

// A request that receives nothing for this long fails, whatever its deadline.
constexpr int IdleTimeoutMs = 30000;

// The limit in force for kind: the values of DownloadLimits.cpp unless a test lowered them.
Limit limit(Kind kind);

// "The league list is larger than 1 MB."
QString tooLargeText(const Limit &limit);
// "No answer within 30 s."
QString deadlineText(const Limit &limit);
// "1 MB", "64 KB", "1000 bytes".
QString sizeText(qint64 bytes);
// "30 s", "1.5 s", "30 min".
QString durationText(int milliseconds);

// Tests act out hostile servers in a moment: kind's limit is lowered while this lives.
class TestOverride
{
public:
    TestOverride(Kind kind, qint64 maxBytes, int deadlineMs);
    ~TestOverride();
    TestOverride(const TestOverride &) = delete;
    TestOverride &operator=(const TestOverride &) = delete;

private:
    Kind m_kind;
    Limit m_saved;
};

} // namespace DownloadLimits
