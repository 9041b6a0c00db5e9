#pragma once

#include "store/DataTree.h"

#include <QByteArray>
#include <QList>
#include <QString>

// What repairing a loaded tree changed in one game.
struct GameDamage
{
    int category = 0; // 1..5
    QString name;
    int recordsLeftOut = 0; // record nodes without readable points
    bool repaired = false;  // other parts rebuilt: records too deep or short, comment, picture index, unknown nodes
    bool operator==(const GameDamage &) const = default;
};

// What repairing a loaded tree changed. Repairs that lose nothing (missing empty categories,
// records out of order, a picture line shared by two games) are made without a word.
struct TreeDamage
{
    // The levels above the games were not as the program writes them: an empty file, more
    // than one top node, more than five categories, a free slot holding parts.
    bool shapeRepaired = false;
    QList<GameDamage> games;

    bool any() const { return shapeRepaired || !games.isEmpty(); }
};

// Brings a tree read from a file into the shape every operation relies on: "Root" with no
// category or all five; every named game with exactly "Records", "GameComment" and
// "PicIndex"; every record with points, date number and comment, sorted by points; a picture
// index that names a picture of the store or "-1". Every record whose points can be read is
// kept, also from parts that stand too deep or in the wrong order. A game whose picture line
// is shared with an earlier game gets a copy of it at the end of the store.
TreeDamage RepairTree(DataTree &tree, QList<QByteArray> &pictureStore);
