#include "keeping/GamesListView.h"

#include <QMouseEvent>

GamesListView::GamesListView(QWidget *parent) : QListView(parent)
{
    setObjectName(QStringLiteral("GamesListView"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setIconSize(QSize(16, 16));
    setAutoFillBackground(true);
}

int GamesListView::selectedRow() const
{
    if (!selectionModel())
        return -1;
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void GamesListView::selectRow(int row)
{
    if (!model() || !selectionModel())
        return;
    const QModelIndex index = model()->index(row, 0);
    if (!index.isValid()) {
        selectionModel()->clearSelection();
        return;
    }
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void GamesListView::mousePressEvent(QMouseEvent *event)
{
    if (!indexAt(event->position().toPoint()).isValid()) {
        event->accept();
        return;
    }
    QListView::mousePressEvent(event);
}
