#include "store/ProgressSteps.h"

ProgressSteps::ProgressSteps(Progress progress, qint64 last) : m_progress(std::move(progress)), m_last(last < 1 ? 1 : last)
{
    if (m_progress)
        m_progress(ProgressRangeOnly, m_last);
}

void ProgressSteps::reach(qint64 position)
{
    if (m_progress)
        m_progress(m_last == 1 ? 1 : qBound<qint64>(0, position, m_last), m_last);
}

void ProgressSteps::finish()
{
    if (m_progress)
        m_progress(m_last, m_last);
}

void ProgressSteps::reach(const Progress &progress, qint64 position)
{
    if (progress)
        progress(position, ProgressCurrentRange);
}
