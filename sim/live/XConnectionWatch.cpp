#include "sim/live/XConnectionWatch.h"

#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>

namespace quorvel::live {

namespace {

// Silent: the run says what happened, in its own words.
int IgnoreIoError(Display*) {
    return 0;
}

}  // namespace

XConnectionWatch::XConnectionWatch(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return;
    display = info.info.x11.display;
    previousHandler = XSetIOErrorHandler(IgnoreIoError);
    // Once the handler returns, Xlib calls this instead of exit().
    XSetIOErrorExitHandler(display, OnLost, this);
}

XConnectionWatch::~XConnectionWatch() {
    if (display == nullptr || lost) return;
    XSetIOErrorExitHandler(display, nullptr, nullptr);
    XSetIOErrorHandler(previousHandler);
}

void XConnectionWatch::OnLost(Display*, void* watch) {
    static_cast<XConnectionWatch*>(watch)->lost = true;
}

}  // namespace quorvel::live
