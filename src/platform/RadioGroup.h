#pragma once

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

// A framed group of radio buttons given as a list of items and laid out in columns, filled
// column by column. At most one item is selected; itemIndex() is -1 when none is.
// The buttons are exclusive among themselves: arrow keys move between them and select.
class RadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    explicit RadioGroup(QWidget *parent = nullptr);
    explicit RadioGroup(const QString &title, QWidget *parent = nullptr);

    int columns() const { return m_columns; }
    // At least one column.
    void setColumns(int columns);

    QStringList items() const;
    // Replaces all buttons by one per item; no item is selected afterwards.
    void setItems(const QStringList &items);
    // Changes the text of one item; an index out of range does nothing.
    void setItemText(int index, const QString &text);
    QString itemText(int index) const;
    int count() const { return int(m_buttons.size()); }

    int itemIndex() const;
    // Selects the item; -1 or an index out of range clears the selection. Emits no clicked().
    void setItemIndex(int index);

    // The button of an item, for focus and tests; null out of range.
    QRadioButton *button(int index) const;

signals:
    // The user picked the item, by mouse or keyboard.
    void clicked(int index);

private:
    void arrange();

    QGridLayout *m_layout;
    QButtonGroup *m_group;
    QList<QRadioButton *> m_buttons;
    int m_columns = 1;
};
