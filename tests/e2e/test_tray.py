"""The notification-area icon: its picture and tip, minimising to it, the ways back, its popup
menu, its end with the window and its return after the taskbar is rebuilt."""

import collections
import struct
import time

from harness import IDS, REPO, TRAY_CALLBACK_MESSAGE, E2ETestCase, gbk, main

OK, CANCEL, STATUS, MINUTES = IDS["按钮_确定"], IDS["按钮_取消"], IDS["标签1"], IDS["组合框_分钟"]
ICON_FILE = REPO / "resources" / "QuorvelTimer.ico"
TRAY_UID = 100
TIP = gbk("定时关机")

# The taskbar's notification area while it holds one icon: the box the icon is looked for in
# (left, top, width, height) and the point in the icon's middle that real clicks go to.
TRAY_BOX = (774, 580, 26, 20)
ICON_POINT = (789, 590)
ICON_TOLERANCE = 3  # per colour channel, for the tray's alpha blending
MENU_OFFSET = 5

WM_CLOSE = 0x0010
WM_RBUTTONUP = 0x0205
SW_SHOW, SW_MINIMIZE, SW_RESTORE = 5, 6, 9
# Longer than the double-click time, so that a click has had all its effects.
SETTLE_S = 0.7
WAIT_MS = 3000

# (visible, minimised) of the window in the tray's three states.
SHOWN, IN_TRAY, MINIMISED = (1, 0), (0, 1), (1, 1)
# How the driver brings the window into each state, as ShowWindow commands.
REACH = {SHOWN: [SW_RESTORE], IN_TRAY: [SW_MINIMIZE], MINIMISED: [SW_MINIMIZE, SW_SHOW]}
STATE_NAMES = {SHOWN: "shown", IN_TRAY: "in the tray", MINIMISED: "minimised"}


def icon_picture(background):
    """The 16-pixel image of the program's icon file as the tray draws it over `background`
    ("rrggbb"): 16 rows of 16 (r, g, b)."""
    data = ICON_FILE.read_bytes()
    under = bytes.fromhex(background)
    for entry in range(struct.unpack_from("<H", data, 4)[0]):
        width, _, _, _, _, bits, _, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * entry)
        if width == 16 and bits == 32:
            pixels = data[offset + struct.unpack_from("<I", data, offset)[0]:]
            rows = []
            for y in range(16):  # stored bottom row first, as blue, green, red, alpha
                row = pixels[(15 - y) * 64:(16 - y) * 64]
                rows.append([blend(row[4 * x:4 * x + 4], under) for x in range(16)])
            return rows
    raise AssertionError(f"{ICON_FILE} holds no 16-pixel image of 32 bits")


