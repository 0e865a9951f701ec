#pragma once
// Reading an Access/Jet database (Jet 3, Jet 4 or ACE) through libmdb, as a TableSource.  The file is only
// read, never written.

#include "entry/TableSource.h"

#include <memory>

class JetFile final : public TableSource
{
public:
    // DatabaseError naming the file when it cannot be opened or its catalogue cannot be read.
    explicit JetFile(const QString &path);
    ~JetFile() override;
    JetFile(const JetFile &) = delete;
    JetFile &operator=(const JetFile &) = delete;

    // Whether a file starts like an Access/Jet database; reads its first bytes only.
    static bool looksLikeJet(const QString &path);

    QStringList tables() const override;
    QList<SourceColumn> columns(const QString &table) const override;
    QList<SourceRow> rows(const QString &table) const override;

private:
    struct Handle;
    std::unique_ptr<Handle> m;
};
