#include "predict/ui/TFormTipResult.h"

#include "data/BusyCursor.h"
#include "data/CommandBoundary.h"
#include "data/TDataMod.h"
#include "data/ui/DataGrid.h"
#include "data/ui/GuiMessenger.h"
#include "data/ui/TFormAETeam.h"
#include "data/ui/ThemeColours.h"

#include <QApplication>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{

// A framed panel of centred text, as the top area's values are shown.
QLabel *panel(QWidget *parent, const QString &name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAutoFillBackground(true);
    l->setMinimumWidth(70);
    return l;
}

void paintPanel(QLabel *label, const Rgb &colour)
{
    const QPalette palette = QApplication::palette();
    label->setStyleSheet(
        QStringLiteral("QLabel { background-color: %1; color: %2; }")
            .arg(groundColour(colour, palette).name(), textColour(colour, Colours::Black, palette).name()));
}

QLabel *heading(QWidget *parent, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignCenter);
    QFont bold = l->font();
    bold.setBold(true);
    l->setFont(bold);
    return l;
}

QList<GridColumn> tableColumns(TeamTable table)
{
    const QString p = table == TeamTable::Home   ? QStringLiteral("H")
                      : table == TeamTable::Away ? QStringLiteral("A")
                                                 : QStringLiteral("T");
    QList<GridColumn> c = {{QStringLiteral("#"), QStringLiteral("Pos"), AlignNumber, 30},
                           {QStringLiteral("Team"), QStringLiteral("Team"), AlignText, 160},
                           {QStringLiteral("TR"), QStringLiteral("TR") + p, AlignNumber, 50}};
    const char *columns[] = {"P", "W", "D", "L", "F", "A", "Dif", "Pts"};
    for (const char *col : columns)
        c << GridColumn{QString::fromLatin1(col), p + QLatin1String(col), AlignNumber, 40};
    return c;
}

QList<GridColumn> scoreColumns()
{
    return {{QStringLiteral("Date"), QStringLiteral("DateP"), AlignCentre, 80},
            {QStringLiteral("Rnd"), QStringLiteral("Rnd"), AlignNumber, 40},
            {QStringLiteral("Home Team"), QStringLiteral("Home"), AlignText, 160},
            {QStringLiteral("Away Team"), QStringLiteral("Away"), AlignText, 160},
            {QStringLiteral("Score"), QStringLiteral("Result"), AlignCentre, 60}};
}

QList<GridColumn> playerColumns()
{
    return {{QStringLiteral("N"), QStringLiteral("N"), AlignNumber, 30},
            {QStringLiteral("Player"), QStringLiteral("Player"), AlignText, 160},
            {QStringLiteral("Pos"), QStringLiteral("Pos"), AlignCentre, 80},
            {QStringLiteral("PR"), QStringLiteral("PR"), AlignNumber, 50}};
}

// Two grids side by side, the home team's first.
QWidget *pair(QWidget *parent, QWidget *left, QWidget *right)
{
    auto *w = new QWidget(parent);
    auto *l = new QHBoxLayout(w);
    l->addWidget(left);
    l->addWidget(right);
    return w;
}

} // namespace

