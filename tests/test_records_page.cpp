// The records page: entering, changing and deleting records, the game comment and picture.
#include "keeping/RecordsPage.h"

#include "platform/ColorValue.h"
#include "platform/ElidedText.h"
#include "platform/ProgressBar.h"
#include "services/ColorChoice.h"
#include "services/ColorSwatch.h"
#include "services/OptionsPage.h"
#include "platform/PictureCodec.h"
#include "platform/SharedFileDialog.h"
#include "store/CommaText.h"
#include "store/DateNumber.h"
#include "support/Errors.h"
#include "support/ScriptedDialogs.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QHelpEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <QTemporaryDir>

#include <limits>
#include <memory>

namespace {

// A session with one game and what the page is built with; the options page holds the line
// colours and the first day of the week.
class FakeContext
{
public:
    FakeContext()
    {
        PlayerState fresh;
        fresh.dataView.fresh();
        session.takeData(std::move(fresh));
        game = session.addGame(1, QStringLiteral("Chess"));
        options.setFirstWeekday(1);
    }

    const PlayerState &state() const { return session.data(); }
    // Changes the player's data as a file written elsewhere would have it; the page goes on
    // showing the game it shows.
    void edit(const std::function<void(PlayerState &)> &change)
    {
        PlayerState changed = session.data();
        change(changed);
        const std::optional<GameRef> shown = session.shownGame();
        session.takeData(std::move(changed));
        session.setShownGame(shown);
    }
    void setColors(const ListLineColors &colors)
    {
        options.setAlternatingLines(colors.alternating);
        options.lineColor1()->setColorValue(colors.color1);
        options.lineColor2()->setColorValue(colors.color2);
    }

    QTemporaryDir dataDir;
    QWidget window;
    // No autosave while a test runs.
    PlayerSession session{dataDir.path(), std::numeric_limits<int>::max()};
    int game = -1;
    ScriptedDialogs scripted;
    QProgressBar progress;
    SharedFileDialog openFile{scripted, SharedFileDialog::Kind::Open};
    SharedFileDialog saveFile{scripted, SharedFileDialog::Kind::Save};
    ColorChoice colors{scripted};
    QWidget optionsSheet;
    OptionsPage options{&optionsSheet};
    PageContext context{window, session, scripted, openFile, saveFile, colors, options, ProgressOnBar(&progress), {}};
};

// A page over a fresh player with one game, shown on screen.
struct Fixture
{
    Fixture()
    {
        page = std::make_unique<RecordsPage>(ctx.context);
        QObject::connect(page.get(), &RecordsPage::buttonsChanged, page.get(), &RecordsPage::updateRecordButtons);
        page->setTitle(QStringLiteral("Chess"));
        page->resize(900, 700);
        page->show();
        show();
        page->updateRecordButtons();
    }

    // Shows the fixture's game.
    void show() { page->ShowGame(GameRef{1, ctx.game}); }

    template<typename T>
    T *child(const char *name) const
    {
        T *found = page->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QToolButton *button(const char *name) const { return child<QToolButton>(name); }
    QLineEdit *edit(const char *name) const { return child<QLineEdit>(name); }
    QTreeView *view() const { return child<QTreeView>("DisplayRecView"); }
    QAbstractItemModel *model() const { return view()->model(); }

    // Enters a record the way a user does: pad, calendar, comment, add button.
    void enter(const QString &points, int dateNumber, const QString &comment = QString())
    {
        ctx.scripted.answer(points);
        button("NumEditButton")->click();
        ctx.scripted.answer(dateNumber);
        button("DateEditButton")->click();
        edit("RecCommentEdit")->setText(comment);
        button("RecordAddButton")->click();
    }

    QStringList shownPoints() const
    {
        QStringList points;
        for (int row = 0; row < model()->rowCount(); ++row)
            points.append(model()->index(row, 1).data().toString());
        return points;
    }
    QStringList storedPoints() const
    {
        QStringList points;
        for (const StoredRecord &r : ctx.state().dataView.readRecords(1, ctx.game))
            points.append(r.points);
        return points;
    }
    int selectedRow() const
    {
        const QModelIndexList rows = view()->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
    void clickRow(int row)
    {
        const QRect rect = view()->visualRect(model()->index(row, 1));
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, rect.center());
    }
    bool fieldsEmpty() const
    {
        return edit("PointsEdit")->text().isEmpty() && edit("DateDisplayEdit")->text().isEmpty()
            && edit("DateNumberEdit")->text().isEmpty() && edit("RecCommentEdit")->text().isEmpty();
    }

    FakeContext ctx;
    std::unique_ptr<RecordsPage> page;
};

Picture smallPicture()
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::red);
    return PictureFromImage(image);
}

} // namespace

