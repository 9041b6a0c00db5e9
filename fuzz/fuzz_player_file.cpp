// A player's files made of any bytes load or raise the program's error; the input is split
// at its first 0xFF byte into the records file and the player file.
#include "store/AppError.h"
#include "store/PlayerFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

void writeFile(const QString &path, QByteArrayView bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes.data(), bytes.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\xFF');
    writeFile(dir.path() + QStringLiteral("/Records1.dat"), split < 0 ? input : input.first(split));
    writeFile(dir.path() + QStringLiteral("/PlyData1.dat"), split < 0 ? QByteArrayView() : input.sliced(split + 1));

    PlayerFiles files(dir.path());
    LoadedPlayer loaded;
    try {
        loaded = files.LoadPlayerData(1, DefaultCategoryNames());
    } catch (const AppError &) {
    }
    PlayerFiles::playerFileBytes(loaded.state, loaded.name.value_or(QStringLiteral("Player 1")));
    return 0;
}
