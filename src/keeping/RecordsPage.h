#pragma once

#include "keeping/KeepingContext.h"
#include "platform/HandlerGuard.h"
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
    // Runs a handler at the boundary where errors are shown; false when it failed.
    using Guard = HandlerGuard;

    explicit RecordsPage(KeepingContext &context, QWidget *parent = nullptr);
    ~RecordsPage() override;

    // Handlers run through the guard; by default an error goes to the context's error box.
    void setGuard(Guard guard);

    // Shows the game selected in the games list; a comment edited for the game shown before is
    // kept first, as if confirmed.
    void ShowGame();
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

    // The page's part of the main window's UpdateButtons.
    void updateRecordButtons();

    // The game whose name, records and picture the page shows; every store goes to it.
    struct ShownGame
    {
        int category = 0;
        int gameIndex = -1;
    };
    std::optional<ShownGame> shownGame() const;
    // The shown game is gone (deleted, or another player's data loaded): nothing is stored into it.
    void forgetShownGame();
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
    void exportCsvRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void runGuarded(const std::function<void()> &handler);
    int selectedDisplayRow() const;
    void selectDisplayRow(int row);
    ListRow recordFromFields() const;
    // Stores the records with the edit applied, then empties the entry fields and refills the list.
    void storeEdited(const std::function<void(RowList &)> &edit);
    void layoutEnterBox();
    void showScaledPicture();
    bool canAdd() const;
    bool commentEdited() const;
    void setCommentText(const QString &text);
    // The short date of a date number; empty for a number that cannot be read.
    static QString dateTextOf(const QString &dateNumber);

    KeepingContext &m_ctx;
    Guard m_guard;
    RowList m_records;
    Picture m_gamePicture;
    QPixmap m_gamePixmap;
    qint32 m_titleColor;
    bool m_selecting = false;
    bool m_pressing = false;
    bool m_loadedByPress = false;
    QString m_lastMemoText;
    std::optional<ShownGame> m_shownGame;
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
