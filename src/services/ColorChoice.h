#pragma once

#include <QtGlobal>

class ColorSwatch;
class Dialogs;

// The colour dialog as every colour swatch opens it: it starts at the colour last confirmed
// (black until one is), and the swatch takes the colour chosen.
class ColorChoice
{
public:
    explicit ColorChoice(Dialogs &dialogs) : m_dialogs(dialogs) {}

    // True when a colour was chosen; the swatch shows it then.
    bool choose(ColorSwatch &swatch);

private:
    Dialogs &m_dialogs;
    qint32 m_lastConfirmed = 0;
};
