#include "lists/TopListModel.h"

TopListModel::TopListModel(std::function<ListLineColors()> lineColors, QObject *parent)
    : ListRowsModel({QStringLiteral("No."), QStringLiteral("Game"), QStringLiteral("Points"), QStringLiteral("Date"),
                     QStringLiteral("Comment"), QStringLiteral("DateNo")},
                    std::move(lineColors), parent)
{
}

QString TopListModel::cellText(const ListRow &row, int column) const
{
    return column == RankColumn ? row.caption : row.subItem(column - 1);
}

bool TopListModel::rightAligned(int column) const
{
    return column == PointsColumn || column == DateColumn;
}
