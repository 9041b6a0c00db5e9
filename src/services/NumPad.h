#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QFrame;
class QPlainTextEdit;
class QPushButton;

// The number pad: a small modal window with on-screen keys for typing the points of a record
// as a string of digits, by mouse or keyboard. The first line of NumMemo is the whole result:
// the value as edited after OK, Enter or the close box, the empty text after Cancel or Escape.
//
// The start value shows selected: the first digit replaces it, while Backspace, the arrow key
// and C act on it as on any value. The window sees every key before its focused control:
// Backspace deletes the last figure, Enter closes, Escape cancels, 0 to 9 (main keyboard and
// keypad) append (or replace the selected value), C clears. Modifier keys are not looked at.
class TNumPadForm : public QDialog
{
    Q_OBJECT

public:
    explicit TNumPadForm(QWidget *parent = nullptr);

    // The first line of NumMemo, and setting the start value: its first line, shown selected.
    QString value() const;
    void setValue(const QString &value);

    QPlainTextEdit *numMemo() const { return m_numMemo; }
    QFrame *numMainPanel() const { return m_numMainPanel; }
    QPushButton *digitButton(int digit) const { return m_digitButtons.value(digit); }
    QPushButton *arrowButton() const { return m_arrowButton; }
    QPushButton *clearButton() const { return m_clearButton; }
    QPushButton *okButton() const { return m_okButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void KeyButtonClick();
    void OKButtonClick();
    void CancelButtonClick();

private:
    // The width the button's caption needs, with or without its picture.
    static int captionRoom(const QPushButton *button, bool withIcon);
    void FormCreate();
    bool FormKeyDown(int key);
    // Shows the value with the cursor at its end, nothing selected.
    void showValue(const QString &value);
    // True while the whole value is selected, so that a digit replaces it.
    bool valueSelected() const;
    void appendDigit(int digit);
    void deleteLastFigure();
    void clearValue();

    QPlainTextEdit *m_numMemo = nullptr;
    QFrame *m_numMainPanel = nullptr;
    QList<QPushButton *> m_digitButtons; // index = digit
    QPushButton *m_arrowButton = nullptr;
    QPushButton *m_clearButton = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};

// Creates the pad, centres it on the window (or the screen without one), presets its value
// with start, shows it modally and returns its value (the empty text after Cancel or Escape);
// the pad is destroyed before returning.
QString RunNumPad(QWidget *parent, const QString &start);
