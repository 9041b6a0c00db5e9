#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

// Answers every dialog from a queue and records what was asked, so whole handlers run in
// tests without a person. An unexpected dialog (an empty queue) fails the test.
class ScriptedDialogs : public Dialogs
{
public:
    struct Asked
    {
        QString dialog; // "msgBox", "inputText", "selectFromList", "error", "color", "open", "save", "shell",
                        // "numberPad", "calendar", "picture"
        QString text;   // the message, prompt, choices, filter, target, pad start value or date number
        QString extra;  // the kind of a message box, the caption, the initial folder or the first weekday
    };

    // Queue the next answers.
    void answer(const QVariant &value) { m_answers.enqueue(value); }
    void answerYes() { answer(true); }
    void answerNo() { answer(false); }

    // The colour the next colour dialog confirms, or a cancelled colour dialog.
    void answerColor(qint32 color) { answer(QVariant(int(color))); }
    void cancelColor() { answer(QVariant()); }

    // The path and the chosen filter entry of the next file dialog.
    void answerFile(const QString &path, int filterIndex = 1) { answer(QStringList{path, QString::number(filterIndex)}); }

    // Information boxes (kind "i") are recorded and closed with OK without a queued answer.
    void acknowledgeInformation(bool on = true) { m_acknowledgeInformation = on; }

    bool msgBox(const QString &text, const QString &caption, const QString &kind) override;
    QString inputText(const QString &prompt, bool hidden) override;
    QString selectFromList(const QString &prompt, const QString &choices) override;
    void showError(const QString &message) override;
    std::optional<qint32> chooseColor(qint32 initial) override;
    QString openFileName(const QString &filter, int &filterIndex, const QString &initialDir) override;
    QString saveFileName(const QString &filter, int &filterIndex, const QString &initialDir) override;
    // Recorded; the desktop opens it unless shellOpens(false) was set.
    bool shellOpen(const QString &target) override;
    void setShellOpens(bool opens) { m_shellOpens = opens; }
    // Recorded with the title as text and the picture's size ("width x height") as extra.
    void showPicture(const QImage &picture, const QString &title) override;
    // The pad answers with the queued text; the calendar with the queued date number, or
    // nothing (Cancel) for an empty QVariant.
    QString numberPad(const QString &start) override;
    std::optional<int> calendar(int dateNumber, int firstWeekday) override;

    // Called with each dialog as it is asked, while it counts as open.
    void whenAsked(std::function<void(const Asked &)> act) { m_whenAsked = std::move(act); }

    const QList<Asked> &asked() const { return m_asked; }
    QStringList errors() const;
    QStringList messages() const; // texts of message boxes, in order
    QList<Asked> askedOf(const QString &dialog) const;
    int pendingAnswers() const { return int(m_answers.size()); }
    void clearLog() { m_asked.clear(); }

private:
    void ask(const Asked &asked);
    QVariant next(const QString &dialog);
    QString fileAnswer(const QString &dialog, int &filterIndex);

    QQueue<QVariant> m_answers;
    QList<Asked> m_asked;
    bool m_shellOpens = true;
    std::function<void(const Asked &)> m_whenAsked;
    bool m_acknowledgeInformation = false;
};
