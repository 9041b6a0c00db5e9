#pragma once

#include "store/PlayerRead.h"

#include <QString>

#include <functional>

// The message that tells the user what of a player's files could not be read, what was done
// about it and where the files as they were are kept. categoryName(k) names category k.
QString DamageReportText(const PlayerDamage &damage, const std::function<QString(int)> &categoryName);
