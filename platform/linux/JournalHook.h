// How the platform's calls reach the journal attached to their device
// context. Each call records itself before it acts, so an entry carries the
// state in force when the call was made. Without a journal these return at
// once and allocate nothing.
#pragma once

#include <initializer_list>
#include <string_view>

#include "platform/linux/GdiJournal.h"
#include "platform/linux/GdiObjects.h"

namespace quorvel::platform {

void RecordCall(const DeviceContext& dc, GdiCall call, std::initializer_list<long long> args,
                HGDIOBJ object = nullptr);
// Polygon's points as x0, y0, x1, y1, …; none when points is null or
// count is not positive.
void RecordPolygon(const DeviceContext& dc, const POINT* points, int count);
void RecordText(const DeviceContext& dc, int x, int y, int length, std::string_view text);

}  // namespace quorvel::platform
