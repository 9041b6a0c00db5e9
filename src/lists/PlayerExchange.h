#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

class PlayerFiles;

// The exchange file of one player's data: the number N of lines of the records file, those N
// lines, then the lines of the player file, CR LF after every line. Lines travel as bytes,
// unchanged; the player number is not stored.
namespace PlayerExchange {

// Called with 25, 50, 75 and 100 as the work goes on (range 0..100).
using Progress = std::function<void(int position)>;

// Asked once, before anything is read or replaced; false stops the import.
using Confirm = std::function<bool()>;

// The exchange file's bytes for the bytes of a records file and a player file.
QByteArray exchangeBytes(QByteArrayView records, QByteArrayView player);

struct PlayerBytes
{
    QByteArray records;
    QByteArray player;
};

// The two files an exchange file holds. Throws "List index out of bounds (0)" for a file
// without lines, "'%s' is not a valid integer value" when the first line is no whole number,
// a message of its own for a negative count, and "List index out of bounds (%d)" when fewer
// lines follow than the count says.
PlayerBytes splitExchange(QByteArrayView exchange);

// Writes player `player`'s records and player files, as they are on disk, to target, replacing
// any file there. False (and nothing written) when the player has no records file. Throws
// "Cannot open file %s" when the player file is missing and "Cannot create file %s" when the
// target cannot be written; no exchange file is left then.
bool exportPlayer(const PlayerFiles &files, int player, const QString &target, const Progress &progress = {});

// Reads the exchange file at source and makes its two files player `player`'s files. False
// (nothing changed) when source does not exist or confirm says no. Every error is raised before
// a file is replaced, and a file that cannot be put in place leaves both old files as they were.
bool importPlayer(const QString &source, const PlayerFiles &files, int player, const Confirm &confirm = {},
                  const Progress &progress = {});

} // namespace PlayerExchange
