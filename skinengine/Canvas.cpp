#include "skinengine/Canvas.h"

#include <algorithm>
#include <cmath>

namespace skin {
namespace {

float Clamp01(float value) {
    return value < 0 ? 0 : value > 1 ? 1 : value;
}

std::uint8_t Channel(float value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 255.0f)));
}

// Coverage of a pixel centre by a rectangle with rounded corners: 1 well inside, 0 outside,
// a linear ramp over the one pixel that straddles the edge.
float RoundCoverage(const Rect& r, float radiusTop, float radiusBottom, float px, float py) {
    if (px < r.left || px > r.right || py < r.top || py > r.bottom) return 0;
    float edge = std::min({px - r.left, r.right - px, py - r.top, r.bottom - py});
    float coverage = Clamp01(edge + 0.5f);
    const bool upper = py < (r.top + r.bottom) / 2.0f;
    const float radius = upper ? radiusTop : radiusBottom;
    if (radius <= 0) return coverage;
    const float cx = px < r.left + radius    ? r.left + radius
                     : px > r.right - radius ? r.right - radius
                                             : px;
    const float cy = upper ? (py < r.top + radius ? r.top + radius : py)
                           : (py > r.bottom - radius ? r.bottom - radius : py);
    if (cx == px || cy == py) return coverage;
    const float distance = std::hypot(px - cx, py - cy);
    return std::min(coverage, Clamp01(radius - distance + 0.5f));
}

float DiscCoverage(float cx, float cy, float radius, float px, float py) {
    return Clamp01(radius - std::hypot(px - cx, py - cy) + 0.5f);
}

} // namespace

Rgb Mix(Rgb from, Rgb to, float amount) {
    const float t = Clamp01(amount);
    return {Channel(from.r + (to.r - from.r) * t), Channel(from.g + (to.g - from.g) * t),
            Channel(from.b + (to.b - from.b) * t)};
}

Rgb Lighten(Rgb colour, float amount) {
    return Mix(colour, {255, 255, 255}, amount);
}
Rgb Darken(Rgb colour, float amount) {
    return Mix(colour, {0, 0, 0}, amount);
}

Rgb Paint::At(int x, int y) const {
    const float along = kind == Kind::Horizontal
                            ? (x - span.left + 0.5f) / std::max(1, span.Width())
                            : (y - span.top + 0.5f) / std::max(1, span.Height());
    switch (kind) {
    case Kind::Solid: return from;
    case Kind::Vertical:
    case Kind::Horizontal: return Mix(from, to, along);
    case Kind::Glass:
        // A bright sheen over the upper half, the body colour rising again towards the bottom.
        return along < 0.5f ? Mix(Lighten(from, 0.5f), Lighten(from, 0.12f), along * 2)
                            : Mix(to, Mix(to, from, 0.6f), (along - 0.5f) * 2);
    case Kind::Split: return along < 0.5f ? from : to;
    }
    return from;
}

Rgb Canvas::At(int x, int y) const {
    const int column = x - originX_, row = y - originY_;
    if (column < 0 || row < 0 || column >= width_ || row >= height_) return {};
    const std::uint32_t pixel = pixels_[row * width_ + column];
    return {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
            static_cast<std::uint8_t>(pixel)};
}

void Canvas::Blend(int x, int y, Rgb colour, float coverage) {
    const int column = x - originX_, row = y - originY_;
    if (coverage <= 0 || column < 0 || row < 0 || column >= width_ || row >= height_) return;
    const Rgb mixed = coverage >= 1 ? colour : Mix(At(x, y), colour, coverage);
    pixels_[row * width_ + column] = static_cast<std::uint32_t>(mixed.r) << 16 |
                                     static_cast<std::uint32_t>(mixed.g) << 8 | mixed.b;
}

template <typename Coverage> void Canvas::Cover(Rect box, const Paint& paint, Coverage coverage) {
    const Rect bounds = Bounds();
    box = {std::max(box.left, bounds.left), std::max(box.top, bounds.top),
           std::min(box.right, bounds.right), std::min(box.bottom, bounds.bottom)};
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            if (const float c = coverage(x + 0.5f, y + 0.5f); c > 0) Blend(x, y, paint.At(x, y), c);
}

void Canvas::Fill(Rect rect, const Paint& paint) {
    Paint spanned = paint;
    if (spanned.span.Empty()) spanned.span = rect;
    Cover(rect, spanned, [](float, float) { return 1.0f; });
}

