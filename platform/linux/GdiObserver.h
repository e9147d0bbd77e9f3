// A hook through which the GDI calls made on one device context, and the
// deletions of GDI objects, report themselves, for tests that check what
// was drawn and in what order (tests/support's call journal observes
// through it).
//
// While an observer is attached to a device context, every drawing and
// state call on it reports its arguments and the pen, brush, position and
// text state in force before it acts. Without one a call reports nothing
// and allocates nothing.
#pragma once

#include <span>
#include <string_view>

#include "platform/Win32.h"

namespace quorvel::platform {

enum class GdiCall {
    SelectObject,
    MoveToEx,
    LineTo,
    Ellipse,
    Arc,
    Polygon,
    SetTextAlign,
    SetBkMode,
    SetTextColor,
    TextOutA,
    BitBlt,
    DeleteObject,  // reported to the object observer, not a device context's
};

// One call as it reports itself; the spans and text live only during the
// report.
struct GdiCallReport {
    GdiCall call;
    // The integer arguments after the device context, in call order.
    // SetTextColor: the colour; BitBlt: x, y, width, height, source x,
    // source y; TextOutA: x, y, length; Polygon: none, see points.
    std::span<const long long> args;
    std::span<const POINT> points;  // Polygon: its points (none when null or count < 1)
    std::string_view text;          // TextOutA: the text drawn (length applied)
    HGDIOBJ object;                 // SelectObject: the object asked for
    HGDIOBJ pen;                    // the state before the call
    HGDIOBJ brush;
    POINT position;
    COLORREF textColour;
    int bkMode;
    UINT textAlign;
};

class QUORVEL_WINAPI_EXPORT GdiObserver {
public:
    virtual void Observe(const GdiCallReport& report) = 0;

protected:
    ~GdiObserver() = default;
};

// Attaches the observer to dc in place of any other; null detaches. False
// when dc names no live device context.
QUORVEL_WINAPI_EXPORT bool SetGdiObserver(HDC dc, GdiObserver* observer);
// The observer attached to dc; null when none is, or dc is gone.
QUORVEL_WINAPI_EXPORT GdiObserver* GdiObserverOf(HDC dc);

// Attaches the observer of the calls on GDI objects that no device context
// makes (DeleteObject, its object in the report's object) in place of any
// other; null detaches.
QUORVEL_WINAPI_EXPORT void SetGdiObjectObserver(GdiObserver* observer);
QUORVEL_WINAPI_EXPORT GdiObserver* GdiObjectObserver();

}  // namespace quorvel::platform
