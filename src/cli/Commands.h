#pragma once
// The commands of the command-line companion.  A command refuses input by throwing a QuorvaneError
// with the message for the user (or Abort after a message of its own) and wrong usage by throwing
// UsageError.

#include "cli/Arguments.h"

#include <functional>

class Messenger;

struct Command {
    QString name;
    QString usage; // the command's line of the usage text
    QList<OptionSpec> options;
    int minPositional, maxPositional; // FILE counts
    std::function<void(const Arguments &, Messenger &)> run;
};

const QList<Command> &commands();
const Command *findCommand(const QString &name);
QString usageText();
