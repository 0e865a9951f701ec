#pragma once
// "Copy / Paste Teams": adds many teams at once from a pasted list of names, one a line.  The list is
// emptied each time the dialog is shown; OK adds the new names (PasteTeams) and closes the dialog.

#include <QDialog>

class QPlainTextEdit;
class TDataMod;

class TFormCopyPasteTeams final : public QDialog
{
    Q_OBJECT
public:
    explicit TFormCopyPasteTeams(TDataMod &dm, QWidget *parent = nullptr);

    // What showing the dialog does: empties the list.  Called by every show; tests call it directly.
    void loadForm();

public Q_SLOTS:
    // OK: adds every line longer than one character that is not yet a team, then renumbers; a database
    // failure is told with the engine's message.  Closes in every case.
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    TDataMod &m_dm;
    QPlainTextEdit *m_list = nullptr;
};
