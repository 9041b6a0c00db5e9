#include "platform/ProgressBar.h"

#include <QPointer>
#include <QProgressBar>

#include <limits>

Progress ProgressOnBar(QProgressBar *bar)
{
    if (!bar)
        return {};
    return [bar = QPointer<QProgressBar>(bar)](qint64 position, qint64 last) {
        if (!bar)
            return;
        if (last != ProgressCurrentRange)
            bar->setRange(0, int(qMin<qint64>(last, std::numeric_limits<int>::max())));
        if (position != ProgressRangeOnly)
            bar->setValue(int(qBound(qint64(bar->minimum()), position, qint64(bar->maximum()))));
    };
}
