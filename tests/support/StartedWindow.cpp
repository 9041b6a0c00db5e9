#include "support/StartedWindow.h"

#include "platform/ProfileFile.h"
#include "services/OptionsPage.h"

namespace {

QString settingAt(const QString &programDir, const QString &section, const QString &key)
{
    const ProfileFile ini(programDir + QStringLiteral("/Data/TALLIMO.INI"));
    return ini.readString(section, key, QStringLiteral("<absent>"));
}

} // namespace

StartedWindow::StartedWindow(const TempProgramDir &dir, const QString &firstStartAnswer)
    : StartedWindow(dir.path(), MainFormOptions().autosaveDelayMs, firstStartAnswer)
{
}

StartedWindow::StartedWindow(const QString &programDir, int autosaveDelayMs, const QString &firstStartAnswer)
{
    const QString stored = settingAt(programDir, QStringLiteral("Language"), QStringLiteral("File"));
    if (stored.isEmpty() || stored == QLatin1String("<absent>"))
        dialogs.answer(firstStartAnswer);
    MainFormOptions options;
    options.programDir = programDir;
    options.splashProbe = [](int, int) {};
    options.autosaveDelayMs = autosaveDelayMs;
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
    return settingAt(dir.path(), section, key);
}
