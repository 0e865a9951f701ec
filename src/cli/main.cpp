// quorvane-cli: league files from the command line.  The printing commands are handed over whole to
// quorvane-cli-print beside it (see PdfOutput.h).

#include "cli/CommandLine.h"
#include "cli/OutputCommands.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace
{
// Replaces this process with the printing program, same arguments, same standard streams; returns
// only when that cannot start.
int handOverToPrinting(int argc, char *argv[])
{
    const QCoreApplication app(argc, argv);
    const QByteArray program = QFile::encodeName(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("quorvane-cli-print")));
    std::vector<char *> arguments(argv, argv + argc);
    arguments[0] = const_cast<char *>(program.constData());
    arguments.push_back(nullptr);
    ::execv(program.constData(), arguments.data());
    std::fprintf(stderr, "Cannot start %s, which prints: %s\n", program.constData(), std::strerror(errno));
    return 1;
}
} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (commandNeedsGui(arguments))
        return handOverToPrinting(argc, argv);
    return runCommandLine(argc, argv, [](int &count, char **values) {
        return std::make_unique<QCoreApplication>(count, values);
    });
}
