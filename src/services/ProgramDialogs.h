#pragma once

#include "platform/Dialogs.h"

#include <QStringList>
#include <QUrl>

// The dialogs the program shows: its own message, input and choice boxes, the general error
// box, the number pad, the calendar, and the desktop's colour and file dialogs and shell.
class ProgramDialogs : public Dialogs
{
public:
    bool msgBox(const QString &text, const QString &caption, const QString &kind) override;
    QString inputText(const QString &prompt, bool hidden) override;
    QString selectFromList(const QString &prompt, const QString &choices) override;
    void showError(const QString &message) override;
    std::optional<qint32> chooseColor(qint32 initial) override;
    QString openFileName(const QString &filter, int &filterIndex, const QString &initialDir) override;
    QString saveFileName(const QString &filter, int &filterIndex, const QString &initialDir) override;
    bool shellOpen(const QString &target) override;
    void showPicture(const QImage &picture, const QString &title) override;
    QString numberPad(const QString &start) override;
    std::optional<int> calendar(int dateNumber, int firstWeekday) override;

    // "Bitmaps|*.bmp|JPEG files|*.jpg;*.jpeg" -> {"Bitmaps (*.bmp)", "JPEG files (*.jpg *.jpeg)"}.
    // A description without patterns matches every file.
    static QStringList nameFilters(const QString &filter);

    // What the shell opens for a target: a link with a scheme as it is, "www." as a web link,
    // anything else as a file.
    static QUrl shellUrl(const QString &target);

private:
    enum class FileDialogMode { Open, Save };
    QString fileName(FileDialogMode mode, const QString &filter, int &filterIndex, const QString &initialDir);
};
