#include "data/ui/TFormAETeam.h"
#include "data/ui/DialogParts.h"

#include "data/CommandBoundary.h"
#include "data/Errors.h"
#include "data/TDataMod.h"
#include "data/TeamEditing.h"
#include "data/ui/GuiMessenger.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

// ---------------------------------------------------------------- PictureBox

PictureBox::PictureBox(const QString &objectName, const QSize &size, QWidget *parent) : QLabel(parent)
{
    setObjectName(objectName);
    setFixedSize(size);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setAlignment(Qt::AlignCenter);
    setScaledContents(true);
}

void PictureBox::setPicture(const QByteArray &bytes)
{
    m_bytes = bytes;
    const QImage image = QImage::fromData(bytes, "BMP");
    if (image.isNull())
        clear();
    else
        setPixmap(QPixmap::fromImage(image));
}

void PictureBox::clearPicture()
{
    m_bytes.clear();
    clear();
}

bool PictureBox::loadFile(const QString &path)
{
    const std::optional<QByteArray> bytes = readBmpFile(path);
    // The header check refuses what is not a whole BMP file; the decoder what it cannot show.
    if (!bytes || QImage::fromData(*bytes, "BMP").isNull()) {
        messenger().error(QStringLiteral("Invalid image"));
        return false;
    }
    setPicture(*bytes);
    return true;
}

void PictureBox::loadChosen(const PathChooser &chooser)
{
    const QString title = QStringLiteral("Open");
    const QString filter = QStringLiteral("Bitmap (*.bmp)");
    const QString path = chooser ? chooser(title, false, filter)
                                 : QFileDialog::getOpenFileName(window(), title, QString(), filter);
    if (!path.isEmpty())
        loadFile(path);
}

// ---------------------------------------------------------------- TFormAETeam

TFormAETeam::TFormAETeam(TDataMod &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("FormAETeam"));
    setWindowTitle(addTeamCaption());
    setModal(true);

    auto *grid = new QGridLayout(this);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("EditTeam"));
    m_name->setMaxLength(30); // the width of the Team column
    auto *nameLabel = new QLabel(QStringLiteral("Team:"), this);
    nameLabel->setBuddy(m_name);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 2);

    m_picture = new PictureBox(QStringLiteral("ImageTeamLogo"), QSize(150, 150), this);
    grid->addWidget(new QLabel(QStringLiteral("Team Logo:"), this), 1, 0, Qt::AlignTop);
    grid->addWidget(m_picture, 1, 1, 2, 1);

    QPushButton *load = plainButton(this, QStringLiteral("ButtonLoad"), QStringLiteral("&Load..."));
    load->setToolTip(QStringLiteral("Load Image..."));
    QPushButton *clear = plainButton(this, QStringLiteral("ButtonClear"), QStringLiteral("&Clear"));
    clear->setToolTip(QStringLiteral("Clear Image"));
    auto *pictureButtons = new QVBoxLayout;
    pictureButtons->addWidget(load);
    pictureButtons->addWidget(clear);
    pictureButtons->addStretch();
    grid->addLayout(pictureButtons, 1, 2);

    auto *buttons = okCancelButtons(this);
    grid->addWidget(buttons, 3, 0, 1, 3);

    connect(load, &QPushButton::clicked, this, [this] { m_picture->loadChosen(m_chooser); });
    connect(clear, &QPushButton::clicked, m_picture, &PictureBox::clearPicture);
}

QString TFormAETeam::teamName() const
{
    return m_name->text();
}

void TFormAETeam::loadForm()
{
    const TeamValues team = ShowTeam(m_dm, teamModeOf(windowTitle()));
    m_name->setText(team.name);
    m_picture->setPicture(team.picture);
    m_name->setFocus();
}

void TFormAETeam::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        loadForm();
}

void TFormAETeam::accept()
{
    runCommand(messenger(), [this] {
        if (teamModeOf(windowTitle()) == EditMode::Edit)
            EditTeam(m_dm, teamName(), picture(), messenger());
        else
            AddTeam(m_dm, teamName(), picture(), messenger());
    });
    QDialog::accept();
}