class TestRecordsPage : public QObject
{
    Q_OBJECT

private slots:
    void entriesSortByPointsHighestFirst_data();
    void entriesSortByPointsHighestFirst();
    void recordRowsHoldTheirFields();
    void changingMovesTheRecordAndSelectsIt();
    void deletingAsksFirstAndLoadsTheBestRemaining();
    void deletingTheLastRecordEmptiesEverything();
    void recordNeedsPointsAndDate();
    void enterInCommentAddsOnlyWhenAddIsEnabled();
    void pointsBeyond64BitsAreRefused_data();
    void pointsBeyond64BitsAreRefused();
    void cancelledPadOrCalendarKeepsTheField();
    void calendarStartsAtTodayOrTheShownDate();
    void dateShownWithFourDigitYear();
    void keyboardSelectionLoadsTheRecord();
    void gameCommentStoredAsCommaTextAndShownAgain();
    void emptiedMemoRemovesTheComment();
    void gamePictureShownOnlyForAPictureLine_data();
    void gamePictureShownOnlyForAPictureLine();
    void damagedDateNumberShowsAllRecords();
    void rowsUseTheLineColours();
    void columnsAndCommentFieldFollowTheSize();
    void pictureButtonsAreNamedAndReachable();
    void longTitleEndsInEllipsisWithWholeTooltip_data();
    void longTitleEndsInEllipsisWithWholeTooltip();
    void entryFieldsHoldTheirLongestValues();
    void entryLabelsLeadToTheirFields_data();
    void entryLabelsLeadToTheirFields();
    void keysRunTheEntryHandlers();
};

void TestRecordsPage::entriesSortByPointsHighestFirst_data()
{
    QTest::addColumn<QStringList>("entered");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("three") << QStringList{"120", "250", "80"} << QStringList{"250", "120", "80"};
    QTest::newRow("by value, not text") << QStringList{"9", "10"} << QStringList{"10", "9"};
    QTest::newRow("leading zeros and 64-bit") << QStringList{"0999", "1000", "9223372036854775807"}
                                              << QStringList{"9223372036854775807", "1000", "0999"};
    QTest::newRow("equal points both kept") << QStringList{"5", "7", "5"} << QStringList{"7", "5", "5"};
}

