#include "keeping/GamesListView.h"

#include "platform/ElidedText.h"

#include <QMouseEvent>

namespace {

// Rows as wide as the list at most: a long name ends in "…" instead of running off the edge.
class GamesRowDelegate : public ElideTipDelegate
{
public:
    using ElideTipDelegate::ElideTipDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = ElideTipDelegate::sizeHint(option, index);
        if (const auto *view = qobject_cast<const QAbstractItemView *>(option.widget))
            size.setWidth(qMin(size.width(), view->viewport()->width()));
        return size;
    }
};

} // namespace

GamesListView::GamesListView(QWidget *parent) : QListView(parent), m_delegate(new GamesRowDelegate(this))
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setResizeMode(QListView::Adjust);
    setItemDelegate(m_delegate);
    setTextElideMode(Qt::ElideRight);
    setObjectName(QStringLiteral("GamesListView"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setIconSize(QSize(16, 16));
    setAutoFillBackground(true);
    connect(this, &QAbstractItemView::clicked, this, [this] {
        if (m_pressedOnSelected)
            emit selectedRowClicked();
    });
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

QStyleOptionViewItem GamesListView::rowOption(const QModelIndex &index) const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    return option;
}

QString GamesListView::rowToolTip(int row) const
{
    const QModelIndex index = model() ? model()->index(row, 0) : QModelIndex();
    return index.isValid() ? m_delegate->toolTipText(rowOption(index), index) : QString();
}

bool GamesListView::rowCut(int row) const
{
    const QModelIndex index = model() ? model()->index(row, 0) : QModelIndex();
    return index.isValid() && m_delegate->textCut(rowOption(index), index);
}

void GamesListView::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) {
        m_pressedOnSelected = false;
        event->accept();
        return;
    }
    m_pressedOnSelected = selectionModel() && selectionModel()->isSelected(index);
    QListView::mousePressEvent(event);
}

QItemSelectionModel::SelectionFlags GamesListView::selectionCommand(const QModelIndex &index,
                                                                   const QEvent *event) const
{
    // Ctrl with a click or Space would deselect the shown game's row.
    const QItemSelectionModel::SelectionFlags command = QListView::selectionCommand(index, event);
    return command.testFlag(QItemSelectionModel::Deselect) ? QItemSelectionModel::NoUpdate : command;
}
