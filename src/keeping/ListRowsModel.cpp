#include "keeping/ListRowsModel.h"

#include "keeping/RowColors.h"

#include <QBrush>

ListRowsModel::ListRowsModel(QStringList titles, std::function<ListLineColors()> lineColors, QObject *parent)
    : QAbstractTableModel(parent), m_titles(std::move(titles)), m_lineColors(std::move(lineColors))
{
}

void ListRowsModel::setRows(const RowList &rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

int ListRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ListRowsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_titles.size());
}

QVariant ListRowsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cellText(m_rows[index.row()], index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue((rightAligned(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return QBrush(rowBackground(m_lineColors ? m_lineColors() : ListLineColors(), index.row()));
    default:
        return {};
    }
}

QVariant ListRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_titles.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_titles[section];
    if (role == Qt::TextAlignmentRole && rightAligned(section))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

bool ListRowsModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value, int role)
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_titles.size()
        || (role != Qt::DisplayRole && role != Qt::EditRole))
        return false;
    m_titles[section] = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}

Qt::ItemFlags ListRowsModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