void TestRecordsPage::entriesSortByPointsHighestFirst()
{
    QFETCH(QStringList, entered);
    QFETCH(QStringList, expected);
    Fixture f;
    for (const QString &points : entered)
        f.enter(points, 36526);
    QVERIFY(f.ctx.scripted.errors().isEmpty());
    QCOMPARE(f.shownPoints(), expected);
    QCOMPARE(f.storedPoints(), expected);
    QCOMPARE(f.page->records().size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        QCOMPARE(f.page->records()[i].caption, expected[i]);
    QVERIFY(f.fieldsEmpty());
    QVERIFY(f.button("RecPrintButton")->isEnabled());
    QVERIFY(f.button("RecPrintPreviewButton")->isEnabled());
    QVERIFY(f.button("RecListExpCSVButton")->isEnabled());
}

void TestRecordsPage::recordRowsHoldTheirFields()
{
    Fixture f;
    f.enter(QStringLiteral("42"), 36526, QStringLiteral("  club\tnight  "));
    const ListRow row = f.page->records().value(0);
    QCOMPARE(row.caption, QStringLiteral("42"));
    // A TAB, like every character that could cut a line of the files, becomes a blank.
    QCOMPARE(row.subItems, (QStringList{DateNumber::shortText(qint64(36526)), QStringLiteral("club night"), "36526"}));
    const QList<StoredRecord> stored = f.ctx.state().dataView.readRecords(1, f.ctx.game);
    QCOMPARE(stored, (QList<StoredRecord>{{"42", "36526", "club night"}}));
    QCOMPARE(f.model()->index(0, 0).data().toString(), QString());
    QCOMPARE(f.model()->index(0, 2).data().toString(), DateNumber::shortText(qint64(36526)));
    QCOMPARE(f.model()->index(0, 3).data().toString(), QStringLiteral("club night"));
    QCOMPARE(f.model()->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
             Qt::AlignRight);
    QCOMPARE(f.model()->index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
             Qt::AlignRight);
    QVERIFY(!(f.model()->flags(f.model()->index(0, 3)) & Qt::ItemIsEditable));
}

void TestRecordsPage::changingMovesTheRecordAndSelectsIt()
{
    Fixture f;
    f.enter("120", 36526, "first");
    f.enter("250", 36527, "second");
    f.enter("80", 36528, "third");
    f.clickRow(2);
    QCOMPARE(f.edit("PointsEdit")->text(), QStringLiteral("80"));
    QCOMPARE(f.edit("RecCommentEdit")->text(), QStringLiteral("third"));
    QVERIFY(f.button("RecordChangeButton")->isEnabled());

    f.ctx.scripted.answer(QStringLiteral("300"));
    f.button("NumEditButton")->click();
    f.edit("RecCommentEdit")->setText(QStringLiteral("third, better"));
    f.button("RecordChangeButton")->click();

    QVERIFY(f.ctx.scripted.errors().isEmpty());
    QCOMPARE(f.shownPoints(), (QStringList{"300", "250", "120"}));
    QCOMPARE(f.storedPoints(), (QStringList{"300", "250", "120"}));
    QCOMPARE(f.selectedRow(), 0);
    QVERIFY(f.fieldsEmpty());
    const QList<StoredRecord> stored = f.ctx.state().dataView.readRecords(1, f.ctx.game);
    QCOMPARE(stored.first(), (StoredRecord{"300", "36528", "third, better"}));
    // A click on the row already selected loads it.
    f.clickRow(0);
    QCOMPARE(f.edit("PointsEdit")->text(), QStringLiteral("300"));
    QCOMPARE(f.edit("RecCommentEdit")->text(), QStringLiteral("third, better"));
    // The selection shown is what Delete acts on.
    QVERIFY(f.button("RecDeleteButton")->isEnabled());
    f.ctx.scripted.answerYes();
    f.button("RecDeleteButton")->click();
    QCOMPARE(f.storedPoints(), (QStringList{"250", "120"}));
}

void TestRecordsPage::deletingAsksFirstAndLoadsTheBestRemaining()
{
    Fixture f;
    f.enter("120", 36526, "a");
    f.enter("250", 36527, "b");
    f.enter("80", 36528, "c");
    f.clickRow(1);
    QCOMPARE(f.edit("PointsEdit")->text(), QStringLiteral("120"));

    f.ctx.scripted.answerNo();
    f.button("RecDeleteButton")->click();
    QCOMPARE(f.ctx.scripted.askedOf("msgBox").size(), 1);
    QCOMPARE(f.ctx.scripted.askedOf("msgBox").first().text, QStringLiteral("Are you sure?"));
    QCOMPARE(f.ctx.scripted.askedOf("msgBox").first().extra, QStringLiteral("c"));
    QCOMPARE(f.storedPoints(), (QStringList{"250", "120", "80"}));

    f.ctx.scripted.answerYes();
    f.button("RecDeleteButton")->click();
    QCOMPARE(f.shownPoints(), (QStringList{"250", "80"}));
    QCOMPARE(f.storedPoints(), (QStringList{"250", "80"}));
    QCOMPARE(f.selectedRow(), 0);
    QCOMPARE(f.edit("PointsEdit")->text(), QStringLiteral("250"));
    QCOMPARE(f.edit("DateNumberEdit")->text(), QStringLiteral("36527"));
    QCOMPARE(f.edit("RecCommentEdit")->text(), QStringLiteral("b"));
    QVERIFY(f.button("RecDeleteButton")->isEnabled());
}

void TestRecordsPage::deletingTheLastRecordEmptiesEverything()
{
    Fixture f;
    f.enter("50", 36526, "only");
    f.clickRow(0);
    QVERIFY(!f.fieldsEmpty());
    f.ctx.scripted.answerYes();
    f.button("RecDeleteButton")->click();
    QCOMPARE(f.model()->rowCount(), 0);
    QVERIFY(f.page->records().isEmpty());
    QVERIFY(f.storedPoints().isEmpty());
    QVERIFY(f.fieldsEmpty());
    QVERIFY(!f.button("RecPrintPreviewButton")->isEnabled());
    QVERIFY(!f.button("RecPrintButton")->isEnabled());
    QVERIFY(!f.button("RecListExpCSVButton")->isEnabled());
    QVERIFY(!f.button("RecDeleteButton")->isEnabled());
    QVERIFY(!f.button("RecordChangeButton")->isEnabled());
}

void TestRecordsPage::recordNeedsPointsAndDate()
{
    Fixture f;
    QVERIFY(!f.button("RecordAddButton")->isEnabled());
    f.ctx.scripted.answer(QStringLiteral("77"));
    f.button("NumEditButton")->click();
    QVERIFY(!f.button("RecordAddButton")->isEnabled());
    f.page->RecordAddButtonClick();
    QVERIFY(f.page->records().isEmpty());
    QVERIFY(f.storedPoints().isEmpty());

    // Points and date without a comment are enough.
    f.ctx.scripted.answer(36526);
    f.button("DateEditButton")->click();
    QVERIFY(f.button("RecordAddButton")->isEnabled());
    f.button("RecordAddButton")->click();
    QCOMPARE(f.ctx.state().dataView.readRecords(1, f.ctx.game), (QList<StoredRecord>{{"77", "36526", ""}}));

    // A date without points is not enough either.
    f.ctx.scripted.answer(36530);
    f.button("DateEditButton")->click();
    QVERIFY(!f.button("RecordAddButton")->isEnabled());
}

void TestRecordsPage::enterInCommentAddsOnlyWhenAddIsEnabled()
{
    Fixture f;
    QLineEdit *comment = f.edit("RecCommentEdit");
    comment->setText(QStringLiteral("no points yet"));
    QTest::keyClick(comment, Qt::Key_Return);
    QVERIFY(f.page->records().isEmpty());
    QCOMPARE(comment->text(), QStringLiteral("no points yet"));

    f.ctx.scripted.answer(QStringLiteral("12"));
    f.button("NumEditButton")->click();
    f.ctx.scripted.answer(36526);
    f.button("DateEditButton")->click();
    QTest::keyClick(comment, Qt::Key_Return);
    QCOMPARE(f.storedPoints(), QStringList{"12"});
    QCOMPARE(f.page->records().first().subItem(1), QStringLiteral("no points yet"));
    QVERIFY(f.fieldsEmpty());
}

void TestRecordsPage::pointsBeyond64BitsAreRefused_data()
{
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("message"); // empty: taken
    QTest::newRow("one past the largest") << QStringLiteral("9223372036854775808") << "The number is too large.";
    QTest::newRow("forty digits") << QString(40, u'9') << "The number is too large.";
    QTest::newRow("below the smallest") << QStringLiteral("-9223372036854775809") << "The number is too large.";
    QTest::newRow("not a number") << QStringLiteral("12a") << "This is not a number.";
    QTest::newRow("a minus alone") << QStringLiteral("-") << "This is not a number.";
    QTest::newRow("negative, as a file may hold") << QStringLiteral("-5") << "";
    QTest::newRow("the largest") << QStringLiteral("9223372036854775807") << "";
}

void TestRecordsPage::pointsBeyond64BitsAreRefused()
{
    QFETCH(QString, entered);
    QFETCH(QString, message);
    Fixture f;
    f.enter("10", 36526);
    f.ctx.scripted.answer(QStringLiteral("5"));
    f.button("NumEditButton")->click();
    f.ctx.scripted.answer(entered);
    if (!message.isEmpty())
        f.ctx.scripted.answerYes();
    f.button("NumEditButton")->click();
    QCOMPARE(f.ctx.scripted.askedOf("numberPad").last().text, QStringLiteral("5"));
    QVERIFY(f.ctx.scripted.errors().isEmpty());
    QCOMPARE(f.storedPoints(), QStringList{"10"});
    const auto boxes = f.ctx.scripted.askedOf("msgBox");
    if (message.isEmpty()) {
        // Taken and kept: it is stored as it was entered.
        QVERIFY(boxes.isEmpty());
        f.ctx.scripted.clearLog();
        QCOMPARE(f.edit("PointsEdit")->text(), entered);
        f.ctx.scripted.answer(36526);
        f.button("DateEditButton")->click();
        f.button("RecordAddButton")->click();
        QVERIFY(f.storedPoints().contains(entered));
        return;
    }
    // Refused with the reason; the field keeps what it held.
    QCOMPARE(f.edit("PointsEdit")->text(), QStringLiteral("5"));
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().text, message);
    QCOMPARE(boxes.first().extra, QStringLiteral("i"));
}

