#include "store/PictureStore.h"

#include <limits>

int FreePictureSlot(QList<QByteArray> &store)
{
    for (qsizetype i = 0; i < store.size(); ++i)
        if (store[i].isEmpty())
            return int(i);
    store.append(QByteArray());
    return int(store.size() - 1);
}

int PictureStoreLine(const QString &pictureIndex, const QList<QByteArray> &store)
{
    bool ok = false;
    const qlonglong line = pictureIndex.trimmed().toLongLong(&ok);
    if (!ok || line < 0 || line >= store.size() || line > std::numeric_limits<int>::max())
        return -1;
    return int(line);
}
