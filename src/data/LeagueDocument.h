#pragma once
// A league file as a document: the data module's league seen through the document file's life (open,
// switch, Save As), and a new league file built whole before it takes its place.

#include "data/DocumentFile.h"

class TDataMod;

// The league of a data module as the document of the file commands.
class LeagueDocument final : public Document
{
public:
    explicit LeagueDocument(TDataMod &dm) : m_dm(dm) {}

    QString kind() const override { return QStringLiteral("league file"); }
    QString path() const override;
    void open(const QString &path) override;
    void close() override;
    // Pending edits of the current Teams and Players rows; everything else is stored as it is made.
    void storePendingEdits() override;

    // Whether the league was closed (and then opened again, on another file or the same one) since this
    // object was made: the window then shows it afresh.
    bool closed() const { return m_closed; }

private:
    TDataMod &m_dm;
    bool m_closed = false;
};

// Writes a new league at path (which must not exist): the empty league of CreateLeagueFile, then fill with
// the league on the new file (fill opens the tables it needs); the file is closed when this returns.
void writeLeagueFile(const QString &path, const std::function<void(TDataMod &dm)> &fill = {});

// The same in a file staged beside target that takes its place only when complete (see StagedFile): a
// failure anywhere leaves no file behind and an existing one as it was.
void buildLeagueFile(const QString &target, ExistingFile existing,
                     const std::function<void(TDataMod &dm)> &fill = {});
