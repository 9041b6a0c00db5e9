#include "support/KeepingSteps.h"

#include "keeping/GamesListModel.h"
#include "keeping/GamesListView.h"
#include "keeping/MaintenancePage.h"

#include <QTest>
#include <QToolButton>

QToolButton *button(StartedWindow &s, const char *name)
{
    auto *found = s.form->findChild<QToolButton *>(QLatin1String(name));
    if (!found)
        qFatal("no button %s", name);
    return found;
}

void addGame(StartedWindow &s, const QString &name)
{
    s.dialogs.answer(name);
    button(s, "GameAddButton")->click();
}

void selectGame(StartedWindow &s, const QString &name)
{
    MaintenancePage &page = s.form->maintenancePage();
    const int row = page.gamesModel()->findName(name, Qt::CaseSensitive);
    QVERIFY2(row >= 0, qPrintable(name));
    page.gamesListView()->selectRow(row);
    page.GamesListViewClick();
}

void addRecord(StartedWindow &s, const QString &points, int dateNumber)
{
    s.dialogs.answer(points);
    button(s, "NumEditButton")->click();
    s.dialogs.answer(dateNumber);
    button(s, "DateEditButton")->click();
    button(s, "RecordAddButton")->click();
}

QStringList gameNames(StartedWindow &s)
{
    QStringList names;
    for (const GameRow &row : s.form->maintenancePage().gamesModel()->rows())
        names.append(row.name);
    return names;
}
