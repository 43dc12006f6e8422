#include "skinengine/OffscreenPaint.h"

namespace skin {

struct Buffer {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    std::uint32_t* bits = nullptr;
    int width = 0, height = 0;
    bool busy = false;

    bool Fits(int w, int h) const { return dc && w <= width && h <= height; }

    bool Make(int w, int h) {
        Free();
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h; // top-down rows, as the Canvas expects
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* pixels = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        dc = bitmap ? CreateCompatibleDC(nullptr) : nullptr;
        if (!dc) {
            Free();
            return false;
        }
        previous = SelectObject(dc, bitmap);
        bits = static_cast<std::uint32_t*>(pixels);
        width = w;
        height = h;
        return true;
    }

    void Free() {
        if (dc) {
            SelectObject(dc, previous);
            DeleteDC(dc);
        }
        if (bitmap) DeleteObject(bitmap);
        *this = Buffer{};
    }
};

namespace {

// Parts larger than this are painted by their callers in strips (the client background).
constexpr int kMaxSide = 4096;
Buffer sharedBuffer;

int RoundUp(int value) {
    return (value + 63) / 64 * 64;
}

} // namespace

OffscreenPaint::OffscreenPaint(RECT area) : area_(area), canvas_(nullptr, 0, 0, 0, 0) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return;
    if (!sharedBuffer.busy) {
        buffer_ = &sharedBuffer;
        if (!sharedBuffer.Fits(width, height) &&
            !sharedBuffer.Make(
                RoundUp(width > sharedBuffer.width ? width : sharedBuffer.width),
                RoundUp(height > sharedBuffer.height ? height : sharedBuffer.height)))
            return;
    } else {
        buffer_ =
            static_cast<Buffer*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(Buffer)));
        if (!buffer_) return;
        ownsBuffer_ = true;
        if (!buffer_->Make(width, height)) return;
    }
    buffer_->busy = true;
    dc_ = buffer_->dc;
    GdiFlush();
    // The buffer keeps its own row length; the canvas sees only its top-left part.
    SetViewportOrgEx(dc_, -area.left, -area.top, nullptr);
    canvas_ = Canvas(buffer_->bits, buffer_->width, buffer_->height, area.left, area.top);
}

OffscreenPaint::~OffscreenPaint() {
    if (!buffer_) return;
    if (dc_) SetViewportOrgEx(dc_, 0, 0, nullptr);
    buffer_->busy = false;
    if (ownsBuffer_) {
        buffer_->Free();
        HeapFree(GetProcessHeap(), 0, buffer_);
    }
}

void OffscreenPaint::CopyTo(HDC target) const {
    if (!dc_) return;
    GdiFlush();
    BitBlt(target, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, dc_,
           area_.left, area_.top, SRCCOPY);
}

void OffscreenPaint::ReleaseShared() {
    sharedBuffer.Free();
}

} // namespace skin
