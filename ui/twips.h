#pragma once

#include <QRect>

namespace brennquist {

// The window's positions and sizes are kept in twips, as the form was drawn;
// 15 twips make one logical pixel, and Qt's own scaling maps logical pixels
// to the screen.
inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}

// A rectangle given as left, top, width and height in twips.
constexpr QRect TwipRect(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

}  // namespace brennquist
