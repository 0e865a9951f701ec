#pragma once
// The one link between a dataset's current row and a view of it (a grid, the player cards): each follows
// the other, and the view's keys and double clicks become the commands of the window around it.  Enter
// (the keypad's too) and a double click edit the current row, Insert adds one, Ctrl+Delete deletes it.

#include <QObject>

class Dataset;
class DatasetModel;
class QAbstractItemView;
class QModelIndex;

class DatasetViewLink final : public QObject
{
    Q_OBJECT
public:
    // The view shows the model; the link lives as long as the view.
    DatasetViewLink(QAbstractItemView *view, DatasetModel *model);

Q_SIGNALS:
    void insertPressed();
    void editRequested();
    void deleteRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void followDataset();
    void followView(const QModelIndex &current);

    QAbstractItemView *m_view;
    DatasetModel *m_model;
    bool m_syncing = false; // a move made by the link itself is not followed back
};
