#pragma once
// Painting through a back buffer: a top-down 32-bit DIB section with a memory DC, drawn by
// the Canvas and by GDI text, then copied to the target in one BitBlt. The engine keeps one
// buffer for all windows, grown when a larger part asks for it; a paint that starts while
// another is under way (a nested message) gets a buffer of its own for its duration.
#include <windows.h>

#include "skinengine/Canvas.h"

namespace skin {

class OffscreenPaint {
  public:
    // Covers `area`, in the logical coordinates of the target. Ready() tells if it worked.
    explicit OffscreenPaint(RECT area);
    ~OffscreenPaint();
    OffscreenPaint(const OffscreenPaint&) = delete;
    OffscreenPaint& operator=(const OffscreenPaint&) = delete;

    bool Ready() const { return dc_ != nullptr; }
    Canvas& canvas() { return canvas_; }
    // The memory DC, mapped like the target: draw text into it at target coordinates.
    HDC Dc() const { return dc_; }
    // Lets GDI's queued drawing land before the Canvas writes pixels again.
    void SyncBeforeCanvas() const { GdiFlush(); }
    void CopyTo(HDC target) const;

    // Frees the shared buffer (the engine is going away).
    static void ReleaseShared();

  private:
    RECT area_;
    HDC dc_ = nullptr;
    bool ownsBuffer_ = false;
    struct Buffer* buffer_ = nullptr;
    Canvas canvas_;
};

} // namespace skin
