// The shipped English script carries every window text that the German one translates, with the
// program's own English text: after a change of language back to English, no German text of the
// main window may stay behind because the English script lacked its key.

#include "platform/ProfileFile.h"
#include "platform/RadioGroup.h"
#include "support/StartedWindow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

#include <optional>

namespace {

QString dataFile(const QString &relative) { return QStringLiteral(TALLIMO_DATA "/") + relative; }

// The keys of one section of a script, in file order.
QStringList keysOfSection(const QString &path, const QString &section)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList keys;
    bool inSection = false;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(u'['))
            inSection = line == u'[' + section + u']';
        else if (inSection && !line.startsWith(u';') && line.contains(u'='))
            keys.append(line.left(line.indexOf(u'=')));
    }
    return keys;
}

QString joined(const QStringList &entries) { return entries.join(u','); }

// What the control shows for a script key, in the script's form; nothing when the key names no
// text of this control.
std::optional<QString> shownText(QWidget *control, const QString &kind)
{
    if (kind == u"Caption") {
        if (auto *stack = qobject_cast<QStackedWidget *>(control->parentWidget()))
            if (auto *tabs = qobject_cast<QTabWidget *>(stack->parentWidget()); tabs && tabs->indexOf(control) >= 0)
                return tabs->tabText(tabs->indexOf(control));
        if (auto *label = qobject_cast<QLabel *>(control))
            return label->text();
        if (auto *button = qobject_cast<QAbstractButton *>(control))
            return button->text();
        if (auto *box = qobject_cast<QGroupBox *>(control))
            return box->title();
        return std::nullopt;
    }
    if (kind == u"Hint")
        return control->toolTip();
    if (kind == u"Items") {
        QStringList items;
        if (auto *combo = qobject_cast<QComboBox *>(control))
            for (int i = 0; i < combo->count(); ++i)
                items.append(combo->itemText(i));
        else if (auto *list = qobject_cast<QListWidget *>(control))
            for (int i = 0; i < list->count(); ++i)
                items.append(list->item(i)->text());
        else if (auto *radios = qobject_cast<RadioGroup *>(control))
            items = radios->items();
        else
            return std::nullopt;
        return joined(items);
    }
    if (kind == u"Lines") {
        if (auto *rich = qobject_cast<QTextEdit *>(control))
            return joined(rich->toPlainText().split(u'\n'));
        if (auto *plain = qobject_cast<QPlainTextEdit *>(control))
            return joined(plain->toPlainText().split(u'\n'));
        return std::nullopt;
    }
    if (kind == u"Columns.Captions") {
        auto *view = qobject_cast<QAbstractItemView *>(control);
        if (!view || !view->model())
            return std::nullopt;
        QStringList titles;
        for (int column = 0; column < view->model()->columnCount(view->rootIndex()); ++column)
            titles.append(view->model()->headerData(column, Qt::Horizontal).toString());
        return joined(titles);
    }
    return std::nullopt;
}

} // namespace

class EnglishWindowTextsTest : public QObject
{
    Q_OBJECT

private slots:
    void englishScriptGivesTheBuiltInTextForEveryGermanKey();
};

void EnglishWindowTextsTest::englishScriptGivesTheBuiltInTextForEveryGermanKey()
{
    // No script in the program folder: the window shows its built-in English texts.
    TempProgramDir dir;
    StartedWindow s(dir);
    const ProfileFile english(dataFile(QStringLiteral("LScripts/English.lng")));
    const QString section = s.form->objectName();
    const QStringList keys = keysOfSection(dataFile(QStringLiteral("LScripts/German.lng")), section);
    QVERIFY(keys.size() > 50);

    QStringList wrong;
    for (const QString &key : keys) {
        const bool columns = key.endsWith(QStringLiteral(".Columns.Captions"));
        const int split = columns ? key.size() - int(qstrlen(".Columns.Captions")) : key.lastIndexOf(u'.');
        const QString name = key.left(split);
        const QString kind = key.mid(split + 1);
        auto *control = s.form->findChild<QWidget *>(name);
        if (!control)
            continue; // a key for a control the window does not have translates nothing
        const std::optional<QString> shown = shownText(control, kind);
        QVERIFY2(shown, qPrintable(QStringLiteral("%1 shows no text of the kind %2").arg(name, kind)));
        if (english.readString(section, key, QStringLiteral("<absent>")) != *shown)
            wrong.append(key + u'=' + *shown);
    }
    for (const QString &line : std::as_const(wrong))
        qInfo().noquote() << "English.lng lacks or differs:" << line;
    QCOMPARE(wrong.size(), 0);
}

QTEST_MAIN(EnglishWindowTextsTest)
#include "test_english_window_texts.moc"
