#pragma once
// Reading an Access/Jet database (Jet 3, Jet 4 or ACE) through libmdb, as a TableSource.  The file is only
// read, never written.  libmdb believes what a file says about itself, so a damaged file can make it crash
// or loop: only the reader program (see entry/JetReader.h) and its test link this, never the programs.

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

    QStringList tables() const override;
    QList<SourceColumn> columns(const QString &table) const override;
    QList<SourceRow> rows(const QString &table) const override;

private:
    struct Handle;
    std::unique_ptr<Handle> m;
};