def blend(bgra, under):
    alpha = bgra[3]
    return tuple((bgra[2 - c] * alpha + under[c] * (255 - alpha) + 127) // 255 for c in range(3))


def rgb(colour):
    return tuple(bytes.fromhex(colour))


# The window's state (visible, minimised), its screen rectangle (left, top, width, height) and
# whether it is the foreground window.
View = collections.namedtuple("View", "state rect foreground")


class Tray(E2ETestCase):
    # What the screen and the shell show.

    def icon_place(self):
        """Where the tray shows the program's icon picture, as its top-left screen point, or None."""
        left, top, width, height = TRAY_BOX
        screen = self.session.screen_pixels(*TRAY_BOX)
        background = collections.Counter(c for row in screen for c in row).most_common(1)[0][0]
        picture = icon_picture(background)
        for dy in range(height - 15):
            for dx in range(width - 15):
                if all(max(abs(a - b) for a, b in zip(rgb(screen[dy + y][dx + x]), picture[y][x]))
                       <= ICON_TOLERANCE for y in range(16) for x in range(16)):
                    return (left + dx, top + dy)
        return None

    def wait_for_icon(self, timeout_s=5):
        deadline = time.monotonic() + timeout_s
        while (place := self.icon_place()) is None:
            if time.monotonic() > deadline:
                self.session.screenshot("no-icon")
                self.fail("the program's icon picture is not in the notification area")
            time.sleep(0.05)
        return place

    def look(self, app):
        """The window's state, rectangle and foreground from one driver run: a View."""
        out = app.drive("is-visible", "is-iconic", "rect", "foreground")
        rect = out.one("rect")
        return View((out.one("is-visible").int("value"), out.one("is-iconic").int("value")),
                    (rect.int("left"), rect.int("top"), rect.int("width"), rect.int("height")),
                    out.one("foreground")["main"] == "1")

    def taskbar_shows(self):
        taskbar = self.session.drive(("find-window", "Shell_TrayWnd", "-")).one("find-window")
        return taskbar["visible"] == "1"

    def wait_taskbar_button(self, app, present):
        """Waits until the taskbar shows a button for the window, or none; returns its middle."""
        button = app.drive(("wait-taskbar-button", int(present), WAIT_MS)).one("wait-taskbar-button")
        return (button.int("x"), button.int("y")) if present else None

    def wait_for_no_tray(self, timeout_s=5):
        """Waits until the taskbar, which shows only while some icon is in the tray, is gone."""
        deadline = time.monotonic() + timeout_s
        while self.taskbar_shows():
            if time.monotonic() > deadline:
                self.fail("the taskbar still shows: an icon is left in the notification area")
            time.sleep(0.05)

    def wait_tip(self, timeout_s=5):
        """The text of the tooltip that shows once the pointer rests on the icon."""
        deadline = time.monotonic() + timeout_s
        while True:
            out = self.session.drive(("find-window", "tooltips_class32", "-"), "caption", check=False)
            if out.error is None and out.one("find-window")["visible"] == "1":
                return out.one("caption").text()
            if time.monotonic() > deadline:
                self.fail(f"no tooltip over the icon:\n{out.text}")
            time.sleep(0.1)

    def menu_rect(self, timeout_ms=0):
        """The open popup menu's screen rectangle, or None when no menu is open."""
        deadline = time.monotonic() + timeout_ms / 1000
        while True:
            out = self.session.drive(("find-window", "#32768", "-", timeout_ms), "rect", check=False)
            if out.error is None and out.one("find-window")["visible"] == "1":
                return out.one("rect")
            if time.monotonic() > deadline:
                return None
            time.sleep(0.05)

    def wait_menu(self):
        rect = self.menu_rect(WAIT_MS)
        self.assertIsNotNone(rect, "no popup menu opened")
        return rect

    def wait_menu_closed(self):
        deadline = time.monotonic() + WAIT_MS / 1000
        while self.menu_rect() is not None:
            self.assertLess(time.monotonic(), deadline, "the popup menu stays open")
            time.sleep(0.05)

    def menu_rows(self, rect):
        """The open menu's picture, top to bottom, as bands of rows: ("entry", top, bottom) for
        text, ("separator", top, bottom) for a line across; the menu's frame is left out."""
        width, height = rect.int("width"), rect.int("height")
        screen = self.session.screen_pixels(rect.int("left"), rect.int("top"), width, height)
        inner = [row[width // 8:width - width // 8] for row in screen]
        background = collections.Counter(c for row in inner for c in row).most_common(1)[0][0]
        bands = []
        for y, row in enumerate(inner):
            kind = "entry" if len(set(row)) > 1 else "blank" if row[0] == background else "separator"
            if bands and bands[-1][0] == kind:
                bands[-1][2] = y
            else:
                bands.append([kind, y, y])
        kinds = [band[0] for band in bands]
        first, last = kinds.index("entry"), len(kinds) - 1 - kinds[::-1].index("entry")
        return [tuple(band) for band in bands[first:last + 1] if band[0] != "blank"]

    def entry_point(self, rect, index):
        """Screen point in the middle of the menu's text entry of that index, found in its picture."""
        entries = [(top, bottom) for kind, top, bottom in self.menu_rows(rect) if kind == "entry"]
        top, bottom = entries[index]
        return (rect.int("left") + rect.int("width") // 2, rect.int("top") + (top + bottom) // 2)

    # Real input.

    def right_click_icon(self):
        self.session.xdotool("mousemove", *ICON_POINT, "click", 3)
        return self.wait_menu()

    def double_click_icon(self):
        self.session.xdotool("mousemove", *ICON_POINT, "click", "--repeat", 2, "--delay", 80, 1)

    def pick_by_click(self, index):
        """Opens the tray menu from the icon and clicks its text entry of that index. (While the
        window is hidden, Wine's virtual desktop keeps the X keyboard focus on the desktop, so
        keys do not reach the menu; the mouse does.)"""
        point = self.entry_point(self.right_click_icon(), index)
        self.session.xdotool("mousemove", *point, "click", 1)
        self.wait_menu_closed()

    # The window.

    def start(self):
        """The program started, its window shown and its icon in the tray."""
        app = self.launch()
        self.wait_for_icon()
        return app

    def wait_state(self, app, state):
        app.drive(("wait-state", *state, WAIT_MS))

    def reach(self, app, state):
        app.drive(*[("show", command) for command in REACH[state]], ("wait-state", *state, WAIT_MS))

    def wait_shown_at(self, app, rect):
        """Waits until the window is at `rect`, finding it shown and normal at every look."""
        deadline = time.monotonic() + WAIT_MS / 1000
        while (view := self.look(app)).rect != rect:
            self.assertEqual(view.state, SHOWN)
            self.assertLess(time.monotonic(), deadline, f"the window stays at {view.rect}, not {rect}")
        self.assertEqual(view.state, SHOWN)

    def arm_one_minute(self, app):
        app.drive(("select", MINUTES, 1), ("click", OK), ("wait-enabled", OK, 0, WAIT_MS))

    def assert_armed(self, app, armed):
        out = app.drive(("enabled", OK), ("enabled", CANCEL))
        self.assertEqual([e.int("value") for e in out.all("enabled")], [0, 1] if armed else [1, 0],
                         "armed: 确定 off, 取消 on" if armed else "stopped: 确定 on, 取消 off")

    # The tests.

    def test_at_start_the_icon_shows_the_programs_picture_with_its_tip_and_the_window_is_shown(self):
        app = self.start()
        self.assertEqual(self.look(app).state, SHOWN)
        self.assertTrue(self.taskbar_shows())
        self.wait_taskbar_button(app, True)
        self.session.xdotool("mousemove", *ICON_POINT)
        self.assertEqual(self.wait_tip(), TIP)
        self.session.screenshot("tip")

    def test_every_way_of_minimising_hides_the_window_and_its_taskbar_button_and_keeps_the_icon(self):
        app = self.start()
        xdotool = self.session.xdotool

        def by_system_menu():
            xdotool("key", "alt+space")
            self.wait_menu()
            xdotool("key", "n")  # 最小化(N)

        # The keyboard goes first, while the started window still has it: under Wine's virtual
        # desktop a window restored by another process is the foreground window without
        # always getting the X keyboard focus. The taskbar minimises the foreground window.
        ways = [
            ("system-menu", by_system_menu),
            ("minimise-box", lambda: xdotool("mousemove", *app.minimise_box_centre(), "click", 1)),
            ("taskbar-button",
             lambda: xdotool("mousemove", *self.wait_taskbar_button(app, True), "click", 1)),
        ]
        for name, minimise in ways:
            with self.subTest(way=name):
                self.reach(app, SHOWN)
                self.assertTrue(self.look(app).foreground)
                minimise()
                self.wait_state(app, IN_TRAY)
                self.wait_taskbar_button(app, False)
                self.wait_for_icon()
                self.session.screenshot(f"in-tray-by-{name}")

    def test_show_window_in_the_tray_menu_brings_back_only_the_taskbar_button(self):
        app = self.start()
        start = self.look(app).rect
        self.reach(app, IN_TRAY)
        self.pick_by_click(0)  # 显示窗口
        self.wait_state(app, MINIMISED)
        button = self.wait_taskbar_button(app, True)
        self.session.screenshot("minimised-after-show-window")
        time.sleep(SETTLE_S)
        self.assertEqual(self.look(app).state, MINIMISED, "still minimised")
        # Restoring from the taskbar shows the window where it was.
        self.session.xdotool("mousemove", *button, "click", 1)
        self.wait_state(app, SHOWN)
        self.assertEqual(self.look(app).rect, start)

    def test_a_double_click_on_the_icon_shows_restores_and_activates_the_window_from_every_state(self):
        app = self.start()
        start = self.look(app).rect
        for state in (IN_TRAY, MINIMISED, SHOWN):
            with self.subTest(start=STATE_NAMES[state]):
                self.reach(app, state)
                self.double_click_icon()
                self.wait_state(app, SHOWN)
                self.session.screenshot(f"double-click-from-{STATE_NAMES[state].replace(' ', '-')}")
                time.sleep(SETTLE_S)  # shown once: nothing else follows
                view = self.look(app)
                self.assertEqual(view.state, SHOWN)
                self.assertEqual(view.rect, start)
                self.assertTrue(view.foreground, "the window is activated")
                self.wait_taskbar_button(app, True)
                self.assertIsNone(self.menu_rect())

    def test_a_single_left_click_on_the_icon_changes_nothing(self):
        app = self.start()
        for state in (SHOWN, IN_TRAY, MINIMISED):
            with self.subTest(state=STATE_NAMES[state]):
                self.reach(app, state)
                before = self.look(app)
                self.session.xdotool("mousemove", *ICON_POINT, "click", 1)
                time.sleep(SETTLE_S)
                self.assertEqual(self.look(app)[:2], before[:2])
                self.assertIsNone(self.menu_rect(), "no menu on the left button")

    def test_dragging_the_window_by_its_caption_moves_it_and_never_hides_it(self):
        app = self.start()
        left, top, width, height = self.look(app).rect
        grab = (left + 100, top + 11)
        self.session.xdotool("mousemove", *grab, "mousedown", 1)
        for dx, dy in [(-10, -8), (-30, -28), (-50, -48), (40, 30)]:
            self.session.xdotool("mousemove", grab[0] + dx, grab[1] + dy)
            self.wait_shown_at(app, (left + dx, top + dy, width, height))
        self.session.xdotool("mouseup", 1)
        time.sleep(SETTLE_S)
        self.assertEqual(self.look(app)[:2], (SHOWN, (left + 40, top + 30, width, height)))
        self.session.screenshot("dragged")

    def test_the_tray_menu_opens_on_the_right_button_release_beside_the_pointer(self):
        app = self.start()
        self.session.xdotool("mousemove", *ICON_POINT, "mousedown", 3)
        time.sleep(SETTLE_S)
        self.assertIsNone(self.menu_rect(), "no menu while the right button is down")
        self.session.xdotool("mouseup", 3)
        rect = self.wait_menu()
        self.session.screenshot("menu-at-icon")
        # Its right edge is 5 pixels left of the pointer; the screen's bottom edge pushes it up,
        # so it opens above the pointer.
        self.assertEqual(rect.int("right"), ICON_POINT[0] - MENU_OFFSET)
        self.assertLessEqual(rect.int("bottom"), ICON_POINT[1] - MENU_OFFSET)
        self.assertGreaterEqual(rect.int("top"), 0)
        self.session.xdotool("key", "Escape")
        self.wait_menu_closed()
        self.assertEqual(self.look(app).state, SHOWN, "Esc closes the menu and picks nothing")
        self.assertTrue(app.running())
        # Away from the screen's edges its top right corner is 5 pixels left of and above the pointer.
        pointer = (400, 300)
        self.session.xdotool("mousemove", *pointer)
        app.drive(("post", TRAY_CALLBACK_MESSAGE, TRAY_UID, WM_RBUTTONUP))
        rect = self.wait_menu()
        self.session.screenshot("menu")
        self.assertEqual((rect.int("right"), rect.int("top")),
                         (pointer[0] - MENU_OFFSET, pointer[1] - MENU_OFFSET))
        self.assertEqual([kind for kind, _, _ in self.menu_rows(rect)],
                         ["entry", "separator"] * 4 + ["entry"], "five entries between four separators")
        self.session.xdotool("key", "Escape")
        self.wait_menu_closed()

    def test_down_keys_and_return_pick_the_entries_in_order_and_wrap_after_the_fifth(self):
        app = self.start()
        self.arm_one_minute(app)
        # 显示窗口 leaves a shown window and the countdown alone; 取消定时 stops the countdown,
        # second in the menu and again after five more steps down.
        for downs, stops in [(1, False), (2, True), (7, True)]:
            with self.subTest(downs=downs):
                self.right_click_icon()
                self.session.xdotool("key", *["Down"] * downs, "Return")
                self.wait_menu_closed()
                if stops:
                    app.drive(("wait-enabled", OK, 1, WAIT_MS))
                self.assert_armed(app, not stops)
                self.assertEqual(self.look(app).state, SHOWN)
                if stops:
                    self.arm_one_minute(app)

    def test_cancel_timer_in_the_tray_menu_stops_the_countdown_of_the_hidden_window(self):
        app = self.start()
        self.arm_one_minute(app)
        app.drive(("wait-text", STATUS, gbk("距离关机还剩0小时0分59秒").hex(), 2500))
        self.session.xdotool("mousemove", *app.minimise_box_centre(), "click", 1)
        self.wait_state(app, IN_TRAY)
        self.pick_by_click(1)  # 取消定时
        app.drive(("wait-enabled", OK, 1, WAIT_MS))
        self.assert_armed(app, False)
        out = app.drive(("watch-text", STATUS, 1500), "is-visible", "is-iconic")
        changes = out.all("change")
        self.assertEqual(len(changes), 1, f"the status line stops changing: {changes}")
        self.assertEqual((out.one("is-visible").int("value"), out.one("is-iconic").int("value")), IN_TRAY)

    def test_no_icon_is_left_once_the_window_is_closed(self):
        # Wine's shell also drops the icons of a window once it is destroyed, so this sees the
        # end state, not which of the two took the icon away.
        ways = [
            ("close-box", lambda app: self.session.xdotool("mousemove", *app.close_box_centre(), "click", 1)),
            ("wm-close", lambda app: app.drive(("post", WM_CLOSE, 0, 0))),
        ]
        for name, close in ways:
            with self.subTest(way=name):
                app = self.start()
                close(app)
                self.assertEqual(app.exit_code(timeout_s=10), 0)
                self.wait_for_no_tray()
                desktop = self.session.screen_pixels(10, 10, 1, 1)[0][0]
                self.assertEqual(set(self.session.screen_colours(*TRAY_BOX)), {desktop})
                self.session.screenshot(f"closed-by-{name}")

    def test_once_the_taskbar_is_rebuilt_the_icon_is_added_again_and_answers(self):
        app = self.start()
        self.reach(app, IN_TRAY)
        # The tray forgets the icon, as a rebuilt taskbar does, then tells every window.
        self.assertEqual(app.drive(("notify-delete", TRAY_UID)).one("notify-delete")["ok"], "1")
        self.wait_for_no_tray()
        app.drive(("broadcast", "TaskbarCreated"))
        self.wait_for_icon()
        self.session.xdotool("mousemove", *ICON_POINT)
        self.assertEqual(self.wait_tip(), TIP)
        self.session.screenshot("icon-added-again")
        self.double_click_icon()
        self.wait_state(app, SHOWN)


if __name__ == "__main__":
    main()
