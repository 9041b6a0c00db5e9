#include "keeping/RecordsPage.h"

#include "keeping/RecordListModel.h"
#include "platform/ColorValue.h"
#include "platform/Dialogs.h"
#include "platform/ElidedText.h"
#include "platform/PictureButton.h"
#include "platform/PictureCodec.h"
#include "store/ProgressSteps.h"
#include "services/ListCsvExport.h"
#include "platform/SharedFileDialog.h"
#include "services/TransProg.h"
#include "store/AppError.h"
#include "store/CommaText.h"
#include "store/DataTree.h"
#include "store/LineText.h"
#include "store/DateNumber.h"
#include "store/PictureStore.h"
#include "store/Points.h"

#include <QApplication>
#include <QDate>
#include <QEvent>
#include <QGroupBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QStyleOptionFrame>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>
#include <utility>
#include <optional>

namespace {

constexpr int PointsColumnWidth = 100;
constexpr int DateColumnWidth = 100;
// Room the list keeps beside the comment column: the two number columns, frame and scroll bar.
constexpr int CommentColumnSpare = 220;

QString messages(const char *key)
{
    return LngText(QStringLiteral("Messages"), QLatin1String(key));
}

} // namespace

RecordsPage::RecordsPage(PageContext &context, QWidget *parent)
    : QWidget(parent), m_ctx(context), m_titleColor(ColorValue::TooltipBackground)
{
    setObjectName(QStringLiteral("RecordsSheet"));
    build();
    retranslateColumns();
    setTitleColor(m_titleColor);
    FillDisplayList();
    updateRecordButtons();
    // Every save takes a comment typed but not yet confirmed.
    connect(&m_ctx.session, &PlayerSession::aboutToSave, this, [this] { m_ctx.run([this] { keepEditedComment(); }); });
}

RecordsPage::~RecordsPage()
{
    // The controls outlive this object's own part; nothing of theirs may reach back into it.
    m_model->setLineColors(nullptr);
    m_displayRecView->viewport()->removeEventFilter(this);
    m_displayRecView->removeEventFilter(this);
    m_enterBox->removeEventFilter(this);
    for (QObject *child : findChildren<QObject *>())
        disconnect(child, nullptr, this, nullptr);
}

