#include "data/ui/TFormPlayerStats.h"
#include "data/ui/DialogParts.h"

#include "data/CommandBoundary.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/TDataMod.h"
#include "data/TeamEditing.h"
#include "data/ui/DateFields.h"
#include "data/ui/GuiMessenger.h"
#include "data/ui/SpinField.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

namespace
{
// Position, weight and height never stay empty: emptied, they show "-", selected so that typing replaces it.
QLineEdit *dashField(QWidget *parent, const QString &name, int maxLength)
{
    auto *e = new QLineEdit(QStringLiteral("-"), parent);
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    QObject::connect(e, &QLineEdit::textChanged, e, [e](const QString &text) {
        if (text.isEmpty()) {
            e->setText(dashIfEmpty(text));
            e->selectAll();
        }
    });
    return e;
}

QLabel *addRow(QGridLayout *grid, int row, const QString &caption, QWidget *field)
{
    auto *label = new QLabel(caption, field->parentWidget());
    label->setBuddy(field);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    return label;
}
} // namespace

TFormPlayerStats::TFormPlayerStats(TDataMod &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("FormPlayerStats"));
    setWindowTitle(addPlayerCaption());
    setModal(true);

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("EditPlayer"));
    m_name->setMaxLength(30); // the widths of the Players columns
    m_team = typingChooser(this, QStringLiteral("ComboBoxTeam"));
    m_position = dashField(this, QStringLiteral("EditPosition"), 20);
    m_number = clampedSpinField(this, QStringLiteral("SpinEditNumber"), PlayerNumberMin, PlayerNumberMax);
    m_birth = new DateFields(
        {QStringLiteral("SpinEditMonth"), QStringLiteral("SpinEditDay"), QStringLiteral("SpinEditYear")},
        QDate(Dates::FirstYear, 1, 1), this);
    m_weight = dashField(this, QStringLiteral("EditWeight"), 6);
    m_height = dashField(this, QStringLiteral("EditHeight"), 6);
    m_inOut = new QComboBox(this);
    m_inOut->setObjectName(QStringLiteral("ComboBoxInOut"));
    m_inOut->addItems({QStringLiteral("IN"), QStringLiteral("OUT")});
    m_inOut->setCurrentIndex(-1);
    m_rating = clampedSpinField(this, QStringLiteral("SpinEditRating"), PlayerRatingMin, PlayerRatingMax);
    m_ratingPreset = new QComboBox(this);
    m_ratingPreset->setObjectName(QStringLiteral("ComboBoxRating"));
    for (const auto &[name, value] : playerRatingPresets())
        m_ratingPreset->addItem(name, value);
    m_ratingPreset->setPlaceholderText(playerRatingPrompt());
    m_ratingPreset->setCurrentIndex(-1);

    auto *fields = new QGridLayout;
    addRow(fields, 0, QStringLiteral("Player:"), m_name);
    addRow(fields, 1, QStringLiteral("Team:"), m_team);
    addRow(fields, 2, QStringLiteral("Position:"), m_position);
    addRow(fields, 3, QStringLiteral("Number:"), m_number);
    addRow(fields, 4, QStringLiteral("D.O.B:"), m_birth);
    addRow(fields, 5, QStringLiteral("Weight:"), m_weight);
    addRow(fields, 6, QStringLiteral("Height:"), m_height);
    addRow(fields, 7, QStringLiteral("IN/OUT:"), m_inOut);
    auto *rating = new QWidget(this);
    auto *ratingRow = new QHBoxLayout(rating);
    ratingRow->setContentsMargins(0, 0, 0, 0);
    ratingRow->addWidget(m_rating);
    ratingRow->addWidget(m_ratingPreset);
    addRow(fields, 8, QStringLiteral("Player Rating:"), rating)->setBuddy(m_rating);

    m_picture = new PictureBox(QStringLiteral("ImagePlayer"), QSize(125, 150), this);
    QPushButton *load =
        plainButton(this, QStringLiteral("ButtonLoadImage"), QStringLiteral("&Load Image..."));
    QPushButton *clear =
        plainButton(this, QStringLiteral("ButtonClearImage"), QStringLiteral("&Clear Image"));
    auto *pictureColumn = new QVBoxLayout;
    pictureColumn->addWidget(m_picture);
    pictureColumn->addWidget(load);
    pictureColumn->addWidget(clear);
    pictureColumn->addStretch();

    auto *top = new QHBoxLayout;
    top->addLayout(fields, 1);
    top->addLayout(pictureColumn);
    auto *buttons = okCancelButtons(this);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);

    connect(m_ratingPreset, &QComboBox::activated, this, &TFormPlayerStats::ratingPresetChosen);
    connect(load, &QPushButton::clicked, this, [this] { m_picture->loadChosen(m_chooser); });
    connect(clear, &QPushButton::clicked, m_picture, &PictureBox::clearPicture);
}

void TFormPlayerStats::ratingPresetChosen(int index)
{
    if (index >= 0 && index < playerRatingPresets().size())
        m_rating->setValue(playerRatingPresets()[index].second);
}

void TFormPlayerStats::showValues(const PlayerValues &p)
{
    m_name->setText(p.name);
    m_team->setEditText(p.team);
    m_position->setText(dashIfEmpty(p.position));
    m_number->setValue(p.number);
    m_birth->month()->setValue(p.month);
    m_birth->day()->setValue(p.day);
    m_birth->year()->setValue(p.year);
    m_weight->setText(dashIfEmpty(p.weight));
    m_height->setText(dashIfEmpty(p.height));
    m_rating->setValue(p.rating);
    m_picture->setPicture(p.picture);
}

void TFormPlayerStats::loadForm()
{
    const auto form =
        runCommand(messenger(), [this] { return ShowPlayer(m_dm, playerModeOf(windowTitle())); });
    if (form) {
        m_team->clear();
        m_team->addItems(form->teams);
        m_team->setCurrentIndex(-1);
        m_ratingPreset->setCurrentIndex(-1);
        if (form->player) {
            showValues(*form->player);
            m_inOut->setCurrentIndex(m_inOut->findText(form->player->inOut));
        } else {
            showValues(PlayerValues()); // the IN/OUT chooser keeps its last text
        }
    }
    m_name->setFocus();
}

void TFormPlayerStats::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        loadForm();
}

PlayerValues TFormPlayerStats::values() const
{
    PlayerValues p;
    p.name = m_name->text();
    p.team = m_team->currentText();
    p.position = m_position->text();
    p.number = m_number->value();
    p.year = m_birth->year()->value();
    p.month = m_birth->month()->value();
    p.day = m_birth->day()->value();
    p.weight = m_weight->text();
    p.height = m_height->text();
    p.inOut = m_inOut->currentText();
    p.rating = m_rating->value();
    p.picture = m_picture->picture();
    return p;
}

void TFormPlayerStats::accept()
{
    for (QSpinBox *s : {m_number, m_rating})
        s->interpretText(); // a value still being typed counts, clamped
    m_birth->interpretText();
    QStringList entries;
    for (int i = 0; i < m_team->count(); ++i)
        entries << m_team->itemText(i);
    const std::optional<bool> stored = runCommand(messenger(), [&] {
        return SavePlayer(m_dm, playerModeOf(windowTitle()), entries, values(), messenger());
    });
    if (stored.value_or(false))
        QDialog::accept();
}
