#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <tuple>
#include <vector>

#include "skinengine/SkinPainter.h"

using namespace skin;

namespace {

Skin ProgramSkin() {
    std::ifstream in(QT_COMPILED_SKIN_DIR "/33-aurora.she", std::ios::binary);
    const std::vector<char> bytes(std::istreambuf_iterator<char>(in), {});
    Skin skin;
    EXPECT_EQ(ReadSkin(bytes.data(), static_cast<std::ptrdiff_t>(bytes.size()), skin),
              SkinError::None);
    return skin;
}

struct Surface {
    Surface(int width, int height, int x = 0, int y = 0)
        : pixels(static_cast<std::size_t>(width * height), 0),
          canvas(pixels.data(), width, height, x, y) {}
    std::vector<std::uint32_t> pixels;
    Canvas canvas;
};

std::tuple<int, int, int> Tuple(Rgb c) {
    return {c.r, c.g, c.b};
}

} // namespace

TEST(SkinPainter, ButtonLooksDifferFromOneAnother) {
    const Skin skin = ProgramSkin();
    std::set<std::tuple<int, int, int>> middles;
    for (Look look : {Look::Normal, Look::Hover, Look::Pressed, Look::Disabled}) {
        Surface surface(61, 33);
        PaintButton(surface.canvas, skin, {0, 0, 61, 33}, {look, false, false});
        middles.insert(Tuple(surface.canvas.At(30, 24)));
    }
    EXPECT_EQ(middles.size(), 4u);
}

TEST(SkinPainter, BackgroundUnderAChildContinuesTheWindows) {
    const Skin skin = ProgramSkin();
    Surface window(240, 160);
    PaintBackground(window.canvas, skin, {0, 0, 240, 160}, {0, 0}, {240, 160});
    // A child at (85, 57) paints in its own coordinates what the window shows there.
    Surface child(61, 33);
    PaintBackground(child.canvas, skin, {0, 0, 61, 33}, {85, 57}, {240, 160});
    for (int y = 0; y < 33; y += 4)
        for (int x = 0; x < 61; x += 5)
            ASSERT_EQ(child.canvas.At(x, y), window.canvas.At(85 + x, 57 + y)) << x << "," << y;
    EXPECT_NE(window.canvas.At(10, 2), window.canvas.At(10, 150))
        << "the skin's gradient runs top to bottom";
}

TEST(SkinPainter, DrawsOnlyInsideTheBuffer) {
    const Skin skin = ProgramSkin();
    // The buffer covers x 100..120, y 50..60 of the surface; shapes reach far beyond it.
    Surface surface(20, 10, 100, 50);
    PaintButton(surface.canvas, skin, {-500, -500, 900, 900}, {Look::Hover, true, true});
    PaintCheckMark(surface.canvas, skin, {95, 45, 108, 58}, true, 1, Look::Normal);
    PaintComboBox(surface.canvas, skin, {0, 40, 400, 70}, Look::Normal, true, false);
    surface.canvas.Line(-1e6f, -1e6f, 1e6f, 1e6f, 3, {1, 2, 3});
    EXPECT_EQ(surface.canvas.At(0, 0), Rgb{}) << "outside reads as black and is never written";
}

TEST(SkinPainter, CheckedAndUncheckedMarksDiffer) {
    const Skin skin = ProgramSkin();
    for (bool radio : {true, false}) {
        Surface off(13, 13), on(13, 13);
        PaintCheckMark(off.canvas, skin, {0, 0, 13, 13}, radio, 0, Look::Normal);
        PaintCheckMark(on.canvas, skin, {0, 0, 13, 13}, radio, 1, Look::Normal);
        EXPECT_NE(off.pixels, on.pixels) << (radio ? "radio" : "check box");
    }
}
