#include "platform/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

RadioGroup::RadioGroup(QWidget *parent) : RadioGroup(QString(), parent) {}

RadioGroup::RadioGroup(const QString &title, QWidget *parent)
    : QGroupBox(title, parent), m_layout(new QGridLayout(this)), m_group(new QButtonGroup(this))
{
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idClicked, this, &RadioGroup::clicked);
}

void RadioGroup::setColumns(int columns)
{
    columns = qMax(1, columns);
    if (columns == m_columns)
        return;
    m_columns = columns;
    arrange();
}

QStringList RadioGroup::items() const
{
    QStringList texts;
    texts.reserve(m_buttons.size());
    for (const QRadioButton *button : m_buttons)
        texts.append(button->text());
    return texts;
}

void RadioGroup::setItems(const QStringList &items)
{
    for (QRadioButton *button : std::as_const(m_buttons)) {
        m_group->removeButton(button);
        delete button;
    }
    m_buttons.clear();
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i), this);
        m_group->addButton(button, i);
        m_buttons.append(button);
    }
    arrange();
}

void RadioGroup::setItemText(int index, const QString &text)
{
    if (QRadioButton *b = button(index))
        b->setText(text);
}

QString RadioGroup::itemText(int index) const
{
    const QRadioButton *b = button(index);
    return b ? b->text() : QString();
}

int RadioGroup::itemIndex() const
{
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QRadioButton *b = button(index)) {
        b->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; lift that while clearing.
    m_group->setExclusive(false);
    for (QRadioButton *each : std::as_const(m_buttons))
        each->setChecked(false);
    m_group->setExclusive(true);
}

QRadioButton *RadioGroup::button(int index) const
{
    return index >= 0 && index < m_buttons.size() ? m_buttons.at(index) : nullptr;
}

void RadioGroup::arrange()
{
    for (QRadioButton *button : std::as_const(m_buttons))
        m_layout->removeWidget(button);
    const int rows = (count() + m_columns - 1) / m_columns;
    for (int i = 0; i < count(); ++i)
        m_layout->addWidget(m_buttons.at(i), i % rows, i / rows);
    for (int c = 0; c < m_layout->columnCount(); ++c)
        m_layout->setColumnStretch(c, c < m_columns ? 1 : 0);
    // Tab reaches the group in item order.
    for (int i = 1; i < count(); ++i)
        setTabOrder(m_buttons.at(i - 1), m_buttons.at(i));
}
