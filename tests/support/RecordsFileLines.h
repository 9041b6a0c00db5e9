#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A records file from lines written as "<depth>|<text>": so many TABs, the text, CR LF.
inline QByteArray recordsFileOf(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        const qsizetype bar = line.indexOf(u'|');
        bytes += QByteArray(line.left(bar).toInt(), '\t') + line.mid(bar + 1).toUtf8() + "\r\n";
    }
    return bytes;
}
