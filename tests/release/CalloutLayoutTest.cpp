#include "release/CalloutLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace quorvel::release {
namespace {

TEST(CalloutLayout, SegmentsCrossOnlyInsideBoth) {
    EXPECT_TRUE(SegmentsCross({0, 0}, {10, 10}, {0, 10}, {10, 0}));
    // Sharing an end, parallel, or meeting beyond an end is no crossing.
    EXPECT_FALSE(SegmentsCross({0, 0}, {10, 10}, {10, 10}, {20, 0}));
    EXPECT_FALSE(SegmentsCross({0, 0}, {10, 0}, {0, 5}, {10, 5}));
    EXPECT_FALSE(SegmentsCross({0, 0}, {4, 4}, {0, 10}, {10, 0}));
}

// Points whose order down the page is not the order their lines need: one
// deep inside the page above one near its edge, on both sides, and more
// labels on the left than the page is tall.
std::vector<LabelRequest> Tangled() {
    std::vector<LabelRequest> labels;
    for (int i = 0; i < 12; ++i) {
        const double y = 100 + 4 * i;
        labels.push_back({80, 14, {i % 2 == 0 ? 190.0 : 4.0, y}});
        labels.push_back({60, 14, {i % 2 == 0 ? 210.0 : 396.0, 300 - 3.0 * i}});
    }
    for (int i = 0; i < 10; ++i) labels.push_back({120, 14, {50, 10.0 * i}});
    return labels;
}

TEST(CalloutLayout, LabelsStandBesideThePageApartAndNoLinesCross) {
    const std::vector<LabelRequest> labels = Tangled();
    const double pageWidth = 400;
    const double pageHeight = 200;
    const double spacing = 19;
    const CalloutCanvas canvas = LayOutCallouts(labels, pageWidth, pageHeight, spacing);
    ASSERT_EQ(canvas.callouts.size(), labels.size());

    for (std::size_t i = 0; i < labels.size(); ++i) {
        const PlacedCallout& c = canvas.callouts[i];
        SCOPED_TRACE(i);
        const bool left = labels[i].target.x < pageWidth / 2;
        EXPECT_EQ(c.side, left ? Side::Left : Side::Right);
        if (left) {
            EXPECT_LE(c.labelAt.x + labels[i].width, canvas.pageAt.x);
        } else {
            EXPECT_GE(c.labelAt.x, canvas.pageAt.x + pageWidth);
        }
        EXPECT_GE(c.labelAt.x, 0);
        EXPECT_GE(c.labelAt.y, 0);
        EXPECT_LE(c.labelAt.x + labels[i].width, canvas.width);
        EXPECT_LE(c.labelAt.y + labels[i].height, canvas.height);
        EXPECT_DOUBLE_EQ(c.target.x, canvas.pageAt.x + labels[i].target.x);
        EXPECT_DOUBLE_EQ(c.target.y, canvas.pageAt.y + labels[i].target.y);

        for (std::size_t j = i + 1; j < labels.size(); ++j) {
            const PlacedCallout& d = canvas.callouts[j];
            if (c.side != d.side) continue;
            EXPECT_GE(std::fabs(c.labelAt.y - d.labelAt.y), spacing - 1e-9) << "labels " << i << " and " << j;
            EXPECT_FALSE(SegmentsCross(c.gutter, c.target, d.gutter, d.target)) << "lines " << i << " and " << j;
        }
    }
}

}  // namespace
}  // namespace quorvel::release
