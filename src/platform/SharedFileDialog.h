#pragma once

#include <QString>

class Dialogs;

// One of the main window's file dialogs (open or save). Several pages share it, and it keeps
// the filter last set on it and the entry last chosen, as a desktop dialog object does.
class SharedFileDialog
{
public:
    enum class Kind { Open, Save };

    SharedFileDialog(Dialogs &dialogs, Kind kind) : m_dialogs(dialogs), m_kind(kind) {}

    // Filter of description|pattern pairs, all separated by "|".
    void setFilter(const QString &filter) { m_filter = filter; }
    const QString &filter() const { return m_filter; }

    // The 1-based filter entry shown first and, after OK, the entry the user chose.
    int filterIndex() const { return m_filterIndex; }
    void setFilterIndex(int index) { m_filterIndex = index; }

    // Shows the dialog: the chosen path, or empty for Cancel. The folder of the last chosen
    // file is where the next run starts.
    QString execute();

    // The number of entries of the filter (pairs of description and pattern).
    static int entryCount(const QString &filter);

private:
    Dialogs &m_dialogs;
    Kind m_kind;
    QString m_filter;
    int m_filterIndex = 1;
    QString m_lastDir;
};
