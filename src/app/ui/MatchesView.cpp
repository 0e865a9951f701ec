#include "app/ui/MatchesView.h"
#include "data/ui/DialogParts.h"

#include "data/CommandBoundary.h"
#include "data/GridCommands.h"

#include "data/BusyCursor.h"
#include "data/Errors.h"
#include "data/ResultsViews.h"
#include "data/TDataMod.h"
#include "data/ui/DataGrid.h"
#include "data/ui/GuiMessenger.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QToolBar>
#include <QVBoxLayout>

namespace
{
QAction *addButton(QToolBar *bar, const QString &caption, const QString &hint)
{
    QAction *a = bar->addAction(caption);
    if (!hint.isEmpty())
        a->setToolTip(hint);
    return a;
}

} // namespace

MatchesView::MatchesView(TDataMod &dm, MatchPage page, QWidget *parent)
    : QWidget(parent), m_dm(dm), m_page(page)
{
    m_view = page == MatchPage::Fixtures ? ResultsView(applyDefaultFixtureView)
                                         : ResultsView(applyDefaultScoreView);
    buildToolBar();

    m_grid = new DataGrid(dm.ADOTableResults, matchGridColumns(page), this);
    m_grid->setObjectName(page == MatchPage::Fixtures ? QStringLiteral("DBGridFixtures")
                                                      : QStringLiteral("DBGridResults"));
    m_grid->rememberColumnWidths(m_grid->objectName());
    m_fields = gridFields(matchGridColumns(page));
    // Only these columns are ever coloured; the others keep the striped rows without reading the row.
    static const QSet<QString> coloured = {
        QStringLiteral("HP"),      QStringLiteral("DP"),  QStringLiteral("AP"),
        QStringLiteral("Verdict"), QStringLiteral("UOP"), QStringLiteral("O1"),
        QStringLiteral("OX"),      QStringLiteral("O2"),  QStringLiteral("Retrn")};
    m_grid->datasetModel()->setCellColours([this](const Dataset &results, int row, int column) {
        CellColours c;
        if (column >= 0 && column < m_fields.size() && coloured.contains(m_fields[column]))
            c.background = matchCellColour(m_page, m_fields[column], matchColourRowAt(results, row));
        return c;
    });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_grid, 1);

    connect(m_grid, &DataGrid::insertPressed, this, &MatchesView::addMatch);
    connect(m_grid, &DataGrid::editRequested, this, &MatchesView::requestEdit);
    connect(m_grid, &DataGrid::deleteRequested, this, &MatchesView::deleteMatch);
    connect(m_grid, &DataGrid::titleClicked, this, &MatchesView::sortByColumn);
}

MatchesView::~MatchesView()
{
    // Closing the window takes the focus from the chooser, which would report a finished edit to a view
    // that is half gone.
    m_mode->lineEdit()->disconnect(this);
    m_mode->disconnect(this);
}

void MatchesView::buildToolBar()
{
    const bool fixtures = m_page == MatchPage::Fixtures;
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(fixtures ? QStringLiteral("ToolBarF1") : QStringLiteral("ToolBarR"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);

    m_toolBar->addWidget(new QLabel(QStringLiteral("Mode:"), m_toolBar));
    m_mode = typingChooser(m_toolBar,
                           fixtures ? QStringLiteral("ComboBoxFMode") : QStringLiteral("ComboBoxRMode"));
    m_mode->addItems(matchModeItems(m_page));
    m_mode->setCurrentIndex(0);
    m_toolBar->addWidget(m_mode);
    m_toolBar->addSeparator();

    QAction *add = addButton(m_toolBar, QStringLiteral("Add Match"),
                             fixtures ? QStringLiteral("Add Fixture") : QStringLiteral("Add Match"));
    QAction *edit = addButton(m_toolBar, QStringLiteral("Edit Match"),
                              fixtures ? QStringLiteral("Edit Fixture") : QString());
    QAction *remove = addButton(m_toolBar, QStringLiteral("Delete Match"),
                                fixtures ? QStringLiteral("Delete Fixture") : QStringLiteral("Delete Match"));
    QAction *filter =
        addButton(m_toolBar, QStringLiteral("Filter / Sort"),
                  fixtures ? QStringLiteral("Filter Fixtures") : QStringLiteral("Filter Scores"));
    connect(add, &QAction::triggered, this, &MatchesView::addMatch);
    connect(edit, &QAction::triggered, this, &MatchesView::requestEdit);
    connect(remove, &QAction::triggered, this, &MatchesView::deleteMatch);
    connect(filter, &QAction::triggered, this, &MatchesView::filterSort);
    if (fixtures) {
        QAction *predict =
            addButton(m_toolBar, QStringLiteral("Predict"), QStringLiteral("Predict Upcoming Matches"));
        connect(predict, &QAction::triggered, this, &MatchesView::predict);
    }

    // A mode picked from the list acts at once; a typed one when the typing is finished (Enter or leaving
    // the chooser), so that half a word never gives a warning.
    connect(m_mode, &QComboBox::currentIndexChanged, this, &MatchesView::applyMode);
    connect(m_mode->lineEdit(), &QLineEdit::editingFinished, this, &MatchesView::modeTyped);
}

void MatchesView::setResultsView(ResultsView apply)
{
    m_view = std::move(apply);
}

void MatchesView::refresh()
{
    if (!m_dm.isLeagueOpen() || !m_view)
        return;
    BusyCursor busy;
    // The tab opens on the first rows of its order: newest first means the newest match at the top.
    runCommand(messenger(), [this] {
        m_view(m_dm.ADOTableResults);
        m_dm.ADOTableResults.first();
    });
}

void MatchesView::applyMode()
{
    const QString text = m_mode->currentText();
    m_typedMode = text;
    const std::optional<QList<bool>> shown = matchColumnsShown(m_page, text);
    if (!shown) {
        messenger().warning(QStringLiteral("Invalid mode"));
        return;
    }
    for (int c = 0; c < shown->size(); ++c)
        m_grid->setColumnHidden(c, !shown->at(c));
}

void MatchesView::modeTyped()
{
    if (m_mode->currentText() != m_typedMode)
        applyMode();
}

void MatchesView::sortByColumn(int column)
{
    if (column < 0 || column >= m_fields.size())
        return;
    runCommand(messenger(), [this, column] { ToggleColumnSort(m_fields[column], m_dm.ADOTableResults); });
}

void MatchesView::requestEdit()
{
    const Table &results = m_dm.ADOTableResults;
    if (results.isActive() && !results.isEmpty())
        Q_EMIT editMatch();
}
