#include "services/MessDlg.h"

#include "services/GradientDialogFrame.h"
#include "store/CommaText.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProxyStyle>
#include <QPushButton>

namespace {

DialogTextSet &dialogTexts()
{
    static DialogTextSet texts;
    return texts;
}

qint32 &gradientStart()
{
    static qint32 color = 0;
    return color;
}

qint32 &gradientEnd()
{
    static qint32 color = 0;
    return color;
}

void fillIfEmpty(QString &text, const char *english)
{
    if (text.isEmpty())
        text = QString::fromLatin1(english);
}

// Shows "*" for every character of a hidden input, whatever the desktop style uses.
class AsteriskPasswordStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Wraps a prompt wider than the input width and returns the prompt's bottom edge.
int placePrompt(GradientDialogFrame &frame, int inputWidth)
{
    QLabel *prompt = frame.messageLabel();
    if (prompt->width() > inputWidth)
        frame.wrapMessage(inputWidth);
    return prompt->y() + prompt->height();
}

constexpr int InputDialogWidth = 300;
constexpr int InputLeft = 10;
constexpr int InputWidth = InputDialogWidth - 30;
constexpr int InputSpacing = 20;
constexpr int ChoiceListHeight = 80;

} // namespace

const DialogTextSet &DialogTexts()
{
    return dialogTexts();
}

void SetDialogTexts(const DialogTextSet &texts)
{
    dialogTexts() = texts;
}

void EnsureDialogTexts()
{
    DialogTextSet &texts = dialogTexts();
    fillIfEmpty(texts.ok, "OK");
    fillIfEmpty(texts.cancel, "Cancel");
    fillIfEmpty(texts.yes, "Yes");
    fillIfEmpty(texts.no, "No");
    fillIfEmpty(texts.information, "Information");
    fillIfEmpty(texts.confirmation, "Confirmation");
    fillIfEmpty(texts.warning, "Warning");
    fillIfEmpty(texts.input, "Input");
}

qint32 GradientStartColor()
{
    return gradientStart();
}

qint32 GradientEndColor()
{
    return gradientEnd();
}

void SetGradientStartColor(qint32 color)
{
    gradientStart() = color;
}

void SetGradientEndColor(qint32 color)
{
    gradientEnd() = color;
}

bool MsgBox(const QString &text, const QString &caption, const QString &kind, QWidget *parent)
{
    EnsureDialogTexts();
    const DialogTextSet &texts = DialogTexts();
    using Frame = GradientDialogFrame;

    // An empty kind is treated like an unknown letter.
    const QChar letter = kind.isEmpty() ? QChar() : kind.at(0).toUpper();
    Frame::Icon icon = Frame::Icon::Information;
    QString title = QStringLiteral("Information");
    QList<Frame::Button> buttons{{QStringLiteral("OKButton"), texts.ok, Frame::OkEnding}};
    if (letter == QLatin1Char('C')) {
        icon = Frame::Icon::Question;
        title = texts.confirmation;
        buttons = {{QStringLiteral("YesButton"), texts.yes, Frame::YesEnding},
                   {QStringLiteral("NoButton"), texts.no, Frame::NoEnding}};
    } else if (letter == QLatin1Char('W')) {
        icon = Frame::Icon::Warning;
        title = texts.warning;
    } else if (letter == QLatin1Char('I')) {
        title = texts.information;
    }

    Frame box(text, icon, buttons, GradientStartColor(), GradientEndColor(), parent);
    box.setWindowTitle(caption.isEmpty() ? title : caption);
    box.setDefaultButton(box.buttons().first());
    box.setCancelButton(box.buttons().last());
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    const int ending = box.exec();
    return ending != Frame::NoEnding && ending != Frame::CancelEnding;
}

QString InputText(const QString &prompt, bool hidden, QWidget *parent)
{
    EnsureDialogTexts();
    const DialogTextSet &texts = DialogTexts();
    using Frame = GradientDialogFrame;

    Frame box(prompt, Frame::Icon::None,
              {{QStringLiteral("OKButton"), texts.ok, Frame::OkEnding},
               {QStringLiteral("CancelButton"), texts.cancel, Frame::CancelEnding}},
              GradientStartColor(), GradientEndColor(), parent);
    box.setWindowTitle(texts.input);
    QPushButton *ok = box.buttons().at(0);
    QPushButton *cancel = box.buttons().at(1);
    box.setDefaultButton(ok);
    box.setCancelButton(cancel);

    auto *edit = new QLineEdit(&box);
    edit->setObjectName(QStringLiteral("InputEdit"));
    if (hidden) {
        auto *style = new AsteriskPasswordStyle;
        style->setParent(edit);
        edit->setStyle(style);
        edit->setEchoMode(QLineEdit::Password);
    }
    const int editTop = placePrompt(box, InputWidth) + InputSpacing;
    edit->setGeometry(InputLeft, editTop, InputWidth, edit->sizeHint().height());

    const int buttonTop = editTop + edit->height() + InputSpacing;
    ok->move(InputDialogWidth / 2 - ok->width() - 10, buttonTop);
    cancel->move(InputDialogWidth / 2 + 10, buttonTop);

    box.setClientSize(QSize(InputDialogWidth, editTop + 100));
    edit->setFocus();

    if (box.exec() == Frame::CancelEnding)
        edit->clear();
    return edit->text();
}

QString SelectFromList(const QString &prompt, const QString &choicesCommaText, QWidget *parent)
{
    EnsureDialogTexts();
    const DialogTextSet &texts = DialogTexts();
    using Frame = GradientDialogFrame;

    Frame box(prompt, Frame::Icon::None, {{QStringLiteral("OKButton"), texts.ok, Frame::OkEnding}},
              GradientStartColor(), GradientEndColor(), parent);
    box.setWindowTitle(texts.input);
    QPushButton *ok = box.buttons().at(0);
    box.setDefaultButton(ok);
    box.setCancelButton(ok);

    auto *list = new QListWidget(&box);
    list->setObjectName(QStringLiteral("ChoiceList"));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->addItems(CommaText::toList(choicesCommaText));
    if (list->count() > 0)
        list->setCurrentRow(0);
    const int listTop = placePrompt(box, InputWidth) + InputSpacing;
    list->setGeometry(InputLeft, listTop, InputWidth, ChoiceListHeight);

    const int listBottom = listTop + ChoiceListHeight;
    ok->move(InputDialogWidth / 2 - ok->width() / 2 - 5, listBottom + InputSpacing);

    box.setClientSize(QSize(InputDialogWidth, listBottom + 80));
    ok->setFocus();

    if (box.exec() != Frame::OkEnding)
        return QString();
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}