TFormTipResult::TFormTipResult(TDataMod &dm, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_homeScores(&dm.ADOConnection), m_awayScores(&dm.ADOConnection),
      m_homeIn(&dm.ADOConnection), m_awayIn(&dm.ADOConnection), m_homeOut(&dm.ADOConnection),
      m_awayOut(&dm.ADOConnection), m_teams(&dm.ADOConnection, QStringLiteral("Teams"))
{
    setObjectName(QStringLiteral("FormTipResult"));
    setWindowTitle(QStringLiteral("Match Prediction"));
    resize(900, 700);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildTop());

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControlResult"));
    m_pages->setTabPosition(QTabWidget::South);
    auto *h2h = new QWidget(m_pages);
    h2h->setObjectName(QStringLiteral("TabSheetHeadToHead"));
    auto *h2hLayout = new QHBoxLayout(h2h);
    m_homeGrid =
        buildStatsGrid(QStringLiteral("StringGridHome"), {QStringLiteral("Total"), QStringLiteral("Home")});
    m_awayGrid =
        buildStatsGrid(QStringLiteral("StringGridAway"), {QStringLiteral("Away"), QStringLiteral("Total")});
    auto *titles = new QTableWidget(TipStatCount, 1, h2h);
    titles->setObjectName(QStringLiteral("StringGridStatistics"));
    titles->setHorizontalHeaderLabels({QStringLiteral("Statistics")});
    for (int r = 0; r < TipStatCount; ++r) {
        auto *item = new QTableWidgetItem(tipStatTitles().at(r));
        item->setTextAlignment(Qt::AlignCenter);
        item->setFlags(Qt::ItemIsEnabled);
        titles->setItem(r, 0, item);
    }
    titles->verticalHeader()->hide();
    titles->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    titles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    h2hLayout->addWidget(m_homeGrid);
    h2hLayout->addWidget(titles);
    h2hLayout->addWidget(m_awayGrid);
    m_pages->addTab(h2h, QStringLiteral("Head-To-Head"));

    const QString names[2] = {QStringLiteral("DBGridHTScores"), QStringLiteral("DBGridATScores")};
    Query *scores[2] = {&m_homeScores, &m_awayScores};
    for (int i = 0; i < 2; ++i) {
        auto *grid = new DataGrid(*scores[i], scoreColumns(), m_pages);
        grid->setObjectName(names[i]);
        const bool home = i == 0;
        grid->datasetModel()->setCellColours([this, home](const Dataset &ds, int row, int) {
            const QString team = home ? m_tip.home : m_tip.away;
            const QString homeTeam = ds.valueAt(row, ds.fieldIndex(QStringLiteral("Home"))).toString();
            const int f = ds.valueAt(row, ds.fieldIndex(QStringLiteral("F"))).toInt();
            const int a = ds.valueAt(row, ds.fieldIndex(QStringLiteral("A"))).toInt();
            return CellColours{tipScoreRowColour(team, homeTeam, f, a), Colours::Black};
        });
        m_pages->addTab(grid, home ? QStringLiteral("HT Scores") : QStringLiteral("AT Scores"));
    }

    const TeamTable tables[3] = {TeamTable::Home, TeamTable::Away, TeamTable::Overall};
    const QString tableTabs[3] = {QStringLiteral("Home Stats"), QStringLiteral("Away Stats"),
                                  QStringLiteral("Overall Stats")};
    const QString tableNames[3] = {QStringLiteral("DBGridHomeStats"), QStringLiteral("DBGridAwayStats"),
                                   QStringLiteral("DBGridOverallStats")};
    for (int i = 0; i < 3; ++i) {
        m_tables[i] = new DataGrid(m_teams, tableColumns(tables[i]), m_pages);
        m_tables[i]->setObjectName(tableNames[i]);
        m_tables[i]->datasetModel()->setCellColours([this](const Dataset &ds, int row, int) {
            const QString team = ds.valueAt(row, ds.fieldIndex(QStringLiteral("Team"))).toString();
            CellColours c;
            c.background = tipTableRowColour(team, m_tip.home, m_tip.away);
            return c;
        });
        m_pages->addTab(m_tables[i], tableTabs[i]);
    }

    Query *in[2] = {&m_homeIn, &m_awayIn};
    Query *out[2] = {&m_homeOut, &m_awayOut};
    for (int page = 0; page < 2; ++page) {
        Query **queries = page == 0 ? in : out;
        const QString kind = page == 0 ? QStringLiteral("In") : QStringLiteral("Out");
        auto *home = new DataGrid(*queries[0], playerColumns(), m_pages);
        home->setObjectName(QStringLiteral("DBGridHomePlayers") + kind);
        auto *away = new DataGrid(*queries[1], playerColumns(), m_pages);
        away->setObjectName(QStringLiteral("DBGridAwayPlayers") + kind);
        QWidget *players = pair(m_pages, home, away);
        players->setObjectName(QStringLiteral("TabSheetPlayers") + kind);
        m_pages->addTab(players,
                        page == 0 ? QStringLiteral("Players - IN") : QStringLiteral("Players - OUT"));
    }
    layout->addWidget(m_pages, 1);
    connect(m_pages, &QTabWidget::currentChanged, this, &TFormTipResult::pageShown);
}

