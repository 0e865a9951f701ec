#pragma once
// Damaged copies of Access (Jet) files for the tests of their reading, and the check that a reading left
// no process of its own behind.

#include <QByteArray>
#include <QStringList>

// How a file is damaged: cut short at a byte, one byte set, a 16-bit or 32-bit little-endian value
// written at a byte, or one whole page copied over another (at: the page copied, value: the page
// replaced).
enum class Damage { None, Cut, Byte, Put16, Put32, CopyPage };

// The bytes of an Access file with the damage done; pages have the size of the file's format.
QByteArray damaged(QByteArray bytes, Damage damage, qint64 at, qint64 value);

// The processes that this one started and that still exist, each as "pid (name)".
QStringList childProcesses();
