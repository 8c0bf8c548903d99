// PixelInt: a position of the menus in float or double (a layout value, a corner plus a size, a
// window pixel over a scale) to whole pixels, truncated toward zero and clamped to int; NaN is 0.
// Layout files may hold any number, so nothing here may wrap round or leave int's range.
#pragma once

inline int PixelInt(double v)
{
    if (!(v == v))
        return 0;
    if (v >= 2147483647.0)
        return 2147483647;
    if (v <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<int>(v);
}
