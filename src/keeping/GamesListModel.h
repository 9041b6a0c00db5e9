#pragma once

#include <QAbstractListModel>
#include <QCollator>
#include <QIcon>
#include <QList>
#include <QString>

// One row of the games list: the game's name, the text of its picture index node and its
// position among its category's game slots.
struct GameRow
{
    QString name;
    QString picIndex;
    int gameIndex = -1;

    // 0: the game has no picture, 1: it has one.
    int iconIndex() const;
    bool operator==(const GameRow &) const = default;
};

// The rows of the games list, kept sorted by name with the locale's case-sensitive collation.
class GamesListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { PicIndexRole = Qt::UserRole + 1, GameIndexRole, IconIndexRole };

    explicit GamesListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Replaces all rows; they are sorted by name.
    void setRows(QList<GameRow> rows);
    void clear();
    const QList<GameRow> &rows() const { return m_rows; }
    const GameRow &row(int r) const { return m_rows[r]; }

    // The first row whose name equals name under the given case rule; -1 when there is none.
    int findName(const QString &name, Qt::CaseSensitivity cs) const;

    // The row of the game at that position among its category's slots; -1 when it is not listed.
    int rowOfGame(int gameIndex) const;

    // Sets the row's name and moves it to its place in the order; returns the row it ends at.
    int rename(int r, const QString &name);
    void removeAt(int r);
    // Sets the row's picture index text; its icon follows.
    void setPicIndex(int r, const QString &picIndex);

    // True when a sorts before b.
    bool lessThan(const QString &a, const QString &b) const { return m_collator.compare(a, b) < 0; }

private:
    QCollator m_collator;
    QList<GameRow> m_rows;
    QIcon m_icons[2];
};
