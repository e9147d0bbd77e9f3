#include "platform/PngWriter.h"

#include <wincodec.h>

#include <cstddef>
#include <cstdio>
#include <new>
#include <vector>

#include "platform/windows/SystemMessage.h"

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

// The system's words for a failure, or its number.
std::string FailureText(HRESULT result) {
    const std::string text = SystemMessage(static_cast<DWORD>(result));
    if (!text.empty()) return text;
    char number[32];
    std::snprintf(number, sizeof number, "error 0x%08lX", static_cast<unsigned long>(result));
    return number;
}

// WIC picks the row filters itself unless told; it has no deflate level.
HRESULT ChoosePacking(IPropertyBag2* options, PngPacking packing) {
    if (packing == PngPacking::Standard) return S_OK;
    PROPBAG2 name{};
    name.pstrName = const_cast<LPOLESTR>(L"FilterOption");
    VARIANT value{};
    value.vt = VT_UI1;
    value.bVal = WICPngFilterNone;
    return options->Write(1, &name, &value);
}

// Empty when written; otherwise why not.
std::string EncodePng(const std::string& path, std::uint32_t width, std::uint32_t height,
                      const std::uint32_t* pixels, PngPacking packing) {
    if (pixels == nullptr || width == 0 || height == 0) return "no pixels";
    const std::wstring widePath = WidePath(path);
    if (widePath.empty()) return "not a file name";
    // WIC's PNG encoder takes 24-bit BGR rows; a DIB pixel's low three bytes
    // are already in that order.
    const std::size_t stride = std::size_t{width} * 3;
    if (stride * height > UINT32_MAX) return "too large for the PNG encoder";
    std::vector<BYTE> bgr;
    try {
        bgr.resize(stride * height);
    } catch (const std::bad_alloc&) {
        return FailureText(E_OUTOFMEMORY);
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
    // The first call that fails says why.
    HRESULT result = S_OK;
    const auto ok = [&result](HRESULT call) {
        result = call;
        return SUCCEEDED(call);
    };
    if (!ok(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                             reinterpret_cast<void**>(factory.out()))) ||
        !ok(factory->CreateStream(stream.out())) ||
        !ok(stream->InitializeFromFilename(widePath.c_str(), GENERIC_WRITE)) ||
        !ok(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out())) ||
        !ok(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
        !ok(encoder->CreateNewFrame(frame.out(), options.out())) || !ok(ChoosePacking(options.get(), packing)) ||
        !ok(frame->Initialize(options.get())) || !ok(frame->SetSize(width, height))) {
        return FailureText(result);
    }
    // The encoder may answer with the format it would rather have.
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (!ok(frame->SetPixelFormat(&format))) return FailureText(result);
    if (!IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) return "the PNG encoder wants another pixel format";
    if (!ok(frame->WritePixels(height, static_cast<UINT>(stride), static_cast<UINT>(bgr.size()), bgr.data())) ||
        !ok(frame->Commit()) || !ok(encoder->Commit())) {
        return FailureText(result);
    }
    return "";
}

}  // namespace

bool WritePng(const std::string& path, std::uint32_t width, std::uint32_t height, const std::uint32_t* pixels,
              std::string* why, PngPacking packing) {
    const std::string failure = EncodePng(path, width, height, pixels, packing);
    if (!failure.empty() && why != nullptr) *why = failure;
    return failure.empty();
}

}  // namespace quorvel::platform