void RecordsPage::build()
{
    // Title and picture on top, the record list beside the game comment, the entry fields below:
    // the page stays usable at the window's designed size.
    auto *pageLayout = new QVBoxLayout(this);
    pageLayout->setContentsMargins(4, 4, 4, 4);
    pageLayout->setSpacing(4);
    auto *topRow = new QHBoxLayout;
    pageLayout->addLayout(topRow);
    auto *middleRow = new QHBoxLayout;
    pageLayout->addLayout(middleRow, 1);

    auto *titleBox = new QGroupBox(QStringLiteral("Title"), this);
    titleBox->setObjectName(QStringLiteral("TitleBox"));
    auto *titleLayout = new QVBoxLayout(titleBox);
    // A long name ends in "…" and shows whole in the tooltip.
    m_titelPanel = new ElidingLabel(titleBox);
    m_titelPanel->setObjectName(QStringLiteral("TitelPanel"));
    m_titelPanel->setAutoFillBackground(true);
    m_titelPanel->setAlignment(Qt::AlignCenter);
    m_titelPanel->setFrameShape(QFrame::StyledPanel);
    m_titelPanel->setMinimumHeight(32);
    QFont titleFont = m_titelPanel->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    m_titelPanel->setFont(titleFont);
    titleLayout->addWidget(m_titelPanel);
    topRow->addWidget(titleBox, 1, Qt::AlignTop);

    m_pictureBox = new QGroupBox(QStringLiteral("Picture"), this);
    m_pictureBox->setObjectName(QStringLiteral("PictureBox"));
    auto *pictureLayout = new QHBoxLayout(m_pictureBox);
    m_gameImage = new QLabel(m_pictureBox);
    m_gameImage->setObjectName(QStringLiteral("GameImage"));
    m_gameImage->setAlignment(Qt::AlignCenter);
    m_gameImage->setFixedSize(96, 72);
    m_gameImage->hide();
    pictureLayout->addWidget(m_gameImage);
    auto *pictureButtons = new QVBoxLayout;
    m_openPicButton = MakePictureButton(m_pictureBox, QStringLiteral("OpenPicButton"), QStringLiteral("Open picture"),
                                 ThemeIcon(this, "document-open", QStyle::SP_DialogOpenButton));
    m_fullSizeButton = MakePictureButton(m_pictureBox, QStringLiteral("FullSizeButton"), QStringLiteral("Show fullsize picture"),
                                  ThemeIcon(this, "zoom-original", QStyle::SP_TitleBarMaxButton));
    pictureButtons->addWidget(m_openPicButton);
    pictureButtons->addWidget(m_fullSizeButton);
    pictureButtons->addStretch();
    pictureLayout->addLayout(pictureButtons);
    topRow->addWidget(m_pictureBox);

    auto *commentBox = new QGroupBox(QStringLiteral("Game Comment"), this);
    commentBox->setObjectName(QStringLiteral("GameCommentBox"));
    auto *commentLayout = new QVBoxLayout(commentBox);
    m_gameCommentMemo = new QPlainTextEdit(commentBox);
    m_gameCommentMemo->setObjectName(QStringLiteral("GameCommentMemo"));
    m_gameCommentMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_gameCommentMemo->setMinimumHeight(40);
    m_gameCommentMemo->setTabChangesFocus(true);
    m_gameCommentMemo->setAccessibleName(QStringLiteral("Game Comment"));
    commentLayout->addWidget(m_gameCommentMemo);
    m_gameCommentAddButton = MakePictureButton(commentBox, QStringLiteral("GameCommentAddButton"), QStringLiteral("Add comment"),
                                        ThemeIcon(this, "document-save", QStyle::SP_DialogApplyButton));
    commentLayout->addWidget(m_gameCommentAddButton, 0, Qt::AlignRight);
    // placed beside the record list below

    auto *listBox = new QGroupBox(QStringLiteral("Record list"), this);
    listBox->setObjectName(QStringLiteral("RecordListBox"));
    auto *listLayout = new QHBoxLayout(listBox);
    m_displayRecView = new QTreeView(listBox);
    m_displayRecView->setObjectName(QStringLiteral("DisplayRecView"));
    m_displayRecView->setAccessibleName(QStringLiteral("Record list"));
    m_model = new RecordListModel([this] { return m_ctx.lineColors(); }, m_displayRecView);
    m_displayRecView->setModel(m_model);
    m_displayRecView->setRootIsDecorated(false);
    m_displayRecView->setItemsExpandable(false);
    m_displayRecView->setUniformRowHeights(true);
    m_displayRecView->setAllColumnsShowFocus(true);
    m_displayRecView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_displayRecView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_displayRecView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_displayRecView->setSortingEnabled(false);
    QHeaderView *header = m_displayRecView->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setMinimumSectionSize(0);
    header->resizeSection(RecordListModel::EmptyColumn, 0);
    header->hideSection(RecordListModel::EmptyColumn);
    header->resizeSection(RecordListModel::PointsColumn, PointsColumnWidth);
    header->resizeSection(RecordListModel::DateColumn, DateColumnWidth);
    m_displayRecView->installEventFilter(this);
    listLayout->addWidget(m_displayRecView, 1);
    auto *listButtons = new QGridLayout;
    m_recDeleteButton = MakePictureButton(listBox, QStringLiteral("RecDeleteButton"), QStringLiteral("Delete entry"),
                                   ThemeIcon(this, "edit-delete", QStyle::SP_TrashIcon));
    m_recPrintPreviewButton = MakePictureButton(listBox, QStringLiteral("RecPrintPreviewButton"), QStringLiteral("Print preview"),
                                         ThemeIcon(this, "document-print-preview", QStyle::SP_FileDialogContentsView));
    m_recPrintButton = MakePictureButton(listBox, QStringLiteral("RecPrintButton"), QStringLiteral("Print"),
                                  ThemeIcon(this, "document-print", QStyle::SP_DriveFDIcon));
    m_recListExpCsvButton = MakePictureButton(listBox, QStringLiteral("RecListExpCSVButton"), QStringLiteral("Export list to CSV file"),
                                       ThemeIcon(this, "document-export", QStyle::SP_DialogSaveButton));
    listButtons->addWidget(m_recDeleteButton, 0, 0);
    listButtons->addWidget(m_recPrintPreviewButton, 1, 0);
    listButtons->addWidget(m_recPrintButton, 0, 1);
    listButtons->addWidget(m_recListExpCsvButton, 1, 1);
    listButtons->setRowStretch(2, 1);
    listLayout->addLayout(listButtons);
    middleRow->addWidget(listBox, 5);
    middleRow->addWidget(commentBox, 2);

    // The entry fields sit side by side under their labels; the comment field takes what is left.
    m_enterBox = new QGroupBox(QStringLiteral("Enter data"), this);
    m_enterBox->setObjectName(QStringLiteral("EnterBox"));
    m_pointsLabel = new QLabel(QStringLiteral("&Points:"), m_enterBox);
    m_pointsLabel->setObjectName(QStringLiteral("PointsLabel"));
    m_pointsEdit = new QLineEdit(m_enterBox);
    m_pointsEdit->setObjectName(QStringLiteral("PointsEdit"));
    m_pointsEdit->setReadOnly(true);
    m_pointsEdit->setAlignment(Qt::AlignRight);
    m_pointsEdit->setAccessibleName(QStringLiteral("Points"));
    m_pointsLabel->setBuddy(m_pointsEdit);
    m_numEditButton = MakePictureButton(m_enterBox, QStringLiteral("NumEditButton"), QStringLiteral("Enter number"),
                                 ThemeIcon(this, "accessories-calculator", QStyle::SP_FileDialogDetailedView));
    m_dateLabel = new QLabel(QStringLiteral("&Date:"), m_enterBox);
    m_dateLabel->setObjectName(QStringLiteral("DateLabel"));
    m_dateDisplayEdit = new QLineEdit(m_enterBox);
    m_dateDisplayEdit->setObjectName(QStringLiteral("DateDisplayEdit"));
    m_dateDisplayEdit->setReadOnly(true);
    m_dateDisplayEdit->setAlignment(Qt::AlignRight);
    m_dateDisplayEdit->setAccessibleName(QStringLiteral("Date"));
    m_dateLabel->setBuddy(m_dateDisplayEdit);
    m_dateNumberEdit = new QLineEdit(m_enterBox);
    m_dateNumberEdit->setObjectName(QStringLiteral("DateNumberEdit"));
    m_dateNumberEdit->setReadOnly(true);
    m_dateNumberEdit->hide();
    m_dateEditButton = MakePictureButton(m_enterBox, QStringLiteral("DateEditButton"), QStringLiteral("Enter date"),
                                  ThemeIcon(this, "x-office-calendar", QStyle::SP_FileDialogInfoView));
    m_commentLabel = new QLabel(QStringLiteral("&Comment:"), m_enterBox);
    m_commentLabel->setObjectName(QStringLiteral("CommentLabel"));
    m_recCommentEdit = new QLineEdit(m_enterBox);
    m_recCommentEdit->setObjectName(QStringLiteral("RecCommentEdit"));
    m_recCommentEdit->setAccessibleName(QStringLiteral("Comment"));
    m_commentLabel->setBuddy(m_recCommentEdit);
    m_recordAddButton = MakePictureButton(m_enterBox, QStringLiteral("RecordAddButton"), QStringLiteral("Add entry"),
                                   ThemeIcon(this, "list-add", QStyle::SP_ArrowDown));
    m_recordChangeButton = MakePictureButton(m_enterBox, QStringLiteral("RecordChangeButton"), QStringLiteral("Change entry"),
                                      ThemeIcon(this, "document-edit", QStyle::SP_BrowserReload));
    // Left to right, as the fields stand.
    QWidget *previous = m_pointsEdit;
    for (QWidget *next : std::initializer_list<QWidget *>{m_numEditButton, m_dateDisplayEdit, m_dateEditButton,
                                                          m_recCommentEdit, m_recordAddButton, m_recordChangeButton}) {
        setTabOrder(previous, next);
        previous = next;
    }
    const int rowHeight = qMax(m_pointsEdit->sizeHint().height(), 26);
    m_enterBox->setFixedHeight(rowHeight + m_pointsLabel->sizeHint().height() + m_enterBox->fontMetrics().height() + 26);
    m_enterBox->setMinimumWidth(entrySpare(pointsFieldWidth(), dateFieldWidth()) + 60);
    m_enterBox->installEventFilter(this);
    m_pointsEdit->installEventFilter(this);
    m_dateDisplayEdit->installEventFilter(this);
    pageLayout->addWidget(m_enterBox);

    // Keyboard access: Ctrl+Enter adds the record from anywhere on the page, Delete in the
    // record list deletes the selected record after the question, as the buttons do.
    for (const QKeySequence &keys : {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto *add = new QShortcut(keys, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(add, &QShortcut::activated, m_recordAddButton, &QToolButton::click);
    }
    auto *remove = new QShortcut(QKeySequence::Delete, m_displayRecView, nullptr, nullptr, Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, m_recDeleteButton, &QToolButton::click);

    ConnectHandler(m_numEditButton, &QToolButton::clicked, this, m_ctx, [this] { NumEditButtonClick(); });
    ConnectHandler(m_dateEditButton, &QToolButton::clicked, this, m_ctx, [this] { DateEditButtonClick(); });
    ConnectHandler(m_recordAddButton, &QToolButton::clicked, this, m_ctx, [this] { RecordAddButtonClick(); });
    ConnectHandler(m_recordChangeButton, &QToolButton::clicked, this, m_ctx, [this] { RecordChangeButtonClick(); });
    ConnectHandler(m_recDeleteButton, &QToolButton::clicked, this, m_ctx, [this] { RecDeleteButtonClick(); });
    ConnectHandler(m_gameCommentAddButton, &QToolButton::clicked, this, m_ctx, [this] { GameCommentAddButtonClick(); });
    connect(m_recCommentEdit, &QLineEdit::returnPressed, this, [this] {
        if (canAdd())
            m_ctx.run([this] { RecordAddButtonClick(); });
    });
    connect(m_openPicButton, &QToolButton::clicked, this, &RecordsPage::openPictureRequested);
    connect(m_fullSizeButton, &QToolButton::clicked, this, &RecordsPage::fullSizeRequested);
    connect(m_recPrintPreviewButton, &QToolButton::clicked, this, &RecordsPage::printPreviewRequested);
    connect(m_recPrintButton, &QToolButton::clicked, this, &RecordsPage::printRequested);
    ConnectHandler(m_recListExpCsvButton, &QToolButton::clicked, this, m_ctx, [this] { RecListExpCSVButtonClick(); });

    // textChanged comes only when a text really differs.
    for (QLineEdit *edit : {m_pointsEdit, m_dateDisplayEdit, m_dateNumberEdit})
        connect(edit, &QLineEdit::textChanged, this, [this] { emit buttonsChanged(); });
    connect(m_gameCommentMemo, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = m_gameCommentMemo->toPlainText();
        if (text == m_lastMemoText)
            return;
        m_lastMemoText = text;
        emit buttonsChanged();
    });

    // A click and a selection made with the keyboard both load the record.
    // A click that changed the selection has loaded the record already.
    m_displayRecView->viewport()->installEventFilter(this);
    connect(m_displayRecView, &QTreeView::clicked, this, [this] {
        if (std::exchange(m_loadedByPress, false))
            return;
        m_ctx.run([this] { DisplayRecViewClick(); });
    });
    connect(m_displayRecView->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (m_selecting)
            return;
        m_loadedByPress = m_pressing;
        m_ctx.run([this] { DisplayRecViewClick(); });
    });
}