void TestRecordsPage::cancelledPadOrCalendarKeepsTheField()
{
    Fixture f;
    f.ctx.scripted.answer(QStringLiteral("64"));
    f.button("NumEditButton")->click();
    f.ctx.scripted.answer(36526);
    f.button("DateEditButton")->click();
    f.ctx.scripted.answer(QString());
    f.button("NumEditButton")->click();
    QCOMPARE(f.edit("PointsEdit")->text(), QStringLiteral("64"));
    f.ctx.scripted.answer(QVariant());
    f.button("DateEditButton")->click();
    QCOMPARE(f.edit("DateNumberEdit")->text(), QStringLiteral("36526"));
    QCOMPARE(f.edit("DateDisplayEdit")->text(), DateNumber::shortText(qint64(36526)));
}

void TestRecordsPage::calendarStartsAtTodayOrTheShownDate()
{
    Fixture f;
    f.ctx.options.setFirstWeekday(3);
    f.ctx.scripted.answer(40000);
    f.button("DateEditButton")->click();
    f.ctx.scripted.answer(QVariant());
    f.button("DateEditButton")->click();
    const auto asked = f.ctx.scripted.askedOf("calendar");
    QCOMPARE(asked.size(), 2);
    QCOMPARE(asked[0].text, QString::number(DateNumber::fromDate(QDate::currentDate())));
    QCOMPARE(asked[0].extra, QStringLiteral("3"));
    QCOMPARE(asked[1].text, QStringLiteral("40000"));
}

void TestRecordsPage::dateShownWithFourDigitYear()
{
    Fixture f;
    f.ctx.scripted.answer(36526);
    f.button("DateEditButton")->click();
    QCOMPARE(f.edit("DateNumberEdit")->text(), QStringLiteral("36526"));
    QCOMPARE(DateNumber::toDate(36526), QDate(2000, 1, 1));
    const QString shown = f.edit("DateDisplayEdit")->text();
    QCOMPARE(shown, DateNumber::shortText(QDate(2000, 1, 1)));
    QVERIFY2(shown.contains(QStringLiteral("2000")), qPrintable(shown));
    QVERIFY(!f.edit("DateNumberEdit")->isVisible());
    QVERIFY(f.edit("DateDisplayEdit")->isReadOnly());
    QVERIFY(f.edit("PointsEdit")->isReadOnly());
}

