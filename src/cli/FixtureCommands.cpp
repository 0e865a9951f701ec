#include "cli/FixtureCommands.h"

#include "cli/LeagueFile.h"
#include "cli/PrintedText.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/Excerpt.h"
#include "data/Numbers.h"
#include "data/TDataMod.h"
#include "entry/FixtureImport.h"

#include <QFile>
#include <QFileInfo>

namespace
{

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw QuorvaneError(QStringLiteral("The file %1 cannot be read: %2.")
                                .arg(QFileInfo(path).fileName(), file.errorString()));
    return QString::fromUtf8(file.readAll());
}

void runImportFixtures(const Arguments &a, Messenger &)
{
    const std::optional<FixtureLayout> layout = fixtureLayoutOf(a.value(QStringLiteral("--layout")));
    if (!layout)
        throw UsageError{QStringLiteral("The layout must be afl, mlb, soccer-a or soccer-b.")};
    int year = QDate::currentDate().year();
    if (a.has(QStringLiteral("--year")) && (!Numbers::tryParseInt(a.value(QStringLiteral("--year")), &year) ||
                                            year < Dates::FirstYear || year > Dates::LastYear))
        throw UsageError{QStringLiteral("The year must be a whole number from %1 to %2, not '%3'.")
                             .arg(Dates::FirstYear)
                             .arg(Dates::LastYear)
                             .arg(excerpt(a.value(QStringLiteral("--year"))))};
    const QStringList lines = fixtureLines(readText(a.positional(1)));
    TDataMod dm;
    LeagueTables tables;
    tables.players = false;
    openLeagueFile(dm, a.positional(0), tables);
    const FixtureImportSummary s = ImportFixtures(dm, *layout, lines, year);
    QString out = describeImport(s) + QLatin1Char('\n');
    if (!s.skipped.isEmpty())
        out += describeSkipped(s) + QLatin1Char('\n');
    writeStdout(out);
}

} // namespace

QList<Command> fixtureCommands()
{
    return {{QStringLiteral("import-fixtures"),
             QStringLiteral("import-fixtures FILE --layout afl|mlb|soccer-a|soccer-b [--year N] TEXTFILE"),
             {{QStringLiteral("--layout"), 1}, {QStringLiteral("--year"), 1}},
             2,
             2,
             runImportFixtures}};
}
