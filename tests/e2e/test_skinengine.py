"""The skin engine under Wine: SkinH_EL.dll dressing its test window (skinengine/testhost),
laid out like the program's main window, with real mouse input and screen pixels.

The engine's files come from the cross build: $QT_SKINENGINE_DIR, by default the skinengine
folder of the build that holds the e2e driver. Colours are compared with the skins' sources,
read through the skin compiler (skinengine/tools/skinc.py).
"""

import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

from harness import DRIVER, PROGRAM_DIR_WINDOWS, REPO, E2ETestCase, main

ENGINE_DIR = Path(os.environ.get("QT_SKINENGINE_DIR", DRIVER.parents[2] / "skinengine"))
SKIN_SOURCES = REPO / "skinengine" / "skins"
sys.path.insert(0, str(REPO / "skinengine" / "tools"))
import skinc  # noqa: E402

CLASSIC, AURORA = "01-classic", "33-aurora"


def skin_colours(stem):
    """Resolves a skin's colour keys as the compiler does."""
    _, palette, settings = skinc.parse_source((SKIN_SOURCES / f"{stem}.skin").read_text())
    return skinc.Resolver(palette, settings).colour


def distance_to_blend(colour, a, b):
    """How far a colour lies from the blend between a and b (a gradient's colours)."""
    def dist(p, q):
        return sum((x - y) ** 2 for x, y in zip(p, q)) ** 0.5
    return min(dist(colour, tuple(x + (y - x) * t / 20 for x, y in zip(a, b))) for t in range(21))


def rgb(hex_text):
    return tuple(int(hex_text[i:i + 2], 16) for i in (0, 2, 4))


class TestHost:
    """One run of the engine's test window; `facts` holds its log as lists of values."""

    def __init__(self, test, skin, *options):
        self.session = test.session
        self.log = self.session.program_dir / f"host-{time.monotonic_ns()}.log"
        self.program = self.session.start(skin, self.log.name, "--pos", "100", "100", *options,
                                          program=f"{PROGRAM_DIR_WINDOWS}\\skinengine_testhost.exe",
                                          cwd=PROGRAM_DIR_WINDOWS)
        self.wait_for("ready")

    def facts(self):
        found = {}
        if self.log.is_file():
            for line in self.log.read_text(errors="replace").splitlines():
                key, _, value = line.partition("=")
                found.setdefault(key, []).append(value)
        return found

    def wait_for(self, key, timeout_s=20):
        deadline = time.monotonic() + timeout_s
        while key not in self.facts():
            if time.monotonic() > deadline:
                raise AssertionError(f"the test host never logged '{key}': {self.facts()}")
            time.sleep(0.05)
        time.sleep(0.3)  # the last paint reaches the screen
        return self.facts()

    def point(self, key):
        return tuple(int(n) for n in self.facts()[key][0].split())

    def window(self):
        return tuple(int(n) for n in self.facts()["window"][0].split())

    def typical(self, left, top, width, height):
        """The per-channel median colour of a screen box: the background, not text or lines."""
        counts = self.session.screen_colours(left, top, width, height)
        total = sum(counts.values())
        median = []
        for channel in range(3):
            seen = 0
            for value, count in sorted((rgb(c)[channel], n) for c, n in counts.items()):
                seen += count
                if seen * 2 >= total:
                    median.append(value)
                    break
        return tuple(median)

    def regions(self):
        """Dominant colours of the caption bar, the bare client area and a push button's face."""
        left, top, right, bottom = self.window()
        quit_x, quit_y = self.point("quit")
        return {
            # The caption's lower rows, below the title: every caption style blends its two
            # colours there.
            "caption": self.typical(left + 24, top + 17, 150, 3),
            "client": self.typical(left + 10, bottom - 14, right - left - 20, 8),
            "button": self.typical(quit_x - 24, quit_y + 6, 48, 6),
        }

    def close(self):
        self.session.xdotool("mousemove", *self.point("close"), "click", "1")
        self.wait_for("destroyed")
        return self.program.exit_code(timeout_s=10)


