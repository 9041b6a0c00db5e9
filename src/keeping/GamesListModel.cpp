#include "keeping/GamesListModel.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace {

// Icon 0: a blank sheet; icon 1: a sheet with a small landscape on it.
QIcon makeIcon(bool withPicture)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 1.5, 11, 13));
    if (withPicture) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 170, 230));
        p.drawRect(QRectF(4, 3, 8, 6));
        p.setBrush(QColor(70, 150, 70));
        p.drawPolygon(QPolygonF({QPointF(4, 9), QPointF(7, 5.5), QPointF(9, 7.5), QPointF(12, 4.5), QPointF(12, 9)}));
        p.setBrush(QColor(240, 200, 40));
        p.drawEllipse(QPointF(6, 5), 1.2, 1.2);
    } else {
        p.setPen(QColor(160, 160, 160));
        for (int y = 5; y <= 11; y += 3)
            p.drawLine(5, y, 11, y);
    }
    return QIcon(pixmap);
}

} // namespace

int GameRow::iconIndex() const
{
    bool ok = false;
    const qlonglong index = picIndex.toLongLong(&ok);
    return ok && index >= 0 ? 1 : 0;
}

GamesListModel::GamesListModel(QObject *parent) : QAbstractListModel(parent)
{
    m_collator.setCaseSensitivity(Qt::CaseSensitive);
    m_collator.setNumericMode(false);
    m_icons[0] = makeIcon(false);
    m_icons[1] = makeIcon(true);
}

int GamesListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant GamesListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const GameRow &r = m_rows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return r.name;
    case Qt::DecorationRole:
        return m_icons[r.iconIndex()];
    case PicIndexRole:
        return r.picIndex;
    case GameIndexRole:
        return r.gameIndex;
    case IconIndexRole:
        return r.iconIndex();
    default:
        return QVariant();
    }
}

Qt::ItemFlags GamesListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void GamesListModel::setRows(QList<GameRow> rows)
{
    std::stable_sort(rows.begin(), rows.end(), [this](const GameRow &a, const GameRow &b) { return lessThan(a.name, b.name); });
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void GamesListModel::clear()
{
    setRows({});
}

int GamesListModel::findName(const QString &name, Qt::CaseSensitivity cs) const
{
    for (int r = 0; r < m_rows.size(); ++r)
        if (m_rows[r].name.compare(name, cs) == 0)
            return r;
    return -1;
}

int GamesListModel::rename(int r, const QString &name)
{
    m_rows[r].name = name;
    // The place among the other rows: after every row that does not sort after the new name.
    int target = 0;
    for (int i = 0; i < m_rows.size(); ++i)
        if (i != r && !lessThan(name, m_rows[i].name))
            ++target;
    if (target == r) {
        const QModelIndex changed = index(r);
        emit dataChanged(changed, changed);
        return r;
    }
    beginMoveRows(QModelIndex(), r, r, QModelIndex(), target > r ? target + 1 : target);
    m_rows.move(r, target);
    endMoveRows();
    const QModelIndex changed = index(target);
    emit dataChanged(changed, changed);
    return target;
}

void GamesListModel::removeAt(int r)
{
    beginRemoveRows(QModelIndex(), r, r);
    m_rows.removeAt(r);
    endRemoveRows();
}

void GamesListModel::setPicIndex(int r, const QString &picIndex)
{
    m_rows[r].picIndex = picIndex;
    const QModelIndex changed = index(r);
    emit dataChanged(changed, changed);
}

int GamesListModel::rowOfGame(int gameIndex) const
{
    for (qsizetype r = 0; r < m_rows.size(); ++r)
        if (m_rows[r].gameIndex == gameIndex)
            return int(r);
    return -1;
}
