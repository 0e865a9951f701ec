#include "entry/ui/TFormEditor.h"

#include "data/CommandBoundary.h"
#include "data/Dates.h"
#include "data/TDataMod.h"
#include "data/ui/DialogParts.h"
#include "data/ui/GuiMessenger.h"
#include "data/ui/SpinField.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace
{
struct LayoutButton {
    FixtureLayout layout;
    const char *name;
    const char *caption;
    const char *hint;
};
const LayoutButton kLayoutButtons[4] = {
    {FixtureLayout::FixturePage, "RadioButtonAFLFx", "Fixture page (vs / def.)",
     "Rnd 7 / Saturday 25 Mar / Home vs Away / Home (95) def. Away (80)"},
    {FixtureLayout::BaseballSchedule, "RadioButtonTSNMLB", "Baseball schedule (at / @)",
     "Sunday, Apr 10 / Away at Home @ 7:05 PM / Away 3 at Home 5"},
    {FixtureLayout::SoccerA, "RadioButtonSoccerway", "Soccer, dates 12-08-2023 (Home - Away)",
     "12-08-2023 / Home - Away"},
    {FixtureLayout::SoccerB, "RadioButtonBetExplorer", "Soccer, dates 12.08.2023 (Home-Away)",
     "Round 5 / 12.08.2023 20:45 Home-Away"},
};
} // namespace

TFormEditor::TFormEditor(TDataMod &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("FormEditor"));
    setWindowTitle(QStringLiteral("Editor"));
    setModal(true);

    auto *clear = plainButton(this, QStringLiteral("ButtonClear"), QStringLiteral("Clear"));
    auto *update = plainButton(this, QStringLiteral("ButtonUpdate"), QStringLiteral("Update"));
    auto *replace = plainButton(this, QStringLiteral("ButtonReplace"), QStringLiteral("Replace"));
    // Pages give day and month only; the current season's year is the likely one.  Only the years of the
    // program's dates make dates a league can store.
    m_year = clampedSpinField(this, QStringLiteral("SpinEditYear"), Dates::FirstYear, Dates::LastYear);
    m_year->setValue(QDate::currentDate().year());
    m_replace = new QLineEdit(this);
    m_replace->setObjectName(QStringLiteral("EditReplace"));
    m_with = new QLineEdit(this);
    m_with->setObjectName(QStringLiteral("EditWith"));

    auto *top = new QHBoxLayout;
    top->addWidget(clear);
    top->addWidget(update);
    top->addSpacing(12);
    const auto labelled = [this, top](const QString &text, QWidget *field) {
        auto *label = new QLabel(text, this);
        label->setBuddy(field);
        top->addWidget(label);
        top->addWidget(field);
    };
    labelled(QStringLiteral("&Year:"), m_year);
    top->addSpacing(12);
    labelled(QStringLiteral("Re&place"), m_replace);
    labelled(QStringLiteral("&with"), m_with);
    top->addWidget(replace);
    top->addStretch();

    auto *layouts = new QGroupBox(QStringLiteral("Page layout"), this);
    auto *layoutsBox = new QGridLayout(layouts);
    for (int i = 0; i < 4; ++i) {
        const LayoutButton &b = kLayoutButtons[i];
        m_layouts[i] = new QRadioButton(QString::fromLatin1(b.caption), layouts);
        m_layouts[i]->setObjectName(QString::fromLatin1(b.name));
        m_layouts[i]->setToolTip(QString::fromLatin1(b.hint));
        layoutsBox->addWidget(m_layouts[i], i / 2, i % 2);
    }
    m_layouts[3]->setChecked(true);

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("MemoData"));
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setPlaceholderText(QStringLiteral("Paste the text of a fixtures or results page here."));

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("LabelSummary"));
    m_summary->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("ButtonClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addWidget(layouts);
    page->addWidget(m_memo, 1);
    page->addWidget(m_summary);
    page->addWidget(buttons);
    resize(760, 560);

    connect(clear, &QPushButton::clicked, this, &TFormEditor::ButtonClearClick);
    connect(update, &QPushButton::clicked, this, &TFormEditor::ButtonUpdateClick);
    connect(replace, &QPushButton::clicked, this, &TFormEditor::ButtonReplaceClick);
}

FixtureLayout TFormEditor::layout() const
{
    for (int i = 0; i < 4; ++i)
        if (m_layouts[i]->isChecked())
            return kLayoutButtons[i].layout;
    return FixtureLayout::SoccerB;
}

void TFormEditor::ButtonClearClick()
{
    m_memo->clear();
    m_summary->clear();
}

void TFormEditor::ButtonReplaceClick()
{
    const QStringList lines = fixtureLines(m_memo->toPlainText());
    const QStringList changed = ReplaceFirstInLines(lines, m_replace->text(), m_with->text());
    if (changed != lines)
        m_memo->setPlainText(changed.join(QLatin1Char('\n')));
}

void TFormEditor::ButtonUpdateClick()
{
    if (!m_dm.isLeagueOpen()) {
        messenger().warning(QStringLiteral("No league selected"));
        return;
    }
    m_summary->clear();
    const std::optional<FixtureImportSummary> summary = runCommand(messenger(), [this] {
        return ImportFixtures(m_dm, layout(), fixtureLines(m_memo->toPlainText()), m_year->value());
    });
    if (!summary)
        return;
    m_summary->setText(describeImport(*summary));
    if (!summary->skipped.isEmpty())
        messenger().information(QStringLiteral("These lines were skipped:\n") +
                                describeSkipped(*summary, 20));
}
