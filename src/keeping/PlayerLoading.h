#pragma once

#include <QString>
#include <QStringList>

#include <array>

struct PageContext;

// The default names of categories 1..5 in the active language: "Category 1" ... "Category 5".
std::array<QString, 5> CurrentDefaultCategoryNames();
// The word of the default names in every installed language: a category named with one of
// them and its own number still carries a default name.
QStringList DefaultCategoryWords();

// Loads player `player` into the session, which shows it with category 1 selected. Damage found
// in its files is reported once, and the repaired player is saved soon after. Default category
// names stored under another language take the active language's.
void LoadPlayer(const PageContext &context, int player);
