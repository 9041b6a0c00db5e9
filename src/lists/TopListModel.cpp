#include "lists/TopListModel.h"

#include "keeping/RowColors.h"

#include <QBrush>

namespace {

bool rightAligned(int column)
{
    return column == TopListModel::PointsColumn || column == TopListModel::DateColumn;
}

} // namespace

TopListModel::TopListModel(std::function<ListLineColors()> lineColors, QObject *parent)
    : QAbstractTableModel(parent),
      m_titles{QStringLiteral("No."), QStringLiteral("Game"), QStringLiteral("Points"), QStringLiteral("Date"),
               QStringLiteral("Comment"), QStringLiteral("DateNo")},
      m_lineColors(std::move(lineColors))
{
}

void TopListModel::setRows(const RowList &rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

int TopListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TopListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TopListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const ListRow &row = m_rows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == RankColumn ? row.caption : row.subItem(index.column() - 1);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue((rightAligned(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return QBrush(rowBackground(m_lineColors ? m_lineColors() : ListLineColors(), index.row()));
    default:
        return {};
    }
}

QVariant TopListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_titles[section];
    if (role == Qt::TextAlignmentRole && rightAligned(section))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

bool TopListModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value, int role)
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount
        || (role != Qt::DisplayRole && role != Qt::EditRole))
        return false;
    m_titles[section] = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}

Qt::ItemFlags TopListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