void TestRecordsPage::keyboardSelectionLoadsTheRecord()
{
    Fixture f;
    f.enter("120", 36526, "a");
    f.enter("250", 36527, "b");
    f.enter("80", 36528, "c");
    f.clickRow(0);
    QCOMPARE(f.edit("PointsEdit")->text(), QStringLiteral("250"));
    f.view()->setFocus();
    QTest::keyClick(f.view(), Qt::Key_Down);
    QTest::keyClick(f.view(), Qt::Key_Down);
    QCOMPARE(f.selectedRow(), 2);
    QCOMPARE(f.edit("PointsEdit")->text(), QStringLiteral("80"));
    QCOMPARE(f.edit("DateNumberEdit")->text(), QStringLiteral("36528"));
    QCOMPARE(f.edit("RecCommentEdit")->text(), QStringLiteral("c"));

    // Delete takes the record selected with the keyboard.
    f.ctx.scripted.answerYes();
    f.button("RecDeleteButton")->click();
    QCOMPARE(f.storedPoints(), (QStringList{"250", "120"}));
}

void TestRecordsPage::gameCommentStoredAsCommaTextAndShownAgain()
{
    Fixture f;
    auto *memo = f.child<QPlainTextEdit>("GameCommentMemo");
    QVERIFY(!f.button("GameCommentAddButton")->isEnabled());
    memo->setPlainText(QStringLiteral("Played at the club\nbest of \"three\", twice\n"));
    QVERIFY(f.button("GameCommentAddButton")->isEnabled());
    f.button("GameCommentAddButton")->click();
    const QStringList lines{QStringLiteral("Played at the club"), QStringLiteral("best of \"three\", twice")};
    QCOMPARE(f.ctx.state().dataView.gameComment(1, f.ctx.game), CommaText::fromList(lines));

    // Survives the records file and is shown again.
    DataTree reloaded;
    reloaded.loadFromBytes(f.ctx.state().dataView.toFileBytes());
    f.ctx.edit([&](PlayerState &state) { state.dataView = reloaded; });
    f.show();
    QCOMPARE(f.page->gameCommentLines(), lines);
    QCOMPARE(memo->toPlainText(), lines.join(u'\n'));
    QVERIFY(!f.button("GameCommentAddButton")->isEnabled());

    // An edit not confirmed is kept when the game is shown anew, as if confirmed; its lines lose
    // what could cut a line of the file (a CR starts a line of its own in the memo).
    memo->setPlainText(QStringLiteral("  edited\tlater \nsecond\r line\x01!"));
    QVERIFY(f.button("GameCommentAddButton")->isEnabled());
    f.show();
    const QStringList kept{QStringLiteral("edited later"), QStringLiteral("second"), QStringLiteral("line !")};
    QCOMPARE(f.ctx.state().dataView.gameComment(1, f.ctx.game), CommaText::fromList(kept));
    QCOMPARE(memo->toPlainText(), kept.join(u'\n'));
}

void TestRecordsPage::emptiedMemoRemovesTheComment()
{
    Fixture f;
    f.ctx.edit([&](PlayerState &state) { state.dataView.setGameComment(1, f.ctx.game, QStringLiteral("kept")); });
    f.show();
    auto *memo = f.child<QPlainTextEdit>("GameCommentMemo");
    QCOMPARE(memo->toPlainText(), QStringLiteral("kept"));
    QVERIFY(!f.button("GameCommentAddButton")->isEnabled()); // nothing to confirm yet
    memo->clear();
    QVERIFY(f.button("GameCommentAddButton")->isEnabled());
    f.button("GameCommentAddButton")->click();
    QCOMPARE(f.ctx.state().dataView.gameComment(1, f.ctx.game), QString());
    QVERIFY(!f.button("GameCommentAddButton")->isEnabled());
    f.show();
    QVERIFY(memo->toPlainText().isEmpty());
}

void TestRecordsPage::gamePictureShownOnlyForAPictureLine_data()
{
    QTest::addColumn<QString>("index");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("error");
    QTest::newRow("picture line") << "1" << true << QString();
    QTest::newRow("no picture") << "-1" << false << QString();
    QTest::newRow("empty line") << "0" << false << QString();
    QTest::newRow("beyond the store") << "7" << false << QString();
    QTest::newRow("not a picture") << "2" << false << QString();
}

