// A player's files made of any bytes give that player's scores for the overview or raise the
// program's error; the input is split at its first 0xFF byte into the records file and the
// player file.
#include "lists/OverviewBuild.h"
#include "store/AppError.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\xFF');
    const QByteArrayView records = split < 0 ? input : input.first(split);
    const QByteArrayView player = split < 0 ? QByteArrayView() : input.sliced(split + 1);
    try {
        Overview::RowStore store;
        Overview::AddPlayerScores(store, 1, Overview::PlayerScoresFromBytes(records, player));
        RowList rows = store.takeRows();
        Overview::FinishRows(rows, QStringList(10, QStringLiteral("Player")));
    } catch (const AppError &) {
    }
    return 0;
}
