#pragma once
// "Merge Teams": joins two spellings of one club.  The first chooser names the team to keep, the
// second the one merged into it; OK merges through MergeTeamsAsked and closes once the teams are
// merged (a refusal or a No leaves the dialog open with its choices).

#include <QDialog>

class QComboBox;
class TDataMod;

class TFormMergeTeams final : public QDialog
{
    Q_OBJECT
public:
    explicit TFormMergeTeams(TDataMod &dm, QWidget *parent = nullptr);

    // What showing the dialog does: fills both choosers with the league's teams, both empty.
    void loadForm();

public Q_SLOTS:
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    TDataMod &m_dm;
    QComboBox *m_keep = nullptr;
    QComboBox *m_merge = nullptr;
};
