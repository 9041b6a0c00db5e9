#pragma once

#include "store/DataTree.h"
#include "store/ListRows.h"
#include "store/PlayerFiles.h"

#include <QByteArray>
#include <QString>

// Writes one player's files straight to disk: `games` games spread over five categories,
// `records` records each, and `pictures` 24-bit BMP game pictures of width x height.
struct PlayerFixture
{
    int games = 0;
    int records = 0;
    int pictures = 0;
    int pictureWidth = 1600;
    int pictureHeight = 1200;

    void writeTo(const QString &dataDir, int player) const;
};

// The bytes of a 24-bit BMP file image filled with a pattern.
QByteArray makeBmp(int width, int height);

// Resident memory figures of this process in bytes.
qint64 residentBytes();
qint64 peakResidentBytes();
void resetPeakResident();


// Seconds for reading (or writing) the given files' bytes plainly, best of a few runs; a durable
// write also waits for the data to reach the disk, as every save of the program does.
double plainReadSeconds(const QStringList &paths);
double plainWriteSeconds(const QStringList &paths, bool durable);
qint64 totalFileBytes(const QStringList &paths);

// Seconds for loading the player's files as a change of player does, best of a few runs.
double playerLoadSeconds(const PlayerFiles &files, int player);
