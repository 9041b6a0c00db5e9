#include "support/ScriptedDialogs.h"

#include <QImage>
#include <QTest>

void ScriptedDialogs::ask(const Asked &asked)
{
    m_asked.append(asked);
    if (m_whenAsked)
        m_whenAsked(asked);
}

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
    const Open open(*this);
    ask({QStringLiteral("msgBox"), text, kind + caption});
    if (m_acknowledgeInformation && kind == u"i")
        return true;
    return next(QStringLiteral("msgBox")).toBool();
}

QString ScriptedDialogs::inputText(const QString &prompt, bool)
{
    const Open open(*this);
    ask({QStringLiteral("inputText"), prompt, QString()});
    return next(QStringLiteral("inputText")).toString();
}

QString ScriptedDialogs::selectFromList(const QString &prompt, const QString &choices)
{
    const Open open(*this);
    ask({QStringLiteral("selectFromList"), choices, prompt});
    return next(QStringLiteral("selectFromList")).toString();
}

void ScriptedDialogs::showError(const QString &message)
{
    const Open open(*this);
    ask({QStringLiteral("error"), message, QString()});
}

std::optional<qint32> ScriptedDialogs::chooseColor(qint32 initial)
{
    const Open open(*this);
    ask({QStringLiteral("color"), QString::number(initial), QString()});
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
    const Open open(*this);
    ask({QStringLiteral("open"), filter, initialDir});
    return fileAnswer(QStringLiteral("open"), filterIndex);
}

QString ScriptedDialogs::saveFileName(const QString &filter, int &filterIndex, const QString &initialDir)
{
    const Open open(*this);
    ask({QStringLiteral("save"), filter, initialDir});
    return fileAnswer(QStringLiteral("save"), filterIndex);
}

bool ScriptedDialogs::shellOpen(const QString &target)
{
    ask({QStringLiteral("shell"), target, QString()});
    return m_shellOpens;
}

void ScriptedDialogs::showPicture(const QImage &picture, const QString &title)
{
    ask({QStringLiteral("picture"), title, QStringLiteral("%1 x %2").arg(picture.width()).arg(picture.height())});
}

QString ScriptedDialogs::numberPad(const QString &start)
{
    const Open open(*this);
    ask({QStringLiteral("numberPad"), start, QString()});
    return next(QStringLiteral("numberPad")).toString();
}

std::optional<int> ScriptedDialogs::calendar(int dateNumber, int firstWeekday)
{
    const Open open(*this);
    ask({QStringLiteral("calendar"), QString::number(dateNumber), QString::number(firstWeekday)});
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
