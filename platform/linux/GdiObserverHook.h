// How the platform's calls reach the observer attached to their device
// context (platform/linux/GdiObserver.h). Each call reports itself before
// it acts, so a report carries the state in force when the call was made.
// Without an observer these return at once and allocate nothing.
#pragma once

#include <initializer_list>
#include <string_view>

#include "platform/linux/GdiObjects.h"
#include "platform/linux/GdiObserver.h"

namespace quorvel::platform {

void RecordCall(const DeviceContext& dc, GdiCall call, std::initializer_list<long long> args,
                HGDIOBJ object = nullptr);
// Polygon's points; none when points is null or count is not positive.
void RecordPolygon(const DeviceContext& dc, const POINT* points, int count);
void RecordText(const DeviceContext& dc, int x, int y, int length, std::string_view text);
void RecordObjectCall(GdiCall call, HGDIOBJ object);

}  // namespace quorvel::platform
