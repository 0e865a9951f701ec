#include "entry/ui/TFormMergeTeams.h"

#include "data/TDataMod.h"
#include "data/TeamNames.h"
#include "data/ui/DialogParts.h"
#include "data/ui/GuiMessenger.h"
#include "entry/TeamMerge.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QShowEvent>
#include <QVBoxLayout>

TFormMergeTeams::TFormMergeTeams(TDataMod &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("FormMergeTeams"));
    setWindowTitle(QStringLiteral("Merge Teams"));
    setModal(true);

    m_keep = typingChooser(this, QStringLiteral("ComboKeep"));
    m_merge = typingChooser(this, QStringLiteral("ComboMerge"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Keep team:"), m_keep);
    form->addRow(QStringLiteral("&Merge into it:"), m_merge);
    auto *note =
        new QLabel(QStringLiteral("The matches and players of the second team move to the first; the "
                                  "second team is deleted and its name is kept for later imports."),
                   this);
    note->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(okCancelButtons(this, true));
    resize(420, sizeHint().height());
}

void TFormMergeTeams::loadForm()
{
    const QStringList names = readTeamNamesByName(m_dm.ADOConnection);
    for (QComboBox *chooser : {m_keep, m_merge}) {
        chooser->clear();
        chooser->addItems(names);
        chooser->setCurrentIndex(-1);
        chooser->setEditText(QString());
    }
    m_keep->setFocus();
}

void TFormMergeTeams::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        loadForm();
}

void TFormMergeTeams::accept()
{
    if (MergeTeamsAsked(m_dm, m_keep->currentText(), m_merge->currentText(), messenger()))
        QDialog::accept();
}
