#include "output/ui/TFormDownload.h"

#include "data/BusyCursor.h"
#include "data/Errors.h"
#include "data/ProgramSettings.h"
#include "data/ui/DialogParts.h"
#include "data/ui/GuiMessenger.h"
#include "entry/ResultsImport.h"
#include "output/LeagueDownload.h"
#include "output/SeasonDownload.h"
#include "output/ui/TFormDD.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace
{
const QString kServerKey = QStringLiteral("download/server");
const QString kSeasonServerKey = QStringLiteral("download/seasonServer");
const QString kCaption = QStringLiteral("Download League Data");
const QString kListWarning = QStringLiteral(
    "Unable to download league list. One of the following could be causing the problem:\r\n1)No internet "
    "connection.\r\n2)You are probably behind a firewall.\r\n3)Server might be down.");

QListWidgetItem *checkItem(QListWidget *list, const QString &text, const QVariant &data = QVariant())
{
    auto *item = new QListWidgetItem(text, list);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    item->setData(Qt::UserRole, data);
    return item;
}

QList<QListWidgetItem *> ticked(QListWidget *list)
{
    QList<QListWidgetItem *> out;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            out << list->item(i);
    return out;
}

// The season running now: one that starts in July or later belongs to that year.
int currentSeason()
{
    const QDate today = QDate::currentDate();
    return today.month() >= 7 ? today.year() : today.year() - 1;
}
} // namespace

TFormDownload::TFormDownload(QWidget *parent) : QDialog(parent)
{
    BusyCursor busy;
    setObjectName(QStringLiteral("FormDownload"));
    setWindowTitle(kCaption);
    m_http = std::make_unique<HttpFetch>();
    m_listPath = LeagueDownload::listPath();
    auto *layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->addTab(buildLeaguePage(), QStringLiteral("League Files"));
    m_pages->addTab(buildSeasonPage(), QStringLiteral("Seasons"));
    layout->addWidget(m_pages);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_ok = plainButton(this, QStringLiteral("ButtonOK"), QStringLiteral("OK"));
    m_ok->setToolTip(QStringLiteral("Download the ticked league files"));
    m_cancelButton = plainButton(this, QStringLiteral("ButtonCancel"), QStringLiteral("Cancel"));
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancelButton);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &TFormDownload::downloadTicked);
    connect(m_cancelButton, &QPushButton::clicked, this, &TFormDownload::reject);
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int page) { m_ok->setVisible(page == 0); });

    m_ok->setEnabled(false);
    m_toggleAll->setEnabled(false);
    resize(560, 520);
}

QWidget *TFormDownload::buildLeaguePage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabLeagueFiles"));
    auto *layout = new QVBoxLayout(page);
    auto *form = new QFormLayout;
    auto *serverRow = new QHBoxLayout;
    m_server = new QLineEdit(ProgramSettings::text(kServerKey, QString()), page);
    m_server->setObjectName(QStringLiteral("EditServer"));
    m_server->setPlaceholderText(QStringLiteral("https://example.org/leagues/"));
    m_server->setToolTip(
        QStringLiteral("The address of a folder that holds data/leagues.txt and data/NAME.mdb"));
    m_refresh = plainButton(page, QStringLiteral("ButtonRefresh"), QStringLiteral("Get List"));
    serverRow->addWidget(m_server, 1);
    serverRow->addWidget(m_refresh);
    form->addRow(QStringLiteral("Server:"), serverRow);
    auto *folderRow = new QHBoxLayout;
    m_folder = new QLineEdit(QDir::toNativeSeparators(LeagueDownload::defaultFolder()), page);
    m_folder->setObjectName(QStringLiteral("EditFolder"));
    m_folder->setReadOnly(true);
    auto *browse = plainButton(page, QStringLiteral("ButtonFolder"), QStringLiteral("..."));
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(browse);
    form->addRow(QStringLiteral("Download to:"), folderRow);
    layout->addLayout(form);

    m_leagues = new QListWidget(page);
    m_leagues->setObjectName(QStringLiteral("CheckListBox1"));
    layout->addWidget(m_leagues, 1);
    // Why the list could not be had; a failed entry tells its own reason as its tool tip.
    m_listReason = new QLabel(page);
    m_listReason->setObjectName(QStringLiteral("LabelListReason"));
    m_listReason->setWordWrap(true);
    m_listReason->setTextFormat(Qt::PlainText);
    m_listReason->hide();
    layout->addWidget(m_listReason);
    auto *row = new QHBoxLayout;
    m_toggleAll = plainButton(page, QStringLiteral("ButtonToggleAll"), QStringLiteral("Toggle All"));
    row->addWidget(m_toggleAll);
    m_progress = new QProgressBar(page);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 50);
    m_progress->setValue(0);
    row->addWidget(m_progress, 1);
    layout->addLayout(row);

    connect(m_refresh, &QPushButton::clicked, this, &TFormDownload::refreshList);
    connect(m_server, &QLineEdit::returnPressed, this, &TFormDownload::refreshList);
    connect(browse, &QPushButton::clicked, this, &TFormDownload::chooseFolder);
    connect(m_toggleAll, &QPushButton::clicked, this, &TFormDownload::toggleAll);
    return page;
}

