#include "services/Settings.h"

#include "platform/ColorValue.h"
#include "platform/Dialogs.h"
#include "platform/ProfileFile.h"
#include "services/MessDlg.h"
#include "services/QtTranslations.h"
#include "services/TransProg.h"
#include "store/AppError.h"
#include "store/CommaText.h"
#include "store/LineText.h"

#include <QList>

#include <functional>
#include <optional>
#include <type_traits>
#include <variant>

namespace {

const QString LanguageSection = QStringLiteral("Language");
const QString FileKey = QStringLiteral("File");
const QString WindowSection = QStringLiteral("Window");

// What a computed default or a read rule needs besides the file.
struct LoadContext
{
    QString programDir;
    QStringList languageEntries;
    QSize screen;
    QSize window;
    // First start: asks for the language and stores it.
    std::function<QString()> chooseLanguage;
};

// One value of the file: where it goes in ProgramSettings, its default, and the rules of reading.
template <typename T>
struct Field
{
    std::function<T &(ProgramSettings &)> at;
    std::function<T(const LoadContext &)> defaultValue;
    // A stored value this rejects reads as the default.
    std::function<bool(const T &)> valid = {};
    // What the value read (or the default) becomes.
    std::function<T(const T &, const LoadContext &)> settle = {};
    // Done as soon as the value is read: the defaults of the entries after it may depend on it.
    std::function<void(const T &, const LoadContext &)> takeEffect = {};
    // An empty text is not written, so the stored one stays.
    bool keepStoredWhenEmpty = false;
};

struct Entry
{
    QString section;
    QString key;
    std::variant<Field<QString>, Field<bool>, Field<int>> field;
    // Written on a change of language too.
    bool writtenOnLanguageChange = false;
};

template <typename T>
std::function<T(const LoadContext &)> fixed(T value)
{
    return [value](const LoadContext &) { return value; };
}

std::function<bool(const int &)> inRange(int low, int high)
{
    return [low, high](const int &value) { return value >= low && value <= high; };
}

// The stored value as it reads; nothing when absent or not of the type.
std::optional<QString> stored(const ProfileFile &ini, const Entry &entry, std::type_identity<QString>)
{
    if (!ini.hasKey(entry.section, entry.key))
        return std::nullopt;
    return ini.readString(entry.section, entry.key, QString());
}

std::optional<int> stored(const ProfileFile &ini, const Entry &entry, std::type_identity<int>)
{
    if (!ini.hasKey(entry.section, entry.key))
        return std::nullopt;
    return ProfileFile::parseInteger(ini.readString(entry.section, entry.key, QString()));
}

// Any number other than 0 is true.
std::optional<bool> stored(const ProfileFile &ini, const Entry &entry, std::type_identity<bool>)
{
    const std::optional<int> number = stored(ini, entry, std::type_identity<int>());
    return number ? std::optional<bool>(*number != 0) : std::nullopt;
}

void write(ProfileFile &ini, const Entry &entry, const QString &value)
{
    ini.writeString(entry.section, entry.key, value);
}

void write(ProfileFile &ini, const Entry &entry, int value)
{
    ini.writeInteger(entry.section, entry.key, value);
}

void write(ProfileFile &ini, const Entry &entry, bool value)
{
    ini.writeBool(entry.section, entry.key, value);
}

void load(const ProfileFile &ini, const Entry &entry, ProgramSettings &settings, const LoadContext &context)
{
    std::visit(
        [&]<typename T>(const Field<T> &field) {
            std::optional<T> value = stored(ini, entry, std::type_identity<T>());
            if (value && field.valid && !field.valid(*value))
                value.reset();
            T result = value ? *value : field.defaultValue(context);
            if (field.settle)
                result = field.settle(result, context);
            if (field.takeEffect)
                field.takeEffect(result, context);
            field.at(settings) = result;
        },
        entry.field);
}

void save(ProfileFile &ini, const Entry &entry, ProgramSettings &values)
{
    std::visit(
        [&]<typename T>(const Field<T> &field) {
            const T &value = field.at(values);
            if constexpr (std::is_same_v<T, QString>) {
                if (field.keepStoredWhenEmpty && value.isEmpty())
                    return;
            }
            write(ini, entry, value);
        },
        entry.field);
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

QString scriptPath(const QString &programDir, const QString &language)
{
    return Settings::languageDir(programDir) + u'/' + language;
}

// The entry that matches without regard to case names the file as it is on disk.
QString languageEntry(const QString &language, const QStringList &entries)
{
    for (const QString &entry : entries)
        if (entry.compare(language, Qt::CaseInsensitive) == 0)
            return entry;
    return language;
}

// First start: the user picks a language from the script names; the choice is stored at once.
// When it cannot be stored the error is shown and the choice still holds for this run.
QString chooseFirstLanguage(Dialogs &dialogs, ProfileFile &ini, const QStringList &entries)
{
    QStringList names;
    for (const QString &entry : entries)
        names.append(NameWithoutExtension(entry));
    QString chosen = dialogs.selectFromList(QStringLiteral("Please select language:"), CommaText::fromList(names));
    if (chosen.isEmpty())
        chosen = QStringLiteral("English");
    chosen += QStringLiteral(".lng");
    try {
        ini.writeString(LanguageSection, FileKey, chosen);
    } catch (const AppError &error) {
        dialogs.showError(error.message());
        return chosen;
    }
    return ini.readString(LanguageSection, FileKey, QStringLiteral("English.lng"));
}

// Every setting, in the order in which it is written.
QList<Entry> buildTable()
{
    QList<Entry> table;
    auto add = [&table]<typename T>(const QString &section, const QString &key, Field<T> field,
                                     bool writtenOnLanguageChange = false) {
        table.append(Entry{section, key, std::move(field), writtenOnLanguageChange});
    };

    for (int n = 1; n <= 10; ++n)
        add(QStringLiteral("Player %1").arg(n), QStringLiteral("Name"),
            Field<QString>{
                .at = [n](ProgramSettings &s) -> QString & { return s.playerNames[size_t(n - 1)]; },
                .defaultValue = [n](const LoadContext &) { return defaultPlayerName(n); },
                .settle = [](const QString &name, const LoadContext &) { return LineText::oneLine(name); },
            });

    for (int i = 0; i < OptionsPage::optionCount(); ++i)
        add(QStringLiteral("General options"), QStringLiteral("Option %1").arg(i),
            Field<bool>{
                .at = [i](ProgramSettings &s) -> bool & { return s.options[size_t(i)]; },
                .defaultValue = fixed(false),
            });

    const QString lineColor = QStringLiteral("Line color");
    add(lineColor, QStringLiteral("Alternating"),
        Field<bool>{.at = [](ProgramSettings &s) -> bool & { return s.alternatingLines; }, .defaultValue = fixed(true)});
    add(lineColor, QStringLiteral("Color 1"),
        Field<int>{.at = [](ProgramSettings &s) -> int & { return s.lineColor1; },
                   .defaultValue = fixed(ColorValue::TooltipBackground)});
    add(lineColor, QStringLiteral("Color 2"),
        Field<int>{.at = [](ProgramSettings &s) -> int & { return s.lineColor2; },
                   .defaultValue = fixed(ColorValue::Yellow)});

    add(QStringLiteral("Week"), QStringLiteral("First day"),
        Field<int>{.at = [](ProgramSettings &s) -> int & { return s.firstWeekday; },
                   .defaultValue = fixed(0),
                   .valid = inRange(0, 6)});

    const QString colors = QStringLiteral("Colors");
    add(colors, QStringLiteral("Messages start color"),
        Field<int>{.at = [](ProgramSettings &s) -> int & { return s.msgStartColor; },
                   .defaultValue = fixed(ColorValue::Yellow)});
    add(colors, QStringLiteral("Messages end color"),
        Field<int>{.at = [](ProgramSettings &s) -> int & { return s.msgEndColor; },
                   .defaultValue = fixed(ColorValue::Fuchsia)});

    add(WindowSection, QStringLiteral("Color"),
        Field<int>{.at = [](ProgramSettings &s) -> int & { return s.windowColor; },
                   .defaultValue = fixed(ColorValue::ButtonFace)});
    // By default the window centred on the screen.
    add(WindowSection, QStringLiteral("Left"),
        Field<int>{.at = [](ProgramSettings &s) -> int & { return s.windowPosition.rx(); },
                   .defaultValue = [](const LoadContext &c) {
                       return c.screen.width() / 2 - c.window.width() / 2;
                   }},
        true);
    add(WindowSection, QStringLiteral("Top"),
        Field<int>{.at = [](ProgramSettings &s) -> int & { return s.windowPosition.ry(); },
                   .defaultValue = [](const LoadContext &c) {
                       return c.screen.height() / 2 - c.window.height() / 2;
                   }},
        true);
    add(WindowSection, QStringLiteral("State"),
        Field<bool>{.at = [](ProgramSettings &s) -> bool & { return s.maximized; }, .defaultValue = fixed(false)});

    add(QStringLiteral("Category bar"), QStringLiteral("Position"),
        Field<int>{.at = [](ProgramSettings &s) -> int & { return s.categoryPosition; },
                   .defaultValue = fixed(0),
                   .valid = inRange(0, 1)});

    add(LanguageSection, FileKey,
        Field<QString>{
            .at = [](ProgramSettings &s) -> QString & { return s.language; },
            .defaultValue = [](const LoadContext &c) { return c.chooseLanguage(); },
            .valid = [](const QString &language) { return !language.isEmpty(); },
            .settle = [](const QString &language, const LoadContext &c) {
                return languageEntry(language, c.languageEntries);
            },
            .takeEffect = [](const QString &language, const LoadContext &c) {
                useScript(scriptPath(c.programDir, language));
            },
            .keepStoredWhenEmpty = true,
        },
        true);
    return table;
}

const QList<Entry> &settingsTable()
{
    static const QList<Entry> table = buildTable();
    return table;
}

bool takesEffect(const Entry &entry)
{
    return std::visit([](const auto &field) { return bool(field.takeEffect); }, entry.field);
}

// The table with what takes effect first: the defaults of the others may depend on it.
const QList<const Entry *> &readingOrder()
{
    static const QList<const Entry *> order = [] {
        QList<const Entry *> entries;
        for (const bool first : {true, false})
            for (const Entry &entry : settingsTable())
                if (takesEffect(entry) == first)
                    entries.append(&entry);
        return entries;
    }();
    return order;
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

QStringList languageEntries(const QString &programDir)
{
    return ListDirectory(languageDir(programDir)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

ProgramSettings LoadSettings(const QString &programDir, Dialogs &dialogs, QSize screenSize)
{
    return LoadSettings(programDir, languageEntries(programDir), dialogs, screenSize);
}

ProgramSettings LoadSettings(const QString &programDir, const QStringList &languageEntries, Dialogs &dialogs,
                             QSize screenSize, QSize windowSize)
{
    SetGradientStartColor(ColorValue::Yellow);
    SetGradientEndColor(ColorValue::Fuchsia);

    ProfileFile ini(settingsPath(programDir));
    LoadContext context{programDir, languageEntries, screenSize, windowSize, {}};
    context.chooseLanguage = [&] { return chooseFirstLanguage(dialogs, ini, context.languageEntries); };

    ProgramSettings settings;
    for (const Entry *entry : readingOrder())
        load(ini, *entry, settings, context);
    return settings;
}

void SaveSettings(const QString &programDir, const ProgramSettings &settings)
{
    // The table's slots reach into a settings value of their own.
    ProgramSettings values = settings;
    ProfileFile ini(settingsPath(programDir));
    // One write of the file for all values.
    ini.beginUpdate();
    for (const Entry &entry : settingsTable())
        save(ini, entry, values);
    ini.endUpdate();
}

PlayerNames ChangeLanguage(const QString &programDir, const QString &language, QPoint windowPosition,
                           PlayerNames names)
{
    if (language.isEmpty())
        return names;
    ProgramSettings changed;
    changed.language = language;
    changed.windowPosition = windowPosition;
    ProfileFile ini(settingsPath(programDir));
    ini.beginUpdate();
    for (const Entry *entry : readingOrder())
        if (entry->writtenOnLanguageChange)
            save(ini, *entry, changed);
    ini.endUpdate();

    // A player still called by the default name takes the default name of the new language.
    PlayerNames oldDefaults;
    for (int n = 1; n <= 10; ++n)
        oldDefaults[size_t(n - 1)] = defaultPlayerName(n);
    useScript(scriptPath(programDir, language));
    for (int n = 1; n <= 10; ++n)
        if (names[size_t(n - 1)] == oldDefaults[size_t(n - 1)])
            names[size_t(n - 1)] = defaultPlayerName(n);
    return names;
}

void translateDialogs()
{
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
}

} // namespace Settings