void TestRecordsPage::gamePictureShownOnlyForAPictureLine()
{
    QFETCH(QString, index);
    QFETCH(bool, shown);
    QFETCH(QString, error);
    Fixture f;
    f.ctx.edit([&](PlayerState &state) {
        state.playerData = {QByteArray(), PictureToText(smallPicture()), "41424344"};
        state.dataView.setPictureIndex(1, f.ctx.game, index);
    });
    f.enter("3", 36526);
    QCOMPARE(errorOf([&] { f.show(); }), error);
    auto *image = f.child<QLabel>("GameImage");
    QCOMPARE(image->isVisible(), shown);
    QCOMPARE(f.button("FullSizeButton")->isEnabled(), shown);
    QCOMPARE(!f.page->gamePicture().isEmpty(), shown);
    if (shown) {
        // The small picture fills the box at its own proportions.
        QCOMPARE(image->pixmap().size(), QSize(96, 72));
        QCOMPARE(f.page->gamePicture().bmpSize(), QSize(8, 6));
    }
    // The records are there whatever became of the picture.
    QCOMPARE(f.shownPoints(), QStringList{"3"});

    // Another game without a picture hides it again.
    f.ctx.game = f.ctx.session.addGame(1, QStringLiteral("Go"));
    f.show();
    QVERIFY(!image->isVisible());
    QVERIFY(!f.button("FullSizeButton")->isEnabled());
    QCOMPARE(f.model()->rowCount(), 0);
}

void TestRecordsPage::damagedDateNumberShowsAllRecords()
{
    Fixture f;
    f.enter("30", 36526, "good");
    f.enter("20", 36527, "bad");
    f.enter("10", 36528, "good too");
    // A records file edited by hand: the middle record's date number is no number.
    QByteArray bytes = f.ctx.state().dataView.toFileBytes();
    bytes.replace("36527", "abc");
    f.ctx.edit([&](PlayerState &state) { state.dataView.loadFromBytes(bytes); });
    const DataTree &tree = f.ctx.state().dataView;

    // A date that cannot be read shows empty; the record and its date text stay as they are.
    QCOMPARE(errorOf([&] { f.show(); }), QString());
    QCOMPARE(f.shownPoints(), (QStringList{"30", "20", "10"}));
    QCOMPARE(f.model()->index(1, 2).data().toString(), QString());
    // Adding afterwards keeps every record.
    f.enter("25", 36530);
    QCOMPARE(f.storedPoints(), (QStringList{"30", "25", "20", "10"}));
    QCOMPARE(tree.readRecords(1, f.ctx.game)[2], (StoredRecord{"20", "abc", "bad"}));

    // Loading the damaged record leaves it unaddable but changeable.
    f.clickRow(2);
    QVERIFY(f.ctx.scripted.errors().isEmpty());
    QCOMPARE(f.edit("PointsEdit")->text(), QStringLiteral("20"));
    QVERIFY(f.edit("DateDisplayEdit")->text().isEmpty());
    QVERIFY(!f.button("RecordAddButton")->isEnabled());

    // The calendar opens at today for it, and Change mends the record.
    f.ctx.scripted.answer(36600);
    f.button("DateEditButton")->click();
    QCOMPARE(f.ctx.scripted.askedOf("calendar").last().text, QString::number(DateNumber::fromDate(QDate::currentDate())));
    f.button("RecordChangeButton")->click();
    QCOMPARE(tree.readRecords(1, f.ctx.game)[2], (StoredRecord{"20", "36600", "bad"}));
    QVERIFY(f.ctx.scripted.errors().isEmpty());
}

void TestRecordsPage::rowsUseTheLineColours()
{
    Fixture f;
    f.ctx.setColors({true, ColorValue::Yellow, ColorValue::White});
    f.enter("3", 36526);
    f.enter("2", 36526);
    f.enter("1", 36526);
    auto background = [&](int row) { return f.model()->index(row, 2).data(Qt::BackgroundRole).value<QBrush>().color(); };
    QCOMPARE(background(0), ColorValue::toColor(ColorValue::Yellow));
    QCOMPARE(background(1), ColorValue::toColor(ColorValue::White));
    QCOMPARE(background(2), ColorValue::toColor(ColorValue::Yellow));
    f.ctx.setColors({false, ColorValue::Yellow, ColorValue::White});
    for (int row = 0; row < 3; ++row)
        QCOMPARE(background(row), f.view()->palette().color(QPalette::Base));
}

