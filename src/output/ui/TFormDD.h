#pragma once
// "Download Directory": a drive (or place) chooser above a folder tree bound to it.  OK keeps the folder
// selected in the tree; Cancel changes nothing.

#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QTreeView;

class TFormDD final : public QDialog
{
    Q_OBJECT
public:
    explicit TFormDD(QWidget *parent = nullptr);

    // Shows folder (or its nearest existing parent) selected.
    void setFolder(const QString &folder);
    // The selected folder followed by "/"; empty when none is selected.
    QString folder() const;

private:
    void showRoot(const QString &root);
    QComboBox *m_drives = nullptr;
    QTreeView *m_tree = nullptr;
    QFileSystemModel *m_model = nullptr;
};
