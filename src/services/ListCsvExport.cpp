#include "services/ListCsvExport.h"

#include "services/CsvExport.h"
#include "platform/SharedFileDialog.h"

#include <QAbstractItemModel>
#include <QTreeView>

namespace {

constexpr int RecordListLast = 3;

} // namespace

void ExportListToCsv(const QStringList &captions, const RowList &rows, int last, const QString &path, bool recordsList)
{
    QStringList header;
    for (int column = 0; column <= last; ++column)
        header.append(captions.value(column));
    if (recordsList && !header.isEmpty())
        header.removeFirst();

    QList<QStringList> lines;
    lines.reserve(rows.size());
    for (const ListRow &row : rows) {
        QStringList fields;
        fields.reserve(last + 1);
        fields.append(row.caption);
        for (int i = 0; i < last; ++i)
            fields.append(row.subItem(i));
        if (recordsList)
            fields.removeFirst();
        lines.append(std::move(fields));
    }
    CsvExport::write(path, header, lines);
}

QStringList shownCaptions(const QAbstractItemModel &model)
{
    QStringList captions;
    for (int column = 0; column < model.columnCount(); ++column)
        captions.append(model.headerData(column, Qt::Horizontal).toString());
    return captions;
}

RowList shownRows(const QAbstractItemModel &model)
{
    RowList rows;
    const int columns = model.columnCount();
    rows.reserve(model.rowCount());
    for (int r = 0; r < model.rowCount(); ++r) {
        ListRow row;
        row.caption = model.index(r, 0).data().toString();
        for (int column = 1; column < columns; ++column)
            row.subItems.append(model.index(r, column).data().toString());
        rows.append(std::move(row));
    }
    return rows;
}

QString chooseCsvPath(SharedFileDialog &dialog)
{
    dialog.setFilter(CsvExport::filter());
    const QString chosen = dialog.execute();
    return chosen.isEmpty() ? chosen : CsvExport::pathFor(chosen);
}
