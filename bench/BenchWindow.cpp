#include "BenchWindow.h"

#include "app/MainForm.h"

std::unique_ptr<TMainForm> StartMainWindow(const QString &programDir, Dialogs &dialogs)
{
    MainFormOptions options;
    options.programDir = programDir;
    options.splashProbe = [](int, int) {};
    auto form = std::make_unique<TMainForm>(dialogs, options);
    form->show();
    return form;
}
