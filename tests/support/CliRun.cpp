#include "support/CliRun.h"

#include <QCoreApplication>
#include <QProcess>

QString quorvaneCli()
{
    // Found from the test program's own folder rather than compiled in, so that the test objects are the same
    // in every build tree and the trees share the compiler cache.
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../src/cli/quorvane-cli");
}

CliRun runCli(const QString &program, const QStringList &args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return runCli(program, args, env);
}

CliRun runCli(const QString &program, const QStringList &args, const QProcessEnvironment &environment)
{
    QProcess p;
    p.setProcessEnvironment(environment);
    p.start(program, args);
    CliRun r;
    if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}