QWidget *TFormDownload::buildSeasonPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabSeasons"));
    auto *layout = new QVBoxLayout(page);
    auto *form = new QFormLayout;
    m_seasonServer =
        new QLineEdit(ProgramSettings::text(kSeasonServerKey, SeasonDownload::DefaultServer), page);
    m_seasonServer->setObjectName(QStringLiteral("EditSeasonServer"));
    form->addRow(QStringLiteral("Archive:"), m_seasonServer);
    m_bookmaker = typingChooser(page, QStringLiteral("ComboBoxBookmaker"));
    m_bookmaker->addItems({QStringLiteral("best"), QStringLiteral("B365"), QStringLiteral("BW"),
                           QStringLiteral("IW"), QStringLiteral("PS"), QStringLiteral("WH"),
                           QStringLiteral("VC")});
    m_bookmaker->setCurrentIndex(0);
    m_bookmaker->setToolTip(
        QStringLiteral("best: the highest price of any bookmaker; or one bookmaker's prefix"));
    form->addRow(QStringLiteral("Odds:"), m_bookmaker);
    layout->addLayout(form);

    auto *lists = new QHBoxLayout;
    m_divisions = new QListWidget(page);
    m_divisions->setObjectName(QStringLiteral("ListDivisions"));
    for (const SeasonDownload::Division &d : SeasonDownload::commonDivisions())
        checkItem(m_divisions, d.code + QStringLiteral("  ") + d.name, d.code);
    m_seasons = new QListWidget(page);
    m_seasons->setObjectName(QStringLiteral("ListSeasons"));
    for (int year = currentSeason(); year >= 1993; --year)
        checkItem(m_seasons, SeasonDownload::seasonText(year), year);
    lists->addWidget(m_divisions, 3);
    lists->addWidget(m_seasons, 2);
    layout->addLayout(lists, 1);

    m_intoOpen = new QRadioButton(QStringLiteral("Into the open league"), page);
    m_intoOpen->setObjectName(QStringLiteral("RadioOpenLeague"));
    m_perDivision = new QRadioButton(
        QStringLiteral("Into a league file per division (DIV.qvl in the download folder)"), page);
    m_perDivision->setObjectName(QStringLiteral("RadioLeaguePerDivision"));
    m_perDivision->setChecked(true);
    layout->addWidget(m_intoOpen);
    layout->addWidget(m_perDivision);
    auto *row = new QHBoxLayout;
    m_fetchSeasons =
        plainButton(page, QStringLiteral("ButtonFetchSeasons"), QStringLiteral("Download and Import"));
    row->addWidget(m_fetchSeasons);
    m_seasonProgress = new QProgressBar(page);
    m_seasonProgress->setObjectName(QStringLiteral("ProgressBarSeasons"));
    m_seasonProgress->setValue(0);
    row->addWidget(m_seasonProgress, 1);
    layout->addLayout(row);
    m_log = new QPlainTextEdit(page);
    m_log->setObjectName(QStringLiteral("MemoSeasons"));
    m_log->setReadOnly(true);
    m_log->setMaximumHeight(110);
    layout->addWidget(m_log);
    connect(m_fetchSeasons, &QPushButton::clicked, this, &TFormDownload::fetchSeasons);
    return page;
}

