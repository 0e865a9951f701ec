#pragma once
// The player dialog: adds a player or edits the current player of Players, as its caption says ("Add
// Player" or "Edit Player", set by the caller before exec(); any other caption adds).  OK hands the values
// to SavePlayer; the dialog closes only when the player was stored, and stays open after a warning.

#include "data/ui/TFormAETeam.h"

#include <QDialog>

class DateFields;
class QComboBox;
class QLineEdit;
class QSpinBox;
class TDataMod;
struct PlayerValues;

class TFormPlayerStats final : public QDialog
{
    Q_OBJECT
public:
    explicit TFormPlayerStats(TDataMod &dm, QWidget *parent = nullptr);

    // Replaces the file dialog of "&Load Image..." (tests feed a path).
    void setPathChooser(PathChooser chooser) { m_chooser = std::move(chooser); }
    // What showing the dialog does: refills the team chooser, shows "Change rating", and loads the current
    // player for "Edit Player" or the starting values otherwise (the IN/OUT chooser keeps its text).
    // Called by every show; tests call it directly.
    void loadForm();
    // The values OK hands to SavePlayer.
    PlayerValues values() const;

public Q_SLOTS:
    // OK: a warning keeps the dialog open; a date that does not exist or a database failure is told with
    // its message and keeps it open too, with nothing changed.  Closes (Accepted) once the player is stored.
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showValues(const PlayerValues &p);
    void ratingPresetChosen(int index);

    TDataMod &m_dm;
    QLineEdit *m_name = nullptr;
    QComboBox *m_team = nullptr;
    QLineEdit *m_position = nullptr;
    QSpinBox *m_number = nullptr;
    DateFields *m_birth = nullptr;
    QLineEdit *m_weight = nullptr;
    QLineEdit *m_height = nullptr;
    QComboBox *m_inOut = nullptr;
    QSpinBox *m_rating = nullptr;
    QComboBox *m_ratingPreset = nullptr;
    PictureBox *m_picture = nullptr;
    PathChooser m_chooser;
};
