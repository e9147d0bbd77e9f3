// Where the live window puts its MFDs, without a window.

#include "sim/live/PanelLayout.h"

#include <gtest/gtest.h>

namespace quorvel::live {
namespace {

TEST(PanelLayoutTest, OneZoomTheLargestTheWindowHoldsAndClicksFindTheirMfd) {
    const std::vector<PixelSize> mfds{{400, 400}, {256, 200}};
    const int status = 24;
    const PixelSize exact = PanelSize(mfds, status, 2);
    EXPECT_EQ(exact.width, 2u * 656 + 3 * kPanelMargin);
    EXPECT_EQ(exact.height, 2u * 400 + 2 * kPanelMargin + status);

    PanelLayout layout = LayOutPanel(static_cast<int>(exact.width), static_cast<int>(exact.height), mfds, status);
    EXPECT_EQ(layout.scale, 2);
    EXPECT_EQ(layout.mfds[1].x, kPanelMargin + 800 + kPanelMargin);
    EXPECT_EQ(layout.mfds[1].width, 512);
    EXPECT_EQ(layout.status.y, 800 + 2 * kPanelMargin);
    EXPECT_EQ(LayOutPanel(static_cast<int>(exact.width) - 1, static_cast<int>(exact.height), mfds, status).scale, 1)
        << "a pixel short";
    EXPECT_EQ(LayOutPanel(5000, static_cast<int>(exact.height) - 1, mfds, status).scale, 1);

    EXPECT_EQ(MfdAt(layout, kPanelMargin, kPanelMargin), 0u);
    EXPECT_EQ(MfdAt(layout, kPanelMargin + 799, kPanelMargin + 799), 0u);
    EXPECT_EQ(MfdAt(layout, kPanelMargin + 800, kPanelMargin), std::nullopt) << "the gap";
    EXPECT_EQ(MfdAt(layout, layout.mfds[1].x, kPanelMargin + 399), 1u);
    EXPECT_EQ(MfdAt(layout, layout.mfds[1].x, kPanelMargin + 400), std::nullopt) << "under the shorter MFD";

    // A wider window centres the row.
    layout = LayOutPanel(static_cast<int>(exact.width) + 100, static_cast<int>(exact.height), mfds, status);
    EXPECT_EQ(layout.scale, 2);
    EXPECT_EQ(layout.mfds[0].x, 50 + kPanelMargin);
}

// Whatever the window, every MFD and the status strip are inside it.
void ExpectInside(const PanelLayout& layout, int width, int height) {
    for (const PixelRect& r : layout.mfds) {
        EXPECT_GE(r.x, 0);
        EXPECT_GE(r.width, 1);
        EXPECT_LE(r.x + r.width, width);
        EXPECT_LE(r.y + r.height, layout.status.y);
    }
    EXPECT_LE(layout.status.y + layout.status.height, height);
}

TEST(PanelLayoutTest, ManyOrLargeMfdsGoInRowsOrScaleDownAndTheStatusStaysInTheWindow) {
    const int status = 72;
    // Sixteen 400x400 on a 1600x900 display: not one row of 6536 pixels.
    const std::vector<PixelSize> sixteen(16, PixelSize{400, 400});
    PanelLayout layout = LayOutPanel(1600, 900, sixteen, status);
    EXPECT_GT(layout.rows, 1u);
    EXPECT_LT(layout.scale, 1);
    ExpectInside(layout, 1600, 900);
    const PixelSize used = UsedSize(layout, status);
    EXPECT_LE(used.width, 1600u);
    EXPECT_LE(used.height, 900u);

    // Four of 300x300 fit at zoom 1 only as two rows of two.
    const std::vector<PixelSize> four(4, PixelSize{300, 300});
    layout = LayOutPanel(700, 700, four, status);
    EXPECT_EQ(layout.rows, 2u);
    EXPECT_EQ(layout.scale, 1);
    EXPECT_EQ(layout.mfds[2].y, kPanelMargin + 300 + kPanelMargin);
    ExpectInside(layout, 700, 700);

    // One 4000x4000 on 1600x900: scaled down, the status under it.
    const std::vector<PixelSize> huge{{4000, 4000}};
    layout = LayOutPanel(1600, 900, huge, status);
    EXPECT_NEAR(layout.scale, (900.0 - status - 2 * kPanelMargin) / 4000, 1e-3);
    ExpectInside(layout, 1600, 900);
    // A strip of 65535x1 is still a pixel high.
    const std::vector<PixelSize> strip{{65535, 1}};
    ExpectInside(LayOutPanel(1600, 900, strip, status), 1600, 900);
}

}  // namespace
}  // namespace quorvel::live
