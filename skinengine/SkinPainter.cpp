#include "skinengine/SkinPainter.h"

#include <algorithm>
#include <cmath>

namespace skin {
namespace {

Paint Gradient(Paint::Kind kind, Rgb from, Rgb to) {
    return {kind, from, to, {}};
}

Paint CaptionPaint(const Skin& skin, bool active) {
    const Rgb top = active ? skin.captionTop : skin.captionInactiveTop;
    const Rgb bottom = active ? skin.captionBottom : skin.captionInactiveBottom;
    switch (static_cast<CaptionGradient>(skin.captionGradient)) {
    case CaptionGradient::Horizontal: return Gradient(Paint::Kind::Horizontal, top, bottom);
    case CaptionGradient::Glass: return Gradient(Paint::Kind::Glass, top, bottom);
    case CaptionGradient::Split: return Gradient(Paint::Kind::Split, top, bottom);
    case CaptionGradient::Vertical: break;
    }
    return Gradient(Paint::Kind::Vertical, top, bottom);
}

bool PatternAt(const Skin& skin, int x, int y) {
    const int step = std::max<int>(2, skin.clientPatternSpacing);
    switch (static_cast<PatternStyle>(skin.clientPatternStyle)) {
    case PatternStyle::None: return false;
    case PatternStyle::Lines: return y % step == 0;
    case PatternStyle::Diagonal: return (x + y) % step == 0;
    case PatternStyle::Dots: return x % step == 0 && y % step == 0;
    case PatternStyle::Grid: return x % step == 0 || y % step == 0;
    }
    return false;
}

void DottedRect(Canvas& canvas, Rect rect, Rgb colour) {
    for (int x = rect.left; x < rect.right; ++x) {
        if ((x - rect.left) % 2) continue;
        canvas.Blend(x, rect.top, colour, 1);
        canvas.Blend(x, rect.bottom - 1, colour, 1);
    }
    for (int y = rect.top; y < rect.bottom; ++y) {
        if ((y - rect.top) % 2) continue;
        canvas.Blend(rect.left, y, colour, 1);
        canvas.Blend(rect.right - 1, y, colour, 1);
    }
}

void PaintFocus(Canvas& canvas, const Skin& skin, Rect rect, float radius) {
    if (rect.Empty()) return;
    switch (static_cast<FocusStyle>(skin.buttonFocusStyle)) {
    case FocusStyle::Dotted: DottedRect(canvas, rect, skin.buttonFocus); break;
    case FocusStyle::Ring: canvas.StrokeRound(rect, radius, radius, 1, skin.buttonFocus); break;
    case FocusStyle::Bar:
        canvas.FillRect({rect.left + 1, rect.bottom - 2, rect.right - 1, rect.bottom},
                        skin.buttonFocus);
        break;
    }
}

struct Face {
    Rgb top, bottom, border, text;
};

Face ButtonFace(const Skin& skin, Look look) {
    switch (look) {
    case Look::Hover:
        return {skin.buttonHoverTop, skin.buttonHoverBottom, skin.buttonHoverBorder,
                skin.buttonHoverText};
    case Look::Pressed:
        return {skin.buttonPressedTop, skin.buttonPressedBottom, skin.buttonPressedBorder,
                skin.buttonPressedText};
    case Look::Disabled:
        return {skin.buttonDisabledFace, skin.buttonDisabledFace, skin.buttonDisabledBorder,
                skin.buttonDisabledText};
    case Look::Normal: break;
    }
    return {skin.buttonTop, skin.buttonBottom, skin.buttonBorder, skin.buttonText};
}

// Offsets a coordinate to a pixel centre for odd stroke widths, so thin lines stay crisp.
float Snap(float value, float width) {
    return static_cast<int>(width) % 2 ? std::floor(value) + 0.5f : std::round(value);
}

void PaintGlyph(Canvas& canvas, Rect face, CaptionGlyph glyph, float weight, Rgb colour) {
    const float size = std::max(6.0f, std::round(std::min(face.Width(), face.Height()) * 0.42f));
    const float cx = face.left + face.Width() / 2.0f, cy = face.top + face.Height() / 2.0f;
    const float left = std::round(cx - size / 2), top = std::round(cy - size / 2);
    const float right = left + size, bottom = top + size;
    switch (glyph) {
    case CaptionGlyph::Minimise: {
        const float y = Snap(bottom - weight / 2, weight);
        canvas.Line(left, y, right, y, weight, colour);
        break;
    }
    case CaptionGlyph::Maximise: {
        const Rect box{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                       static_cast<int>(bottom)};
        canvas.StrokeRound(box, 0, 0, std::max(1.0f, weight - 1), colour);
        canvas.FillRect({box.left, box.top, box.right, box.top + static_cast<int>(weight)}, colour);
        break;
    }
    case CaptionGlyph::Restore: {
        const int step = static_cast<int>(std::round(size / 4));
        const Rect back{static_cast<int>(left) + step, static_cast<int>(top),
                        static_cast<int>(right), static_cast<int>(bottom) - step};
        const Rect front = back.Offset(-step, step);
        // Of the window behind, only the top and right edges show past the front one.
        canvas.FillRect({back.left, back.top, back.right, back.top + 1}, colour);
        canvas.FillRect({back.right - 1, back.top, back.right, back.bottom}, colour);
        canvas.StrokeRound(front, 0, 0, std::max(1.0f, weight - 1), colour);
        break;
    }
    case CaptionGlyph::Close: {
        const float width = weight * 1.15f;
        canvas.Line(left + 0.5f, top + 0.5f, right - 0.5f, bottom - 0.5f, width, colour);
        canvas.Line(left + 0.5f, bottom - 0.5f, right - 0.5f, top + 0.5f, width, colour);
        break;
    }
    }
}

} // namespace

void PaintBackground(Canvas& canvas, const Skin& skin, Rect area, Point toRoot, Point root) {
    const Rect rootSpan{-toRoot.x, -toRoot.y, root.x - toRoot.x, root.y - toRoot.y};
    canvas.Fill(area, {Paint::Kind::Vertical, skin.clientTop, skin.clientBottom, rootSpan});
    if (static_cast<PatternStyle>(skin.clientPatternStyle) == PatternStyle::None) return;
    const Rect bounds = canvas.Bounds();
    for (int y = std::max(area.top, bounds.top); y < std::min(area.bottom, bounds.bottom); ++y)
        for (int x = std::max(area.left, bounds.left); x < std::min(area.right, bounds.right); ++x)
            if (PatternAt(skin, x + toRoot.x, y + toRoot.y))
                canvas.Blend(x, y, skin.clientPattern, 1);
}

void PaintFrame(Canvas& canvas, const Skin& skin, Point window, Rect caption, Rect inner,
                bool active) {
    const Rect full{0, 0, window.x, window.y};
    const float top = skin.frameRadius, bottom = skin.frameBottomRadius;
    canvas.FillRect(full, skin.frameOuter);
    canvas.FillRound(full, top, bottom,
                     Paint::Solid(active ? skin.frameFill : skin.frameInactiveFill));
    // The caption colour runs out to the window's edge above and beside the caption bar.
    const Rect band{0, 0, window.x, caption.bottom};
    Paint captionPaint = CaptionPaint(skin, active);
    captionPaint.span = band;
    canvas.FillRound(band, top, 0, captionPaint);
    canvas.FillRect({caption.left, caption.bottom - 1, caption.right, caption.bottom},
                    skin.captionLine);
    canvas.StrokeRound(inner.Inset(-1, -1), 0, 0, 1, skin.frameInner);
    switch (static_cast<FrameStyle>(skin.frameStyle)) {
    case FrameStyle::Flat: break;
    case FrameStyle::Raised: {
        const Rgb shade = Darken(active ? skin.frameFill : skin.frameInactiveFill, 0.3f);
        canvas.Line(1 + top, 1.5f, window.x - 1 - top, 1.5f, 1, skin.frameLight);
        canvas.Line(1.5f, 1 + top, 1.5f, window.y - 1 - bottom, 1, skin.frameLight);
        canvas.Line(window.x - 1.5f, caption.bottom, window.x - 1.5f, window.y - 1 - bottom, 1,
                    shade);
        canvas.Line(1 + bottom, window.y - 1.5f, window.x - 1 - bottom, window.y - 1.5f, 1, shade);
        break;
    }
    case FrameStyle::Double:
        canvas.StrokeRound(full.Inset(1, 1), std::max(0.0f, top - 1), std::max(0.0f, bottom - 1), 1,
                           skin.frameLight);
        break;
    }
    canvas.StrokeRound(full, top, bottom, 1, skin.frameOuter);
}

Rect CaptionTextRect(Rect caption, Rect icon, int buttonsLeft) {
    const int left = icon.Empty() ? caption.left + 6 : icon.right + 5;
    return {left, caption.top, buttonsLeft - 4, caption.bottom - 1};
}

void PaintCaptionButton(Canvas& canvas, const Skin& skin, Rect slot, Rect caption,
                        CaptionGlyph glyph, Look look) {
    const bool close = glyph == CaptionGlyph::Close;
    Rgb top = skin.sysTop, bottom = skin.sysBottom, glyphColour = skin.sysGlyph;
    bool lit = false;
    switch (look) {
    case Look::Hover:
        top = close ? skin.sysCloseHoverTop : skin.sysHoverTop;
        bottom = close ? skin.sysCloseHoverBottom : skin.sysHoverBottom;
        glyphColour = close ? Rgb{255, 255, 255} : skin.sysHoverGlyph;
        lit = true;
        break;
    case Look::Pressed:
        top = close ? skin.sysClosePressedTop : skin.sysPressedTop;
        bottom = close ? skin.sysClosePressedBottom : skin.sysPressedBottom;
        glyphColour = close ? Rgb{255, 255, 255} : skin.sysPressedGlyph;
        lit = true;
        break;
    case Look::Disabled: glyphColour = Mix(skin.sysGlyph, skin.sysBottom, 0.65f); break;
    case Look::Normal: break;
    }
    const Paint face = Gradient(Paint::Kind::Vertical, top, bottom);
    Rect box = slot.Inset(1, 2);
    switch (static_cast<SysShape>(skin.sysShape)) {
    case SysShape::Square:
        canvas.FillRound(box, 0, 0, face);
        canvas.StrokeRound(box, 0, 0, 1, skin.sysBorder);
        break;
    case SysShape::Rounded:
        canvas.FillRound(box, 3, 3, face);
        canvas.StrokeRound(box, 3, 3, 1, skin.sysBorder);
        break;
    case SysShape::Circle: {
        const float radius = std::min(box.Width(), box.Height()) / 2.0f;
        const float cx = box.left + box.Width() / 2.0f, cy = box.top + box.Height() / 2.0f;
        canvas.FillDisc(cx, cy, radius, face);
        canvas.StrokeRing(cx, cy, radius, 1, skin.sysBorder);
        box = {static_cast<int>(cx - radius), static_cast<int>(cy - radius),
               static_cast<int>(cx + radius), static_cast<int>(cy + radius)};
        break;
    }
    case SysShape::Glyph:
        if (lit) canvas.FillRound(box, 2, 2, face);
        break;
    case SysShape::Tab:
        box = {slot.left + 1, caption.top, slot.right - 1, slot.bottom - 2};
        canvas.FillRound(box, 0, 4, face);
        canvas.StrokeRound(box, 0, 4, 1, skin.sysBorder);
        break;
    }
    PaintGlyph(canvas, box, glyph, skin.sysGlyphWeight, glyphColour);
}

Rgb ButtonTextColour(const Skin& skin, Look look) {
    return ButtonFace(skin, look).text;
}

Rect PaintButton(Canvas& canvas, const Skin& skin, Rect rect, const ButtonLook& button) {
    const Face face = ButtonFace(skin, button.look);
    const float radius = std::min<float>(skin.buttonRadius, rect.Height() / 2.0f);
    const int border = skin.buttonBorderWidth;
    const auto style = static_cast<ButtonStyle>(skin.buttonStyle);
    Paint paint = Paint::Solid(face.top);
    if (style == ButtonStyle::Gradient)
        paint = Gradient(Paint::Kind::Vertical, face.top, face.bottom);
    if (style == ButtonStyle::Glossy) paint = Gradient(Paint::Kind::Glass, face.top, face.bottom);
    if (style == ButtonStyle::Bevel) paint = Paint::Solid(Mix(face.top, face.bottom, 0.5f));
    canvas.FillRound(rect, radius, radius, paint);

    if (style == ButtonStyle::Bevel && button.look != Look::Disabled) {
        const bool sunk = button.look == Look::Pressed;
        const Rgb light = Lighten(face.top, 0.55f), dark = Darken(face.bottom, 0.3f);
        const float in = border + 0.5f, reach = radius * 0.6f;
        canvas.Line(rect.left + in + reach, rect.top + in, rect.right - in - reach, rect.top + in,
                    1, sunk ? dark : light);
        canvas.Line(rect.left + in, rect.top + in + reach, rect.left + in, rect.bottom - in - reach,
                    1, sunk ? dark : light);
        canvas.Line(rect.left + in + reach, rect.bottom - in, rect.right - in - reach,
                    rect.bottom - in, 1, sunk ? light : dark);
        canvas.Line(rect.right - in, rect.top + in + reach, rect.right - in,
                    rect.bottom - in - reach, 1, sunk ? light : dark);
    }
    if (style == ButtonStyle::Accent) {
        const Rect bar{rect.left, rect.bottom - 3, rect.right, rect.bottom};
        canvas.FillRound(bar, 0, radius, Paint::Solid(face.border));
    }
    if (border > 0) canvas.StrokeRound(rect, radius, radius, border, face.border);
    if (button.isDefault)
        canvas.StrokeRound(rect.Inset(border, border), std::max(0.0f, radius - border),
                           std::max(0.0f, radius - border), 1, face.border);
    if (button.focused && button.look != Look::Disabled) {
        const int in = border + 2;
        PaintFocus(canvas, skin, rect.Inset(in, in), std::max(0.0f, radius - in));
    }
    Rect text = rect.Inset(border + 2, border + 1);
    if (button.look == Look::Pressed && style != ButtonStyle::Flat) text = text.Offset(1, 1);
    return text;
}

void PaintCheckMark(Canvas& canvas, const Skin& skin, Rect box, bool radio, int checked,
                    Look look) {
    Rgb border = skin.checkBorder, back = skin.checkBack, mark = skin.checkMark;
    if (look == Look::Hover || look == Look::Pressed) border = skin.checkHoverBorder;
    if (look == Look::Pressed) back = Mix(back, mark, 0.18f);
    if (look == Look::Disabled) {
        border = Mix(border, skin.clientBottom, 0.55f);
        back = Mix(back, skin.clientBottom, 0.5f);
        mark = Mix(mark, skin.clientBottom, 0.55f);
    }
    const float size = static_cast<float>(box.Width());
    const float cx = box.left + size / 2, cy = box.top + size / 2, r = size / 2 - 0.25f;
    const auto style = static_cast<CheckStyle>(skin.checkStyle);
    if (radio) {
        canvas.FillDisc(cx, cy, r,
                        Paint::Solid(checked && style == CheckStyle::Filled ? mark : back));
        canvas.StrokeRing(cx, cy, r, 1, checked && style == CheckStyle::Filled ? mark : border);
        if (!checked) return;
        if (style == CheckStyle::Classic) canvas.FillDisc(cx, cy, r * 0.45f, Paint::Solid(mark));
        if (style == CheckStyle::Square) {
            const int inset = box.Width() * 3 / 10;
            canvas.FillRound(box.Inset(inset, inset), 1, 1, Paint::Solid(mark));
        }
        if (style == CheckStyle::Filled) canvas.FillDisc(cx, cy, r * 0.36f, Paint::Solid(back));
        if (style == CheckStyle::Ring) canvas.StrokeRing(cx, cy, r - 0.5f, r * 0.42f, mark);
        return;
    }
    const float corner = style == CheckStyle::Classic ? 1.0f : 3.0f;
    const bool filled = checked == 1 && style == CheckStyle::Filled;
    canvas.FillRound(box, corner, corner, Paint::Solid(filled ? mark : back));
    canvas.StrokeRound(box, corner, corner, 1, filled ? mark : border);
    if (!checked) return;
    if (checked == 2) {
        canvas.FillRect(box.Inset(3, 3), Mix(back, mark, 0.6f));
    } else {
        const Rgb tick = filled ? back : mark;
        const float width = std::max(1.6f, size / 7);
        const float x = static_cast<float>(box.left), y = static_cast<float>(box.top);
        canvas.Line(x + size * 0.24f, y + size * 0.52f, x + size * 0.43f, y + size * 0.72f, width,
                    tick);
        canvas.Line(x + size * 0.43f, y + size * 0.72f, x + size * 0.78f, y + size * 0.28f, width,
                    tick);
    }
}

void PaintTextFocus(Canvas& canvas, const Skin& skin, Rect text) {
    PaintFocus(canvas, skin, text, 2);
}

Rect PaintComboBox(Canvas& canvas, const Skin& skin, Rect rect, Look look, bool focused,
                   bool dropped) {
    const float radius = std::min<float>(skin.comboRadius, rect.Height() / 2.0f);
    Rgb border = skin.comboBorder, back = skin.comboBack, arrow = skin.comboArrow;
    if (look == Look::Hover || dropped || focused) border = skin.comboHoverBorder;
    if (look == Look::Disabled) {
        border = Mix(skin.comboBorder, skin.clientBottom, 0.5f);
        back = Mix(back, skin.clientBottom, 0.5f);
        arrow = Mix(arrow, back, 0.55f);
    }
    canvas.FillRound(rect, radius, radius, Paint::Solid(back));
    const int arrowWidth = std::clamp(rect.Height() - 2, 12, 20);
    const Rect button{rect.right - 1 - arrowWidth, rect.top + 1, rect.right - 1, rect.bottom - 1};
    const bool sunk = dropped || look == Look::Pressed;
    switch (static_cast<ComboStyle>(skin.comboStyle)) {
    case ComboStyle::Button: {
        const Rgb top = sunk ? skin.comboButtonBottom : skin.comboButtonTop;
        const Rgb bottom = sunk ? skin.comboButtonTop : skin.comboButtonBottom;
        canvas.FillRound(button, 0, std::max(0.0f, radius - 1),
                         Gradient(Paint::Kind::Vertical,
                                  look == Look::Hover ? Lighten(top, 0.2f) : top, bottom));
        canvas.FillRect({button.left, button.top, button.left + 1, button.bottom}, border);
        break;
    }
    case ComboStyle::Flat:
        if (look == Look::Hover || sunk)
            canvas.FillRound(button, 0, 0, Paint::Solid(Mix(back, border, 0.15f)));
        break;
    case ComboStyle::Divider:
        canvas.FillRect({button.left, button.top + 3, button.left + 1, button.bottom - 3}, border);
        break;
    }
    canvas.StrokeRound(rect, radius, radius, 1, border);

    const float cx = button.left + button.Width() / 2.0f + 0.5f;
    const float cy = button.top + button.Height() / 2.0f;
    const float half = std::max(3.0f, std::round(arrowWidth * 0.22f));
    if (static_cast<ArrowStyle>(skin.comboArrowStyle) == ArrowStyle::Triangle) {
        canvas.FillTriangle({cx - half, cx + half, cx},
                            {cy - half / 2, cy - half / 2, cy + half / 2 + 1}, arrow);
    } else {
        canvas.Line(cx - half, cy - half / 2, cx, cy + half / 2, 1.6f, arrow);
        canvas.Line(cx, cy + half / 2, cx + half, cy - half / 2, 1.6f, arrow);
    }
    const Rect text{rect.left + 3, rect.top + 3, button.left - 2, rect.bottom - 3};
    if (focused && !dropped && look != Look::Disabled)
        canvas.FillRound(text, 2, 2, Paint::Solid(skin.listSelectBack));
    return text;
}

void PaintListItem(Canvas& canvas, const Skin& skin, Rect item, bool selected) {
    canvas.FillRect(item, skin.listBack);
    if (selected) canvas.FillRound(item.Inset(1, 0), 2, 2, Paint::Solid(skin.listSelectBack));
}

} // namespace skin
