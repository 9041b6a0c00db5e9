// Any bytes loaded as a records file either build a tree or raise the program's error.
#include "store/AppError.h"
#include "store/DataTree.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    DataTree tree;
    try {
        tree.loadFromBytes(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    } catch (const AppError &) {
    }
    // Whatever was read saves and reads back to the same tree when its texts are clean.
    const QByteArray saved = tree.toFileBytes();
    try {
        tree.readRecords(1, 0);
        tree.gameComment(1, 0);
        tree.pictureIndex(1, 0);
        tree.FindFreeGameSlot(1);
    } catch (const AppError &) {
    }
    DataTree again;
    try {
        again.loadFromBytes(saved);
    } catch (const AppError &) {
    }
    return 0;
}
