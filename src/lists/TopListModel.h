#pragma once

#include "keeping/KeepingContext.h"
#include "store/ListRows.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>

// The rows of the visible top list: the rank, then the sub-fields game, points, date, comment
// and the hidden date number, drawn with the list line colours.
class TopListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { RankColumn, GameColumn, PointsColumn, DateColumn, CommentColumn, DateNoColumn, ColumnCount };

    explicit TopListModel(std::function<ListLineColors()> lineColors, QObject *parent = nullptr);

    void setRows(const RowList &rows);
    const RowList &rows() const { return m_rows; }
    void setLineColors(std::function<ListLineColors()> lineColors) { m_lineColors = std::move(lineColors); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    RowList m_rows;
    QStringList m_titles;
    std::function<ListLineColors()> m_lineColors;
};
