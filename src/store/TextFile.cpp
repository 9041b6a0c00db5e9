#include "store/TextFile.h"

#include "store/AppError.h"
#include "store/TextCodec.h"

#include <QFile>
#include <QSaveFile>

namespace TextFile {

QList<QByteArrayView> splitLines(QByteArrayView text)
{
    QList<QByteArrayView> lines;
    forEachLine(text, [&](QByteArrayView line) { lines.append(line); });
    return lines;
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError::cannotOpen(path);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw AppError::cannotOpen(path);
    return bytes;
}

QStringList decodeLines(QByteArrayView text)
{
    const bool utf8 = TextCodec::isValidUtf8(text);
    QStringList lines;
    forEachLine(text, [&](QByteArrayView line) { lines.append(TextCodec::decode(line, utf8)); });
    return lines;
}

QStringList readLines(const QString &path)
{
    return decodeLines(readBytes(path));
}

QByteArray joinLines(const QStringList &lines)
{
    QByteArray bytes;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    bytes.reserve(size);
    for (const QString &line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

void writeAtomically(const QString &path, QByteArrayView bytes)
{
    QSaveFile file(path);
    // Unbuffered: a short write (disk full, size limit) shows in write()'s result. Through
    // the buffer it is lost, and commit() would put a cut file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw AppError::cannotCreate(path);
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.commit())
        throw AppError::cannotCreate(path);
}

} // namespace TextFile
