#pragma once

#include "keeping/PageContext.h"
#include "session/PlayerSession.h"
#include "store/ListRows.h"
#include "store/Picture.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;
class QTreeView;
class RecordListModel;

// The "Records" page of the game area: the shown game's title, picture, records and comment,
// and the fields to enter, change and delete records.
class RecordsPage : public QWidget
{
    Q_OBJECT

public:
    explicit RecordsPage(PageContext &context, QWidget *parent = nullptr);
    ~RecordsPage() override;

    // Shows the game (the one selected in the games list), or none; a comment edited for the
    // game shown before is kept first, as if confirmed. The session's shown game is this one.
    void ShowGame(std::optional<GameRef> game);
    void FillDisplayList();
    void DisplayRecViewClick();
    void ClearEntryFields();
    void StoreRecords();
    void NumEditButtonClick();
    void DateEditButtonClick();
    void RecordAddButtonClick();
    void RecordChangeButtonClick();
    void RecDeleteButtonClick();
    void GameCommentAddButtonClick();

    void setTitle(const QString &title);
    QString title() const;
    void setTitleColor(qint32 color);
    qint32 titleColor() const { return m_titleColor; }

    // The page's part of the Maintenance page's UpdateButtons.
    void updateRecordButtons();

    // The game whose name, records and picture the page shows; every store goes to it.
    std::optional<GameRef> shownGame() const;
    // A game comment typed but not confirmed is stored into the shown game.
    void keepEditedComment();

    // The sorted records of the shown game (caption points; sub-items date text, comment, date number).
    const RowList &records() const { return m_records; }

    // The game picture as shown; empty when the game has none.
    const Picture &gamePicture() const { return m_gamePicture; }
    void setGamePicture(const Picture &picture);
    void clearGamePicture();

    // The visible record list, for printing and export.
    QTreeView *displayRecView() const { return m_displayRecView; }
    // The game comment's lines, a trailing line break adding none.
    QStringList gameCommentLines() const;

    // Column titles of the visible record list from the language script ("Captions").
    void retranslateColumns();

signals:
    void openPictureRequested();
    void fullSizeRequested();
    void printPreviewRequested();
    void printRequested();
    // The buttons' states may change: the Maintenance page's UpdateButtons follows.
    void buttonsChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void RecListExpCSVButtonClick();
    int selectedDisplayRow() const;
    void selectDisplayRow(int row);
    ListRow recordFromFields() const;
    // Stores the records with the edit applied, then empties the entry fields and refills the list.
    void storeEdited(const std::function<void(RowList &)> &edit);
    void layoutEnterBox();
    // The width a line edit needs to show the text whole.
    static int lineEditWidth(const QLineEdit *edit, const QString &text);
    int pointsFieldWidth() const;
    int dateFieldWidth() const;
    // The width of the entry row without the comment field.
    int entrySpare(int pointsWidth, int dateWidth) const;
    void showScaledPicture();
    bool canAdd() const;
    bool commentEdited() const;
    void setCommentText(const QString &text);
    // Records rows in the order of the tree: by points, highest first.
    static void sortRows(RowList &rows);
    // The short date of a date number; empty for a number that cannot be read.
    static QString dateTextOf(const QString &dateNumber);

    PageContext &m_ctx;
    RowList m_records;
    Picture m_gamePicture;
    QPixmap m_gamePixmap;
    qint32 m_titleColor;
    bool m_selecting = false;
    bool m_pressing = false;
    bool m_loadedByPress = false;
    QString m_lastMemoText;
    QString m_storedComment; // the shown game's comment as kept in the tree

    QLabel *m_titelPanel = nullptr;
    QGroupBox *m_pictureBox = nullptr;
    QLabel *m_gameImage = nullptr;
    QToolButton *m_openPicButton = nullptr;
    QToolButton *m_fullSizeButton = nullptr;
    QTreeView *m_displayRecView = nullptr;
    RecordListModel *m_model = nullptr;
    QToolButton *m_recDeleteButton = nullptr;
    QToolButton *m_recPrintPreviewButton = nullptr;
    QToolButton *m_recPrintButton = nullptr;
    QToolButton *m_recListExpCsvButton = nullptr;
    QGroupBox *m_enterBox = nullptr;
    QLabel *m_pointsLabel = nullptr;
    QLabel *m_dateLabel = nullptr;
    QLabel *m_commentLabel = nullptr;
    QLineEdit *m_pointsEdit = nullptr;
    QToolButton *m_numEditButton = nullptr;
    QLineEdit *m_dateDisplayEdit = nullptr;
    QLineEdit *m_dateNumberEdit = nullptr;
    QToolButton *m_dateEditButton = nullptr;
    QLineEdit *m_recCommentEdit = nullptr;
    QToolButton *m_recordAddButton = nullptr;
    QToolButton *m_recordChangeButton = nullptr;
    QPlainTextEdit *m_gameCommentMemo = nullptr;
    QToolButton *m_gameCommentAddButton = nullptr;
};
