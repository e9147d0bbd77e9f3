#include "platform/PngWriter.h"

#include <wincodec.h>

#include <cstddef>
#include <new>
#include <vector>

namespace quorvel::platform {

namespace {

// Owns one reference to a COM object.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (object != nullptr) object->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    Interface* operator->() const { return object; }
    Interface* get() const { return object; }
    // Where a COM call writes the reference it hands over.
    Interface** out() { return &object; }

private:
    Interface* object = nullptr;
};

// COM for the calling thread for as long as it lives. A thread that already
// has COM in another apartment model keeps it, and WIC works in either.
class ComScope {
public:
    ComScope() : initialised(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}
    ~ComScope() {
        if (initialised) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialised;
};

std::wstring WidePath(const std::string& path) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));  // without the terminator
    return wide;
}

}  // namespace

bool WritePng(const std::string& path, std::uint32_t width, std::uint32_t height, const std::uint32_t* pixels) {
    if (pixels == nullptr || width == 0 || height == 0) return false;
    const std::wstring widePath = WidePath(path);
    if (widePath.empty()) return false;
    // WIC's PNG encoder takes 24-bit BGR rows; a DIB pixel's low three bytes
    // are already in that order.
    const std::size_t stride = std::size_t{width} * 3;
    if (stride * height > UINT32_MAX) return false;
    std::vector<BYTE> bgr;
    try {
        bgr.resize(stride * height);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (std::size_t i = 0; i < std::size_t{width} * height; ++i) {
        bgr[3 * i] = static_cast<BYTE>(pixels[i]);
        bgr[3 * i + 1] = static_cast<BYTE>(pixels[i] >> 8);
        bgr[3 * i + 2] = static_cast<BYTE>(pixels[i] >> 16);
    }

    ComScope com;
    ComRef<IWICImagingFactory> factory;
    ComRef<IWICStream> stream;
    ComRef<IWICBitmapEncoder> encoder;
    ComRef<IWICBitmapFrameEncode> frame;
    ComRef<IPropertyBag2> options;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.out()))) ||
        FAILED(factory->CreateStream(stream.out())) ||
        FAILED(stream->InitializeFromFilename(widePath.c_str(), GENERIC_WRITE)) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out())) ||
        FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.out(), options.out())) || FAILED(frame->Initialize(options.get())) ||
        FAILED(frame->SetSize(width, height))) {
        return false;
    }
    // The encoder may answer with the format it would rather have.
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(frame->SetPixelFormat(&format)) || !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) return false;
    return SUCCEEDED(frame->WritePixels(height, static_cast<UINT>(stride), static_cast<UINT>(bgr.size()), bgr.data())) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

}  // namespace quorvel::platform
