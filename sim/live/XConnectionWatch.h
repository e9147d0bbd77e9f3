// Notices when the live window's X connection is lost (the window killed
// by the window manager, the X server gone). Xlib's default is to print
// its own text and exit at once, leaving the run's half-written files;
// while this owner lives, Xlib's I/O error only marks the connection lost
// and returns, so that the run can stop as on any other failure. Windows
// not on X (Wayland) are not watched.
#pragma once

#include <SDL2/SDL.h>

// Xlib's Display, without Xlib's macros.
struct _XDisplay;

namespace quorvel::live {

class XConnectionWatch {
public:
    explicit XConnectionWatch(SDL_Window* window);
    ~XConnectionWatch();
    XConnectionWatch(const XConnectionWatch&) = delete;
    XConnectionWatch& operator=(const XConnectionWatch&) = delete;

    // Once true, every call on the connection fails or waits for ever:
    // SDL must not close the window nor its video.
    bool Lost() const { return lost; }

private:
    static void OnLost(_XDisplay* display, void* watch);

    _XDisplay* display = nullptr;  // when the window is on X
    int (*previousHandler)(_XDisplay*) = nullptr;
    bool lost = false;
};

}  // namespace quorvel::live
