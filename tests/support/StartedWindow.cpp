#include "support/StartedWindow.h"

#include "platform/ProfileFile.h"
#include "services/OptionsPage.h"

StartedWindow::StartedWindow(const TempProgramDir &dir, const QString &firstStartAnswer)
{
    const QString stored = storedSetting(dir, QStringLiteral("Language"), QStringLiteral("File"));
    if (stored.isEmpty() || stored == QLatin1String("<absent>"))
        dialogs.answer(firstStartAnswer);
    MainFormOptions options;
    options.programDir = dir.path();
    options.splashProbe = [](int, int) {};
    form = std::make_unique<TMainForm>(dialogs, options);
    form->show();
}

bool StartedWindow::exit()
{
    if (!form->optionsPage().doNotShowExitDialog())
        dialogs.answerYes();
    return form->close();
}

QString storedSetting(const TempProgramDir &dir, const QString &section, const QString &key)
{
    const ProfileFile ini(dir.file(QStringLiteral("Data/TALLIMO.INI")));
    return ini.readString(section, key, QStringLiteral("<absent>"));
}
