#pragma once

#include <QColor>
#include <QtGlobal>

// The program's 32-bit colour values: 0x00BBGGRR for a colour of its own, or
// 0x80000000 + k for the desktop's system colour with index k.
namespace ColorValue {

constexpr qint32 ButtonFace = qint32(0x8000000F);        // -2147483633
constexpr qint32 TooltipBackground = qint32(0x80000018); // -2147483624
constexpr qint32 WindowBackground = qint32(0x80000005);  // -2147483643
constexpr qint32 Yellow = 65535;
constexpr qint32 Fuchsia = 16711935;
constexpr qint32 White = 16777215;

constexpr bool isSystemColor(qint32 value) { return (quint32(value) & 0xFF000000u) == 0x80000000u; }

// The colour a value shows now; system colours come from the application palette.
QColor toColor(qint32 value);

// The value of an ordinary colour (alpha ignored).
qint32 fromColor(const QColor &color);

} // namespace ColorValue
