#include "keeping/RowColors.h"

#include "platform/ColorValue.h"

QColor rowBackground(const ListLineColors &colors, int row)
{
    if (!colors.alternating)
        return ColorValue::toColor(ColorValue::WindowBackground);
    return ColorValue::toColor(row % 2 == 0 ? colors.color1 : colors.color2);
}
