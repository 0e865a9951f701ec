#include "app/ui/PlayersView.h"
#include "data/ui/DialogParts.h"

#include "data/CommandBoundary.h"
#include "data/GridColumns.h"
#include "data/GridCommands.h"
#include "data/PlayersQueries.h"
#include "data/TDataMod.h"
#include "data/ui/DataGrid.h"
#include "data/ui/DatasetModel.h"
#include "data/ui/DatasetViewLink.h"
#include "data/ui/GuiMessenger.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPainter>
#include <QShowEvent>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QToolBar>
#include <QVBoxLayout>

namespace
{
constexpr int TeamColumn = 2; // "Team" in the grid

// What a card shows: the name first, then the labelled values.
QList<GridColumn> cardFields()
{
    return {{QString(), QStringLiteral("Player")},
            {QStringLiteral("Number:"), QStringLiteral("N")},
            {QStringLiteral("Position:"), QStringLiteral("Pos")},
            {QStringLiteral("D.O.B.:"), QStringLiteral("DOB")},
            {QStringLiteral("Height:"), QStringLiteral("Ht")},
            {QStringLiteral("Weight:"), QStringLiteral("Wt")},
            {QStringLiteral("IN/OUT:"), QStringLiteral("IN_OUT")},
            {QStringLiteral("Rating:"), QStringLiteral("PR")}};
}

// Paints one player card: the name, the picture stretched to 125 x 150, the labelled values right-aligned.
class PlayerCardDelegate final : public QStyledItemDelegate
{
public:
    PlayerCardDelegate(DatasetModel &model, QObject *parent) : QStyledItemDelegate(parent), m_model(model) {}
    void setCardWidth(int width) { m_width = width; }

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return {m_width, PlayerCardHeight};
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const int row = index.row();
        const QRect card = option.rect.adjusted(2, 2, -2, -2);
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(card, option.palette.window());
        painter->setPen(QPen(selected ? option.palette.highlight().color() : option.palette.mid().color(),
                             selected ? 2 : 1));
        painter->drawRect(card);

        QFont bold = option.font;
        bold.setBold(true);
        painter->setFont(bold);
        painter->setPen(option.palette.windowText().color());
        const int lineHeight = option.fontMetrics.height() + 4;
        const QRect nameRect(card.left() + 4, card.top() + 6, card.width() - 8, lineHeight);
        painter->drawText(nameRect, Qt::AlignHCenter | Qt::AlignVCenter, m_model.cellText(row, 0));

        const QRect picture(card.left() + (card.width() - 125) / 2, nameRect.bottom() + 6, 125, 150);
        const QImage image = QImage::fromData(pictureOf(row));
        if (!image.isNull())
            painter->drawImage(picture, image);
        else
            painter->drawRect(picture);

        painter->setFont(option.font);
        const QList<GridColumn> &columns = m_model.gridColumns();
        int y = picture.bottom() + 10;
        for (int c = 1; c < columns.size(); ++c, y += lineHeight) {
            const QRect line(card.left() + 6, y, card.width() - 12, lineHeight);
            painter->drawText(line, Qt::AlignLeft | Qt::AlignVCenter, columns[c].title);
            painter->drawText(line, Qt::AlignRight | Qt::AlignVCenter, m_model.cellText(row, c));
        }
        painter->restore();
    }

private:
    QByteArray pictureOf(int row) const
    {
        const Dataset &players = m_model.dataset();
        if (!players.isActive() || row < 0 || row >= players.recordCount())
            return {};
        return players.valueAt(row, players.fieldIndex(QStringLiteral("PPic"))).toByteArray();
    }

    DatasetModel &m_model;
    int m_width = PlayerCardWidth;
};

// The cards side by side in one row, scrolled horizontally; the current card is the current player.
class PlayerCards final : public QListView
{
public:
    PlayerCards(DatasetModel *model, QWidget *parent)
        : QListView(parent), m_delegate(new PlayerCardDelegate(*model, this))
    {
        setModel(model);
        setItemDelegate(m_delegate);
        setViewMode(QListView::ListMode);
        setFlow(QListView::LeftToRight);
        setWrapping(false);
        setUniformItemSizes(true);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        m_link = new DatasetViewLink(this, model);
        fit();
    }

    int columns() const { return m_columns; }
    DatasetViewLink *link() const { return m_link; }

