// The subset of the Win32 API that the module and the bench host use,
// implemented on Linux by the quorvel_platform library.
//
// Names, types, values and meanings are those of Windows (GDI, WGL and
// module loading), so that the same source builds against the real
// <windows.h>. Include it through platform/Win32.h.
#pragma once

#include <cstddef>
#include <cstdint>

#define WINAPI
#define CALLBACK
#define APIENTRY

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using LPVOID = void*;
using LPCSTR = const char*;
using LPSTR = char*;
using COLORREF = DWORD;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;

#define TRUE 1
#define FALSE 0

// Distinct handle types, as <windows.h> declares them with STRICT.
#define QUORVEL_DECLARE_HANDLE(name) \
    struct name##__ {                \
        int unused;                  \
    };                               \
    using name = name##__*
QUORVEL_DECLARE_HANDLE(HINSTANCE);
QUORVEL_DECLARE_HANDLE(HDC);
QUORVEL_DECLARE_HANDLE(HPEN);
QUORVEL_DECLARE_HANDLE(HBRUSH);
QUORVEL_DECLARE_HANDLE(HBITMAP);
QUORVEL_DECLARE_HANDLE(HFONT);
QUORVEL_DECLARE_HANDLE(HGLRC);
#undef QUORVEL_DECLARE_HANDLE
using HMODULE = HINSTANCE;
using HGDIOBJ = void*;
using HANDLE = void*;
using FARPROC = std::intptr_t (*)();

struct POINT {
    LONG x;
    LONG y;
};

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }

// Module loading.
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

// Pens, brushes and stock objects.
#define PS_SOLID 0
#define PS_NULL 5
#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define SYSTEM_FONT 13
#define DEFAULT_GUI_FONT 17

// Text.
#define TA_NOUPDATECP 0
#define TA_UPDATECP 1
#define TA_LEFT 0
#define TA_TOP 0
#define TRANSPARENT 1
#define OPAQUE 2
#define FW_NORMAL 400
#define DEFAULT_CHARSET 1
#define OUT_DEFAULT_PRECIS 0
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define NONANTIALIASED_QUALITY 3
#define FIXED_PITCH 1
#define FF_MODERN 0x30

// Bitmaps.
#define BI_RGB 0
#define DIB_RGB_COLORS 0
#define SRCCOPY 0x00CC0020

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

// Pixel formats.
#define PFD_DOUBLEBUFFER 0x00000001
#define PFD_DRAW_TO_WINDOW 0x00000004
#define PFD_DRAW_TO_BITMAP 0x00000008
#define PFD_SUPPORT_GDI 0x00000010
#define PFD_SUPPORT_OPENGL 0x00000020
#define PFD_DEPTH_DONTCARE 0x20000000
#define PFD_TYPE_RGBA 0
#define PFD_MAIN_PLANE 0

struct PIXELFORMATDESCRIPTOR {
    WORD nSize;
    WORD nVersion;
    DWORD dwFlags;
    BYTE iPixelType;
    BYTE cColorBits;
    BYTE cRedBits;
    BYTE cRedShift;
    BYTE cGreenBits;
    BYTE cGreenShift;
    BYTE cBlueBits;
    BYTE cBlueShift;
    BYTE cAlphaBits;
    BYTE cAlphaShift;
    BYTE cAccumBits;
    BYTE cAccumRedBits;
    BYTE cAccumGreenBits;
    BYTE cAccumBlueBits;
    BYTE cAccumAlphaBits;
    BYTE cDepthBits;
    BYTE cStencilBits;
    BYTE cAuxBuffers;
    BYTE iLayerType;
    BYTE bReserved;
    DWORD dwLayerMask;
    DWORD dwVisibleMask;
    DWORD dwDamageMask;
};

#define QUORVEL_WINAPI_EXPORT __attribute__((visibility("default")))

