#pragma once

#include "store/ListRows.h"

#include <QString>
#include <QStringList>

class QAbstractItemModel;
class SharedFileDialog;

// Writes a list as a CSV file: the captions of columns 0 to last, then per row its caption and
// its sub-fields 0 to last - 1. The records list drops the first field of every line (its
// empty leading column). Throws "Cannot create file %s"; the file is replaced in one step.
void ExportListToCsv(const QStringList &captions, const RowList &rows, int last, const QString &path,
                     bool recordsList = false);

// A list as its view shows it: the column titles, and per row column 0 as the caption and the
// other columns as the sub-fields.
QStringList shownCaptions(const QAbstractItemModel &model);
RowList shownRows(const QAbstractItemModel &model);

// Sets the CSV filter on the shared save dialog (it keeps it afterwards) and shows the dialog:
// the chosen path with ".csv" added where its name has no extension, or empty for Cancel.
QString chooseCsvPath(SharedFileDialog &dialog);
