#include "services/CsvExport.h"

#include "services/TransProg.h"
#include "store/CommaText.h"
#include "store/TextFile.h"

#include <QFileInfo>

namespace CsvExport {

QString filter()
{
    return LngText(QStringLiteral("Captions"), QStringLiteral("CSV files")) + QStringLiteral(" (*.csv)|*.csv");
}

QString pathFor(const QString &chosen)
{
    // Only the file's own name counts: a full stop in a folder name is no extension.
    return QFileInfo(chosen).fileName().contains(u'.') ? chosen : chosen + QStringLiteral(".csv");
}

QString line(const QStringList &fields)
{
    // Comma text writes a lone empty item as "" so that it reads back; a CSV field stays bare.
    if (fields.size() == 1 && fields.first().isEmpty())
        return QString();
    return CommaText::fromList(fields);
}

void write(const QString &path, const QStringList &header, const QList<QStringList> &rows)
{
    QStringList lines;
    lines.reserve(rows.size() + 1);
    lines.append(line(header));
    for (const QStringList &fields : rows)
        lines.append(line(fields));
    TextFile::writeAtomically(path, QByteArray(Utf8Mark) + TextFile::joinLines(lines));
}

} // namespace CsvExport
