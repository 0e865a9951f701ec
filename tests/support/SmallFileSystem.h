#pragma once
// A small file system of a test's own, to see what a command does when the disk fills up: a tmpfs of a
// given size mounted over a folder inside a private mount namespace that ends with the command.  It is
// tried first in an unprivileged user namespace, then, when the test runs as root, in a mount namespace
// alone; a machine that allows neither (a container that refuses mount) gets the reason, to skip with.

#include "support/CliRun.h"

struct SmallFileSystemRun {
    QString unavailable; // why this machine gives no small file system; empty when the command ran
    CliRun run;
};

// Mounts a file system of `bytes` bytes (whole pages) over `folder`, copies the files of `seed` into it,
// runs program with args, and copies what the folder then holds into `kept` (the mount goes with the
// command, so the test looks there).
SmallFileSystemRun runOnSmallFileSystem(const QString &folder, qint64 bytes, const QString &seed,
                                        const QString &kept, const QString &program, const QStringList &args);