    // As many cards side by side as the area holds at 155 each; they share its width.
    void fit()
    {
        const int width = viewport()->width();
        m_columns = playerCardColumns(width);
        const int cardWidth = std::max(width / m_columns, PlayerCardWidth);
        m_delegate->setCardWidth(cardWidth);
        setGridSize(QSize(cardWidth, PlayerCardHeight));
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QListView::resizeEvent(event);
        fit();
    }

private:
    PlayerCardDelegate *m_delegate;
    DatasetViewLink *m_link;
    int m_columns = 1;
};

} // namespace

PlayersView::PlayersView(TDataMod &dm, QWidget *parent) : QWidget(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("PlayersView"));
    buildToolBar();

    auto *teamPanel = new QWidget(this);
    teamPanel->setFixedWidth(145);
    auto *teamLayout = new QVBoxLayout(teamPanel);
    teamLayout->setContentsMargins(0, 0, 0, 0);
    teamLayout->setSpacing(0);
    auto *teamHeader = new QLabel(QStringLiteral("Team"), teamPanel);
    teamHeader->setAlignment(Qt::AlignCenter);
    teamHeader->setFrameShape(QFrame::Panel);
    teamHeader->setFrameShadow(QFrame::Raised);
    m_teams = new QListWidget(teamPanel);
    m_teams->setObjectName(QStringLiteral("ListBoxTeams"));
    teamLayout->addWidget(teamHeader);
    teamLayout->addWidget(m_teams, 1);

    m_notebook = new QStackedWidget(this);
    m_notebook->setObjectName(QStringLiteral("NotebookP"));
    auto *stats = new QWidget(m_notebook);
    stats->setObjectName(QStringLiteral("Stats"));
    auto *statsLayout = new QVBoxLayout(stats);
    statsLayout->setContentsMargins(0, 0, 0, 0);
    m_grid = new DataGrid(dm.ADOTablePlayers, playerGridColumns(), stats);
    m_grid->setObjectName(QStringLiteral("DBGridPlayers"));
    m_grid->rememberColumnWidths(m_grid->objectName());
    statsLayout->addWidget(m_grid);
    auto *detail = new QWidget(m_notebook);
    detail->setObjectName(QStringLiteral("Detail"));
    auto *detailLayout = new QVBoxLayout(detail);
    detailLayout->setContentsMargins(0, 0, 0, 0);
    m_cardModel = new DatasetModel(dm.ADOTablePlayers, cardFields(), this);
    auto *cards = new PlayerCards(m_cardModel, detail);
    cards->setObjectName(QStringLiteral("DBCtrlGridPlayers"));
    connect(cards->link(), &DatasetViewLink::insertPressed, this, &PlayersView::addPlayer);
    connect(cards->link(), &DatasetViewLink::editRequested, this, &PlayersView::requestEdit);
    m_cards = cards;
    detailLayout->addWidget(m_cards);
    m_notebook->addWidget(stats);
    m_notebook->addWidget(detail);

    auto *body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(teamPanel);
    body->addWidget(m_notebook, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addLayout(body, 1);

    connect(m_teams, &QListWidget::currentRowChanged, this, &PlayersView::chooseTeam);
    connect(m_grid, &DataGrid::insertPressed, this, &PlayersView::addPlayer);
    connect(m_grid, &DataGrid::editRequested, this, &PlayersView::requestEdit);
    connect(m_grid, &DataGrid::deleteRequested, this, &PlayersView::deletePlayer);
    connect(m_grid, &DataGrid::titleClicked, this, &PlayersView::sortByColumn);
}

PlayersView::~PlayersView()
{
    // The children go after this part of the view: what they signal while they go (a chooser losing
    // the focus) must not reach it.
    for (QObject *child : findChildren<QObject *>())
        child->disconnect(this);
}

void PlayersView::buildToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBarP"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->addWidget(new QLabel(QStringLiteral("Mode:"), m_toolBar));
    m_mode = typingChooser(m_toolBar, QStringLiteral("ComboBoxPMode"));
    m_mode->addItems({QStringLiteral("1"), QStringLiteral("2")});
    m_mode->setCurrentIndex(0);
    m_toolBar->addWidget(m_mode);
    m_toolBar->addSeparator();

    auto button = [this](const QString &caption, const QString &hint, const QString &name) {
        QAction *a = m_toolBar->addAction(caption);
        a->setToolTip(hint);
        a->setObjectName(name);
        return a;
    };
    QAction *add = button(QStringLiteral("Add Player"), QStringLiteral("Add Player"),
                          QStringLiteral("ToolButtonAddPlayer"));
    QAction *edit = button(QStringLiteral("Edit Player"), QStringLiteral("Edit Player"),
                           QStringLiteral("ToolButtonEditPlayer"));
    QAction *remove = button(QStringLiteral("Delete Player"), QStringLiteral("Delete Player"),
                             QStringLiteral("ToolButtonDeletePlayer"));
    m_toolBar->addSeparator();
    QAction *filter = button(QStringLiteral("Filter / Sort"), QStringLiteral("Filter Players"),
                             QStringLiteral("ToolButtonFilterPlayers"));

    connect(add, &QAction::triggered, this, &PlayersView::addPlayer);
    connect(edit, &QAction::triggered, this, &PlayersView::requestEdit);
    connect(remove, &QAction::triggered, this, &PlayersView::deletePlayer);
    connect(filter, &QAction::triggered, this, &PlayersView::filterSort);
    connect(m_mode, &QComboBox::activated, this, &PlayersView::applyMode);
    connect(m_mode->lineEdit(), &QLineEdit::editingFinished, this, &PlayersView::modeTyped);
}

