#pragma once
// A locale of the C library made for a test, so that printf and the like write numbers as that locale
// does (2,5) also on a machine that has only the C locale installed.  Qt reads the locale from the
// environment by itself; the C library needs the compiled locale, found through LOCPATH.

#include <QString>

// Compiles the locale name ("de_DE.UTF-8") into dir with localedef and returns dir, the value for
// LOCPATH; empty when localedef or the locale's sources are missing.
QString compileCLibraryLocale(const QString &dir, const QString &name);