bool RecordsPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_displayRecView->viewport()) {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            m_loadedByPress = false;
            m_pressing = true;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            m_pressing = false;
        }
    }
    if (event->type() == QEvent::KeyPress && (watched == m_pointsEdit || watched == m_dateDisplayEdit)) {
        // The read-only fields open their dialog as a drop-down does: F4, Alt+Down, Enter or Space.
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        const bool opens = (modifiers == Qt::NoModifier
                            && (key->key() == Qt::Key_F4 || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter
                                || key->key() == Qt::Key_Space))
            || (modifiers == Qt::AltModifier && key->key() == Qt::Key_Down);
        if (opens) {
            (watched == m_pointsEdit ? m_numEditButton : m_dateEditButton)->click();
            return true;
        }
    }
    if (event->type() == QEvent::Resize) {
        if (watched == m_displayRecView)
            m_displayRecView->header()->resizeSection(RecordListModel::CommentColumn,
                                                      qMax(0, m_displayRecView->width() - CommentColumnSpare));
        else if (watched == m_enterBox)
            layoutEnterBox();
    }
    return QWidget::eventFilter(watched, event);
}

int RecordsPage::lineEditWidth(const QLineEdit *edit, const QString &text)
{
    // The text, the edit's inner margins and the cursor, inside the style's frame.
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    option.features = QStyleOptionFrame::None;
    const QMargins margins = edit->textMargins();
    const QSize content(edit->fontMetrics().horizontalAdvance(text) + margins.left() + margins.right() + 2 * 2 + 2,
                        edit->fontMetrics().height());
    return edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, content, edit).width();
}

