// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace ribodex {

// The painted caption of the main window: its background fade, where its icon, buttons and
// title go, and which window edges a point near the border resizes. Pure functions in pixels;
// the window turns the results into fills and widgets.

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// One full-height fill of the caption background, from x = left, width pixels wide.
struct CaptionFill {
    int left = 0;
    int width = 0;
    Rgb colour;
    friend bool operator==(const CaptionFill&, const CaptionFill&) = default;
};

// The active caption's background for a caption width wide, in drawing order: first the
// solid part in colour from e = 5 * width / 6 to the right edge, then the strips of
// f = max(1, e / 64) pixels from e leftwards, each darker by the square of its distance d from
// e (c - d * d * c / (e * e) per component), then black from 0 to where the strips ended.
// Fills of zero width are left out; a width of 0 or less gives no fill. The arithmetic is
// 64-bit, so a caption many thousands of pixels wide still fades instead of wrapping.
std::vector<CaptionFill> ActiveCaptionFade(int width, Rgb colour);

// The contrast ratio of two colours as the web accessibility guidelines (WCAG 2) define it,
// from 1 (the same luminance) to 21 (black and white).
double ContrastRatio(Rgb a, Rgb b);

// The inactive caption's colour for white title text: the system's inactive colour, darkened
// (each component scaled down in steps of 1/64, so the hue stays) until white on it reaches
// 4.5:1. When that leaves it within 48 of the active colour in every component, it goes on
// darkening to 7:1, so that an inactive caption never passes for an active one.
Rgb ReadableInactiveCaption(Rgb inactive, Rgb active);

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int Right() const { return left + width; }  // one past the last column
    bool Contains(int x, int y) const { return x >= left && x < left + width && y >= top && y < top + height; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Where the parts of a caption width by height go, given the size of a caption button
// (buttonWidth by buttonHeight, the platform's cxSize and cySize). The icon sits at (2, 1);
// each button is buttonWidth - 2 by buttonHeight - 4 at y = 2: close at width - buttonWidth,
// maximise one buttonWidth left of it, minimise buttonWidth - 2 left of the last button
// drawn. The title runs from buttonWidth + 2 to 2 pixels left of the leftmost button. A
// button the window lacks has an empty rectangle; a title with no room has width 0.
struct CaptionLayout {
    PixelRect icon;
    PixelRect close;
    PixelRect maximize;
    PixelRect minimize;
    PixelRect title;
};

CaptionLayout LayOutCaption(int width, int height, int buttonWidth, int buttonHeight,
                            bool hasMaximize, bool hasMinimize);

// Window edges as bits, the same values as Qt::Edge.
enum ResizeEdge : unsigned {
    NoEdge = 0,
    TopEdge = 0x1,
    LeftEdge = 0x2,
    RightEdge = 0x4,
    BottomEdge = 0x8,
};

// The edges that a press at (x, y) in a window width by height resizes: within border pixels
// of a side, that side; within corner pixels of a corner along either side, both sides of the
// corner, so the small frame still offers diagonal resizing. NoEdge inside and outside.
unsigned ResizeEdgesAt(int x, int y, int width, int height, int border, int corner);

}  // namespace ribodex
