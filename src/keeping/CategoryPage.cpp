#include "keeping/CategoryPage.h"

#include "platform/PictureButton.h"
#include "services/ColorSwatch.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QIcon applyIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 128, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6.5, 12.5), QPointF(13.5, 3.5)}));
    return QIcon(pixmap);
}

// A titled box holding one control.
QGroupBox *boxAround(const char *name, const char *caption, QWidget *content, QWidget *parent)
{
    auto *box = new QGroupBox(QLatin1String(caption), parent);
    box->setObjectName(QLatin1String(name));
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(8, 4, 8, 8);
    content->setParent(box);
    layout->addWidget(content);
    return box;
}

ColorSwatch *makeSwatch(const char *name)
{
    auto *swatch = new ColorSwatch;
    swatch->setObjectName(QLatin1String(name));
    swatch->setFixedHeight(21);
    swatch->setMinimumWidth(57);
    return swatch;
}

} // namespace

CategoryPage::CategoryPage(QWidget *sheet) : QObject(sheet), m_sheet(sheet)
{
    m_propertyBox = new QGroupBox(QStringLiteral("Properties"), sheet);
    m_propertyBox->setObjectName(QStringLiteral("CatPropertyBox"));

    m_catTitleEdit = new QLineEdit;
    m_catTitleEdit->setObjectName(QStringLiteral("CatTitleEdit"));
    m_catColor = makeSwatch("CatColor");
    m_gameTitleColor = makeSwatch("GameTitleColor");
    m_gameListColor = makeSwatch("GameListColor");

    auto *grid = new QGridLayout(m_propertyBox);
    grid->setContentsMargins(8, 6, 8, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    grid->addWidget(boxAround("CatNameBox", "Name", m_catTitleEdit, m_propertyBox), 0, 0, 1, 2);
    grid->addWidget(boxAround("CatColorBox", "Color", m_catColor, m_propertyBox), 1, 0);
    grid->addWidget(boxAround("GameTitleColorBox", "Game title field color", m_gameTitleColor, m_propertyBox), 2, 0);
    grid->addWidget(boxAround("GameListColorBox", "Game list color", m_gameListColor, m_propertyBox), 2, 1);

    m_catApplyButton = new QToolButton(m_propertyBox);
    m_catApplyButton->setObjectName(QStringLiteral("CatApplyButton"));
    m_catApplyButton->setToolTip(QStringLiteral("Apply settings"));
    m_catApplyButton->setAccessibleName(QStringLiteral("Apply settings"));
    m_catApplyButton->setIcon(ThemeIcon("dialog-ok-apply", applyIcon()));
    m_catApplyButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_catApplyButton->setFixedSize(30, 30);
    m_catApplyButton->setFocusPolicy(Qt::StrongFocus);
    m_catApplyButton->setEnabled(false);
    grid->addWidget(m_catApplyButton, 1, 1, Qt::AlignRight | Qt::AlignBottom);
    grid->setColumnMinimumWidth(0, 140);
    grid->setColumnMinimumWidth(1, 140);

    QWidget::setTabOrder(m_catTitleEdit, m_catColor);
    QWidget::setTabOrder(m_catColor, m_gameTitleColor);
    QWidget::setTabOrder(m_gameTitleColor, m_gameListColor);
    QWidget::setTabOrder(m_gameListColor, m_catApplyButton);

    sheet->installEventFilter(this);
    m_propertyBox->installEventFilter(this);
}

void CategoryPage::centrePropertyBox()
{
    const QSize size = m_propertyBox->sizeHint().expandedTo(m_propertyBox->minimumSizeHint());
    m_propertyBox->setGeometry(m_sheet->width() / 2 - size.width() / 2, m_sheet->height() / 2 - size.height() / 2,
                               size.width(), size.height());
}

bool CategoryPage::eventFilter(QObject *watched, QEvent *event)
{
    // The page gets its size when the page control lays it out; a translation changes the box's size.
    if ((watched == m_sheet && event->type() == QEvent::Resize)
        || (watched == m_propertyBox && event->type() == QEvent::LayoutRequest))
        centrePropertyBox();
    return QObject::eventFilter(watched, event);
}