namespace {
constexpr int PointsFieldDigits = 12;
} // namespace

int RecordsPage::pointsFieldWidth() const
{
    // Twelve digits hold any real score and leave the comment field its room; a longer value
    // scrolls in the field.
    return qMax(64, lineEditWidth(m_pointsEdit, QString(PointsFieldDigits, u'9')));
}

int RecordsPage::dateFieldWidth() const
{
    // The widest date the short format gives: every month, on a two-digit day, in a four-digit year.
    int widest = 0;
    const int year = qMax(2000, QDate::currentDate().year());
    for (int month = 1; month <= 12; ++month)
        widest = qMax(widest, lineEditWidth(m_dateDisplayEdit, DateNumber::shortText(QDate(year, month, 28))));
    return qMax(76, widest);
}

int RecordsPage::entrySpare(int pointsWidth, int dateWidth) const
{
    // Everything beside the comment field: margins, both number fields, the four buttons, the gaps.
    const int button = m_numEditButton->minimumWidth();
    return 8 + pointsWidth + 2 + button + 4 + dateWidth + 2 + button + 4 + 4 + button + 2 + button + 8;
}

void RecordsPage::layoutEnterBox()
{
    const QRect area = m_enterBox->contentsRect();
    const int height = qMax(m_pointsEdit->sizeHint().height(), 26);
    const int labelHeight = m_pointsLabel->sizeHint().height();
    const int labelTop = area.top() + qMax(0, (area.height() - height - labelHeight) / 2);
    const int top = labelTop + labelHeight;
    int x = 8;
    auto place = [&](QWidget *widget, int width, int gapAfter) {
        widget->setGeometry(x, top, width, height);
        x += width + gapAfter;
    };
    auto label = [&](QLabel *label, int width) { label->setGeometry(x, labelTop, width, labelHeight); };
    const int pointsWidth = pointsFieldWidth();
    const int dateWidth = dateFieldWidth();
    const int button = m_numEditButton->minimumWidth(); // the picture buttons are of fixed size
    label(m_pointsLabel, pointsWidth + 2 + button);
    place(m_pointsEdit, pointsWidth, 2);
    place(m_numEditButton, button, 4);
    m_dateNumberEdit->setGeometry(x, top, dateWidth, height);
    label(m_dateLabel, dateWidth + 2 + button);
    place(m_dateDisplayEdit, dateWidth, 2);
    place(m_dateEditButton, button, 4);
    const int commentWidth = qMax(40, m_enterBox->width() - entrySpare(pointsWidth, dateWidth));
    // Over a narrow comment field the label takes the room above the buttons too.
    label(m_commentLabel, qMax(commentWidth, qMin(m_commentLabel->sizeHint().width(), m_enterBox->width() - x - 8)));
    place(m_recCommentEdit, commentWidth, 4);
    place(m_recordAddButton, button, 2);
    place(m_recordChangeButton, button, 0);
}

