#include "sim/live/WindowPresenter.h"

#include <algorithm>
#include <cstdlib>

namespace quorvel::live {

namespace {

constexpr sim::CharCell kStatusCell{8, 16};
constexpr int kStatusPadding = 4;  // above and below the text, pixels
constexpr std::uint32_t kStatusBackground = 0x202020;
constexpr COLORREF kStatusText = 0xC0C0C0;  // the light grey of MFD text
constexpr std::uint8_t kBackground = 0x10;  // grey level around the MFDs
constexpr int kMinWindowWidth = 320;

std::string SdlError(const std::string& what) {
    return what + ": " + SDL_GetError();
}

std::string NoDisplayAnswers(const std::string& why) {
    const char* display = std::getenv("DISPLAY");
    return "no display answers at DISPLAY=" + std::string(display == nullptr ? "" : display) + " (" + why + ")";
}

SdlSubsystem StartVideo() {
    try {
        return SdlSubsystem(SDL_INIT_VIDEO);
    } catch (const LiveError& error) {
        throw LiveError(NoDisplayAnswers(error.what()));
    }
}

// SDL falls back to drivers that show nothing when no display answers.
void CheckVideoDriverShows() {
    const char* driver = SDL_GetCurrentVideoDriver();
    const std::string name = driver == nullptr ? "" : driver;
    if (name == "offscreen" || name == "dummy" || name.empty()) {
        throw LiveError(NoDisplayAnswers("SDL has only its " + (name.empty() ? "no" : name) +
                                         " video driver, which shows nothing"));
    }
}

}  // namespace

WindowPresenter::WindowPresenter(std::vector<PixelSize> mfds, const std::string& title, int statusLines, int zoom)
    : sizes(std::move(mfds)),
      statusHeight(static_cast<int>(kStatusCell.height) * std::max(statusLines, 0) + 2 * kStatusPadding),
      video(StartVideo()) {
    CheckVideoDriverShows();
    // The window fits the display's usable area: at the largest whole zoom
    // it holds, or scaled down, or at the zoom asked for as far as it fits.
    SDL_Rect usable{0, 0, 32767, 32767};
    SDL_GetDisplayUsableBounds(0, &usable);
    const PixelSize most{static_cast<std::uint32_t>(std::max(usable.w, 1)), static_cast<std::uint32_t>(std::max(usable.h, 1))};
    PixelSize size = zoom > 0 ? PanelSize(sizes, statusHeight, zoom)
                              : UsedSize(LayOutPanel(usable.w, usable.h, sizes, statusHeight), statusHeight);
    size = {std::min(size.width, most.width), std::min(size.height, most.height)};
    // No OpenGL on the host's thread: the module's own (the platform's EGL)
    // must be free to become current there at any time, and the GL driver
    // does not let a GLX context of SDL's be current beside it. Nor may SDL
    // try OpenGL out for the window's pixels.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    window.reset(SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                  static_cast<int>(size.width), static_cast<int>(size.height),
                                  SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN));
    if (!window) throw LiveError(SdlError("cannot open a window"));
    xConnection = std::make_unique<XConnectionWatch>(window.get());
    // Room for the status strip, and the MFDs as small as they get.
    SDL_SetWindowMinimumSize(window.get(), kMinWindowWidth, statusHeight + kMinWindowWidth / 4);
    renderer.reset(SDL_CreateRenderer(window.get(), -1, SDL_RENDERER_SOFTWARE));
    if (!renderer) throw LiveError(SdlError("cannot draw in the window"));

    SDL_DisplayMode mode{};
    if (SDL_GetWindowDisplayMode(window.get(), &mode) == 0 && mode.refresh_rate > 0) {
        displayFrameS = 1.0 / mode.refresh_rate;
    }
    for (const PixelSize& mfd : sizes) {
        TextureHandle texture(SDL_CreateTexture(renderer.get(), SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                                static_cast<int>(mfd.width), static_cast<int>(mfd.height)));
        if (!texture) {
            throw LiveError(
                SdlError("cannot show an MFD of " + std::to_string(mfd.width) + "x" + std::to_string(mfd.height)));
        }
        SDL_SetTextureBlendMode(texture.get(), SDL_BLENDMODE_NONE);
        textures.push_back(std::move(texture));
    }
    nextPresent = SDL_GetPerformanceCounter();
}

WindowPresenter::~WindowPresenter() {
    if (!ConnectionLost()) return;
    for (TextureHandle& texture : textures) static_cast<void>(texture.release());
    static_cast<void>(statusTexture.release());
    static_cast<void>(renderer.release());
    static_cast<void>(window.release());
    video.Abandon();
}

