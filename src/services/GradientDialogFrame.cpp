#include "services/GradientDialogFrame.h"

#include "services/GradientPicture.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace {

// Margins, spacings and sizes of the layout, in dialog units.
constexpr int MarginUnits = 8;
constexpr int IconTextSpacingUnits = 10;
constexpr int TextButtonSpacingUnits = 10;
constexpr int ButtonHeightUnits = 14;
constexpr int ButtonMinWidthUnits = 50;
constexpr int ButtonSpacingUnits = 4;
constexpr int IconSize = 32;

constexpr int MessageTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

QStyle::StandardPixmap standardPixmapOf(GradientDialogFrame::Icon icon)
{
    switch (icon) {
    case GradientDialogFrame::Icon::Question:
        return QStyle::SP_MessageBoxQuestion;
    case GradientDialogFrame::Icon::Warning:
        return QStyle::SP_MessageBoxWarning;
    case GradientDialogFrame::Icon::Critical:
        return QStyle::SP_MessageBoxCritical;
    case GradientDialogFrame::Icon::Information:
    case GradientDialogFrame::Icon::None:
        break;
    }
    return QStyle::SP_MessageBoxInformation;
}

QScreen *screenFor(const QWidget *widget)
{
    if (widget && widget->screen())
        return widget->screen();
    return QGuiApplication::primaryScreen();
}

} // namespace

GradientDialogFrame::GradientDialogFrame(const QString &text, Icon icon, const QList<Button> &buttons,
                                         qint32 gradientStart, qint32 gradientEnd, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("MessageForm"));
    setFont(QApplication::font("QMessageBox"));
    QPalette colors = palette();
    colors.setColor(QPalette::Window, Qt::white);
    colors.setColor(QPalette::WindowText, Qt::black);
    colors.setColor(QPalette::Text, Qt::black);
    setPalette(colors);

    const QFontMetrics metrics(font());
    m_charWidth = metrics.averageCharWidth();
    m_charHeight = metrics.height();

    // Created first, so it lies behind every other control.
    m_gradient = new GradientPicture(gradientStart, gradientEnd, this);

    const int marginX = horizontalUnits(MarginUnits);
    const int marginY = verticalUnits(MarginUnits);
    int textLeft = marginX;
    int iconHeight = 0;
    if (icon != Icon::None) {
        m_icon = new QLabel(this);
        m_icon->setObjectName(QStringLiteral("IconImage"));
        m_icon->setPixmap(style()->standardIcon(standardPixmapOf(icon), nullptr, this).pixmap(IconSize, IconSize));
        m_icon->setGeometry(marginX, marginY, IconSize, IconSize);
        textLeft += IconSize + horizontalUnits(IconTextSpacingUnits);
        iconHeight = IconSize;
    }

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("MessageText"));
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_message->setMargin(0);
    m_message->setIndent(0);
    m_message->setAutoFillBackground(true);
    m_message->setText(text);
    const QSize textSize = messageSize(screenFor(this)->geometry().width() / 2);
    m_message->setGeometry(QRect(QPoint(textLeft, marginY), textSize));

    const int buttonHeight = verticalUnits(ButtonHeightUnits);
    const int buttonSpacing = horizontalUnits(ButtonSpacingUnits);
    const int buttonPadding = 2 * (style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, this)
                                   + style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this));
    int buttonWidth = horizontalUnits(ButtonMinWidthUnits);
    for (const Button &entry : buttons) {
        const QString shown = QString(entry.text).remove(QLatin1Char('&'));
        buttonWidth = std::max(buttonWidth, metrics.horizontalAdvance(shown) + buttonPadding);
    }
    const int rowWidth = int(buttons.size()) * buttonWidth + std::max(0, int(buttons.size()) - 1) * buttonSpacing;

    const int contentHeight = std::max(textSize.height(), iconHeight);
    const int clientWidth = std::max(textLeft - marginX + textSize.width(), rowWidth) + 2 * marginX;
    const int buttonTop = marginY + contentHeight + verticalUnits(TextButtonSpacingUnits);
    const int clientHeight = buttonTop + buttonHeight + marginY;

    int left = (clientWidth - rowWidth) / 2;
    for (const Button &entry : buttons) {
        auto *button = new QPushButton(entry.text, this);
        button->setObjectName(entry.objectName);
        button->setGeometry(left, buttonTop, buttonWidth, buttonHeight);
        const Ending ending = entry.ending;
        connect(button, &QPushButton::clicked, this, [this, ending] { done(ending); });
        m_buttons.append(button);
        left += buttonWidth + buttonSpacing;
    }
    if (!m_buttons.isEmpty())
        m_buttons.first()->setFocus();

    setClientSize(QSize(clientWidth, clientHeight));
}

int GradientDialogFrame::horizontalUnits(int units) const
{
    return int(std::nearbyint(units * m_charWidth / 4.0));
}

int GradientDialogFrame::verticalUnits(int units) const
{
    return int(std::nearbyint(units * m_charHeight / 8.0));
}

QSize GradientDialogFrame::messageSize(int wrapWidth) const
{
    const QFontMetrics metrics(m_message->font());
    return metrics.boundingRect(QRect(0, 0, wrapWidth, 0), MessageTextFlags, m_message->text()).size();
}

void GradientDialogFrame::wrapMessage(int width)
{
    m_message->resize(messageSize(width));
}

void GradientDialogFrame::setDefaultButton(QPushButton *button)
{
    for (QPushButton *each : std::as_const(m_buttons))
        each->setDefault(each == button);
}

void GradientDialogFrame::setCancelButton(QPushButton *button)
{
    m_cancelButton = button;
}

void GradientDialogFrame::setClientSize(QSize size)
{
    setFixedSize(size);
    m_gradient->setGeometry(rect());
}

void GradientDialogFrame::centerOnScreen()
{
    // The frame's size is known once the window exists, so this runs when it shows.
    const QRect screen = screenFor(this)->geometry();
    const QSize outer = frameGeometry().size();
    move(screen.x() + (screen.width() - outer.width()) / 2, screen.y() + (screen.height() - outer.height()) / 2);
}

void GradientDialogFrame::showEvent(QShowEvent *event)
{
    centerOnScreen();
    QDialog::showEvent(event);
}

QString GradientDialogFrame::clipboardText() const
{
    const QString rule(27, QLatin1Char('-'));
    const QString end = QStringLiteral("\r\n");
    QString buttonLine;
    for (const QPushButton *button : m_buttons)
        buttonLine += button->text().remove(QLatin1Char('&')) + QStringLiteral("   ");
    return rule + end + windowTitle() + end + rule + end + m_message->text() + end + rule + end + buttonLine + end
           + rule + end;
}

void GradientDialogFrame::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        QApplication::beep();
        QGuiApplication::clipboard()->setText(clipboardText());
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Cancel)) {
        if (m_cancelButton)
            m_cancelButton->click();
        else
            reject();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void GradientDialogFrame::resizeEvent(QResizeEvent *event)
{
    m_gradient->setGeometry(rect());
    QDialog::resizeEvent(event);
}
