#include "services/TransProg.h"

#include "platform/ProfileFile.h"
#include "platform/RadioGroup.h"
#include "store/AppError.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <QWidget>

#include <memory>

namespace {

QString &activeScriptPath()
{
    static QString path;
    return path;
}

// A script's list value: every "," ends an entry, and a last empty entry does not count.
QStringList splitCommaList(const QString &value)
{
    QStringList entries = value.split(u',');
    if (!entries.isEmpty() && entries.last().isEmpty())
        entries.removeLast();
    return entries;
}

// Looks up the keys of one window; an absent key and an empty value both read as empty.
class WindowScript
{
public:
    WindowScript(std::shared_ptr<const ProfileFile> script, QString section)
        : m_script(std::move(script)), m_section(std::move(section))
    {
    }

    QString text(const QString &key) const { return m_script->readString(m_section, key, QString()); }

private:
    std::shared_ptr<const ProfileFile> m_script;
    QString m_section;
};

QAbstractItemModel *listViewModel(QWidget *widget)
{
    if (auto *tree = qobject_cast<QTreeView *>(widget))
        return tree->model();
    if (auto *table = qobject_cast<QTableView *>(widget))
        return table->model();
    return nullptr;
}

QModelIndex listViewRoot(QWidget *widget)
{
    if (auto *view = qobject_cast<QAbstractItemView *>(widget))
        return view->rootIndex();
    return {};
}

void translateColumns(QWidget *widget, const WindowScript &script, const QString &name)
{
    QAbstractItemModel *model = listViewModel(widget);
    if (!model)
        return;
    const QString value = script.text(name + QStringLiteral(".Columns.Captions"));
    if (value.isEmpty())
        return;
    const QStringList titles = splitCommaList(value);
    const int columns = qMin(int(titles.size()), model->columnCount(listViewRoot(widget)));
    auto *table = qobject_cast<QTableWidget *>(widget);
    for (int column = 0; column < columns; ++column) {
        // A table widget keeps titles in header items and has none until one is set.
        if (table && !table->horizontalHeaderItem(column))
            table->setHorizontalHeaderItem(column, new QTableWidgetItem(titles.at(column)));
        else
            model->setHeaderData(column, Qt::Horizontal, titles.at(column));
    }
}

// The tab widget that shows the widget as one of its pages, if any.
QTabWidget *tabWidgetOfPage(QWidget *widget)
{
    QWidget *stack = widget->parentWidget();
    if (!qobject_cast<QStackedWidget *>(stack))
        return nullptr;
    auto *tabs = qobject_cast<QTabWidget *>(stack->parentWidget());
    return tabs && tabs->indexOf(widget) >= 0 ? tabs : nullptr;
}

void translateCaption(QWidget *widget, const WindowScript &script, const QString &name)
{
    const bool hasCaption = qobject_cast<QLabel *>(widget) || qobject_cast<QAbstractButton *>(widget)
        || qobject_cast<QGroupBox *>(widget) || tabWidgetOfPage(widget);
    if (!hasCaption)
        return;
    const QString caption = script.text(name + QStringLiteral(".Caption"));
    if (caption.isEmpty())
        return;
    if (auto *label = qobject_cast<QLabel *>(widget))
        label->setText(caption);
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        button->setText(caption);
    else if (auto *box = qobject_cast<QGroupBox *>(widget))
        box->setTitle(caption);
    if (QTabWidget *tabs = tabWidgetOfPage(widget))
        tabs->setTabText(tabs->indexOf(widget), caption);
}

// A button whose face is a picture alone; screen readers need a name for it.
bool showsIconOnly(const QAbstractButton *button)
{
    if (button->icon().isNull())
        return false;
    if (const auto *tool = qobject_cast<const QToolButton *>(button))
        if (tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
            return true;
    return button->text().isEmpty();
}

void translateHint(QWidget *widget, const WindowScript &script, const QString &name)
{
    const QString hint = script.text(name + QStringLiteral(".Hint"));
    if (hint.isEmpty())
        return;
    widget->setToolTip(hint);
    if (auto *button = qobject_cast<QAbstractButton *>(widget); button && showsIconOnly(button))
        button->setAccessibleName(hint);
}

void translateItems(QWidget *widget, const WindowScript &script, const QString &name)
{
    auto *combo = qobject_cast<QComboBox *>(widget);
    auto *list = qobject_cast<QListWidget *>(widget);
    auto *radios = qobject_cast<RadioGroup *>(widget);
    if (!combo && !list && !radios)
        return;
    const QString value = script.text(name + QStringLiteral(".Items"));
    if (value.isEmpty())
        return;
    const QStringList entries = splitCommaList(value);
    if (combo) {
        const int selected = combo->currentIndex();
        const int n = qMin(int(entries.size()), combo->count());
        for (int i = 0; i < n; ++i)
            combo->setItemText(i, entries.at(i));
        combo->setCurrentIndex(selected);
    } else if (list) {
        const int n = qMin(int(entries.size()), list->count());
        for (int i = 0; i < n; ++i)
            list->item(i)->setText(entries.at(i));
    } else {
        const int n = qMin(int(entries.size()), radios->count());
        for (int i = 0; i < n; ++i)
            radios->setItemText(i, entries.at(i));
    }
}

void translateLines(QWidget *widget, const WindowScript &script, const QString &name)
{
    auto *rich = qobject_cast<QTextEdit *>(widget);
    auto *plain = qobject_cast<QPlainTextEdit *>(widget);
    if (!rich && !plain)
        return;
    const QString value = script.text(name + QStringLiteral(".Lines"));
    if (value.isEmpty())
        return;
    const QString text = splitCommaList(value).join(u'\n');
    if (rich)
        rich->setPlainText(text);
    else
        plain->setPlainText(text);
}

void translateControl(QWidget *widget, const WindowScript &script)
{
    const QString name = widget->objectName();
    translateColumns(widget, script, name);
    translateCaption(widget, script, name);
    translateHint(widget, script, name);
    translateItems(widget, script, name);
    translateLines(widget, script, name);
}

// Qt names the parts it builds inside its own widgets "qt_..."; they are no controls of ours.
bool isOwnControl(const QWidget *widget)
{
    const QString name = widget->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

// Depth first in creation order. Other windows (dialogs, menus) have their own sections and
// are neither translated nor entered.
void translateChildren(QObject *parent, const WindowScript &script)
{
    const QObjectList children = parent->children(); // a copy: translation may add children
    for (QObject *child : children) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (!widget || widget->isWindow())
            continue;
        if (isOwnControl(widget))
            translateControl(widget, script);
        translateChildren(widget, script);
    }
}

// An error's English format text is the key of its translation in section "Errors"; an error
// box is never empty.
QString errorFormat(const QString &format)
{
    const QString text = LngText(QStringLiteral("Errors"), format);
    return text.isEmpty() ? format : text;
}

} // namespace

QString ActiveScriptPath()
{
    return activeScriptPath();
}

void SetActiveScriptPath(const QString &path)
{
    activeScriptPath() = path;
    AppError::setFormatLookup(&errorFormat);
}

QString LngText(const QString &section, const QString &key)
{
    const QString path = activeScriptPath();
    if (path.isEmpty())
        return key;
    try {
        return ProfileFile::cached(path)->readString(section, key, key);
    } catch (const AppError &) {
        return key;
    }
}

QStringList LngTextInEveryScript(const QString &section, const QString &key)
{
    QStringList texts{key};
    const QString path = activeScriptPath();
    if (path.isEmpty())
        return texts;
    const QDir folder = QFileInfo(path).dir();
    const QStringList scripts = folder.entryList({QStringLiteral("*.lng")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString &script : scripts) {
        try {
            const QString text = ProfileFile::cached(folder.filePath(script))->readString(section, key, key);
            if (!text.isEmpty() && !texts.contains(text))
                texts.append(text);
        } catch (const AppError &) {
            // An unreadable script gives no text.
        }
    }
    return texts;
}

void TranslateForm(QWidget *window)
{
    const QString path = activeScriptPath();
    if (!window || path.isEmpty())
        return;
    std::shared_ptr<const ProfileFile> file;
    try {
        file = ProfileFile::cached(path);
    } catch (const AppError &) {
        return;
    }
    const WindowScript script(file, window->objectName());
    const QString title = script.text(QStringLiteral("Caption"));
    if (!title.isEmpty())
        window->setWindowTitle(title);
    translateChildren(window, script);
}

QString ListDirectory(const QString &directory)
{
    const QDir dir(directory);
    if (directory.isEmpty() || !dir.exists())
        return {};
    const QStringList names = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    QString listing;
    for (const QString &name : names)
        listing += name + QStringLiteral("\r\n");
    return listing;
}

QString NameWithoutExtension(const QString &path)
{
    const QString name = path.mid(path.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}
