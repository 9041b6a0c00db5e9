#include "services/Settings.h"

#include "platform/ColorValue.h"
#include "platform/Dialogs.h"
#include "platform/ProfileFile.h"
#include "services/AboutPage.h"
#include "services/ColorSwatch.h"
#include "services/MessDlg.h"
#include "services/OptionsPage.h"
#include "services/QtTranslations.h"
#include "services/TransProg.h"
#include "store/AppError.h"
#include "store/CommaText.h"
#include "store/LineText.h"

namespace {

const QString LanguageSection = QStringLiteral("Language");
const QString FileKey = QStringLiteral("File");
const QString GeneralOptionsSection = QStringLiteral("General options");
const QString LineColorSection = QStringLiteral("Line color");
const QString WeekSection = QStringLiteral("Week");
const QString ColorsSection = QStringLiteral("Colors");
const QString WindowSection = QStringLiteral("Window");
const QString CategoryBarSection = QStringLiteral("Category bar");

QString playerSection(int player)
{
    return QStringLiteral("Player %1").arg(player);
}

QString optionKey(int index)
{
    return QStringLiteral("Option %1").arg(index);
}

// An integer setting with a range: a value outside it reads as the default.
int readInRange(const ProfileFile &ini, const QString &section, const QString &key, int defaultValue, int low,
                int high)
{
    const int value = ini.readInteger(section, key, defaultValue);
    return value < low || value > high ? defaultValue : value;
}

// The entries of LScripts, as they are listed.
QStringList languageEntries(const QString &programDir)
{
    return ListDirectory(Settings::languageDir(programDir)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

// First start: the user picks a language from the script names; the choice is stored at once.
// When it cannot be stored the error is shown and the choice still holds for this run.
QString chooseFirstLanguage(SettingsWindow &window, ProfileFile &ini, const QStringList &entries)
{
    QStringList names;
    for (const QString &entry : entries)
        names.append(NameWithoutExtension(entry));
    QString chosen = window.dialogs().selectFromList(QStringLiteral("Please select language:"),
                                                     CommaText::fromList(names));
    if (chosen.isEmpty())
        chosen = QStringLiteral("English");
    chosen += QStringLiteral(".lng");
    try {
        ini.writeString(LanguageSection, FileKey, chosen);
    } catch (const AppError &error) {
        window.dialogs().showError(error.message());
        return chosen;
    }
    return ini.readString(LanguageSection, FileKey, QStringLiteral("English.lng"));
}

QString caption(const char *key)
{
    return LngText(QStringLiteral("Captions"), QString::fromLatin1(key));
}

// The name of player n (1..10) in the active language until the user gives one.
QString defaultPlayerName(int n)
{
    return caption("Player") + u' ' + QString::number(n);
}

// The script for our texts, and Qt's own translations of its language for the standard dialogs.
void useScript(const QString &path)
{
    SetActiveScriptPath(path);
    UseQtTranslationsFor(path);
}

// Everything that shows the active script's texts: the window, the lists' titles, the dialogs,
// the About text, the help file list.
void applyLanguageTexts(SettingsWindow &window)
{
    window.translateWindow();
    window.refreshPlayerNames();
    window.fillHelpFileList();
    window.aboutPage().loadDonationText(window.programDir(), window.optionsPage().selectedLanguage());

    SetDialogTexts({
        .ok = caption("OK"),
        .cancel = caption("Cancel"),
        .yes = caption("Yes"),
        .no = caption("No"),
        .information = caption("Information"),
        .confirmation = caption("Confirmation"),
        .warning = caption("Warning"),
        .input = caption("Input"),
    });

    window.setListHeaders({
        .recordColumns = {caption("Points"), caption("Date"), caption("Comment")},
        .topColumns = {caption("No."), caption("Game"), caption("Points"), caption("Date"), caption("Comment")},
        .gamesGridCells = {caption("No."), caption("Game"), caption("Category")},
        .bestCell = caption("Best"),
    });
}

} // namespace

namespace Settings {

QString settingsPath(const QString &programDir)
{
    return programDir + QStringLiteral("/Data/TALLIMO.INI");
}

QString languageDir(const QString &programDir)
{
    return programDir + QStringLiteral("/LScripts");
}

void LoadSettings(SettingsWindow &window)
{
    OptionsPage &options = window.optionsPage();
    const QString programDir = window.programDir();

    SetGradientStartColor(ColorValue::Yellow);
    SetGradientEndColor(ColorValue::Fuchsia);

    const QStringList entries = languageEntries(programDir);
    options.setLanguages(entries);

    ProfileFile ini(settingsPath(programDir));

    QString language = ini.readString(LanguageSection, FileKey, QString());
    if (language.isEmpty())
        language = chooseFirstLanguage(window, ini, entries);
    else
        language = ini.readString(LanguageSection, FileKey, QStringLiteral("English.lng"));
    // The entry that matched without regard to case names the file as it is on disk.
    if (options.selectLanguage(language))
        language = options.selectedLanguage();
    useScript(languageDir(programDir) + u'/' + language);

    for (int n = 1; n <= 10; ++n)
        window.setPlayerName(n, LineText::oneLine(ini.readString(playerSection(n), QStringLiteral("Name"),
                                                                 defaultPlayerName(n))));

    for (int i = 0; i < options.optionCount(); ++i)
        options.setOption(i, ini.readBool(GeneralOptionsSection, optionKey(i), false));

    options.setAlternatingLines(ini.readBool(LineColorSection, QStringLiteral("Alternating"), true));
    options.lineColor1()->setColorValue(
        ini.readInteger(LineColorSection, QStringLiteral("Color 1"), ColorValue::TooltipBackground));
    options.lineColor2()->setColorValue(ini.readInteger(LineColorSection, QStringLiteral("Color 2"), ColorValue::Yellow));

    options.setFirstWeekday(readInRange(ini, WeekSection, QStringLiteral("First day"), 0, 0, 6));

    options.msgStartColor()->setColorValue(
        ini.readInteger(ColorsSection, QStringLiteral("Messages start color"), ColorValue::Yellow));
    options.msgEndColor()->setColorValue(
        ini.readInteger(ColorsSection, QStringLiteral("Messages end color"), ColorValue::Fuchsia));

    options.windowColor()->setColorValue(ini.readInteger(WindowSection, QStringLiteral("Color"), ColorValue::ButtonFace));

    const QSize screen = window.screenSize();
    const int left = ini.readInteger(WindowSection, QStringLiteral("Left"),
                                     screen.width() / 2 - DesignedWindowSize.width() / 2);
    const int top = ini.readInteger(WindowSection, QStringLiteral("Top"),
                                    screen.height() / 2 - DesignedWindowSize.height() / 2);
    window.moveWindow({left, top});
    if (ini.readBool(WindowSection, QStringLiteral("State"), false))
        window.maximizeWindow();

    options.setCategoryPosition(readInRange(ini, CategoryBarSection, QStringLiteral("Position"), 0, 0, 1));

    window.setWindowColor(options.windowColor()->colorValue());
    window.placeCategoryBar(options.categoryPosition());
    SetGradientStartColor(options.msgStartColor()->colorValue());
    SetGradientEndColor(options.msgEndColor()->colorValue());
    applyLanguageTexts(window);
}

void SaveSettings(SettingsWindow &window)
{
    const OptionsPage &options = window.optionsPage();
    ProfileFile ini(settingsPath(window.programDir()));
    // One write of the file for all values.
    ini.beginUpdate();

    for (int n = 1; n <= 10; ++n)
        ini.writeString(playerSection(n), QStringLiteral("Name"), window.playerName(n));

    for (int i = 0; i < options.optionCount(); ++i)
        ini.writeBool(GeneralOptionsSection, optionKey(i), options.option(i));

    ini.writeBool(LineColorSection, QStringLiteral("Alternating"), options.alternatingLines());
    ini.writeInteger(LineColorSection, QStringLiteral("Color 1"), options.lineColor1()->colorValue());
    ini.writeInteger(LineColorSection, QStringLiteral("Color 2"), options.lineColor2()->colorValue());

    ini.writeInteger(WeekSection, QStringLiteral("First day"), options.firstWeekday());

    ini.writeInteger(ColorsSection, QStringLiteral("Messages start color"), options.msgStartColor()->colorValue());
    ini.writeInteger(ColorsSection, QStringLiteral("Messages end color"), options.msgEndColor()->colorValue());

    const QPoint position = window.windowPosition();
    ini.writeInteger(WindowSection, QStringLiteral("Color"), options.windowColor()->colorValue());
    ini.writeInteger(WindowSection, QStringLiteral("Left"), position.x());
    ini.writeInteger(WindowSection, QStringLiteral("Top"), position.y());
    ini.writeBool(WindowSection, QStringLiteral("State"), window.windowMaximized());

    ini.writeInteger(CategoryBarSection, QStringLiteral("Position"), options.categoryPosition());

    // With no entry selected (the stored script is gone from LScripts) the stored name stays.
    const QString language = options.selectedLanguage();
    if (!language.isEmpty())
        ini.writeString(LanguageSection, FileKey, language);
    ini.endUpdate();
}

void ChangeLanguage(SettingsWindow &window)
{
    OptionsPage &options = window.optionsPage();
    const QString language = options.selectedLanguage();
    if (language.isEmpty())
        return;
    ProfileFile ini(settingsPath(window.programDir()));
    const QPoint position = window.windowPosition();
    ini.beginUpdate();
    ini.writeString(LanguageSection, FileKey, language);
    ini.writeInteger(WindowSection, QStringLiteral("Left"), position.x());
    ini.writeInteger(WindowSection, QStringLiteral("Top"), position.y());
    ini.endUpdate();

    // Only the texts change: names, options and colours stay as the user left them. A player
    // still called by the default name takes the default name of the new language.
    QStringList oldDefaults;
    for (int n = 1; n <= 10; ++n)
        oldDefaults.append(defaultPlayerName(n));
    useScript(languageDir(window.programDir()) + u'/' + language);
    for (int n = 1; n <= 10; ++n)
        if (window.playerName(n) == oldDefaults[n - 1])
            window.setPlayerName(n, defaultPlayerName(n));
    applyLanguageTexts(window);
}

} // namespace Settings
