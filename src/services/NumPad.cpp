#include "services/NumPad.h"

#include "services/TransProg.h"
#include "platform/ElidedText.h"
#include "platform/PictureButton.h"
#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextOption>

namespace {

constexpr int KeyWidth = 41;
constexpr int KeyHeight = 17;
constexpr int KeyColumns[3] = {8, 56, 104};
constexpr int KeyRows[4] = {8, 32, 56, 80};

} // namespace

TNumPadForm::TNumPadForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("NumPadForm"));
    setWindowTitle(QStringLiteral("Enter value:"));
    setFixedSize(169, 164);

    m_numMemo = new QPlainTextEdit(this);
    m_numMemo->setObjectName(QStringLiteral("NumMemo"));
    m_numMemo->setGeometry(7, 4, 154, 21);
    m_numMemo->setReadOnly(true);
    m_numMemo->setFocusPolicy(Qt::StrongFocus);
    m_numMemo->setTabChangesFocus(true);
    m_numMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_numMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_numMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_numMemo->document()->setDocumentMargin(1);
    QTextOption option = m_numMemo->document()->defaultTextOption();
    option.setAlignment(Qt::AlignRight);
    option.setWrapMode(QTextOption::NoWrap);
    m_numMemo->document()->setDefaultTextOption(option);

    m_numMainPanel = new QFrame(this);
    m_numMainPanel->setObjectName(QStringLiteral("NumMainPanel"));
    m_numMainPanel->setGeometry(8, 32, 153, 105);
    m_numMainPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_numMainPanel->setLineWidth(2);

    const auto makeKey = [this](const QString &name, const QString &caption, int column, int row) {
        auto *button = new QPushButton(caption, m_numMainPanel);
        button->setObjectName(name);
        button->setGeometry(KeyColumns[column], KeyRows[row], KeyWidth, KeyHeight);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, &TNumPadForm::KeyButtonClick);
        return button;
    };
    m_digitButtons.resize(10);
    for (int digit = 1; digit <= 9; ++digit)
        m_digitButtons[digit] = makeKey(QStringLiteral("N%1Button").arg(digit), QString::number(digit),
                                        (digit - 1) % 3, (digit - 1) / 3);
    m_digitButtons[0] = makeKey(QStringLiteral("N0Button"), QStringLiteral("0"), 0, 3);
    m_arrowButton = makeKey(QStringLiteral("ArrowButton"), QStringLiteral("<-"), 1, 3);
    m_arrowButton->setToolTip(QStringLiteral("Delete a figure"));
    m_clearButton = makeKey(QStringLiteral("ClearButton"), QStringLiteral("C"), 2, 3);
    m_clearButton->setToolTip(QStringLiteral("Clear input"));

    m_okButton = new QPushButton(ThemeIcon(this, "dialog-ok", QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_okButton->setGeometry(8, 140, 73, 23);
    m_okButton->setAutoDefault(false);
    connect(m_okButton, &QPushButton::clicked, this, &TNumPadForm::OKButtonClick);

    m_cancelButton = new QPushButton(ThemeIcon(this, "dialog-cancel", QStyle::SP_DialogCancelButton),
                                     QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    m_cancelButton->setGeometry(88, 140, 73, 23);
    m_cancelButton->setAutoDefault(false);
    connect(m_cancelButton, &QPushButton::clicked, this, &TNumPadForm::CancelButtonClick);

    // Focus order: the value first, then the keys as they stand, then OK and Cancel.
    QWidget *previous = m_numMemo;
    for (int digit : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}) {
        setTabOrder(previous, m_digitButtons[digit]);
        previous = m_digitButtons[digit];
    }
    for (QWidget *next : {static_cast<QWidget *>(m_arrowButton), static_cast<QWidget *>(m_clearButton),
                          static_cast<QWidget *>(m_okButton), static_cast<QWidget *>(m_cancelButton)}) {
        setTabOrder(previous, next);
        previous = next;
    }
    m_numMemo->setFocus();

    FormCreate();
}

int TNumPadForm::captionRoom(const QPushButton *button, bool withIcon)
{
    const QStyle *look = button->style();
    int room = button->fontMetrics().horizontalAdvance(QString(button->text()).remove(u'&'))
               + 2 * (look->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button) + 2);
    if (withIcon && !button->icon().isNull())
        room += button->iconSize().width() + 4;
    return room;
}

