// What the annotated picture names on the page, and where: one callout for
// each element the page draws, its point on that element in MFD pixels.
// The points come from the page's own geometry (the instruments' layouts,
// the overlay and the ball's projection) for the flight data the picture
// shows, so they follow the page when its drawing changes.
#pragma once

#include <string>
#include <vector>

#include "module/attitude/AttitudeBall.h"
#include "module/drawing/PageGeometry.h"
#include "module/flightdata/FlightData.h"
#include "release/CalloutLayout.h"

namespace quorvel::release {

struct PageCallout {
    std::string name;
    Spot target;
};

// `ball` has been rendered for `flight` (RenderBall) at a new page's scale.
std::vector<PageCallout> PageCallouts(const PageGeometry& page, const FlightData& flight, const AttitudeBall& ball);

}  // namespace quorvel::release
