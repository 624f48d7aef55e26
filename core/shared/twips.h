#pragma once
#include <QRect>

// Window measures are kept in twips, 15 to a pixel, rounded to the nearest pixel.
constexpr int tw(int twips) { return (twips + 7) / 15; }
constexpr QRect tw_rect(int left, int top, int width, int height)
{
    return QRect(tw(left), tw(top), tw(width), tw(height));
}