extern "C" {

// The module's entry point. On Windows it is the image's entry; here the
// loader finds it by this name, so the module exports it.
QUORVEL_WINAPI_EXPORT BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

QUORVEL_WINAPI_EXPORT HMODULE WINAPI LoadLibraryA(LPCSTR fileName);
QUORVEL_WINAPI_EXPORT FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR procName);
QUORVEL_WINAPI_EXPORT BOOL WINAPI FreeLibrary(HMODULE module);

QUORVEL_WINAPI_EXPORT HPEN WINAPI CreatePen(int style, int width, COLORREF colour);
QUORVEL_WINAPI_EXPORT HBRUSH WINAPI CreateSolidBrush(COLORREF colour);
QUORVEL_WINAPI_EXPORT HGDIOBJ WINAPI GetStockObject(int object);
QUORVEL_WINAPI_EXPORT BOOL WINAPI DeleteObject(HGDIOBJ object);
QUORVEL_WINAPI_EXPORT HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object);
QUORVEL_WINAPI_EXPORT HGDIOBJ WINAPI GetCurrentObject(HDC dc, UINT type);
QUORVEL_WINAPI_EXPORT HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight,
                                              DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                                              DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                                              DWORD pitchAndFamily, LPCSTR faceName);

QUORVEL_WINAPI_EXPORT HDC WINAPI CreateCompatibleDC(HDC dc);
QUORVEL_WINAPI_EXPORT BOOL WINAPI DeleteDC(HDC dc);
QUORVEL_WINAPI_EXPORT HBITMAP WINAPI CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits,
                                                     HANDLE section, DWORD offset);
QUORVEL_WINAPI_EXPORT BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX,
                                        int sourceY, DWORD rop);

QUORVEL_WINAPI_EXPORT BOOL WINAPI MoveToEx(HDC dc, int x, int y, POINT* previous);
QUORVEL_WINAPI_EXPORT BOOL WINAPI LineTo(HDC dc, int x, int y);
QUORVEL_WINAPI_EXPORT BOOL WINAPI Ellipse(HDC dc, int left, int top, int right, int bottom);
QUORVEL_WINAPI_EXPORT BOOL WINAPI Arc(HDC dc, int left, int top, int right, int bottom, int startX, int startY,
                                     int endX, int endY);
QUORVEL_WINAPI_EXPORT BOOL WINAPI Polygon(HDC dc, const POINT* points, int count);

QUORVEL_WINAPI_EXPORT UINT WINAPI SetTextAlign(HDC dc, UINT align);
QUORVEL_WINAPI_EXPORT int WINAPI SetBkMode(HDC dc, int mode);
QUORVEL_WINAPI_EXPORT COLORREF WINAPI SetTextColor(HDC dc, COLORREF colour);
QUORVEL_WINAPI_EXPORT BOOL WINAPI TextOutA(HDC dc, int x, int y, LPCSTR text, int length);
QUORVEL_WINAPI_EXPORT int WINAPI lstrlenA(LPCSTR text);

QUORVEL_WINAPI_EXPORT int WINAPI DescribePixelFormat(HDC dc, int pixelFormat, UINT bytes,
                                                    PIXELFORMATDESCRIPTOR* descriptor);
QUORVEL_WINAPI_EXPORT int WINAPI ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* descriptor);
QUORVEL_WINAPI_EXPORT BOOL WINAPI SetPixelFormat(HDC dc, int pixelFormat, const PIXELFORMATDESCRIPTOR* descriptor);
QUORVEL_WINAPI_EXPORT HGLRC WINAPI wglCreateContext(HDC dc);
QUORVEL_WINAPI_EXPORT BOOL WINAPI wglMakeCurrent(HDC dc, HGLRC context);
QUORVEL_WINAPI_EXPORT BOOL WINAPI wglDeleteContext(HGLRC context);
QUORVEL_WINAPI_EXPORT HGLRC WINAPI wglGetCurrentContext();

}  // extern "C"

#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_FONT 6
#define OBJ_BITMAP 7