std::string WindowPresenter::RendererName() const {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer.get(), &info) != 0 || info.name == nullptr) return "unknown";
    return info.name;
}

void WindowPresenter::Show(std::size_t mfd, std::span<const std::uint32_t> pixels) {
    if (mfd >= sizes.size() || pixels.size() != std::size_t{sizes[mfd].width} * sizes[mfd].height) return;
    SDL_UpdateTexture(textures[mfd].get(), nullptr, pixels.data(), static_cast<int>(sizes[mfd].width * 4));
}

// The status is drawn again only when its text or the window's width changes.
void WindowPresenter::DrawStatus(const std::string& status, int width) {
    if (width <= 0) return;
    const auto surfaceWidth = static_cast<std::uint32_t>(width);
    if (statusSurface && statusSurface->Width() == surfaceWidth && status == statusShown) return;
    if (!statusSurface || statusSurface->Width() != surfaceWidth) {
        statusSurface =
            std::make_unique<sim::MfdSurface>(surfaceWidth, static_cast<std::uint32_t>(statusHeight), kStatusCell);
        statusTexture.reset(SDL_CreateTexture(renderer.get(), SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                              width, statusHeight));
    }
    statusShown = status;
    statusSurface->Fill(kStatusBackground);
    const HDC dc = statusSurface->Dc();
    SetTextColor(dc, kStatusText);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    int y = kStatusPadding;
    for (std::size_t start = 0; start <= status.size() && y + static_cast<int>(kStatusCell.height) <= statusHeight;) {
        const std::size_t end = std::min(status.find('\n', start), status.size());
        TextOutA(dc, kPanelMargin, y, status.data() + start, static_cast<int>(end - start));
        y += static_cast<int>(kStatusCell.height);
        start = end + 1;
    }
    if (statusTexture && statusSurface->HasPixels()) {
        SDL_UpdateTexture(statusTexture.get(), nullptr, statusSurface->Pixels().data(), width * 4);
    }
}

void WindowPresenter::Draw(const std::string& status) {
    int width = 0, height = 0;
    SDL_GetRendererOutputSize(renderer.get(), &width, &height);
    layout = LayOutPanel(width, height, sizes, statusHeight);
    SDL_SetRenderDrawColor(renderer.get(), kBackground, kBackground, kBackground, 255);
    SDL_RenderClear(renderer.get());
    // At a whole zoom each MFD pixel a square of zoom x zoom, copied as it
    // is; scaled down, each shown pixel blends the ones it covers.
    const SDL_ScaleMode scaleMode = layout.scale < 1 ? SDL_ScaleModeLinear : SDL_ScaleModeNearest;
    for (std::size_t i = 0; i < textures.size(); ++i) {
        SDL_SetTextureScaleMode(textures[i].get(), scaleMode);
        const PixelRect& r = layout.mfds[i];
        const SDL_Rect target{r.x, r.y, r.width, r.height};
        SDL_RenderCopy(renderer.get(), textures[i].get(), nullptr, &target);
    }
    DrawStatus(status, layout.status.width);
    if (statusTexture) {
        const SDL_Rect target{layout.status.x, layout.status.y, layout.status.width, layout.status.height};
        SDL_RenderCopy(renderer.get(), statusTexture.get(), nullptr, &target);
    }
}

void WindowPresenter::Present(const std::string& status) {
    Draw(status);
    SDL_RenderPresent(renderer.get());
    // The software renderer has no vsync and returns at once: wait for the
    // display's next frame, on a steady beat, so that waking late now and
    // then does not slow the frame rate. Far behind, the beat starts again.
    const std::uint64_t frequency = SDL_GetPerformanceFrequency();
    const auto frame = static_cast<std::uint64_t>(displayFrameS * static_cast<double>(frequency));
    nextPresent += frame;
    const std::uint64_t now = SDL_GetPerformanceCounter();
    if (nextPresent > now) {
        SDL_Delay(static_cast<std::uint32_t>((nextPresent - now) * 1000 / frequency));
    } else if (now - nextPresent > frame) {
        nextPresent = now;
    }
}

std::vector<std::uint32_t> WindowPresenter::Capture(int& width, int& height) {
    Draw(statusShown);
    SDL_GetRendererOutputSize(renderer.get(), &width, &height);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(std::max(width, 0)) *
                                      static_cast<std::size_t>(std::max(height, 0)));
    if (pixels.empty() ||
        SDL_RenderReadPixels(renderer.get(), nullptr, SDL_PIXELFORMAT_RGB888, pixels.data(), width * 4) != 0) {
        width = height = 0;
        return {};
    }
    return pixels;
}

}  // namespace quorvel::live
