#include "services/QtTranslations.h"

#include "platform/ProfileFile.h"
#include "services/TransProg.h"
#include "store/AppError.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace {

// Qt's translations in use; owned by the application.
QPointer<QTranslator> &installedTranslator()
{
    static QPointer<QTranslator> translator;
    return translator;
}

QString languageCodeNamed(const QString &englishName)
{
    for (int value = QLocale::AnyLanguage + 1; value <= QLocale::LastLanguage; ++value) {
        const auto language = QLocale::Language(value);
        if (QLocale::languageToString(language).compare(englishName, Qt::CaseInsensitive) == 0)
            return QLocale::languageToCode(language);
    }
    return QString();
}

} // namespace

QString ScriptLanguageCode(const QString &scriptPath)
{
    if (scriptPath.isEmpty())
        return QString();
    QString code;
    try {
        code = ProfileFile::cached(scriptPath)->readString(QStringLiteral("Language"), QStringLiteral("Code"), QString());
    } catch (const AppError &) {
        // An unreadable script names no language; its file name still may.
    }
    code = code.trimmed();
    return code.isEmpty() ? languageCodeNamed(NameWithoutExtension(scriptPath)) : code;
}

bool UseQtTranslationsFor(const QString &scriptPath)
{
    QPointer<QTranslator> &installed = installedTranslator();
    delete installed.data(); // a deleted translator leaves the application by itself
    auto *app = QCoreApplication::instance();
    const QString code = ScriptLanguageCode(scriptPath);
    if (!app || code.isEmpty())
        return false;
    const QLocale language(code);
    if (language.language() == QLocale::English || language.language() == QLocale::C)
        return false;
    auto *translator = new QTranslator(app);
    if (!translator->load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}
