#pragma once
// Runs the command-line companion as a separate process, as a user would.

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct CliRun {
    int exitCode = -1; // -1: did not end normally
    QByteArray out;
    QString err;
};

// The command-line companion of the build tree these tests belong to (build/src/cli beside build/tests).
QString quorvaneCli();

// Runs program with args in the C.UTF-8 locale and waits for it to end.
CliRun runCli(const QString &program, const QStringList &args);
// The same in the given environment (its locale variables as they are).
CliRun runCli(const QString &program, const QStringList &args, const QProcessEnvironment &environment);
