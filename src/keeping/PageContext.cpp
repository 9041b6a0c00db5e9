#include "keeping/PageContext.h"

#include "services/OptionsPage.h"

#include <QWidget>

QWidget *PageContext::sheet(const QString &name) const
{
    return window.findChild<QWidget *>(name);
}

bool PageContext::run(const std::function<void()> &handler) const
{
    return RunGuarded(guarded, dialogs, handler);
}

int PageContext::firstWeekday() const
{
    return options.firstWeekday();
}

ListLineColors PageContext::lineColors() const
{
    return options.lineColors();
}
