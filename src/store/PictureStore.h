#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The picture store: one picture text per line, a game's picture index naming its line.
// Lines are never removed while a player is loaded, so that the indexes stay valid.

// The number of the first empty line; when no line is empty, an empty line is appended and
// its number returned.
int FreePictureSlot(QList<QByteArray> &store);

// The line that a picture index node names, or -1 when it names none: "-1", text that is not
// a decimal number, or a number outside the store.
int PictureStoreLine(const QString &pictureIndex, const QList<QByteArray> &store);
