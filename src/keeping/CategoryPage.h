#pragma once

#include <QObject>

class ColorSwatch;
class QGroupBox;
class QLineEdit;
class QToolButton;
class QWidget;

// The controls of the "Category" page: the category's name and its three colours.
class CategoryPage : public QObject
{
    Q_OBJECT

public:
    // Builds CatPropertyBox on the page.
    explicit CategoryPage(QWidget *sheet);

    QWidget *sheet() const { return m_sheet; }
    QGroupBox *propertyBox() const { return m_propertyBox; }
    QLineEdit *catTitleEdit() const { return m_catTitleEdit; }
    ColorSwatch *catColor() const { return m_catColor; }
    ColorSwatch *gameTitleColor() const { return m_gameTitleColor; }
    ColorSwatch *gameListColor() const { return m_gameListColor; }
    QToolButton *catApplyButton() const { return m_catApplyButton; }

    // CatPropertyBox centred in the page, horizontally and vertically.
    void centrePropertyBox();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_sheet;
    QGroupBox *m_propertyBox = nullptr;
    QLineEdit *m_catTitleEdit = nullptr;
    ColorSwatch *m_catColor = nullptr;
    ColorSwatch *m_gameTitleColor = nullptr;
    ColorSwatch *m_gameListColor = nullptr;
    QToolButton *m_catApplyButton = nullptr;
};
