#include "data/ui/TFormAETeam.h"
#include "data/ui/DialogParts.h"

#include "data/CommandBoundary.h"
#include "data/Errors.h"
#include "data/TDataMod.h"
#include "data/TeamEditing.h"
#include "data/ui/GuiMessenger.h"

#include <QBuffer>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

// ---------------------------------------------------------------- PictureBox

namespace
{
// The pictures are stored as BMP files; larger ones are made smaller first, since the boxes are small and
// every byte goes into the league file.
constexpr int kLargestStoredSide = 300;

// A BMP file as it is; any other picture the platform reads (PNG, JPEG, ...) as a BMP file.
std::optional<QByteArray> storedPictureOf(const QString &path)
{
    // The header check refuses what is not a whole BMP file; the decoder what it cannot show.
    if (std::optional<QByteArray> bmp = readBmpFile(path))
        return QImage::fromData(*bmp, "BMP").isNull() ? std::nullopt : bmp;
    QImageReader reader(path);
    if (reader.format() == "bmp")
        return std::nullopt; // a broken BMP file, which the decoder might still half show
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    if (image.width() > kLargestStoredSide || image.height() > kLargestStoredSide)
        image = image.scaled(kLargestStoredSide, kLargestStoredSide, Qt::KeepAspectRatio,
                             Qt::SmoothTransformation);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP"))
        return std::nullopt;
    return bytes;
}
} // namespace

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
    const std::optional<QByteArray> bytes = storedPictureOf(path);
    if (!bytes) {
        messenger().error(QStringLiteral("Invalid image"));
        return false;
    }
    setPicture(*bytes);
    return true;
}

void PictureBox::loadChosen(const PathChooser &chooser)
{
    const QString title = QStringLiteral("Open");
    const QString filter = QStringLiteral(
        "Pictures (*.bmp *.png *.jpg *.jpeg);;Bitmap (*.bmp);;PNG (*.png);;JPEG (*.jpg *.jpeg)");
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