void TestRecordsPage::columnsAndCommentFieldFollowTheSize()
{
    Fixture f;
    QTreeView *view = f.view();
    QVERIFY(!view->rootIsDecorated());
    QCOMPARE(view->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(f.model()->columnCount(), 4);
    QCOMPARE(view->header()->sectionSize(0), 0);
    QCOMPARE(f.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Points"));
    QCOMPARE(f.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Date"));
    QCOMPARE(f.model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Comment"));
    auto *enterBox = f.child<QGroupBox>("EnterBox");
    for (int width : {900, 1300, 700}) {
        f.page->resize(width, 700);
        QCoreApplication::processEvents();
        QCOMPARE(view->header()->sectionSize(3), view->width() - 220);
        // The comment field takes the room between the date button and the two entry buttons.
        const QRect comment = f.edit("RecCommentEdit")->geometry();
        QCOMPARE(comment.left(), f.button("DateEditButton")->geometry().right() + 1 + 4);
        QCOMPARE(f.button("RecordAddButton")->x(), comment.right() + 1 + 4);
        QCOMPARE(f.button("RecordChangeButton")->geometry().right() + 1 + 8, enterBox->width());
    }
}

void TestRecordsPage::pictureButtonsAreNamedAndReachable()
{
    Fixture f;
    const char *names[] = {"OpenPicButton", "FullSizeButton", "RecDeleteButton", "RecPrintPreviewButton", "RecPrintButton",
                           "RecListExpCSVButton", "NumEditButton", "DateEditButton", "RecordAddButton",
                           "RecordChangeButton", "GameCommentAddButton"};
    for (const char *name : names) {
        QToolButton *b = f.button(name);
        QVERIFY2(!b->toolTip().isEmpty(), name);
        QCOMPARE(b->accessibleName(), b->toolTip());
        QVERIFY2(b->focusPolicy() & Qt::TabFocus, name);
    }
    QCOMPARE(f.button("RecDeleteButton")->toolTip(), QStringLiteral("Delete entry"));
    QCOMPARE(f.button("RecListExpCSVButton")->toolTip(), QStringLiteral("Export list to CSV file"));
    QVERIFY(f.button("OpenPicButton")->isEnabled());
    f.page->setTitle(QString());
    f.page->updateRecordButtons();
    QVERIFY(!f.button("OpenPicButton")->isEnabled());
    QCOMPARE(f.page->objectName(), QStringLiteral("RecordsSheet"));
    for (const char *box : {"TitleBox", "PictureBox", "RecordListBox", "EnterBox", "GameCommentBox"})
        QVERIFY2(f.page->findChild<QGroupBox *>(QLatin1String(box)), box);
    QVERIFY(f.page->findChild<QLabel *>(QStringLiteral("TitelPanel")));
}

void TestRecordsPage::longTitleEndsInEllipsisWithWholeTooltip_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<bool>("cut");
    const QString longTitle = QStringLiteral("The Settlers of a Very Long Island, Second Edition with All Expansions "
                                             "and the Seafarers Rules Printed Twice Over");
    QTest::newRow("short") << QStringLiteral("Chess") << QString() << false;
    QTest::newRow("long") << longTitle << QString() << true;
    QTest::newRow("short with hint") << QStringLiteral("Chess") << QStringLiteral("The game") << false;
    QTest::newRow("long with hint") << longTitle << QStringLiteral("The game") << true;
}

void TestRecordsPage::longTitleEndsInEllipsisWithWholeTooltip()
{
    QFETCH(QString, title);
    QFETCH(QString, hint);
    QFETCH(bool, cut);
    Fixture f;
    f.page->resize(640, 480);
    auto *panel = f.child<ElidingLabel>("TitelPanel");
    panel->setToolTip(hint);
    f.page->setTitle(title);
    QCoreApplication::processEvents();
    QCOMPARE(f.page->title(), title);
    // The long name must not widen the page beyond its window.
    QVERIFY(f.page->width() <= 640);
    QCOMPARE(panel->isCut(), cut);
    const QString shown = panel->shownText();
    const QString tip = panel->currentToolTip();
    if (cut) {
        QVERIFY(shown.endsWith(QChar(0x2026)));
        QVERIFY(title.startsWith(shown.chopped(1)));
        QVERIFY(panel->fontMetrics().horizontalAdvance(shown) <= panel->contentsRect().width());
        QVERIFY(tip.contains(title));
        QVERIFY(tip.contains(hint));
    } else {
        QCOMPARE(shown, title);
        QCOMPARE(tip, hint);
    }
    // A pointer resting on the panel gets that tooltip.
    QHelpEvent help(QEvent::ToolTip, panel->rect().center(), panel->mapToGlobal(panel->rect().center()));
    QApplication::sendEvent(panel, &help);
    QCOMPARE(help.isAccepted() && QToolTip::isVisible() ? QToolTip::text() : QString(), tip);
    QToolTip::hideText();
}

void TestRecordsPage::entryFieldsHoldTheirLongestValues()
{
    Fixture f;
    f.page->resize(640, 480);
    QCoreApplication::processEvents();
    // The room a line edit gives its text: inside the frame, the text margins and the cursor.
    const auto room = [](QLineEdit *edit) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
        return edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit).width() - 2 * 2;
    };
    QLineEdit *date = f.edit("DateDisplayEdit");
    for (int month = 1; month <= 12; ++month) {
        const QString text = DateNumber::shortText(QDate(QDate::currentDate().year(), month, 28));
        QVERIFY2(date->fontMetrics().horizontalAdvance(text) <= room(date), qPrintable(text));
    }
    QLineEdit *points = f.edit("PointsEdit");
    const QString twelveDigits(12, u'9');
    QVERIFY2(points->fontMetrics().horizontalAdvance(twelveDigits) <= room(points), qPrintable(twelveDigits));
    // The fields stand apart, left to right.
    QVERIFY(f.button("NumEditButton")->x() > points->geometry().right());
    QVERIFY(date->x() > f.button("NumEditButton")->geometry().right());
}

void TestRecordsPage::entryLabelsLeadToTheirFields_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("buddy");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("key");
    QTest::newRow("points") << "PointsLabel" << "PointsEdit" << "&Points:" << int(Qt::Key_P);
    QTest::newRow("date") << "DateLabel" << "DateDisplayEdit" << "&Date:" << int(Qt::Key_D);
    QTest::newRow("comment") << "CommentLabel" << "RecCommentEdit" << "&Comment:" << int(Qt::Key_C);
}

