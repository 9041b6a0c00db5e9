#include "platform/ColorValue.h"

#include <QGuiApplication>
#include <QPalette>

namespace ColorValue {

namespace {

QColor systemColor(int index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 1: // desktop
    case 2: // active caption
        return palette.color(QPalette::Highlight);
    case 5: // window background
        return palette.color(QPalette::Base);
    case 6: // window frame
    case 7: // menu text
    case 8: // window text
    case 9: // caption text
        return palette.color(QPalette::WindowText);
    case 13: // highlight
        return palette.color(QPalette::Highlight);
    case 14: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 15: // button face
        return palette.color(QPalette::Button);
    case 16: // button shadow
        return palette.color(QPalette::Dark);
    case 17: // grey text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    case 23: // tooltip text
        return palette.color(QPalette::ToolTipText);
    case 24: // tooltip background
        return palette.color(QPalette::ToolTipBase);
    default:
        return palette.color(QPalette::Window);
    }
}

} // namespace

QColor toColor(qint32 value)
{
    const quint32 bits = quint32(value);
    if (isSystemColor(value))
        return systemColor(int(bits & 0xFF));
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

qint32 fromColor(const QColor &color)
{
    return qint32(quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16));
}

} // namespace ColorValue
