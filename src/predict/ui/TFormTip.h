#pragma once
// The match prediction options: the two teams, a handicap and a team strength for each side, the
// line-ups and the betting system.  OK checks the choices and shows the result window on top; the
// dialog stays open for another try until Cancel.  Moving players stores their status at once.

#include "predict/MatchTip.h"

#include <QDialog>

class BettingSystemControls;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;
class TDataMod;
class TFormTipResult;

class TFormTip final : public QDialog
{
    Q_OBJECT
public:
    explicit TFormTip(TDataMod &dm, QWidget *parent = nullptr);
    void setResultWindow(TFormTipResult *result) { m_result = result; }

    // The match the dialog opens with from now on (the one selected in the main window), each team chosen
    // when it is one of the league's; empty names choose nothing.
    void setMatch(const QString &home, const QString &away);
    // What showing the dialog does: teams and labels reset, team lists and betting system loaded, the
    // match set by setMatch chosen.
    void reload();
    // The choices as the controls hold them (handicaps read in the locale; ConversionError naming a text
    // that does not read).
    TipChoice choice() const;

public Q_SLOTS:
    // OK: checks the teams and the handicaps, then shows the result window; the dialog stays open.
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Side {
        QComboBox *team = nullptr;
        QLabel *handicapLabel = nullptr;
        QLineEdit *handicap = nullptr;
        QLabel *strengthLabel = nullptr;
        QSpinBox *strength = nullptr;
        QGroupBox *panel = nullptr;
        QListWidget *in = nullptr;
        QListWidget *out = nullptr;
        QList<QPushButton *> buttons;
        QString caption; // "Home Team" or "Away Team"
    };
    QWidget *buildTeamsPage();
    QWidget *buildPlayersPage();
    void buildSide(Side &side, const QString &prefix);
    QWidget *buildPlayersPanel(Side &side, const QString &prefix);
    void teamChosen(Side &side);
    void fillLists(Side &side);
    void lineupsToggled();
    // "-->", "<--", "->>", "<<-"
    void movePlayer(Side &side, bool toOut);
    void moveAll(Side &side, bool toOut);
    bool isEntry(const Side &side) const;

    TDataMod &m_dm;
    TFormTipResult *m_result = nullptr;
    QString m_matchHome, m_matchAway;
    QTabWidget *m_pages = nullptr;
    Side m_home, m_away;
    QCheckBox *m_useHandicap = nullptr;
    QCheckBox *m_lineups = nullptr;
    QCheckBox *m_useStrength = nullptr;
    BettingSystemControls *m_system = nullptr;
};
