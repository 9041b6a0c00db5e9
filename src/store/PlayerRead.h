#pragma once

#include "store/DataTree.h"
#include "store/ListRows.h"
#include "store/Picture.h"
#include "store/TreeRepair.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// Colours of a new player's categories 1..5.
qint32 DefaultCategoryColor(int category);
constexpr qint32 DefaultTitleFieldColor = qint32(0x80000018);
constexpr qint32 DefaultGamesListColor = 16777215;

// What reading a player's files found damaged. Empty when both read whole.
struct PlayerDamage
{
    // The program's messages for what could not be read, in the order met.
    QStringList fileErrors;
    TreeDamage tree;
    // Where copies of the damaged files were kept before anything was written over them.
    QStringList keptAs;

    bool any() const { return !fileErrors.isEmpty() || tree.any(); }
};

// One player's data as read from the bytes of the records file and the lines of the player
// file. Whatever could not be read takes its default; everything that could be read is kept.
struct PlayerRead
{
    DataTree tree;
    QList<QByteArray> pictureStore;
    RowList categories; // at least five rows
    RowList topList;
    Picture playerPicture;
    std::optional<QString> name; // the player file's last line, when it has one
    PlayerDamage damage;
};

// A new player's category row n (1..5) under the given name.
ListRow DefaultCategoryRow(int category, const QString &name);
// The default names of the five categories: the word and the number, "Category 1" ... "Category 5".
std::array<QString, 5> DefaultCategoryNames(const QString &word = QStringLiteral("Category"));
// True when name is the default name of category n in one of the words: the word, one blank
// and n, letter case counting. A name the user typed the same way cannot be told apart.
bool IsDefaultCategoryName(const QString &name, int category, const QStringList &words);
// Gives every category whose name is a default name in one of the words the new default name
// of its number; other names stay. The numbers (1..5) of the categories renamed.
QList<int> RenameDefaultCategories(RowList &categories, const std::array<QString, 5> &names,
                                   const QStringList &words);

// Reads the records file's bytes into the tree: a line too deep for its place is kept one
// level below the line before it, and the first such error is noted.
void ReadRecordsBytes(QByteArrayView bytes, PlayerRead &read);

// The player file's lines, each a copy, by the program's line rule.
QList<QByteArray> PlayerFileLines(QByteArrayView bytes);

// Reads the player file's lines (picture store, then category list, top list, player picture,
// name), then repairs the tree against the picture store. defaultNames are the category names
// of a new player, for categories the file does not hold.
void ReadPlayerLines(QList<QByteArray> lines, const std::array<QString, 5> &defaultNames, PlayerRead &read);

// The same when the player file could not be read at all: the error is noted, every category
// takes its default and the tree is repaired against an empty picture store.
void ReadWithoutPlayerFile(const QString &error, const std::array<QString, 5> &defaultNames, PlayerRead &read);
