#include "output/ui/TFormDD.h"

#include "data/ui/DialogParts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QStandardPaths>
#include <QTreeView>
#include <QVBoxLayout>

TFormDD::TFormDD(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormDD"));
    setWindowTitle(QStringLiteral("Download Directory"));
    auto *layout = new QVBoxLayout(this);
    m_drives = new QComboBox(this);
    m_drives->setObjectName(QStringLiteral("DriveComboBox1"));
    QStringList roots;
    for (const QFileInfo &drive : QDir::drives())
        roots << drive.absoluteFilePath();
    roots << QDir::homePath();
    for (const QString &root : std::as_const(roots))
        m_drives->addItem(QDir::toNativeSeparators(root), root);
    layout->addWidget(m_drives);

    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath(QString());
    m_tree = new QTreeView(this);
    m_tree->setObjectName(QStringLiteral("DirectoryListBox1"));
    m_tree->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        m_tree->hideColumn(c);
    m_tree->header()->hide();
    m_tree->setMinimumSize(360, 300);
    layout->addWidget(m_tree);
    connect(m_drives, &QComboBox::activated, this,
            [this](int i) { showRoot(m_drives->itemData(i).toString()); });
    showRoot(roots.value(0));
    layout->addWidget(okCancelButtons(this, true));
}

void TFormDD::showRoot(const QString &root)
{
    m_tree->setRootIndex(m_model->index(root));
}

void TFormDD::setFolder(const QString &folder)
{
    QDir dir(folder);
    while (!dir.exists() && dir.cdUp()) {
    }
    const QString path = dir.absolutePath();
    // The place that holds the folder: the longest root it lies under.
    int best = 0;
    for (int i = 0; i < m_drives->count(); ++i) {
        const QString root = m_drives->itemData(i).toString();
        if (path.startsWith(root) && root.size() > m_drives->itemData(best).toString().size())
            best = i;
    }
    m_drives->setCurrentIndex(best);
    showRoot(m_drives->itemData(best).toString());
    const QModelIndex index = m_model->index(path);
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index);
}

QString TFormDD::folder() const
{
    const QModelIndex index = m_tree->currentIndex();
    if (!index.isValid())
        return QString();
    QString path = m_model->filePath(index);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}
