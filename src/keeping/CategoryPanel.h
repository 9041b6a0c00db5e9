#pragma once

#include "platform/PressableControl.h"

#include <QtGlobal>

// One panel of the category bar: the category's name on the category's colour. A click, or
// Space or Enter while it has the focus, emits clicked().
class CategoryPanel : public PressableControl
{
    Q_OBJECT

public:
    static constexpr int PanelHeight = 16;

    // number: the category 1..5, the panel's place in the bar's tab order + 1.
    CategoryPanel(int number, QWidget *parent = nullptr);

    int number() const { return m_number; }

    // The name shown, text() and the accessible name.
    void setCaption(const QString &caption);
    qint32 colorValue() const { return m_color; }
    void setColorValue(qint32 color);
    bool isBold() const { return font().bold(); }
    void setBold(bool bold);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_number;
    qint32 m_color = 0;
};
