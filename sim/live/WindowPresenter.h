// The live window: each MFD's picture as last shown to it, laid out by
// sim/live/PanelLayout.h, with a strip of status text under them, drawn
// with the MFD font, by SDL's software renderer (no OpenGL of its own, see
// the constructor). Present puts a frame on the screen no more often than
// the display shows them, waiting out the rest of the display's frame.
// Resizable; the layout follows the window's size at each Present.
// Capture reads back what Present draws, so that tests can compare it
// with the MFDs' surfaces: at zoom 1 an MFD's pixels are copied unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/host/MfdSurface.h"
#include "sim/live/PanelLayout.h"
#include "sim/live/SdlObjects.h"
#include "sim/live/XConnectionWatch.h"

namespace quorvel::live {

class WindowPresenter {
public:
    // A window for MFDs of these sizes, at `zoom` in one row, or with 0 laid
    // out for the display's usable area (sim/live/PanelLayout.h), never
    // larger than that area, and room for `statusLines`
    // lines of status text. Throws LiveError, with SDL's words, when there
    // is no display or no window, or an MFD is larger than the renderer's
    // textures.
    WindowPresenter(std::vector<PixelSize> mfds, const std::string& title, int statusLines, int zoom = 0);
    // With the X connection lost, leaves the window and SDL's video as
    // they are: closing them would wait for the server for ever.
    ~WindowPresenter();
    WindowPresenter(const WindowPresenter&) = delete;
    WindowPresenter& operator=(const WindowPresenter&) = delete;

    // The MFD's new picture: its width x height pixels, 0x00RRGGBB, top
    // row first, as sim/host/MfdSurface.h holds them. Other counts are
    // ignored.
    void Show(std::size_t mfd, std::span<const std::uint32_t> pixels);
    // Draws the MFDs and the status (lines split at '\n'; more lines than
    // there is room for are cut) and puts the frame on the screen.
    void Present(const std::string& status);
    // Draws as Present does, without putting it on the screen, and reads
    // the window's pixels back: 0x00RRGGBB, top row first.
    std::vector<std::uint32_t> Capture(int& width, int& height);

    // The MFD under a point of the window (a click), if any.
    std::optional<std::size_t> MfdAt(int x, int y) const { return live::MfdAt(layout, x, y); }
    const PanelLayout& Layout() const { return layout; }
    // Seconds between the display's frames.
    double DisplayFrameS() const { return displayFrameS; }
    // Which window an SDL event is for.
    std::uint32_t WindowId() const { return SDL_GetWindowID(window.get()); }
    // Whether the window's X connection was lost (sim/live/XConnectionWatch.h).
    bool ConnectionLost() const { return xConnection && xConnection->Lost(); }
    // The renderer SDL chose ("opengl", "software"...).
    std::string RendererName() const;

private:
    void Draw(const std::string& status);
    void DrawStatus(const std::string& status, int width);

    std::vector<PixelSize> sizes;
    int statusHeight;
    double displayFrameS = 1.0 / 60;
    // Declared in the order they are made, so each goes before what it needs.
    SdlSubsystem video;
    WindowHandle window;
    std::unique_ptr<XConnectionWatch> xConnection;
    RendererHandle renderer;
    std::vector<TextureHandle> textures;
    TextureHandle statusTexture;
    std::unique_ptr<sim::MfdSurface> statusSurface;
    std::string statusShown;
    PanelLayout layout;
    std::uint64_t nextPresent = 0;  // when the next frame is due, SDL's performance counter
};

}  // namespace quorvel::live
