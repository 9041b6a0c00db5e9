#include "keeping/RecordListModel.h"

#include "keeping/RowColors.h"

#include <QBrush>

RecordListModel::RecordListModel(std::function<ListLineColors()> lineColors, QObject *parent)
    : QAbstractTableModel(parent), m_titles(ColumnCount), m_lineColors(std::move(lineColors))
{
}

void RecordListModel::setRecords(const RowList &records)
{
    beginResetModel();
    m_rows = records;
    endResetModel();
}

void RecordListModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

int RecordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RecordListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RecordListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const ListRow &row = m_rows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case PointsColumn: return row.caption;
        case DateColumn: return row.subItem(0);
        case CommentColumn: return row.subItem(1);
        default: return QString();
        }
    case Qt::TextAlignmentRole:
        if (index.column() == PointsColumn || index.column() == DateColumn)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return QBrush(rowBackground(m_lineColors ? m_lineColors() : ListLineColors(), index.row()));
    default:
        return {};
    }
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_titles[section];
    if (role == Qt::TextAlignmentRole && (section == PointsColumn || section == DateColumn))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

bool RecordListModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value, int role)
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount
        || (role != Qt::DisplayRole && role != Qt::EditRole))
        return false;
    m_titles[section] = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}

Qt::ItemFlags RecordListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
