// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/caption_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace ribodex {
namespace {

// The colour the fade gives column x, read from the fills the way a painter applies them.
Rgb ColourAt(const std::vector<CaptionFill>& fills, int x)
{
    Rgb colour{1, 2, 3};  // no fill covers x: a colour no fill has
    for (const CaptionFill& fill : fills)
        if (x >= fill.left && x < fill.left + fill.width)
            colour = fill.colour;
    return colour;
}

TEST(CaptionFade, WidthsOfTheClassicCases) {
    struct Case {
        int width;
        std::size_t fills;  // solid part, strips, black
        std::vector<std::pair<int, int>> blueAt;  // x, expected blue
    };
    const std::vector<Case> cases = {
        // e = 640, f = 10: solid from 640, 63 strips from 630 down to 10, black 0..9.
        {768, 65, {{767, 128}, {640, 128}, {639, 128}, {320, 96}, {329, 96}, {10, 4}, {19, 4}, {9, 0}, {0, 0}}},
        // e = 833, f = 13: 64 strips, the last at x = 1 (d = 832: blue 1), x = 0 black.
        {1000, 66, {{999, 128}, {833, 128}, {1, 1}, {0, 0}}},
        {1, 1, {{0, 128}}},            // e = 0, f = 1: no strip, the column is the solid part
        {2, 2, {{1, 128}, {0, 0}}},    // e = 1 = f: still no strip; black left of e
        {0, 0, {}},
    };
    for (const Case& c : cases) {
        const std::vector<CaptionFill> fills = ActiveCaptionFade(c.width, Rgb{0, 0, 128});
        EXPECT_EQ(fills.size(), c.fills) << c.width;
        for (auto [x, blue] : c.blueAt)
            EXPECT_EQ(ColourAt(fills, x), (Rgb{0, 0, static_cast<std::uint8_t>(blue)})) << c.width << " x=" << x;
    }
}

TEST(CaptionFade, EveryColumnPaintedOnceAndDarkeningLeftwards) {
    // 4000 and 7680 pixels: d * d * c passes 2^31 there; the fade must still only darken.
    for (int width : {3, 77, 768, 4000, 7680}) {
        const Rgb colour{255, 200, 10};
        const std::vector<CaptionFill> fills = ActiveCaptionFade(width, colour);
        std::vector<int> covered(width, 0);
        for (const CaptionFill& fill : fills)
            for (int x = fill.left; x < fill.left + fill.width; ++x)
                ++covered.at(x);
        EXPECT_EQ(std::count(covered.begin(), covered.end(), 1), width) << width;
        Rgb previous = colour;
        for (int x = width - 1; x >= 0; --x) {
            const Rgb here = ColourAt(fills, x);
            ASSERT_TRUE(here.red <= previous.red && here.green <= previous.green && here.blue <= previous.blue)
                << width << " x=" << x;
            previous = here;
        }
        EXPECT_EQ(previous, Rgb{}) << width;
    }
}

TEST(CaptionColours, InactiveCaptionCarriesWhiteText) {
    const Rgb white{255, 255, 255};
    EXPECT_NEAR(ContrastRatio(Rgb{160, 160, 160}, white), 2.6, 0.05);  // Fusion's inactive grey
    const struct { Rgb inactive, active; double least, most; } cases[] = {  // contrast of white on the result
        {{160, 160, 160}, {48, 140, 198}, 4.5, 4.8},   // darkened just enough
        {{60, 60, 60}, {0, 0, 128}, 11.0, 21.0},       // dark enough already: kept
        {{140, 140, 140}, {110, 110, 110}, 7.0, 7.6},  // would pass for the active grey
        {{255, 255, 255}, {0, 0, 128}, 4.5, 4.8},
    };
    for (const auto& c : cases) {
        const double contrast = ContrastRatio(ReadableInactiveCaption(c.inactive, c.active), white);
        EXPECT_TRUE(contrast >= c.least && contrast <= c.most) << int(c.inactive.red) << ": " << contrast;
    }
}

TEST(CaptionLayout, ButtonsIconAndTitle) {
    // A 400 x 18 caption with 18 x 18 buttons.
    const CaptionLayout all = LayOutCaption(400, 18, 18, 18, true, true);
    EXPECT_EQ(all.icon, (PixelRect{2, 1, 16, 16}));
    EXPECT_EQ(all.close, (PixelRect{382, 2, 16, 14}));
    EXPECT_EQ(all.maximize, (PixelRect{364, 2, 16, 14}));
    EXPECT_EQ(all.minimize, (PixelRect{348, 2, 16, 14}));  // 2 pixels closer: the pair touches
    EXPECT_EQ(all.title, (PixelRect{20, 0, 326, 18}));     // to 2 left of minimise

    // Without minimise and maximise boxes the title reaches 2 pixels left of close.
    const CaptionLayout closeOnly = LayOutCaption(400, 18, 18, 18, false, false);
    EXPECT_EQ(closeOnly.maximize, PixelRect{});
    EXPECT_EQ(closeOnly.minimize, PixelRect{});
    EXPECT_EQ(closeOnly.title.Right(), 380);

    // Minimise without maximise sits beside close.
    EXPECT_EQ(LayOutCaption(400, 18, 18, 18, false, true).minimize.left, 366);

    // Too narrow for a title: width 0, never negative.
    EXPECT_EQ(LayOutCaption(60, 18, 18, 18, true, true).title.width, 0);
}

TEST(CaptionLayout, ResizeEdgesOfAFourPixelFrame) {
    // A 300 x 200 window, border 4, corner grips 16 along each side.
    const struct {
        int x, y;
        unsigned edges;
    } cases[] = {
        {150, 100, NoEdge}, {3, 100, LeftEdge}, {4, 100, NoEdge}, {299, 100, RightEdge},
        {150, 0, TopEdge}, {150, 199, BottomEdge}, {15, 1, TopEdge | LeftEdge}, {16, 1, TopEdge},
        {1, 15, TopEdge | LeftEdge}, {284, 198, BottomEdge | RightEdge}, {2, 190, BottomEdge | LeftEdge},
        {-1, 100, NoEdge}, {300, 100, NoEdge},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResizeEdgesAt(c.x, c.y, 300, 200, 4, 16), c.edges) << c.x << "," << c.y;
}

}  // namespace
}  // namespace ribodex
