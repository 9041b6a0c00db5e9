#include "platform/ProgressSteps.h"

#include <QProgressBar>

#include <limits>

ProgressSteps::ProgressSteps(QProgressBar *bar, qint64 last) : m_bar(bar), m_single(last < 1)
{
    if (m_bar)
        m_bar->setRange(0, m_single ? 1 : int(qMin<qint64>(last, std::numeric_limits<int>::max())));
}

void ProgressSteps::reach(qint64 position)
{
    reach(m_bar, m_single ? 1 : position);
}

void ProgressSteps::reach(QProgressBar *bar, qint64 position)
{
    if (bar)
        bar->setValue(int(qBound(qint64(bar->minimum()), position, qint64(bar->maximum()))));
}

void ProgressSteps::finish()
{
    if (m_bar)
        m_bar->setValue(m_bar->maximum());
}