class SkinEngine(E2ETestCase):
    def setUp(self):
        super().setUp()
        directory = self.session.program_dir
        for name in ("SkinH_EL.dll", "skinengine_testhost.exe"):
            shutil.copy2(ENGINE_DIR / name, directory)
        for stem in (CLASSIC, AURORA):
            shutil.copy2(ENGINE_DIR / "skins" / f"{stem}.she", directory)

    def assert_own_colours(self, seen, stem, other):
        own, foreign = skin_colours(stem), skin_colours(other)
        for region, keys in {"caption": ("caption.top", "caption.bottom"),
                             "client": ("client.top", "client.bottom"),
                             "button": ("button.top", "button.bottom")}.items():
            near_own = distance_to_blend(seen[region], *map(own, keys))
            near_other = distance_to_blend(seen[region], *map(foreign, keys))
            self.assertLess(near_own, near_other, f"{stem}: the {region} shows {seen[region]}")
        self.assertLess(distance_to_blend(seen["client"], own("client.top"), own("client.bottom")), 24)

    def test_each_skin_shows_its_own_colours(self):
        seen = {}
        for stem, other in ((CLASSIC, AURORA), (AURORA, CLASSIC)):
            host = TestHost(self, f"{stem}.she")
            self.assertEqual(host.facts()["attach"], ["0"])
            seen[stem] = host.regions()
            self.assert_own_colours(seen[stem], stem, other)
            self.assertEqual(host.close(), 0)
        for region in ("caption", "client", "button"):
            self.assertNotEqual(seen[CLASSIC][region], seen[AURORA][region], region)

    def test_a_damaged_skin_leaves_the_window_undressed_and_says_why(self):
        damaged = bytearray((self.session.program_dir / f"{AURORA}.she").read_bytes())
        damaged[-1] ^= 0x40
        (self.session.program_dir / "damaged.she").write_bytes(damaged)
        runs = {"damaged": ("damaged.she",), "missing": ("missing.she",),
                "overstated": (f"{AURORA}.she", "--overstate"), "good": (f"{AURORA}.she",)}
        results = {}
        for name, arguments in runs.items():
            host = TestHost(self, *arguments)
            results[name] = (host.facts()["attach"][0], host.regions())
            self.assertEqual(host.close(), 0)
        self.assertEqual(results["damaged"][0], "-7")  # the checksum
        self.assertEqual(results["missing"][0], "-1")  # no data
        self.assertEqual(results["overstated"][0], "-23")  # the size reaches past readable memory
        for name in ("damaged", "overstated"):
            self.assertEqual(results[name][1], results["missing"][1], f"{name}: not the system's look")
        for region, colour in results["damaged"][1].items():
            self.assertNotEqual(colour, results["good"][1][region], region)

    def test_hover_and_press_change_a_button_and_the_click_still_arrives(self):
        host = TestHost(self, f"{AURORA}.she")
        ok_x, ok_y = host.point("ok")
        box = (ok_x - 28, ok_y - 14, 56, 28)
        normal = self.session.screen_colours(*box)
        self.session.xdotool("mousemove", ok_x, ok_y)
        time.sleep(0.4)
        hovered = self.session.screen_colours(*box)
        self.session.xdotool("mousedown", "1")
        time.sleep(0.4)
        pressed = self.session.screen_colours(*box)
        self.session.xdotool("mouseup", "1")
        self.assertEqual(host.wait_for("clicked")["clicked"], ["1002"])
        self.assertNotEqual(normal, hovered)
        self.assertNotEqual(hovered, pressed)
        self.assertNotEqual(normal, pressed)

    def test_caption_buttons_light_up_under_the_mouse_and_when_held(self):
        host = TestHost(self, f"{AURORA}.she")
        colours = skin_colours(AURORA)
        close_x, close_y = host.point("close")
        box = (close_x - 4, close_y - 4, 8, 8)
        face = (close_x - 1, close_y + 4, 3, 1)  # below the glyph
        normal = self.session.screen_colours(*box)
        self.session.xdotool("mousemove", close_x, close_y)
        time.sleep(0.4)
        hovered = self.session.screen_colours(*box)
        self.session.xdotool("mousedown", "1")
        time.sleep(0.4)
        held = host.typical(*face)
        # Released away from the button: nothing happens, as with the system's caption buttons.
        self.session.xdotool("mousemove", close_x - 120, close_y + 90, "mouseup", "1")
        self.assertNotEqual(normal, hovered)
        self.assertLess(distance_to_blend(held, colours("sysbutton.close_pressed_top"),
                                          colours("sysbutton.close_pressed_bottom")), 48)
        time.sleep(0.3)
        self.assertNotIn("closing", host.facts())

    def test_the_window_still_moves_by_its_caption_and_minimises(self):
        host = TestHost(self, f"{AURORA}.she")
        start = tuple(int(n) for n in host.facts()["moved"][-1].split())
        x, y = host.point("caption")
        self.session.xdotool("mousemove", x, y, "mousedown", "1", "mousemove", x + 30, y + 20,
                             "mousemove", x + 60, y + 40, "mouseup", "1")
        time.sleep(0.4)
        moved = tuple(int(n) for n in host.facts()["moved"][-1].split())
        self.assertEqual(moved, (start[0] + 60, start[1] + 40))
        minimise_x, minimise_y = host.point("minimise")
        self.session.xdotool("mousemove", minimise_x + 60, minimise_y + 40, "click", "1")
        host.wait_for("minimised")

    def test_windows_made_after_the_call_are_dressed_too(self):
        # Attached before the test window exists, and with a message box made later still, the
        # skin looks the same as when the window was there first.
        shots = []
        for options in ((), ("--attach-first",)):
            host = TestHost(self, f"{AURORA}.she", "--message-box", *options)
            facts = host.wait_for("message-box")
            left, top, _, bottom = host.window()
            _, _, box_right, box_bottom = (int(n) for n in facts["message-box"][0].split())
            shots.append(self.session.screen_colours(left, top, box_right - left, max(bottom, box_bottom) - top))
            box = tuple(int(n) for n in facts["message-box"][0].split())
            self.session.xdotool("key", "Return")
            host.wait_for("message-box-closed")
            self.assertEqual(host.close(), 0)
        self.assertEqual(shots[0], shots[1])
        colours = skin_colours(AURORA)
        left, top, right, bottom = box
        host = TestHost(self, f"{AURORA}.she", "--message-box")
        host.wait_for("message-box")
        box_client = host.typical(left + 8, bottom - 12, right - left - 16, 6)
        self.assertLess(distance_to_blend(box_client, colours("client.top"), colours("client.bottom")), 24)
        box_caption = host.typical(left + 40, top + 17, 60, 3)
        classic = skin_colours(CLASSIC)
        self.assertLess(distance_to_blend(box_caption, colours("caption.top"), colours("caption.bottom")),
                        distance_to_blend(box_caption, classic("caption.top"), classic("caption.bottom")))


    def test_popup_menus_take_the_skins_background(self):
        host = TestHost(self, f"{AURORA}.she", "--menu")
        host.wait_for("menu-open")
        _, top, right, _ = host.window()
        # The menu opens 10 pixels right of the window's top right corner. Wine paints the
        # menu's background brush in the margin inside its border (Windows also under the
        # entries, which Wine fills with the system's menu colour).
        margin = host.typical(right + 11, top + 20, 2, 40)
        self.assertEqual(margin, rgb(bytes(skin_colours(AURORA)("menu.back")).hex()))
        self.session.xdotool("key", "Escape")
        host.wait_for("menu-closed")


    def test_repainting_makes_no_gdi_objects(self):
        # Wine counts no GDI objects (GetGuiResources gives 0), so its relay trace counts the
        # calls that make them, over a few repaints and over a thousand.
        self.session.set_registry(
            "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Debug]\n"
            '"RelayInclude"="gdi32.CreateCompatibleDC;gdi32.CreateDIBSection;gdi32.CreateSolidBrush;'
            'gdi32.CreatePen;gdi32.CreateFontIndirectW;gdi32.CreateRectRgn;gdi32.CreateRoundRectRgn;'
            'gdi32.CreateBitmap;gdi32.CreateCompatibleBitmap"\n')
        made = {}
        for repaints in (10, 1000):
            log = self.session.program_dir / f"repaint-{repaints}.log"
            trace = self.session.case_dir / f"relay-{repaints}.txt"
            with open(trace, "wb") as out:
                process = subprocess.Popen(
                    ["wine", "skinengine_testhost.exe", f"{AURORA}.she", log.name, "--repaint", str(repaints)],
                    cwd=self.session.program_dir, env=dict(self.session.env, WINEDEBUG="+relay"),
                    stdin=subprocess.DEVNULL, stdout=out, stderr=out)
            try:
                deadline = time.monotonic() + 120
                while "ready" not in (log.read_text() if log.is_file() else ""):
                    self.assertLess(time.monotonic(), deadline, "the test host never got ready")
                    time.sleep(0.1)
            finally:
                process.kill()
                process.wait()
            made[repaints] = trace.read_text(errors="replace").count("Call gdi32.Create")
        self.assertGreater(made[10], 0, "the trace shows no calls at all")
        self.assertEqual(made[10], made[1000])


if __name__ == "__main__":
    main()