void RecordsPage::retranslateColumns()
{
    const QString captions = QStringLiteral("Captions");
    m_model->setHeaderData(RecordListModel::PointsColumn, Qt::Horizontal, LngText(captions, QStringLiteral("Points")));
    m_model->setHeaderData(RecordListModel::DateColumn, Qt::Horizontal, LngText(captions, QStringLiteral("Date")));
    m_model->setHeaderData(RecordListModel::CommentColumn, Qt::Horizontal, LngText(captions, QStringLiteral("Comment")));
}

void RecordsPage::setTitle(const QString &title)
{
    m_titelPanel->setText(title);
}

QString RecordsPage::title() const
{
    return m_titelPanel->text();
}

void RecordsPage::setTitleColor(qint32 color)
{
    m_titleColor = color;
    QPalette palette = m_titelPanel->palette();
    palette.setColor(QPalette::Window, ColorValue::toColor(color));
    m_titelPanel->setPalette(palette);
}

int RecordsPage::selectedDisplayRow() const
{
    const QModelIndexList rows = m_displayRecView->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void RecordsPage::selectDisplayRow(int row)
{
    m_selecting = true;
    const QModelIndex index = m_model->index(row, RecordListModel::PointsColumn);
    m_displayRecView->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_displayRecView->scrollTo(index);
    m_selecting = false;
}

bool RecordsPage::canAdd() const
{
    return !m_pointsEdit->text().isEmpty() && !m_dateDisplayEdit->text().isEmpty();
}

void RecordsPage::updateRecordButtons()
{
    const bool rowSelected = selectedDisplayRow() >= 0;
    m_gameCommentAddButton->setEnabled(commentEdited());
    m_recordAddButton->setEnabled(canAdd());
    m_recordChangeButton->setEnabled(!m_pointsEdit->text().isEmpty() && rowSelected);
    m_openPicButton->setEnabled(!title().isEmpty());
    m_recDeleteButton->setEnabled(rowSelected);
    m_fullSizeButton->setEnabled(m_gamePicture.bmpSize().height() > 0);
}

void RecordsPage::ClearEntryFields()
{
    m_pointsEdit->clear();
    m_recCommentEdit->clear();
    m_dateDisplayEdit->clear();
    m_dateNumberEdit->clear();
}

void RecordsPage::clearGamePicture()
{
    m_gamePicture.clear();
    m_gamePixmap = QPixmap();
    m_gameImage->clear();
    m_gameImage->hide();
}

void RecordsPage::setGamePicture(const Picture &picture)
{
    m_gamePicture = picture;
    const QImage image = PictureToImage(m_gamePicture);
    m_gamePixmap = image.isNull() ? QPixmap() : QPixmap::fromImage(image);
    showScaledPicture();
    m_gameImage->setVisible(!m_gamePixmap.isNull());
    m_fullSizeButton->setEnabled(m_gamePicture.bmpSize().height() > 0);
}

void RecordsPage::showScaledPicture()
{
    if (m_gamePixmap.isNull()) {
        m_gameImage->clear();
        return;
    }
    // The picture fills the box, small ones enlarged, without being distorted.
    m_gameImage->setPixmap(m_gamePixmap.scaled(m_gameImage->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

QStringList RecordsPage::gameCommentLines() const
{
    QString text = m_gameCommentMemo->toPlainText();
    if (text.isEmpty())
        return {};
    if (text.endsWith(u'\n'))
        text.chop(1);
    QStringList lines = text.split(u'\n');
    for (QString &line : lines)
        line = LineText::oneLine(line);
    return lines;
}

void RecordsPage::ShowGame(std::optional<GameRef> shown)
{
    keepEditedComment();
    m_ctx.session.setShownGame(std::nullopt);
    ClearEntryFields();
    m_records.clear();
    m_model->clear();
    clearGamePicture();
    setCommentText(QString());

    // The tree was repaired when it was loaded: every game has its parts and every record its
    // fields. A date or a picture that still cannot be read shows empty; the record stays whole.
    if (shown) {
        const int game = shown->gameIndex;
        const int category = shown->category;
        const PlayerState &data = m_ctx.session.data();
        const DataTree &tree = data.dataView;
        const QList<StoredRecord> stored = tree.readRecords(category, game);
        m_ctx.session.setShownGame(shown);
        // A game without records leaves the bar as it stands.
        ProgressSteps progress(stored.isEmpty() ? Progress() : m_ctx.progress, stored.size());
        m_records.reserve(stored.size());
        QHash<QString, QString> dateTexts;
        for (const StoredRecord &record : stored) {
            auto cached = dateTexts.constFind(record.dateNumber);
            if (cached == dateTexts.constEnd())
                cached = dateTexts.insert(record.dateNumber, dateTextOf(record.dateNumber));
            m_records.append({record.points, {*cached, record.comment, record.dateNumber}});
        }
        progress.finish();

        setCommentText(CommaText::toList(tree.gameComment(category, game)).join(u'\n'));

        const int line = PictureStoreLine(tree.pictureIndex(category, game), data.playerData);
        if (line >= 0) {
            Picture picture;
            try {
                TextToPicture(data.playerData[line], picture);
                setGamePicture(picture);
            } catch (const AppError &) {
                // Not a picture: the game shows none, as if it had none.
            }
        }
    }

    sortRows(m_records);
    FillDisplayList();
    m_fullSizeButton->setEnabled(m_gamePicture.bmpSize().height() > 0);
}

void RecordsPage::sortRows(RowList &rows)
{
    Points::sortByPoints(rows, [](const ListRow &row) { return Points::parse(row.caption); });
}

QString RecordsPage::dateTextOf(const QString &dateNumber)
{
    bool ok = false;
    const qint64 number = dateNumber.trimmed().toLongLong(&ok);
    return ok ? DateNumber::shortText(number) : QString();
}

void RecordsPage::setCommentText(const QString &text)
{
    m_storedComment = text;
    m_gameCommentMemo->setPlainText(text);
}

std::optional<GameRef> RecordsPage::shownGame() const
{
    return m_ctx.session.shownGame();
}

bool RecordsPage::commentEdited() const
{
    return shownGame() && m_gameCommentMemo->toPlainText() != m_storedComment;
}

void RecordsPage::keepEditedComment()
{
    if (commentEdited())
        GameCommentAddButtonClick();
}

void RecordsPage::FillDisplayList()
{
    m_selecting = true;
    m_model->setRecords(m_records);
    m_selecting = false;
    const bool hasRows = !m_records.isEmpty();
    m_recPrintPreviewButton->setEnabled(hasRows);
    m_recPrintButton->setEnabled(hasRows);
    m_recListExpCsvButton->setEnabled(hasRows);
}

void RecordsPage::DisplayRecViewClick()
{
    const int row = selectedDisplayRow();
    if (row >= 0 && row < m_records.size()) {
        const ListRow &record = m_records[row];
        const QString dateNumber = record.subItem(2);
        m_pointsEdit->setText(record.caption);
        m_dateNumberEdit->setText(dateNumber);
        m_dateDisplayEdit->setText(dateTextOf(dateNumber));
        m_recCommentEdit->setText(record.subItem(1));
    }
    emit buttonsChanged();
}

void RecordsPage::NumEditButtonClick()
{
    const QString entered = m_ctx.dialogs.numberPad(m_pointsEdit->text()).trimmed();
    // Cancel leaves the points as they were.
    if (entered.isEmpty())
        return;
    if (!Points::tryParse(entered)) {
        const bool digits = std::all_of(entered.cbegin() + (entered.startsWith(u'-') ? 1 : 0), entered.cend(),
                                        [](QChar c) { return c >= u'0' && c <= u'9'; });
        m_ctx.dialogs.msgBox(messages(digits && entered != u"-" ? "The number is too large." : "This is not a number."),
                               QString(), QStringLiteral("i"));
        return;
    }
    m_pointsEdit->setText(entered);
}

void RecordsPage::DateEditButtonClick()
{
    const int firstWeekday = m_ctx.firstWeekday();
    qint64 start = DateNumber::fromDate(QDate::currentDate());
    // A damaged date number of a loaded record starts at today, so that it can be mended.
    bool isNumber = false;
    const qint64 shown = m_dateNumberEdit->text().trimmed().toLongLong(&isNumber);
    if (isNumber && shown >= std::numeric_limits<int>::min() && shown <= std::numeric_limits<int>::max()
        && DateNumber::toDate(shown).isValid())
        start = shown;
    const std::optional<int> chosen = m_ctx.dialogs.calendar(int(start), firstWeekday);
    if (!chosen)
        return;
    m_dateNumberEdit->setText(QString::number(*chosen));
    m_dateDisplayEdit->setText(DateNumber::shortText(qint64(*chosen)));
}

ListRow RecordsPage::recordFromFields() const
{
    return {m_pointsEdit->text(),
            {m_dateDisplayEdit->text(), LineText::oneLine(m_recCommentEdit->text()), m_dateNumberEdit->text()}};
}

void RecordsPage::RecordAddButtonClick()
{
    if (!canAdd())
        return;
    storeEdited([&](RowList &records) { records.append(recordFromFields()); });
}

void RecordsPage::StoreRecords()
{
    storeEdited([](RowList &) {});
}

void RecordsPage::storeEdited(const std::function<void(RowList &)> &edit)
{
    // The edit is made on a copy: the list takes it only once the tree holds it too.
    // Only into the game whose records the page shows.
    const std::optional<GameRef> shown = shownGame();
    if (!shown)
        return;
    RowList edited = m_records;
    edit(edited);
    QList<StoredRecord> stored;
    stored.reserve(edited.size());
    for (const ListRow &row : edited)
        stored.append({row.caption, row.subItem(2), row.subItem(1)});
    m_ctx.session.storeRecords(*shown, stored);
    // The rows take the order the tree keeps.
    sortRows(edited);
    m_records = std::move(edited);
    ClearEntryFields();
    FillDisplayList();
}

void RecordsPage::RecordChangeButtonClick()
{
    const int row = selectedDisplayRow();
    if (row < 0 || row >= m_records.size() || m_pointsEdit->text().isEmpty())
        return;
    const QString points = m_pointsEdit->text();
    storeEdited([&](RowList &records) {
        records.removeAt(row);
        records.append(recordFromFields());
    });
    int changed = -1;
    for (qsizetype i = 0; i < m_records.size(); ++i) {
        if (m_records[i].caption == points) {
            changed = int(i);
            break;
        }
    }
    FillDisplayList();
    if (changed >= 0)
        selectDisplayRow(changed);
    emit buttonsChanged();
}

void RecordsPage::RecDeleteButtonClick()
{
    const int row = selectedDisplayRow();
    if (row < 0 || row >= m_records.size())
        return;
    if (!m_ctx.dialogs.msgBox(messages("Are you sure?"), QString(), QStringLiteral("c")))
        return;
    ClearEntryFields();
    storeEdited([&](RowList &records) { records.removeAt(row); });
    if (!m_records.isEmpty()) {
        selectDisplayRow(0);
        DisplayRecViewClick();
    }
    emit buttonsChanged();
}

void RecordsPage::GameCommentAddButtonClick()
{
    const std::optional<GameRef> shown = shownGame();
    if (!shown)
        return;
    const QStringList lines = gameCommentLines();
    m_ctx.session.setGameComment(*shown, CommaText::fromList(lines));
    // The memo shows the comment as it is kept.
    const QString kept = lines.join(u'\n');
    if (kept == m_gameCommentMemo->toPlainText())
        m_storedComment = kept;
    else
        setCommentText(kept);
    emit buttonsChanged();
}

void RecordsPage::RecListExpCSVButtonClick()
{
    const QString path = chooseCsvPath(m_ctx.saveDialog);
    if (path.isEmpty())
        return;
    // Points, Date, Comment: the list's empty leading column is left out.
    constexpr int RecordListLast = 3;
    const QAbstractItemModel &model = *m_displayRecView->model();
    ExportListToCsv(shownCaptions(model), shownRows(model), RecordListLast, path, true);
}
