#pragma once
// A 32-bit pixel buffer (0x00RRGGBB, rows top-down, as a top-down DIB section holds them)
// with the few anti-aliased shapes that the skins are drawn from. Coordinates are those of
// the surface being painted; the buffer covers a window of it starting at the origin.
#include <cstdint>

#include "skinengine/SkinFile.h"

namespace skin {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    Rect Inset(int dx, int dy) const { return {left + dx, top + dy, right - dx, bottom - dy}; }
    Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

Rgb Mix(Rgb from, Rgb to, float amount); // amount 0 gives from, 1 gives to
Rgb Lighten(Rgb colour, float amount);
Rgb Darken(Rgb colour, float amount);

// How a shape is coloured: one colour, or a blend from `from` to `to` across `span`.
struct Paint {
    enum class Kind { Solid, Vertical, Horizontal, Glass, Split };
    Kind kind = Kind::Solid;
    Rgb from, to;
    Rect span;

    static Paint Solid(Rgb colour) { return {Kind::Solid, colour, colour, {}}; }
    Rgb At(int x, int y) const;
};

class Canvas {
  public:
    Canvas(std::uint32_t* pixels, int width, int height, int originX, int originY)
        : pixels_(pixels), width_(width), height_(height), originX_(originX), originY_(originY) {}

    Rect Bounds() const { return {originX_, originY_, originX_ + width_, originY_ + height_}; }
    Rgb At(int x, int y) const;
    void Blend(int x, int y, Rgb colour, float coverage);

    void Fill(Rect rect, const Paint& paint);
    void FillRect(Rect rect, Rgb colour) { Fill(rect, Paint::Solid(colour)); }
    // Rounded corners: radiusTop for the two upper corners, radiusBottom for the lower two.
    void FillRound(Rect rect, float radiusTop, float radiusBottom, const Paint& paint);
    void StrokeRound(Rect rect, float radiusTop, float radiusBottom, float width, Rgb colour);
    void FillDisc(float cx, float cy, float radius, const Paint& paint);
    void StrokeRing(float cx, float cy, float radius, float width, Rgb colour);
    void Line(float x0, float y0, float x1, float y1, float width, Rgb colour);
    void FillTriangle(const float (&xs)[3], const float (&ys)[3], Rgb colour);

  private:
    template <typename Coverage> void Cover(Rect box, const Paint& paint, Coverage coverage);

    std::uint32_t* pixels_;
    int width_, height_;
    int originX_, originY_;
};

} // namespace skin
