#include "keeping/RecordListModel.h"

RecordListModel::RecordListModel(std::function<ListLineColors()> lineColors, QObject *parent)
    : ListRowsModel(QStringList(ColumnCount), std::move(lineColors), parent)
{
}

QString RecordListModel::cellText(const ListRow &row, int column) const
{
    switch (column) {
    case PointsColumn: return row.caption;
    case DateColumn: return row.subItem(0);
    case CommentColumn: return row.subItem(1);
    default: return QString();
    }
}

bool RecordListModel::rightAligned(int column) const
{
    return column == PointsColumn || column == DateColumn;
}
