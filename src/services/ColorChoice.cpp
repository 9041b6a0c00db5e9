#include "services/ColorChoice.h"

#include "platform/Dialogs.h"
#include "services/ColorSwatch.h"

bool ColorChoice::choose(ColorSwatch &swatch)
{
    const std::optional<qint32> chosen = m_dialogs.chooseColor(m_lastConfirmed);
    if (!chosen)
        return false;
    m_lastConfirmed = *chosen;
    swatch.setColorValue(*chosen);
    return true;
}