void TFormDownload::setIdleTimeout(int milliseconds)
{
    m_http = std::make_unique<HttpFetch>(milliseconds);
}

void TFormDownload::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_server->text().trimmed().isEmpty())
        QTimer::singleShot(0, this, &TFormDownload::refreshList);
}

void TFormDownload::reject()
{
    // During a run Cancel stops it; the dialog stays open to show the marks.
    if (m_running) {
        m_cancel = true;
        return;
    }
    QDialog::reject();
}

void TFormDownload::setRunning(bool running)
{
    m_running = running;
    m_cancel = false;
    for (QWidget *w : {static_cast<QWidget *>(m_ok), static_cast<QWidget *>(m_toggleAll),
                       static_cast<QWidget *>(m_refresh), static_cast<QWidget *>(m_fetchSeasons),
                       static_cast<QWidget *>(m_server), static_cast<QWidget *>(m_seasonServer)})
        w->setEnabled(!running);
    m_pages->tabBar()->setEnabled(!running);
    if (!running) {
        const bool listed = m_leagues->count() > 0;
        m_ok->setEnabled(listed);
        m_toggleAll->setEnabled(listed);
    }
}

bool TFormDownload::blockProgress(QProgressBar *bar, qint64 received, qint64 total)
{
    const int max = total > 0 ? int(std::max<qint64>(1, total / HttpFetch::BlockSize)) : 50;
    if (bar->maximum() != max)
        bar->setMaximum(max);
    bar->setValue(int(std::min<qint64>(max, received / HttpFetch::BlockSize)));
    return !m_cancel;
}

void TFormDownload::refreshList()
{
    const QUrl base = LeagueDownload::baseUrl(m_server->text());
    if (!base.isValid()) {
        messenger().warning(QStringLiteral("Type the address of the data server, such as "
                                           "https://example.org/leagues/ (it holds data/leagues.txt)."));
        return;
    }
    ProgramSettings::storeText(kServerKey, m_server->text().trimmed());
    BusyCursor busy;
    setRunning(true);
    setWindowTitle(QStringLiteral("Downloading League List"));
    LeagueDownload::LeagueList list;
    QString failure;
    try {
        list = LeagueDownload::fetchList(*m_http, base, m_listPath);
    } catch (const QuorvaneError &e) {
        failure = e.message();
    }
    setWindowTitle(kCaption);
    m_listReason->setText(failure.isEmpty() ? QString()
                                            : QStringLiteral("Unable to download league list: ") + failure);
    m_listReason->setVisible(!failure.isEmpty());
    if (failure.isEmpty()) {
        m_leagues->clear();
        for (const QString &name : std::as_const(list.names))
            checkItem(m_leagues, name);
    }
    setRunning(false);
    if (!failure.isEmpty())
        messenger().warning(kListWarning);
    else if (!list.skipped.isEmpty())
        messenger().warning(LeagueDownload::skippedText(list.skipped));
}

void TFormDownload::toggleAll()
{
    if (m_leagues->count() == 0)
        return;
    const Qt::CheckState state =
        m_leagues->item(0)->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked;
    for (int i = 0; i < m_leagues->count(); ++i)
        m_leagues->item(i)->setCheckState(state);
}

void TFormDownload::chooseFolder()
{
    if (!m_folderDialog)
        return;
    m_folderDialog->setFolder(QDir::fromNativeSeparators(m_folder->text()));
    if (m_folderDialog->exec() == QDialog::Accepted && !m_folderDialog->folder().isEmpty())
        m_folder->setText(QDir::toNativeSeparators(m_folderDialog->folder()));
}

