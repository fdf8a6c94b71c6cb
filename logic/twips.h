#pragma once

#include <QRect>

#include <cmath>

namespace vellumark {

// 15 twips make one logical pixel; Qt scales logical pixels on high-DPI
// screens.
inline constexpr int TwipsPerPixel = 15;

inline int TwipsToPixels(int twips)
{
    return int(std::lround(double(twips) / TwipsPerPixel));
}

inline QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                 TwipsToPixels(height));
}

} // namespace vellumark
