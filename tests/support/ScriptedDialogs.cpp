#include "support/ScriptedDialogs.h"

#include <QTest>

QVariant ScriptedDialogs::next(const QString &dialog)
{
    if (m_answers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected %1: %2").arg(dialog, m_asked.isEmpty() ? QString() : m_asked.last().text)),
                     __FILE__, __LINE__);
        return QVariant();
    }
    return m_answers.dequeue();
}

bool ScriptedDialogs::msgBox(const QString &text, const QString &caption, const QString &kind)
{
    m_asked.append({QStringLiteral("msgBox"), text, kind + caption});
    if (m_acknowledgeInformation && kind == u"i")
        return true;
    return next(QStringLiteral("msgBox")).toBool();
}

QString ScriptedDialogs::inputText(const QString &prompt, bool)
{
    m_asked.append({QStringLiteral("inputText"), prompt, QString()});
    return next(QStringLiteral("inputText")).toString();
}

QString ScriptedDialogs::selectFromList(const QString &prompt, const QString &choices)
{
    m_asked.append({QStringLiteral("selectFromList"), choices, prompt});
    return next(QStringLiteral("selectFromList")).toString();
}

void ScriptedDialogs::showError(const QString &message)
{
    m_asked.append({QStringLiteral("error"), message, QString()});
}

std::optional<qint32> ScriptedDialogs::chooseColor(qint32 initial)
{
    m_asked.append({QStringLiteral("color"), QString::number(initial), QString()});
    const QVariant value = next(QStringLiteral("color"));
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    return value.toInt();
}

QString ScriptedDialogs::fileAnswer(const QString &dialog, int &filterIndex)
{
    const QStringList value = next(dialog).toStringList();
    if (value.size() < 2 || value[0].isEmpty())
        return QString();
    filterIndex = value[1].toInt();
    return value[0];
}

QString ScriptedDialogs::openFileName(const QString &filter, int &filterIndex, const QString &initialDir)
{
    m_asked.append({QStringLiteral("open"), filter, initialDir});
    return fileAnswer(QStringLiteral("open"), filterIndex);
}

QString ScriptedDialogs::saveFileName(const QString &filter, int &filterIndex, const QString &initialDir)
{
    m_asked.append({QStringLiteral("save"), filter, initialDir});
    return fileAnswer(QStringLiteral("save"), filterIndex);
}

void ScriptedDialogs::shellOpen(const QString &target)
{
    m_asked.append({QStringLiteral("shell"), target, QString()});
}

QString ScriptedDialogs::numberPad(const QString &start)
{
    m_asked.append({QStringLiteral("numberPad"), start, QString()});
    return next(QStringLiteral("numberPad")).toString();
}

std::optional<int> ScriptedDialogs::calendar(int dateNumber, int firstWeekday)
{
    m_asked.append({QStringLiteral("calendar"), QString::number(dateNumber), QString::number(firstWeekday)});
    const QVariant value = next(QStringLiteral("calendar"));
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    return value.toInt();
}

QStringList ScriptedDialogs::errors() const
{
    QStringList list;
    for (const Asked &a : m_asked)
        if (a.dialog == QLatin1String("error"))
            list.append(a.text);
    return list;
}

QStringList ScriptedDialogs::messages() const
{
    QStringList list;
    for (const Asked &a : m_asked)
        if (a.dialog == QLatin1String("msgBox"))
            list.append(a.text);
    return list;
}

QList<ScriptedDialogs::Asked> ScriptedDialogs::askedOf(const QString &dialog) const
{
    QList<Asked> list;
    for (const Asked &a : m_asked)
        if (a.dialog == dialog)
            list.append(a);
    return list;
}
