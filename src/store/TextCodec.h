#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Text encoding of every file the program reads and writes: UTF-8 is written;
// bytes that are valid UTF-8 are read as UTF-8, anything else as Windows-1252.
namespace TextCodec {

bool isValidUtf8(QByteArrayView bytes);
QString decodeWindows1252(QByteArrayView bytes);

// Decodes with a choice made beforehand for a whole file.
inline QString decode(QByteArrayView bytes, bool utf8)
{
    return utf8 ? QString::fromUtf8(bytes) : decodeWindows1252(bytes);
}

// Decodes one piece of text on its own.
inline QString decode(QByteArrayView bytes) { return decode(bytes, isValidUtf8(bytes)); }

inline QByteArray encode(const QString &text) { return text.toUtf8(); }

} // namespace TextCodec
