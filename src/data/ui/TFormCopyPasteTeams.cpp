#include "data/ui/TFormCopyPasteTeams.h"
#include "data/ui/DialogParts.h"

#include "data/CommandBoundary.h"

#include "data/Errors.h"
#include "data/TDataMod.h"
#include "data/TeamEditing.h"
#include "data/ui/GuiMessenger.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

namespace
{
const QStringList &instructions()
{
    static const QStringList lines = {QStringLiteral("1. Copy and paste the teams into the "),
                                      QStringLiteral("Teams list on the left."),
                                      QString(),
                                      QStringLiteral("  Example:"),
                                      QStringLiteral("  Team 1"),
                                      QStringLiteral("  Team 2"),
                                      QStringLiteral("  Team 3"),
                                      QStringLiteral("  Team n"),
                                      QString(),
                                      QStringLiteral("2. Click on the OK button to add all the "),
                                      QStringLiteral("teams into the database. ")};
    return lines;
}
} // namespace

TFormCopyPasteTeams::TFormCopyPasteTeams(TDataMod &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("FormCopyPasteTeams"));
    setWindowTitle(QStringLiteral("Copy / Paste Teams"));
    setModal(true);

    m_list = new QPlainTextEdit(this);
    m_list->setObjectName(QStringLiteral("MemoTeams"));
    m_list->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto *help = new QPlainTextEdit(instructions().join(QLatin1Char('\n')), this);
    help->setObjectName(QStringLiteral("MemoInstructions"));
    help->setReadOnly(true);
    help->setFocusPolicy(Qt::NoFocus);

    auto *buttons = okCancelButtons(this);

    auto *grid = new QGridLayout(this);
    auto *heading = new QLabel(QStringLiteral("Teams"), this);
    heading->setBuddy(m_list);
    grid->addWidget(heading, 0, 0);
    grid->addWidget(m_list, 1, 0);
    grid->addWidget(help, 1, 1);
    grid->addWidget(buttons, 2, 0, 1, 2);
}

void TFormCopyPasteTeams::loadForm()
{
    m_list->clear();
    m_list->setFocus();
}

void TFormCopyPasteTeams::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        loadForm();
}

void TFormCopyPasteTeams::accept()
{
    runCommand(messenger(), [this] { PasteTeams(m_dm, pastedLines(m_list->toPlainText())); });
    QDialog::accept();
}
