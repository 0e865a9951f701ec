#include "analysis/ui/TFormTCChart.h"

#include "analysis/ui/ComparisonChartView.h"
#include "data/BusyCursor.h"
#include "data/CommandBoundary.h"
#include "data/Messenger.h"
#include "data/TDataMod.h"
#include "data/TeamNames.h"
#include "data/TextCompare.h"
#include "data/ui/DialogParts.h"
#include "data/ui/GuiMessenger.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
QLabel *label(QWidget *parent, const char *text)
{
    return new QLabel(QString::fromLatin1(text), parent);
}
} // namespace

TFormTCChart::TFormTCChart(TDataMod &dm, QWidget *parent) : QWidget(parent, Qt::Window), m_dm(dm)
{
    setObjectName(QStringLiteral("TFormTCChart"));
    setWindowTitle(QStringLiteral("Team Comparison Chart"));
    resize(900, 620);

    auto *layout = new QVBoxLayout(this);
    auto *teams = new QHBoxLayout;
    m_team1 = chooser("ComboBoxT1", {}, QString());
    m_venue1 = chooser("ComboBoxT1HAT", comparisonVenueItems(), QStringLiteral("Total"));
    m_team2 = chooser("ComboBoxT2", {}, QString());
    m_venue2 = chooser("ComboBoxT2HAT", comparisonVenueItems(), QStringLiteral("Total"));
    m_view = chooser("ComboBoxView", comparisonViewItems(), QStringLiteral("Both"));
    for (QComboBox *team : {m_team1, m_team2})
        team->setMinimumContentsLength(18);
    teams->addWidget(label(this, "Team 1:"));
    teams->addWidget(m_team1);
    teams->addWidget(m_venue1);
    teams->addSpacing(12);
    teams->addWidget(label(this, "Team 2:"));
    teams->addWidget(m_team2);
    teams->addWidget(m_venue2);
    teams->addSpacing(12);
    teams->addWidget(label(this, "View:"));
    teams->addWidget(m_view);
    teams->addStretch(1);
    layout->addLayout(teams);

    auto *look = new QHBoxLayout;
    m_type = chooser("ComboBoxChart", comparisonTypeItems(), QStringLiteral("Points"));
    m_style = chooser("ComboBoxStyle", comparisonStyleItems(), QStringLiteral("Bar"));
    m_3d = new QCheckBox(QStringLiteral("3D"), this);
    m_3d->setObjectName(QStringLiteral("CheckBox3D"));
    m_labels = new QCheckBox(QStringLiteral("Labels"), this);
    m_labels->setObjectName(QStringLiteral("CheckBoxLabels"));
    m_labels->setChecked(true);
    look->addWidget(label(this, "Type:"));
    look->addWidget(m_type);
    look->addSpacing(12);
    look->addWidget(label(this, "Style:"));
    look->addWidget(m_style);
    look->addSpacing(12);
    look->addWidget(m_3d);
    look->addWidget(m_labels);
    look->addStretch(1);
    layout->addLayout(look);

    m_chart = new ComparisonChartView(this);
    layout->addWidget(m_chart, 1);

    auto *buttons = new QHBoxLayout;
    QPushButton *print = plainButton(this, QStringLiteral("BitBtnPrint"), QStringLiteral("Print"));
    QPushButton *exportButton = plainButton(this, QStringLiteral("BitBtnExport"), QStringLiteral("Export"));
    QPushButton *close = plainButton(this, QStringLiteral("BitBtnClose"), QStringLiteral("Close"));
    buttons->addStretch(1);
    buttons->addWidget(print);
    buttons->addWidget(exportButton);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    for (QComboBox *box : {m_team1, m_venue1, m_team2, m_venue2, m_view})
        connect(box, &QComboBox::textActivated, this, [this, box] { choiceChanged(box); });
    connect(m_type, &QComboBox::textActivated, this, &TFormTCChart::ComboBoxChartChange);
    connect(m_style, &QComboBox::textActivated, this, &TFormTCChart::ComboBoxStyleChange);
    // A typed choice counts once it is finished: Enter or leaving the field.  The text is remembered so
    // that leaving a field after picking from its list does not run the change twice.
    for (QComboBox *box : {m_team1, m_venue1, m_team2, m_venue2, m_view, m_type, m_style})
        connect(box->lineEdit(), &QLineEdit::editingFinished, this, [this, box] {
            if (box->property("handledText").toString() == box->currentText())
                return;
            if (box == m_type)
                ComboBoxChartChange();
            else if (box == m_style)
                ComboBoxStyleChange();
            else
                choiceChanged(box);
        });
    connect(m_3d, &QCheckBox::toggled, m_chart, &ComparisonChartView::setThreeD);
    connect(m_labels, &QCheckBox::toggled, m_chart, &ComparisonChartView::setLabelsVisible);
    connect(print, &QPushButton::clicked, this, [this] {
        Q_EMIT printRequested();
        m_chart->viewport()->update();
    });
    connect(exportButton, &QPushButton::clicked, this, &TFormTCChart::exportRequested);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

QComboBox *TFormTCChart::chooser(const char *name, const QStringList &items, const QString &preset)
{
    QComboBox *box = typingChooser(this, QString::fromLatin1(name));
    box->addItems(items);
    box->setCurrentIndex(items.indexOf(preset));
    box->setEditText(preset);
    box->setProperty("handledText", preset);
    return box;
}

void TFormTCChart::showEvent(QShowEvent *event)
{
    FormShow();
    QWidget::showEvent(event);
}

void TFormTCChart::FormShow()
{
    if (!m_dm.isLeagueOpen())
        return;
    emptyChoices();
    runCommand(messenger(), [this] { fillTeams(); });
}

void TFormTCChart::leagueChanged()
{
    // An open window lists the new league's teams at once instead of none until it is shown again.
    if (isVisible())
        FormShow();
    else
        emptyChoices();
}

void TFormTCChart::emptyChoices()
{
    for (QComboBox *team : {m_team1, m_team2}) {
        team->clear();
        team->setEditText(QString());
        team->setProperty("handledText", QString());
    }
    m_chart->setSeriesData(ComparisonChart{{QStringLiteral("Team 1"), {}}, {QStringLiteral("Team 2"), {}}});
}

void TFormTCChart::fillTeams()
{
    const QStringList names = readTeamNamesByName(m_dm.ADOConnection);
    for (QComboBox *team : {m_team1, m_team2}) {
        team->addItems(names);
        team->setCurrentIndex(-1);
        team->setEditText(QString());
    }
}

void TFormTCChart::choiceChanged(QComboBox *box)
{
    const QString text = box->currentText();
    box->setProperty("handledText", text);
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    if (!TextCompare::containsNoCase(items, text)) {
        messenger().warning(text + QStringLiteral(" is not in the list"));
        return;
    }
    redraw();
}

void TFormTCChart::ComboBoxChartChange()
{
    const QString text = m_type->currentText();
    m_type->setProperty("handledText", text);
    const std::optional<ComparisonType> type = comparisonTypeOf(text);
    if (!type) {
        messenger().warning(QStringLiteral("Invalid Type"));
        return;
    }
    m_shownType = *type;
    m_chart->setTitles(text + QStringLiteral(" Chart"), text);
    redraw();
}

void TFormTCChart::ComboBoxStyleChange()
{
    const QString text = m_style->currentText();
    m_style->setProperty("handledText", text);
    const std::optional<ComparisonStyle> style = comparisonStyleOf(text);
    if (!style) {
        messenger().warning(QStringLiteral("Invalid Style"));
        return;
    }
    m_chart->setSeriesStyle(*style);
}

void TFormTCChart::redraw()
{
    runCommand(messenger(), [this] {
        BusyCursor busy;
        ComparisonChoices c;
        c.team1 = m_team1->currentText();
        c.team2 = m_team2->currentText();
        c.venue1 = comparisonVenueOf(m_venue1->currentText()).value_or(ComparisonVenue::Total);
        c.venue2 = comparisonVenueOf(m_venue2->currentText()).value_or(ComparisonVenue::Total);
        c.view = comparisonViewOf(m_view->currentText()).value_or(ComparisonView::Both);
        c.type = m_shownType;
        if (m_dm.isLeagueOpen())
            m_chart->setSeriesData(compareTeams(m_dm.ADOConnection, c));
    });
}
