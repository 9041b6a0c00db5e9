#pragma once

#include <QtGlobal>

// The list line colours of the Options page, read whenever a list draws its rows.
struct ListLineColors
{
    bool alternating = true;
    qint32 color1 = qint32(0x80000018);
    qint32 color2 = 65535;
};
