#include "data/ui/TFormCopyPastePlayers.h"
#include "data/ui/DialogParts.h"

#include "data/CommandBoundary.h"
#include "data/Errors.h"
#include "data/TDataMod.h"
#include "data/TeamEditing.h"
#include "data/ui/GuiMessenger.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace
{
const QStringList &instructions()
{
    static const QStringList lines = {QStringLiteral("1. Copy and paste the players into the "),
                                      QStringLiteral("Players list on the left."),
                                      QString(),
                                      QStringLiteral("  Example:"),
                                      QStringLiteral("  Player 1"),
                                      QStringLiteral("  Player 2"),
                                      QStringLiteral("  Player 3"),
                                      QStringLiteral("  Player n"),
                                      QString(),
                                      QStringLiteral("2. Select the team from the Team "),
                                      QStringLiteral("combo box."),
                                      QString(),
                                      QStringLiteral("3. Click on the OK button to add all the "),
                                      QStringLiteral("players into the database. ")};
    return lines;
}
} // namespace

TFormCopyPastePlayers::TFormCopyPastePlayers(TDataMod &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("FormCopyPastePlayers"));
    setWindowTitle(QStringLiteral("Copy / Paste Players"));
    setModal(true);

    m_list = new QPlainTextEdit(this);
    m_list->setObjectName(QStringLiteral("MemoPlayers"));
    m_list->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_team = typingChooser(this, QStringLiteral("ComboBoxTeam"));
    auto *help = new QPlainTextEdit(instructions().join(QLatin1Char('\n')), this);
    help->setObjectName(QStringLiteral("MemoInstructions"));
    help->setReadOnly(true);
    help->setFocusPolicy(Qt::NoFocus);

    auto *buttons = okCancelButtons(this);

    auto *teamRow = new QHBoxLayout;
    auto *teamLabel = new QLabel(QStringLiteral("Team:"), this);
    teamLabel->setBuddy(m_team);
    teamRow->addWidget(teamLabel);
    teamRow->addWidget(m_team, 1);
    auto *right = new QVBoxLayout;
    right->addLayout(teamRow);
    right->addWidget(help, 1);

    auto *grid = new QGridLayout(this);
    auto *heading = new QLabel(QStringLiteral("Players"), this);
    heading->setBuddy(m_list);
    grid->addWidget(heading, 0, 0);
    grid->addWidget(m_list, 1, 0);
    grid->addLayout(right, 1, 1);
    grid->addWidget(buttons, 2, 0, 1, 2);
}

void TFormCopyPastePlayers::loadForm()
{
    m_list->clear();
    m_team->clear();
    if (const auto names = runCommand(messenger(), [this] { return teamNames(m_dm.ADOTableTeams); }))
        m_team->addItems(*names);
    m_team->setCurrentIndex(-1);
    m_team->setEditText(QString());
    m_list->setFocus();
}

void TFormCopyPastePlayers::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        loadForm();
}

void TFormCopyPastePlayers::accept()
{
    QStringList entries;
    for (int i = 0; i < m_team->count(); ++i)
        entries << m_team->itemText(i);
    runCommand(messenger(), [&] {
        PastePlayers(m_dm, entries, m_team->currentText(), pastedLines(m_list->toPlainText()), messenger());
    });
    QDialog::accept();
}
