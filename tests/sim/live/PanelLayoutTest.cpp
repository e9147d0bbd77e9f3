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
    EXPECT_EQ(layout.zoom, 2);
    EXPECT_EQ(layout.mfds[1].x, kPanelMargin + 800 + kPanelMargin);
    EXPECT_EQ(layout.mfds[1].width, 512);
    EXPECT_EQ(layout.status.y, 800 + 2 * kPanelMargin);
    EXPECT_EQ(LayOutPanel(static_cast<int>(exact.width) - 1, 5000, mfds, status).zoom, 1) << "a pixel short";
    EXPECT_EQ(LayOutPanel(5000, static_cast<int>(exact.height) - 1, mfds, status).zoom, 1);
    EXPECT_EQ(LayOutPanel(10, 10, mfds, status).zoom, 1) << "never below 1";

    EXPECT_EQ(MfdAt(layout, kPanelMargin, kPanelMargin), 0u);
    EXPECT_EQ(MfdAt(layout, kPanelMargin + 799, kPanelMargin + 799), 0u);
    EXPECT_EQ(MfdAt(layout, kPanelMargin + 800, kPanelMargin), std::nullopt) << "the gap";
    EXPECT_EQ(MfdAt(layout, layout.mfds[1].x, kPanelMargin + 399), 1u);
    EXPECT_EQ(MfdAt(layout, layout.mfds[1].x, kPanelMargin + 400), std::nullopt) << "under the shorter MFD";

    // A wider window centres the row.
    layout = LayOutPanel(static_cast<int>(exact.width) + 100, static_cast<int>(exact.height), mfds, status);
    EXPECT_EQ(layout.zoom, 2);
    EXPECT_EQ(layout.mfds[0].x, 50 + kPanelMargin);
}

}  // namespace
}  // namespace quorvel::live