void TestRecordsPage::entryLabelsLeadToTheirFields()
{
    QFETCH(QString, label);
    QFETCH(QString, buddy);
    QFETCH(QString, caption);
    QFETCH(int, key);
    Fixture f;
    auto *shown = f.child<QLabel>(qPrintable(label));
    QCOMPARE(shown->text(), caption);
    QVERIFY(shown->isVisible());
    QVERIFY(shown->buddy());
    QCOMPARE(shown->buddy()->objectName(), buddy);
    // The label stands over its field.
    QVERIFY(shown->geometry().bottom() <= shown->buddy()->geometry().top());
    QCOMPARE(shown->x(), shown->buddy()->x());

    f.page->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.page.get()));
    f.button("RecDeleteButton")->setFocus();
    QTest::keyClick(f.page.get(), Qt::Key(key), Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), shown->buddy());
}

void TestRecordsPage::keysRunTheEntryHandlers()
{
    Fixture f;
    f.page->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.page.get()));

    // F4 in the points field opens the pad, Enter in the date field the calendar.
    f.edit("PointsEdit")->setFocus();
    f.ctx.scripted.answer(QStringLiteral("120"));
    QTest::keyClick(f.edit("PointsEdit"), Qt::Key_F4);
    QCOMPARE(f.ctx.scripted.askedOf("numberPad").size(), 1);
    QCOMPARE(f.edit("PointsEdit")->text(), QStringLiteral("120"));
    f.edit("DateDisplayEdit")->setFocus();
    f.ctx.scripted.answer(36526);
    QTest::keyClick(f.edit("DateDisplayEdit"), Qt::Key_Return);
    QCOMPARE(f.edit("DateNumberEdit")->text(), QStringLiteral("36526"));
    f.ctx.scripted.answer(QStringLiteral("250"));
    QTest::keyClick(f.edit("PointsEdit"), Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(f.edit("PointsEdit")->text(), QStringLiteral("250"));

    // Ctrl+Enter adds the record from a field with no Enter of its own.
    f.edit("DateDisplayEdit")->setFocus();
    QTest::keyClick(f.edit("DateDisplayEdit"), Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(f.storedPoints(), QStringList{"250"});
    QVERIFY(f.fieldsEmpty());
    // Without points and date it adds nothing.
    QTest::keyClick(f.edit("RecCommentEdit"), Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(f.storedPoints(), QStringList{"250"});

    // Delete in the record list asks first, as the button does.
    f.enter("80", 36527);
    f.clickRow(0);
    f.view()->setFocus();
    f.ctx.scripted.clearLog();
    f.ctx.scripted.answerNo();
    QTest::keyClick(f.view(), Qt::Key_Delete);
    QCOMPARE(f.ctx.scripted.messages(), QStringList{"Are you sure?"});
    QCOMPARE(f.storedPoints(), (QStringList{"250", "80"}));
    f.ctx.scripted.answerYes();
    QTest::keyClick(f.view(), Qt::Key_Delete);
    QCOMPARE(f.storedPoints(), QStringList{"80"});
    // Delete in the comment field edits the comment only.
    f.edit("RecCommentEdit")->setText(QStringLiteral("ab"));
    f.edit("RecCommentEdit")->setFocus();
    f.edit("RecCommentEdit")->setCursorPosition(0);
    f.ctx.scripted.clearLog();
    QTest::keyClick(f.edit("RecCommentEdit"), Qt::Key_Delete);
    QCOMPARE(f.edit("RecCommentEdit")->text(), QStringLiteral("b"));
    QVERIFY(f.ctx.scripted.asked().isEmpty());
    QCOMPARE(f.storedPoints(), QStringList{"80"});
    QCOMPARE(f.ctx.scripted.pendingAnswers(), 0);
}

QTEST_MAIN(TestRecordsPage)
#include "test_records_page.moc"
