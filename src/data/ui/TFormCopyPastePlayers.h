#pragma once
// "Copy / Paste Players": adds many players of one team at once from a pasted list of names, one a line.
// Each show empties the list and fills the team chooser; OK adds the new names (PastePlayers) and closes
// the dialog, also after its warning.

#include <QDialog>

class QComboBox;
class QPlainTextEdit;
class TDataMod;

class TFormCopyPastePlayers final : public QDialog
{
    Q_OBJECT
public:
    explicit TFormCopyPastePlayers(TDataMod &dm, QWidget *parent = nullptr);

    // What showing the dialog does: empties the list and fills the team chooser with every team,
    // alphabetical, its text empty.  Called by every show; tests call it directly.
    void loadForm();

public Q_SLOTS:
    // OK: "No team selected or invalid team" unless the chooser's text is one of its teams (letter case
    // ignored); otherwise adds every line longer than one character that is not yet a player's name.  A
    // database failure is told with the engine's message.  Closes in every case.
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    TDataMod &m_dm;
    QPlainTextEdit *m_list = nullptr;
    QComboBox *m_team = nullptr;
};
