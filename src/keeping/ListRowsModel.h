#pragma once

#include "platform/ListLineColors.h"
#include "store/ListRows.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>

// A visible list of rows (caption and sub-items) in columns with titles, its rows drawn with
// the list line colours. A subclass says which text a column shows and how it is aligned.
class ListRowsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    ListRowsModel(QStringList titles, std::function<ListLineColors()> lineColors, QObject *parent);

    void setRows(const RowList &rows);
    const RowList &rows() const { return m_rows; }
    void setLineColors(std::function<ListLineColors()> lineColors) { m_lineColors = std::move(lineColors); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

protected:
    virtual QString cellText(const ListRow &row, int column) const = 0;
    virtual bool rightAligned(int column) const = 0;

private:
    RowList m_rows;
    QStringList m_titles;
    std::function<ListLineColors()> m_lineColors;
};
