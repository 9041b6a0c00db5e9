#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Text encoding of every file the program reads and writes: UTF-8 is written;
// bytes that are valid UTF-8 are read as UTF-8, anything else as Windows-1252.
namespace TextCodec {

bool isValidUtf8(QByteArrayView bytes);
bool isAscii(QByteArrayView bytes);
QString decodeWindows1252(QByteArrayView bytes);

enum class Encoding { Ascii, Utf8, Windows1252 };

// The encoding of a whole file's bytes.
inline Encoding detect(QByteArrayView bytes)
{
    if (isAscii(bytes))
        return Encoding::Ascii;
    return isValidUtf8(bytes) ? Encoding::Utf8 : Encoding::Windows1252;
}

// Decodes with a choice made beforehand for a whole file.
inline QString decode(QByteArrayView bytes, Encoding encoding)
{
    switch (encoding) {
    case Encoding::Ascii:
        return QString::fromLatin1(bytes);
    case Encoding::Utf8:
        return QString::fromUtf8(bytes);
    default:
        return decodeWindows1252(bytes);
    }
}

inline QString decode(QByteArrayView bytes, bool utf8)
{
    return utf8 ? QString::fromUtf8(bytes) : decodeWindows1252(bytes);
}

// Decodes one piece of text on its own.
inline QString decode(QByteArrayView bytes) { return decode(bytes, isValidUtf8(bytes)); }

inline QByteArray encode(const QString &text) { return text.toUtf8(); }

// Appends the text as UTF-8 without a temporary buffer.
void appendUtf8(QByteArray &out, QStringView text);

} // namespace TextCodec
