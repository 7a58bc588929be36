// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/caption_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace ribodex {
namespace {

std::uint8_t Faded(std::uint8_t component, std::int64_t d, std::int64_t e)
{
    const std::int64_t c = component;
    return static_cast<std::uint8_t>(c - (d * d * c) / (e * e));
}

double Luminance(Rgb colour)
{
    auto linear = [](std::uint8_t component) {
        const double c = component / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) + 0.0722 * linear(colour.blue);
}

Rgb Scaled(Rgb colour, int sixtyFourths)
{
    auto scale = [sixtyFourths](std::uint8_t c) { return static_cast<std::uint8_t>(c * sixtyFourths / 64); };
    return Rgb{scale(colour.red), scale(colour.green), scale(colour.blue)};
}

bool LooksAlike(Rgb a, Rgb b)
{
    constexpr int kAlike = 48;
    return std::abs(a.red - b.red) < kAlike && std::abs(a.green - b.green) < kAlike &&
           std::abs(a.blue - b.blue) < kAlike;
}

}  // namespace

double ContrastRatio(Rgb a, Rgb b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb ReadableInactiveCaption(Rgb inactive, Rgb active)
{
    constexpr Rgb kWhite{255, 255, 255};
    Rgb colour = inactive;
    for (int step = 64; step >= 0; --step) {
        colour = Scaled(inactive, step);
        const double contrast = ContrastRatio(colour, kWhite);
        if (contrast >= 7.0 || (contrast >= 4.5 && !LooksAlike(colour, active)))
            break;
    }
    return colour;
}

std::vector<CaptionFill> ActiveCaptionFade(int width, Rgb colour)
{
    std::vector<CaptionFill> fills;
    if (width <= 0)
        return fills;
    const int e = static_cast<int>(5LL * width / 6);
    const int f = std::max(1, e / 64);
    fills.push_back({e, width - e, colour});
    int x = e;
    if (e > f) {
        int d = 0;
        do {
            x -= f;
            d += f;
            fills.push_back({x, f,
                             {Faded(colour.red, d, e), Faded(colour.green, d, e), Faded(colour.blue, d, e)}});
        } while (x > f);
    }
    if (x > 0)
        fills.push_back({0, x, Rgb{}});
    return fills;
}

CaptionLayout LayOutCaption(int width, int height, int buttonWidth, int buttonHeight,
                            bool hasMaximize, bool hasMinimize)
{
    CaptionLayout layout;
    const int boxWidth = std::max(0, buttonWidth - 2);
    const int boxHeight = std::max(0, buttonHeight - 4);
    layout.icon = {2, 1, boxWidth, std::max(0, buttonHeight - 2)};
    layout.close = {width - buttonWidth, 2, boxWidth, boxHeight};
    int leftmost = layout.close.left;
    if (hasMaximize) {
        layout.maximize = {layout.close.left - buttonWidth, 2, boxWidth, boxHeight};
        leftmost = layout.maximize.left;
    }
    if (hasMinimize) {
        layout.minimize = {leftmost - (buttonWidth - 2), 2, boxWidth, boxHeight};
        leftmost = layout.minimize.left;
    }
    const int titleLeft = buttonWidth + 2;
    layout.title = {titleLeft, 0, std::max(0, leftmost - 2 - titleLeft), height};
    return layout;
}

unsigned ResizeEdgesAt(int x, int y, int width, int height, int border, int corner)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return NoEdge;
    const bool nearLeft = x < border, nearRight = x >= width - border;
    const bool nearTop = y < border, nearBottom = y >= height - border;
    if (!nearLeft && !nearRight && !nearTop && !nearBottom)
        return NoEdge;
    unsigned edges = NoEdge;
    if (nearLeft || ((nearTop || nearBottom) && x < corner))
        edges |= LeftEdge;
    if (nearRight || ((nearTop || nearBottom) && x >= width - corner))
        edges |= RightEdge;
    if (nearTop || ((nearLeft || nearRight) && y < corner))
        edges |= TopEdge;
    if (nearBottom || ((nearLeft || nearRight) && y >= height - corner))
        edges |= BottomEdge;
    return edges;
}

}  // namespace ribodex
