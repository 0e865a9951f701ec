#include "data/ui/DialogParts.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

QComboBox *typingChooser(QWidget *parent, const QString &name)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setCompleter(nullptr);
    return c;
}

QPushButton *plainButton(QWidget *parent, const QString &name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QDialogButtonBox *okCancelButtons(QDialog *dialog, bool okIsDefault)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("ButtonOK"));
    ok->setDefault(okIsDefault);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("ButtonCancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}
