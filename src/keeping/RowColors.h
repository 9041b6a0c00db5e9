#pragma once

#include "platform/ListLineColors.h"

#include <QColor>

// The background of a list row: with alternating lines on, even rows take the first line
// colour and odd rows the second; otherwise the window colour. The records list and the top
// list draw their rows by this one rule.
QColor rowBackground(const ListLineColors &colors, int row);
