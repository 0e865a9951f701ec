#pragma once
// The command-line companion's run: the command named on the command line, its exit status 0 on
// success, 1 when the input is refused (the reason on stderr), 2 on wrong usage (the usage text on
// stderr).  Shared by quorvane-cli and quorvane-cli-print, which differ only in the application object
// they make (the printing one draws).

#include <QCoreApplication>
#include <functional>
#include <memory>

using ApplicationMaker = std::function<std::unique_ptr<QCoreApplication>(int &argc, char **argv)>;

int runCommandLine(int argc, char *argv[], const ApplicationMaker &makeApplication);
