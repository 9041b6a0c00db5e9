#include "platform/SharedFileDialog.h"

#include "platform/Dialogs.h"

#include <QFileInfo>

int SharedFileDialog::entryCount(const QString &filter)
{
    if (filter.isEmpty())
        return 0;
    return int((filter.count(u'|') + 1) / 2);
}

QString SharedFileDialog::execute()
{
    int index = m_filterIndex;
    const int entries = entryCount(m_filter);
    if (index < 1 || index > entries)
        index = 1;
    const QString path = m_kind == Kind::Open ? m_dialogs.openFileName(m_filter, index, m_lastDir)
                                              : m_dialogs.saveFileName(m_filter, index, m_lastDir);
    if (path.isEmpty())
        return path;
    m_filterIndex = index;
    m_lastDir = QFileInfo(path).absolutePath();
    return path;
}