void Canvas::FillRound(Rect rect, float radiusTop, float radiusBottom, const Paint& paint) {
    Paint spanned = paint;
    if (spanned.span.Empty()) spanned.span = rect;
    Cover(rect, spanned,
          [&](float px, float py) { return RoundCoverage(rect, radiusTop, radiusBottom, px, py); });
}

void Canvas::StrokeRound(Rect rect, float radiusTop, float radiusBottom, float width, Rgb colour) {
    const int inset = static_cast<int>(std::ceil(width));
    const Rect inner = rect.Inset(inset, inset);
    const float innerTop = std::max(0.0f, radiusTop - width);
    const float innerBottom = std::max(0.0f, radiusBottom - width);
    Cover(rect, Paint::Solid(colour), [&](float px, float py) {
        const float outer = RoundCoverage(rect, radiusTop, radiusBottom, px, py);
        const float hole = inner.Empty() ? 0 : RoundCoverage(inner, innerTop, innerBottom, px, py);
        return outer - hole;
    });
}

void Canvas::FillDisc(float cx, float cy, float radius, const Paint& paint) {
    const Rect box{static_cast<int>(std::floor(cx - radius - 1)),
                   static_cast<int>(std::floor(cy - radius - 1)),
                   static_cast<int>(std::ceil(cx + radius + 1)),
                   static_cast<int>(std::ceil(cy + radius + 1))};
    Paint spanned = paint;
    if (spanned.span.Empty()) spanned.span = box;
    Cover(box, spanned, [&](float px, float py) { return DiscCoverage(cx, cy, radius, px, py); });
}

void Canvas::StrokeRing(float cx, float cy, float radius, float width, Rgb colour) {
    const Rect box{static_cast<int>(std::floor(cx - radius - 1)),
                   static_cast<int>(std::floor(cy - radius - 1)),
                   static_cast<int>(std::ceil(cx + radius + 1)),
                   static_cast<int>(std::ceil(cy + radius + 1))};
    Cover(box, Paint::Solid(colour), [&](float px, float py) {
        return DiscCoverage(cx, cy, radius, px, py) - DiscCoverage(cx, cy, radius - width, px, py);
    });
}

void Canvas::Line(float x0, float y0, float x1, float y1, float width, Rgb colour) {
    const float half = width / 2;
    const Rect box{static_cast<int>(std::floor(std::min(x0, x1) - half - 1)),
                   static_cast<int>(std::floor(std::min(y0, y1) - half - 1)),
                   static_cast<int>(std::ceil(std::max(x0, x1) + half + 1)),
                   static_cast<int>(std::ceil(std::max(y0, y1) + half + 1))};
    const float dx = x1 - x0, dy = y1 - y0, lengthSquared = dx * dx + dy * dy;
    Cover(box, Paint::Solid(colour), [&](float px, float py) {
        float t = lengthSquared > 0 ? ((px - x0) * dx + (py - y0) * dy) / lengthSquared : 0;
        t = Clamp01(t);
        return Clamp01(half - std::hypot(px - (x0 + t * dx), py - (y0 + t * dy)) + 0.5f);
    });
}

void Canvas::FillTriangle(const float (&xs)[3], const float (&ys)[3], Rgb colour) {
    const Rect box{static_cast<int>(std::floor(std::min({xs[0], xs[1], xs[2]}))) - 1,
                   static_cast<int>(std::floor(std::min({ys[0], ys[1], ys[2]}))) - 1,
                   static_cast<int>(std::ceil(std::max({xs[0], xs[1], xs[2]}))) + 1,
                   static_cast<int>(std::ceil(std::max({ys[0], ys[1], ys[2]}))) + 1};
    // Signed distance to each edge, positive inside whichever way the corners run.
    const float area = (xs[1] - xs[0]) * (ys[2] - ys[0]) - (ys[1] - ys[0]) * (xs[2] - xs[0]);
    const float sign = area < 0 ? -1.0f : 1.0f;
    Cover(box, Paint::Solid(colour), [&](float px, float py) {
        float inside = 1;
        for (int i = 0; i < 3; ++i) {
            const int j = (i + 1) % 3;
            const float ex = xs[j] - xs[i], ey = ys[j] - ys[i];
            const float length = std::hypot(ex, ey);
            if (length == 0) return 0.0f;
            const float distance = sign * (ex * (py - ys[i]) - ey * (px - xs[i])) / length;
            inside = std::min(inside, Clamp01(distance + 0.5f));
        }
        return inside;
    });
}

} // namespace skin
