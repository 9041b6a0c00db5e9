#pragma once

#include "platform/Dialogs.h"

#include <QStringList>

// Answers the first-start language question and every question with Yes; every other dialog is
// refused. Errors are kept for the benchmark to report.
class QuietDialogs : public Dialogs
{
public:
    bool msgBox(const QString &, const QString &, const QString &) override { return true; }
    QString inputText(const QString &, bool) override { return QString(); }
    QString selectFromList(const QString &, const QString &) override { return QStringLiteral("English"); }
    void showError(const QString &message) override { errors.append(message); }
    std::optional<qint32> chooseColor(qint32) override { return std::nullopt; }
    QString openFileName(const QString &, int &, const QString &) override { return QString(); }
    QString saveFileName(const QString &, int &, const QString &) override { return QString(); }
    bool shellOpen(const QString &) override { return true; }
    void showPicture(const QImage &, const QString &) override {}
    QString numberPad(const QString &) override { return QString(); }
    std::optional<int> calendar(int, int) override { return std::nullopt; }

    QStringList errors;
};