QWidget *TFormTipResult::buildTop()
{
    auto *top = new QWidget(this);
    auto *grid = new QGridLayout(top);
    m_homeName = panel(top, QStringLiteral("PanelHomeTeam"), QStringLiteral("Home Team"));
    m_awayName = panel(top, QStringLiteral("PanelAwayTeam"), QStringLiteral("Away Team"));
    QFont big = m_homeName->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    for (QLabel *name : {m_homeName, m_awayName}) {
        name->setFont(big);
        name->setWordWrap(true); // names run to 25 characters
        name->setMinimumWidth(190);
    }
    m_homePicture = new PictureBox(QStringLiteral("ImageHome"), QSize(120, 90), top);
    m_awayPicture = new PictureBox(QStringLiteral("ImageAway"), QSize(120, 90), top);
    m_homeStrength = panel(top, QStringLiteral("PanelStrengthHome"), QStringLiteral("Strength = 100%"));
    m_awayStrength = panel(top, QStringLiteral("PanelStrengthAway"), QStringLiteral("Strength = 100%"));
    grid->addWidget(m_homeName, 0, 0);
    grid->addWidget(heading(top, QStringLiteral("vs")), 0, 1);
    grid->addWidget(m_awayName, 0, 2);
    grid->addWidget(m_homePicture, 1, 0, Qt::AlignCenter);
    grid->addWidget(m_awayPicture, 1, 2, Qt::AlignCenter);
    grid->addWidget(m_homeStrength, 2, 0);
    grid->addWidget(m_awayStrength, 2, 2);

    auto *numbers = new QGridLayout;
    m_hp = panel(top, QStringLiteral("PanelHP"), QStringLiteral("0%"));
    m_dp = panel(top, QStringLiteral("PanelDP"), QStringLiteral("0%"));
    m_ap = panel(top, QStringLiteral("PanelAP"), QStringLiteral("0%"));
    m_cf = panel(top, QStringLiteral("PanelCF"), QStringLiteral("0%"));
    m_score = panel(top, QStringLiteral("PanelScore"), QStringLiteral("0:0"));
    m_total = panel(top, QStringLiteral("PanelTotal"), QStringLiteral("0"));
    m_handicap = panel(top, QStringLiteral("PanelHandicap"), QStringLiteral("0:0"));
    const QString titles[] = {QStringLiteral("Home Win"),        QStringLiteral("Draw"),
                              QStringLiteral("Away Win"),        QStringLiteral("Confidence"),
                              QStringLiteral("Full-Time Score"), QStringLiteral("Total Score"),
                              QStringLiteral("Handicap")};
    QLabel *values[] = {m_hp, m_dp, m_ap, m_cf, m_score, m_total, m_handicap};
    for (int i = 0; i < 7; ++i) {
        numbers->addWidget(heading(top, titles[i]), i < 3 ? 0 : 2, i < 3 ? i : i - 3);
        numbers->addWidget(values[i], i < 3 ? 1 : 3, i < 3 ? i : i - 3);
    }
    m_verdict = panel(top, QStringLiteral("PanelVerdict"), QString());
    QFont bold = m_verdict->font();
    bold.setBold(true);
    m_verdict->setFont(bold);
    m_verdict->setMinimumHeight(28);
    numbers->addWidget(m_verdict, 4, 0, 1, 4);
    grid->addLayout(numbers, 0, 3, 3, 1);
    grid->setColumnStretch(3, 1);
    return top;
}

QTableWidget *TFormTipResult::buildStatsGrid(const QString &name, const QStringList &columns)
{
    auto *grid = new QTableWidget(TipStatCount, 2, this);
    grid->setObjectName(name);
    grid->setHorizontalHeaderLabels(columns);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    return grid;
}

bool TFormTipResult::prepare(const TipChoice &choice)
{
    const BusyCursor busy;
    m_choice = choice;
    const std::optional<MatchTip> tip =
        runCommand(messenger(), [this, &choice] { return ComputeMatchTip(m_dm, choice, messenger()); });
    if (!tip)
        return false;
    m_tip = *tip;
    return runCommand(messenger(), [this] { fill(); });
}

