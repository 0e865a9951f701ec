#include "cli/CommandLine.h"

#include "cli/Commands.h"
#include "data/Errors.h"
#include "data/Excerpt.h"
#include "data/Messenger.h"

#include <QLocale>
#include <cstdio>

namespace
{
void print(std::FILE *to, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
}

int wrongUsage(const QString &message)
{
    print(stderr, message + QStringLiteral("\n\n") + usageText());
    return 2;
}
} // namespace

int runCommandLine(int argc, char *argv[], const ApplicationMaker &makeApplication)
{
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorvane-cli"));
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return wrongUsage(QStringLiteral("No command given."));
    if (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h") ||
        args[0] == QLatin1String("help")) {
        print(stdout, usageText());
        return 0;
    }
    const Command *command = findCommand(args[0]);
    if (!command)
        return wrongUsage(QStringLiteral("Unknown command '%1'.").arg(excerpt(args[0])));

    CollectingMessenger messenger(true); // messages go to stderr
    try {
        const Arguments parsed =
            Arguments::parse(args.mid(1), command->options, command->minPositional, command->maxPositional);
        // JSON is read by programs: it is the same in every locale, every number in it (also one inside
        // a text, such as a grid's cell) written with ".".  Text output follows the user's locale.
        if (parsed.value(QStringLiteral("--format")) == QLatin1String("json"))
            QLocale::setDefault(QLocale::c());
        command->run(parsed, messenger);
        return 0;
    } catch (const UsageError &e) {
        return wrongUsage(e.message);
    } catch (const Abort &) {
        return 1; // the reason is already on stderr
    } catch (const QuorvaneError &e) {
        messenger.error(e.message());
        return 1;
    } catch (const std::exception &e) {
        messenger.error(QString::fromLocal8Bit(e.what()));
        return 1;
    }
}
