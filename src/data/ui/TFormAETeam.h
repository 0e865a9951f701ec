#pragma once
// The team dialog: adds a team or renames the current team of Teams and sets its logo, as its caption says
// ("Add Team" or "Edit Team", set by the caller before exec(); any other caption adds).  OK hands the
// values to AddTeam or EditTeam and the dialog closes whatever happened.
//
// Also home of PictureBox, the picture box of the team and the player dialog.

#include <QDialog>
#include <QLabel>
#include <functional>

class QLineEdit;
class TDataMod;

// Chooses a file path: title, save (true) or open, file type filter; empty when cancelled.  The same shape
// as the main window's chooser, so that one chooser can serve every window.
using PathChooser = std::function<QString(const QString &title, bool save, const QString &filter)>;

// A white box that shows a BMP image stretched over it, and keeps the image's bytes exactly as they came
// from the file or the database.
class PictureBox final : public QLabel
{
    Q_OBJECT
public:
    PictureBox(const QString &objectName, const QSize &size, QWidget *parent = nullptr);

    // Bytes from the database; what does not decode shows as an empty picture (and is kept as it is).
    void setPicture(const QByteArray &bytes);
    QByteArray picture() const { return m_bytes; }
    void clearPicture();
    // Loads a ".bmp" file: the error "Invalid image" and the previous picture kept for anything that is not
    // a complete BMP image.  Returns whether it loaded.
    bool loadFile(const QString &path);
    // "Load": asks for a file with the chooser (the system's open dialog when none is set) and loads it.
    void loadChosen(const PathChooser &chooser);

private:
    QByteArray m_bytes;
};

class TFormAETeam final : public QDialog
{
    Q_OBJECT
public:
    explicit TFormAETeam(TDataMod &dm, QWidget *parent = nullptr);

    // Replaces the file dialog of "&Load..." (tests feed a path).
    void setPathChooser(PathChooser chooser) { m_chooser = std::move(chooser); }
    // What showing the dialog does: the current team for "Edit Team", empty fields otherwise.  Called by
    // every show; tests call it directly.
    void loadForm();
    QString teamName() const;
    QByteArray picture() const { return m_picture->picture(); }

public Q_SLOTS:
    // OK: "No team entered" for an empty name; otherwise adds or edits, then renumbers the positions.  A
    // database failure is told with the engine's message.  The dialog closes in every case.
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    TDataMod &m_dm;
    QLineEdit *m_name = nullptr;
    PictureBox *m_picture = nullptr;
    PathChooser m_chooser;
};