void TFormTipResult::fill()
{
    m_homeName->setText(m_tip.home);
    m_awayName->setText(m_tip.away);
    for (QLabel *l : {m_hp, m_dp, m_ap})
        paintPanel(l, Colours::Silver);
    const QSignalBlocker quiet(m_pages);
    m_pages->setCurrentIndex(HeadToHead);

    const auto showPicture = [](QLabel *box, const QByteArray &bytes) {
        static_cast<PictureBox *>(box)->setPicture(bytes);
        if (box->pixmap().isNull())
            box->setText(QStringLiteral("No Picture"));
    };
    showPicture(m_homePicture, m_tip.homePicture);
    showPicture(m_awayPicture, m_tip.awayPicture);
    fillStatsGrid(m_homeGrid, m_tip.homeTotal, m_tip.awayTotal, m_tip.homeHome, m_tip.awayAway);
    fillStatsGrid(m_awayGrid, m_tip.awayAway, m_tip.homeHome, m_tip.awayTotal, m_tip.homeTotal);

    const QVariantList home{m_tip.home}, away{m_tip.away};
    m_homeScores.setSql(tipScoresSql(), home);
    m_awayScores.setSql(tipScoresSql(), away);
    m_homeScores.open();
    m_awayScores.open();
    m_homeIn.setSql(tipPlayersSql(true), home);
    m_awayIn.setSql(tipPlayersSql(true), away);
    m_homeOut.setSql(tipPlayersSql(false), home);
    m_awayOut.setSql(tipPlayersSql(false), away);
    for (Query *q : {&m_homeIn, &m_awayIn, &m_homeOut, &m_awayOut})
        if (m_choice.lineups)
            q->open(); // without line-ups the player grids stay empty
    m_teams.open();

    const TipPrediction &p = m_tip.prediction;
    m_homeStrength->setText(QStringLiteral("Strength = %1%").arg(m_tip.strengthHome));
    m_awayStrength->setText(QStringLiteral("Strength = %1%").arg(m_tip.strengthAway));
    m_hp->setText(QStringLiteral("%1%").arg(p.HP));
    m_dp->setText(QStringLiteral("%1%").arg(p.DP));
    m_ap->setText(QStringLiteral("%1%").arg(p.AP));
    m_cf->setText(QStringLiteral("%1%").arg(p.CF));
    m_score->setText(QStringLiteral("%1:%2").arg(p.homeGoals).arg(p.awayGoals));
    m_total->setText(QString::number(p.total));
    m_handicap->setText(m_tip.handicap);
    m_verdict->setText(m_tip.verdictText);
    paintPanel(m_verdict, m_tip.verdictColour);
    if (p.verdict == QLatin1String("1"))
        paintPanel(m_hp, Colours::LightGreen);
    else if (p.verdict == QLatin1String("X"))
        paintPanel(m_dp, Colours::LightGreen);
    else if (p.verdict == QLatin1String("2"))
        paintPanel(m_ap, Colours::LightGreen);
}

void TFormTipResult::fillStatsGrid(QTableWidget *grid, const TipStatColumn &first,
                                   const TipStatColumn &firstFacing, const TipStatColumn &second,
                                   const TipStatColumn &secondFacing)
{
    const TipStatColumn *columns[2][2] = {{&first, &firstFacing}, {&second, &secondFacing}};
    for (int c = 0; c < 2; ++c) {
        for (int r = 0; r < TipStatCount; ++r) {
            const TipStatColumn &own = *columns[c][0];
            const TipStatColumn &facing = *columns[c][1];
            auto *item = new QTableWidgetItem(own.texts[r]);
            item->setTextAlignment(Qt::AlignCenter);
            item->setBackground(
                plainColour(tipStatColour(static_cast<TipStat>(r), own.values[r], facing.values[r])));
            item->setForeground(Qt::black);
            grid->setItem(r, c, item);
        }
    }
}

void TFormTipResult::pageShown(int page)
{
    if (page < HomeStats || page > OverallStats)
        return;
    const TeamTable table = static_cast<TeamTable>(page - HomeStats);
    runCommand(messenger(), [this, table] { showTipLeagueTable(m_teams, table); });
}

void TFormTipResult::closeDatasets()
{
    for (Dataset *d : std::initializer_list<Dataset *>{&m_homeScores, &m_awayScores, &m_homeIn, &m_awayIn,
                                                       &m_homeOut, &m_awayOut, &m_teams})
        d->close();
}

void TFormTipResult::done(int result)
{
    closeDatasets();
    QDialog::done(result);
    Q_EMIT closed();
}
