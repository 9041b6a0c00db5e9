#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstring>

// Reading and writing whole files by the program's one line rule: CR LF, a lone CR or a
// lone LF ends a line, a break at the very end adds no line, a NUL ends the text.
// Lines are written with CR LF after each, the last included. Every write is atomic.
namespace TextFile {

// Calls f(QByteArrayView line) for each line of the text.
template<typename F>
void forEachLine(QByteArrayView text, F &&f)
{
    if (text.isEmpty())
        return; // memchr() must not see the null pointer of an empty view
    const char *p = text.data();
    const char *end = p + text.size();
    if (const void *nul = std::memchr(p, '\0', size_t(text.size())))
        end = static_cast<const char *>(nul);
    while (p < end) {
        // memchr scans long picture lines far faster than a byte loop.
        const char *lf = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        if (!lf)
            lf = end;
        const char *cr = static_cast<const char *>(std::memchr(p, '\r', size_t(lf - p)));
        const char *q = cr ? cr : lf;
        f(QByteArrayView(p, q - p));
        if (q < end && *q == '\r' && q + 1 < end && q[1] == '\n')
            ++q;
        p = q + 1;
    }
}

QList<QByteArrayView> splitLines(QByteArrayView text);

// The whole file; throws "Cannot open file %s" when it cannot be read.
QByteArray readBytes(const QString &path);

// The file's lines decoded by the encoding rule (UTF-8 when valid, else Windows-1252).
QStringList readLines(const QString &path);
QStringList decodeLines(QByteArrayView text);

// Text lines joined with CR LF after each, encoded as UTF-8.
QByteArray joinLines(const QStringList &lines);

// Replaces the file with the bytes in one step: a failure leaves the old file whole.
// Throws "Cannot create file %s".
void writeAtomically(const QString &path, QByteArrayView bytes);
inline void writeLines(const QString &path, const QStringList &lines) { writeAtomically(path, joinLines(lines)); }

} // namespace TextFile
