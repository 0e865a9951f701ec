#pragma once
// The steps of a table export that need no window: the overwrite question, the extension of a name typed
// without one, the write through an output file.

#include "output/DocumentWriters.h"

class Messenger;

// A name without an extension gets the type's.
QString withExportExtension(const QString &path, ExportType type);

// Refuses (QuorvaneError) a path that may take no output, such as the open league file, before anything
// is asked.  Then asks "File already exists. Overwrite?" when a file exists there; anything but Yes
// declines.  Returns whether the export may go ahead.  The old file stays until the new one is complete.
bool mayOverwrite(const QString &path, Messenger &messenger);

// The overwrite question, then the file.  Returns whether a file was written; errors are thrown.
bool exportTableFile(const ExportSource &source, ExportType type, const QString &path,
                     const ExportOptions &options, Messenger &messenger);
