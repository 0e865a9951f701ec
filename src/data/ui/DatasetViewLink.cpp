#include "data/ui/DatasetViewLink.h"

#include "data/ui/DatasetModel.h"

#include <QAbstractItemView>
#include <QKeyEvent>

DatasetViewLink::DatasetViewLink(QAbstractItemView *view, DatasetModel *model)
    : QObject(view), m_view(view), m_model(model)
{
    view->installEventFilter(this);
    connect(view, &QAbstractItemView::doubleClicked, this, [this] { Q_EMIT editRequested(); });
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { followView(current); });
    connect(&model->dataset(), &Dataset::currentChanged, this, &DatasetViewLink::followDataset);
    connect(model, &QAbstractItemModel::modelReset, this, &DatasetViewLink::followDataset);
}

void DatasetViewLink::followDataset()
{
    if (!m_model->hasDataset())
        return;
    Dataset &ds = m_model->dataset();
    if (m_syncing || !ds.isActive() || ds.isEmpty() || ds.controlsDisabled())
        return;
    m_syncing = true;
    const QModelIndex index = m_model->index(ds.recNo() - 1, qMax(0, m_view->currentIndex().column()));
    m_view->setCurrentIndex(index);
    m_view->scrollTo(index);
    m_syncing = false;
}

void DatasetViewLink::followView(const QModelIndex &current)
{
    if (!m_model->hasDataset())
        return;
    Dataset &ds = m_model->dataset();
    if (m_syncing || !current.isValid() || !ds.isActive() || current.row() + 1 == ds.recNo())
        return;
    m_syncing = true;
    ds.setRecNo(current.row() + 1); // the view's row is the dataset's current row
    m_syncing = false;
}

bool DatasetViewLink::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_view || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    // The keypad's keys carry a modifier of their own; it makes no other key.
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_Insert && modifiers == Qt::NoModifier) {
        Q_EMIT insertPressed();
        return true;
    }
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
        Q_EMIT editRequested();
        return true;
    }
    if (key->key() == Qt::Key_Delete && modifiers == Qt::ControlModifier) {
        Q_EMIT deleteRequested();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