void TFormDownload::downloadTicked()
{
    const QUrl base = LeagueDownload::baseUrl(m_server->text());
    QStringList entries;
    QList<bool> tickedRows;
    for (int i = 0; i < m_leagues->count(); ++i) {
        entries << m_leagues->item(i)->text();
        tickedRows << (m_leagues->item(i)->checkState() == Qt::Checked);
        m_leagues->item(i)->setToolTip(QString()); // the reason of an earlier run
    }
    setRunning(true);
    const QString open = m_hooks.close ? m_hooks.close() : QString();
    {
        BusyCursor busy;
        LeagueDownload::RunCallbacks callbacks;
        callbacks.starting = [this](int i) { m_leagues->setCurrentRow(i); };
        callbacks.progress = [this](qint64 received, qint64 total) {
            blockProgress(m_progress, received, total);
        };
        callbacks.finished = [this, &entries](int i, const LeagueDownload::FileOutcome &o) {
            m_leagues->item(i)->setText(entries[i]);
            m_leagues->item(i)->setToolTip(o.reason);
            m_progress->setValue(0);
        };
        try {
            if (base.isValid())
                LeagueDownload::runDownloads(*m_http, base, QDir::fromNativeSeparators(m_folder->text()),
                                             entries, tickedRows, callbacks, &m_cancel);
        } catch (const std::exception &) {
            // The reopening and the message below happen in every case.
        }
        for (int i = 0; i < m_leagues->count(); ++i)
            m_leagues->item(i)->setText(entries.value(i));
        m_progress->setValue(0);
    }
    if (!open.isEmpty() && m_hooks.reopen)
        m_hooks.reopen(open);
    setRunning(false);
    messenger().information(QStringLiteral("Download Finished"));
}

void TFormDownload::fetchSeasons()
{
    const QUrl base = LeagueDownload::baseUrl(m_seasonServer->text());
    const QList<QListWidgetItem *> divisions = ticked(m_divisions);
    QList<QListWidgetItem *> seasons = ticked(m_seasons);
    if (!base.isValid()) {
        messenger().warning(QStringLiteral("Type the address of the results archive, such as %1.")
                                .arg(SeasonDownload::DefaultServer));
        return;
    }
    if (divisions.isEmpty() || seasons.isEmpty()) {
        messenger().warning(QStringLiteral("Tick at least one division and one season."));
        return;
    }
    const bool intoOpen = m_intoOpen->isChecked();
    if (intoOpen && divisions.size() > 1) {
        messenger().warning(QStringLiteral("Only one division can go into the open league."));
        return;
    }
    std::reverse(seasons.begin(), seasons.end()); // oldest first, so the standings grow in order
    ProgramSettings::storeText(kSeasonServerKey, m_seasonServer->text().trimmed());
    const QString bookmaker = m_bookmaker->currentText().trimmed();
    setRunning(true);
    const QString open = m_hooks.close ? m_hooks.close() : QString();
    QStringList failures;
    if (intoOpen && open.isEmpty()) {
        failures << QStringLiteral("No league is open: open one, or import into a league file per division.");
    } else {
        BusyCursor busy;
        m_log->clear();
        for (QListWidgetItem *d : divisions) {
            const QString division = d->data(Qt::UserRole).toString();
            const QString target = intoOpen ? open
                                            : QDir(QDir::fromNativeSeparators(m_folder->text()))
                                                  .filePath(division + QStringLiteral(".qvl"));
            for (QListWidgetItem *s : std::as_const(seasons)) {
                if (m_cancel)
                    break;
                const int year = s->data(Qt::UserRole).toInt();
                try {
                    QDir().mkpath(QFileInfo(target).absolutePath());
                    const CsvSeason season = SeasonDownload::fetchSeason(
                        *m_http, base, division, year, bookmaker, [this](qint64 got, qint64 total) {
                            return blockProgress(m_seasonProgress, got, total);
                        });
                    const ImportSummary summary =
                        SeasonDownload::importSeasonInto(target, division, season, messenger());
                    m_log->appendPlainText(SeasonDownload::summaryText(division, year, summary) +
                                           QLatin1Char('.'));
                } catch (const Abort &) {
                    if (!m_cancel)
                        failures << QStringLiteral("%1 %2 was not imported.")
                                        .arg(division, SeasonDownload::seasonText(year));
                } catch (const QuorvaneError &e) {
                    failures << e.message();
                    m_log->appendPlainText(e.message());
                }
                m_seasonProgress->setValue(0);
            }
        }
    }
    if (!open.isEmpty() && m_hooks.reopen)
        m_hooks.reopen(open);
    setRunning(false);
    if (failures.isEmpty())
        messenger().information(QStringLiteral("Download Finished"));
    else
        messenger().warning(failures.join(QStringLiteral("\n")));
}