void TNumPadForm::FormCreate()
{
    // Key preview: the window handles its keys before whichever control has the focus.
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
    TranslateForm(this);
    // A translated caption too long for its button beside the picture keeps the text alone,
    // and one too long even then ends in "…" and shows whole in the tooltip.
    for (QPushButton *button : {m_okButton, m_cancelButton}) {
        if (captionRoom(button, true) > button->width())
            button->setIcon(QIcon());
        const int spare = captionRoom(button, false) - button->width();
        if (spare > 0) {
            const QString whole = QString(button->text()).remove(u'&');
            const int room = button->fontMetrics().horizontalAdvance(whole) - spare;
            button->setToolTip(ElidedTip(whole, true, button->toolTip()));
            button->setText(ElideToWidth(button->fontMetrics(), whole, room));
        }
    }
}

QString TNumPadForm::value() const
{
    const QString text = m_numMemo->toPlainText();
    return text.left(text.indexOf(QLatin1Char('\n')));
}

void TNumPadForm::setValue(const QString &value)
{
    qsizetype end = value.indexOf(QLatin1Char('\n'));
    const qsizetype cr = value.indexOf(QLatin1Char('\r'));
    if (cr >= 0 && (end < 0 || cr < end))
        end = cr;
    showValue(value.left(end));
    m_numMemo->selectAll();
}

void TNumPadForm::showValue(const QString &value)
{
    m_numMemo->setPlainText(value);
    m_numMemo->moveCursor(QTextCursor::End);
}

bool TNumPadForm::valueSelected() const
{
    const QTextCursor cursor = m_numMemo->textCursor();
    return cursor.hasSelection() && cursor.selectionStart() == 0 && cursor.selectionEnd() >= value().size();
}

void TNumPadForm::appendDigit(int digit)
{
    const QString typed(QChar(u'0' + digit));
    showValue(valueSelected() ? typed : value() + typed);
}

void TNumPadForm::deleteLastFigure()
{
    const QString current = value();
    showValue(current.isEmpty() ? current : current.chopped(1));
}

void TNumPadForm::clearValue()
{
    m_numMemo->clear();
}

void TNumPadForm::KeyButtonClick()
{
    auto *button = qobject_cast<QPushButton *>(sender());
    if (button == m_clearButton)
        clearValue();
    else if (button == m_arrowButton)
        deleteLastFigure();
    else if (const int digit = int(m_digitButtons.indexOf(button)); digit >= 0)
        appendDigit(digit);
}

void TNumPadForm::OKButtonClick()
{
    accept();
}

void TNumPadForm::CancelButtonClick()
{
    clearValue();
    reject();
}

bool TNumPadForm::FormKeyDown(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        appendDigit(key - Qt::Key_0);
        return true;
    }
    switch (key) {
    case Qt::Key_Backspace:
        deleteLastFigure();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OKButtonClick();
        return true;
    case Qt::Key_Escape:
        CancelButtonClick();
        return true;
    case Qt::Key_C:
        clearValue();
        return true;
    default:
        return false;
    }
}

bool TNumPadForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->window() == this && FormKeyDown(static_cast<QKeyEvent *>(event)->key()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

QString RunNumPad(QWidget *parent, const QString &start)
{
    TNumPadForm pad(parent);
    CenterWindowOn(&pad, parent ? parent->window() : nullptr);
    pad.setValue(start);
    pad.exec();
    return pad.value();
}
