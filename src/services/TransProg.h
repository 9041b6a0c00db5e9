#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Language scripts: LScripts/<name>.lng files in the profile format. Every text the program shows
// passes through LngText (single texts) or TranslateForm (whole windows).

// The full path of the active script; empty until the settings choose one. From the first
// setting on, error messages (AppError) are translated from the script's section "Errors".
QString ActiveScriptPath();
void SetActiveScriptPath(const QString &path);

// The script's text for key in section; the key itself when the script, section or key is
// absent; empty when the key is present with an empty value. Never fails.
QString LngText(const QString &section, const QString &key);

// The key and its text in every script of the active script's folder, each text once: how a
// text may read in any installed language.
QStringList LngTextInEveryScript(const QString &section, const QString &key);

// Applies the active script to the window (section = its objectName) and its controls in
// creation order: title, captions, hints, items, lines, list view column titles.
void TranslateForm(QWidget *window);

// The names of all entries of the folder (files and subfolders, not "." and ".."), each followed
// by CR LF; empty when the folder is missing or empty.
QString ListDirectory(const QString &directory);

// The file name without folder and without its last extension.
QString NameWithoutExtension(const QString &path);
