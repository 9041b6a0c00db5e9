#pragma once

#include "app/MainForm.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramDir.h"

#include <QVariant>

#include <memory>

class OptionsPage;

// The main window started on a test program folder, with scripted dialogs and no splash wait.
// When the folder has no stored language, the first-start question is answered with
// firstStartAnswer.
struct StartedWindow
{
    explicit StartedWindow(const TempProgramDir &dir, const QString &firstStartAnswer = QStringLiteral("English"));
    // The same on the program folder at that path, saving edits that long after the last one.
    StartedWindow(const QString &programDir, int autosaveDelayMs, const QString &firstStartAnswer = QStringLiteral("English"));

    OptionsPage &options() { return form->optionsPage(); }
    // Asks the window to close, answering Yes when the exit question comes; true when it closed.
    bool exit();

    ScriptedDialogs dialogs;
    std::unique_ptr<TMainForm> form;
};

// The settings file of the folder as it is on disk: value of section/key, or "<absent>".
QString storedSetting(const TempProgramDir &dir, const QString &section, const QString &key);
