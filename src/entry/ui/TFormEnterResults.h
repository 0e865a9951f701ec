#pragma once
// The match dialog: adds a match to the open league or edits the current match of Results, as its
// caption says ("Add Match" or "Edit Match", set by the caller before exec()).  Showing it loads the
// controls (ShowMatchEntry); OK hands them to SaveMatch, which stores the match in one transaction, and
// the dialog closes whatever happened.  The date and the round keep their values from one use to the next.

#include <QDialog>

class DateFields;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;
class QVBoxLayout;
class TDataMod;
struct MatchEntryInput;

class TFormEnterResults final : public QDialog
{
    Q_OBJECT
public:
    explicit TFormEnterResults(TDataMod &dm, QWidget *parent = nullptr);
    ~TFormEnterResults() override;

    // What showing the dialog does: fills the choosers and loads the current match for "Edit Match".
    // Called by every show; tests call it directly.
    void loadForm();
    // The values OK hands to SaveMatch.
    MatchEntryInput input() const;

public Q_SLOTS:
    // OK: stores the match through SaveMatch; a warning, an odds text that does not convert, a date that
    // does not exist or a database failure is told (a silent stop after its own message), and leaves the
    // file and the standings as they were.  The dialog closes in every case: Accepted when the match was
    // stored, Rejected otherwise.
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct OddsRow {
        QGroupBox *box = nullptr;
        QComboBox *bookmaker = nullptr;
        QComboBox *type = nullptr;
        QLineEdit *odds = nullptr;
        bool typeTyped = false; // the notation chooser's text was typed since it was last checked
    };
    void buildMatchDetails(QWidget *parent, QVBoxLayout *layout);
    void buildOdds(QWidget *parent, QVBoxLayout *layout);
    void showOddsCaptions();
    void notationChosen(int row);
    void notationTyped(int row);
    int notationOf(int row) const;

    TDataMod &m_dm;
    QComboBox *m_home = nullptr;
    QComboBox *m_away = nullptr;
    QComboBox *m_match = nullptr;
    DateFields *m_date = nullptr;
    QSpinBox *m_round = nullptr;
    QSpinBox *m_homeScore = nullptr;
    QSpinBox *m_awayScore = nullptr;
    QCheckBox *m_overtime = nullptr;
    QLineEdit *m_underOver = nullptr;
    OddsRow m_odds[3]; // home, draw, away
};
