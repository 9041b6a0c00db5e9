#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Lists written as CSV files: one line per row, fields encoded as comma text, CR LF after
// every line, written atomically.
namespace CsvExport {

// The filter of the save dialog for CSV files.
QString filter();

// The chosen path, with ".csv" appended when its file name holds no full stop.
QString pathFor(const QString &chosen);

// One line of fields: a field with a double quote, a comma or a character 1..32 stands in
// double quotes with inner quotes doubled; any other field, the empty one included, is bare.
QString line(const QStringList &fields);

// The byte-order mark a CSV file starts with: spreadsheets read the file as UTF-8 by it.
inline constexpr char Utf8Mark[] = "\xEF\xBB\xBF";

// Header and rows as lines in UTF-8 after the byte-order mark, replacing any file at the path.
// Throws "Cannot create file %s".
void write(const QString &path, const QStringList &header, const QList<QStringList> &rows);

} // namespace CsvExport
