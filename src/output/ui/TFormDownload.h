#pragma once
// "Download League Data": league files from a data server (the list, ticking, OK downloads the ticked
// ones, marking each " ...OK" or " ...Fail") and, on a second page, seasons from the results archive
// entered into a league.  The work is the core's (LeagueDownload, SeasonDownload); the window collects
// the choices and shows the marks and the progress.

#include "output/HttpFetch.h"

#include <QDialog>
#include <atomic>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TFormDD;

class TFormDownload final : public QDialog
{
    Q_OBJECT
public:
    explicit TFormDownload(QWidget *parent = nullptr);

    // The open league, closed around a run so that its file can be replaced: close returns its path
    // (empty when none is open), reopen opens and shows that path again.
    struct LeagueHooks {
        std::function<QString()> close;
        std::function<void(const QString &)> reopen;
    };
    void setLeagueHooks(LeagueHooks hooks) { m_hooks = std::move(hooks); }
    void setFolderDialog(TFormDD *dialog) { m_folderDialog = dialog; }
    // Requests without data for this long fail (tests shorten it).
    void setIdleTimeout(int milliseconds);
    // Where the list is kept: data/leagues.txt under the program's folder unless a test says otherwise.
    void setListPath(const QString &path) { m_listPath = path; }

    // Showing the dialog: the server check and the list (when a server address is set).
    void refreshList();
    void toggleAll();
    void chooseFolder();
    // OK: downloads the ticked league files.
    void downloadTicked();
    // The Seasons page: downloads and imports the ticked divisions' ticked seasons.
    void fetchSeasons();

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override;

private:
    QWidget *buildLeaguePage();
    QWidget *buildSeasonPage();
    void setRunning(bool running);
    bool blockProgress(QProgressBar *bar, qint64 received, qint64 total);

    std::unique_ptr<HttpFetch> m_http;
    LeagueHooks m_hooks;
    TFormDD *m_folderDialog = nullptr;
    std::atomic<bool> m_cancel = false;
    bool m_running = false;
    QString m_listPath;

    QTabWidget *m_pages = nullptr;
    QLineEdit *m_server = nullptr;
    QLineEdit *m_folder = nullptr;
    QListWidget *m_leagues = nullptr;
    QLabel *m_listReason = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_toggleAll = nullptr;
    QPushButton *m_refresh = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QProgressBar *m_progress = nullptr;

    QLineEdit *m_seasonServer = nullptr;
    QListWidget *m_divisions = nullptr;
    QListWidget *m_seasons = nullptr;
    QComboBox *m_bookmaker = nullptr;
    QRadioButton *m_intoOpen = nullptr;
    QRadioButton *m_perDivision = nullptr;
    QPushButton *m_fetchSeasons = nullptr;
    QProgressBar *m_seasonProgress = nullptr;
    QPlainTextEdit *m_log = nullptr;
};
