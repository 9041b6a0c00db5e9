// Comma text reading never fails, and what it reads writes and reads back unchanged.
#include "store/CommaText.h"
#include "store/ListRows.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList items = CommaText::toList(text);
    bool hasNul = false;
    for (const QString &item : items)
        hasNul = hasNul || item.contains(QChar(0));
    if (!hasNul && CommaText::toList(CommaText::fromList(items)) != items)
        std::abort();
    RowList rows;
    CommaTextToList(text, rows);
    ListToCommaText(rows);
    return 0;
}
