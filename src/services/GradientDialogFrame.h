#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QtGlobal>

class GradientPicture;
class QLabel;
class QPushButton;

// The shared look of the program's own dialogs: the layout of a standard message box in
// dialog units of the message font (icon, text on a white box of its own, a centred row of
// buttons), a gradient behind everything, black text, centred on the screen when shown.
//
// Each button ends the dialog with its own ending; Enter clicks the default button, Escape
// the cancel button, and the close box ends it with CancelEnding. Ctrl+C beeps and copies
// the dialog's texts to the clipboard.
class GradientDialogFrame : public QDialog
{
    Q_OBJECT

public:
    enum Ending { CancelEnding = QDialog::Rejected, OkEnding, YesEnding, NoEnding };
    enum class Icon { None, Question, Warning, Information, Critical };

    struct Button
    {
        QString objectName;
        QString text;
        Ending ending;
    };

    GradientDialogFrame(const QString &text, Icon icon, const QList<Button> &buttons, qint32 gradientStart,
                        qint32 gradientEnd, QWidget *parent = nullptr);

    QLabel *messageLabel() const { return m_message; }
    QLabel *iconLabel() const { return m_icon; }
    const QList<QPushButton *> &buttons() const { return m_buttons; }
    GradientPicture *gradientPicture() const { return m_gradient; }

    void setDefaultButton(QPushButton *button);
    void setCancelButton(QPushButton *button);
    QPushButton *cancelButton() const { return m_cancelButton; }

    // Dialog units of the message font in pixels, rounded.
    int horizontalUnits(int units) const;
    int verticalUnits(int units) const;

    // The message text wrapped into the given width; the label is placed at its old top left.
    void wrapMessage(int width);

    // Fixes the client size; the gradient follows it.
    void setClientSize(QSize size);


    // What Ctrl+C copies: title, message and button texts between lines of hyphens, CR LF ends.
    QString clipboardText() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Centres the whole window, frame included, on its screen.
    void centerOnScreen();
    QSize messageSize(int wrapWidth) const;

    QLabel *m_message = nullptr;
    QLabel *m_icon = nullptr;
    GradientPicture *m_gradient = nullptr;
    QList<QPushButton *> m_buttons;
    QPushButton *m_cancelButton = nullptr;
    double m_charWidth = 0;
    double m_charHeight = 0;
};
