#pragma once

#include <QString>

// Qt's own texts (its standard dialogs and buttons) in the language of the active language
// script, from the translations that come with Qt.

// The language code of a script: its "Language"/"Code" value, or else the code of the language
// whose English name is the script's file name ("German.lng" gives "de"); empty when neither
// names a language.
QString ScriptLanguageCode(const QString &scriptPath);

// Installs Qt's translations for the script's language in place of those installed before.
// English, or a language for which Qt has no translations, keeps Qt's built-in texts. True when
// translations are installed.
bool UseQtTranslationsFor(const QString &scriptPath);
