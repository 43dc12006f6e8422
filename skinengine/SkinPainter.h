#pragma once
// The skin's drawing of each part, onto a Canvas. Text is left to the caller, which draws it
// with the window's own font into the rectangle these functions hand back.
#include "skinengine/Canvas.h"

namespace skin {

enum class Look { Normal, Hover, Pressed, Disabled };
enum class CaptionGlyph { Minimise, Maximise, Restore, Close };

struct Point {
    int x = 0, y = 0;
};

// Fills `area` with the client background. `toRoot` turns canvas coordinates into those of
// the top-level window's client area, whose size is `root`, so that gradients and patterns
// run on unbroken beneath child controls.
void PaintBackground(Canvas& canvas, const Skin& skin, Rect area, Point toRoot, Point root);

// The whole non-client surface of a top-level window of size `window` whose caption bar is
// `caption` and whose inner part (client area, menu bar) is `inner`. The caller clips away
// the inner part.
void PaintFrame(Canvas& canvas, const Skin& skin, Point window, Rect caption, Rect inner,
                bool active);
// The room for the caption text, right of the icon box `icon` (empty when there is none) and
// left of the first caption button at `buttonsLeft`; a centred title is centred in it.
Rect CaptionTextRect(Rect caption, Rect icon, int buttonsLeft);
void PaintCaptionButton(Canvas& canvas, const Skin& skin, Rect slot, Rect caption,
                        CaptionGlyph glyph, Look look);

struct ButtonLook {
    Look look = Look::Normal;
    bool focused = false;
    bool isDefault = false;
};
// A push button; gives the rectangle for its text.
Rect PaintButton(Canvas& canvas, const Skin& skin, Rect rect, const ButtonLook& button);
Rgb ButtonTextColour(const Skin& skin, Look look);

// The mark of a radio button or check box inside `box` (a square); checked is 0, 1 or 2
// (indeterminate).
void PaintCheckMark(Canvas& canvas, const Skin& skin, Rect box, bool radio, int checked, Look look);
// A focus indicator around the text of a radio button or check box.
void PaintTextFocus(Canvas& canvas, const Skin& skin, Rect text);

// The closed box of a drop-down list; gives the rectangle for the selected item's text.
Rect PaintComboBox(Canvas& canvas, const Skin& skin, Rect rect, Look look, bool focused,
                   bool dropped);

// One item of an open list: its background (selection included); text is the caller's.
void PaintListItem(Canvas& canvas, const Skin& skin, Rect item, bool selected);

} // namespace skin