QString PlayersView::chosenTeam() const
{
    const int row = m_teams->currentRow();
    return row > 0 && m_teams->currentItem() ? m_teams->currentItem()->text() : QString();
}

int PlayersView::cardColumns() const
{
    return static_cast<PlayerCards *>(m_cards)->columns();
}

void PlayersView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous()) // the tab was shown, not the window restored
        refresh();
}

void PlayersView::refresh()
{
    if (!m_dm.isLeagueOpen())
        return;
    const QString chosen =
        m_teams->currentRow() >= 0 && m_teams->currentItem() ? m_teams->currentItem()->text() : QString();
    const auto entries = runCommand(messenger(), [this] { return playersTeamList(m_dm); });
    if (!entries)
        return;
    {
        const QSignalBlocker quiet(m_teams);
        m_teams->clear();
        m_teams->addItems(*entries);
        // The team list shows the choice that still filters Players.
        if (!chosen.isEmpty())
            m_teams->setCurrentRow(static_cast<int>(entries->indexOf(chosen)));
    }
    applyMode();
}

void PlayersView::leagueOpened()
{
    {
        const QSignalBlocker quiet(m_teams);
        m_teams->clear();
    }
    m_grid->setColumnHidden(TeamColumn, false);
    Table &players = m_dm.ADOTablePlayers;
    runCommand(messenger(), [&players] { showAllPlayers(players); });
}

void PlayersView::applyMode()
{
    const QString text = m_mode->currentText();
    m_appliedMode = text;
    const std::optional<PlayersMode> mode = playersModeOf(text);
    if (!mode) {
        messenger().warning(QStringLiteral("Invalid mode"));
        return;
    }
    if (*mode == PlayersMode::Stats) {
        m_notebook->setCurrentIndex(0);
        return;
    }
    m_notebook->setCurrentIndex(1);
    static_cast<PlayerCards *>(m_cards)->fit();
}

void PlayersView::modeTyped()
{
    // Leaving the chooser without changing its text is no mode change.
    if (m_mode->currentText() != m_appliedMode)
        applyMode();
}

void PlayersView::chooseTeam(int row)
{
    if (row < 0 || row >= m_teams->count())
        return;
    Table &players = m_dm.ADOTablePlayers;
    if (!players.isActive())
        return;
    m_grid->setColumnHidden(TeamColumn, row != 0);
    runCommand(messenger(), [&] {
        if (row == 0)
            showAllPlayers(players);
        else
            showPlayersOfTeam(players, m_teams->item(row)->text());
    });
}

void PlayersView::sortByColumn(int column)
{
    const QString field = m_grid->fieldOf(column);
    if (field.isEmpty())
        return;
    runCommand(messenger(), [&] { ToggleColumnSort(field, m_dm.ADOTablePlayers); });
}

void PlayersView::deletePlayer()
{
    ConfirmDeleteRow(m_dm.ADOTablePlayers, messenger());
}

void PlayersView::searchPlayer()
{
    bool ok = false;
    const QString text = QInputDialog::getText(this, QStringLiteral("Player Search"),
                                               QStringLiteral("Player: "), QLineEdit::Normal, QString(), &ok);
    if (ok)
        findPlayer(text);
}

bool PlayersView::findPlayer(const QString &text)
{
    const std::optional<bool> found =
        runCommand(messenger(), [&] { return FindPlayer(m_dm.ADOTablePlayers, text); });
    if (!found)
        return false;
    if (!*found)
        messenger().information(QStringLiteral("Player not found"));
    return *found;
}

void PlayersView::requestEdit()
{
    const Table &players = m_dm.ADOTablePlayers;
    if (players.isActive() && !players.isEmpty())
        Q_EMIT editPlayer();
}
