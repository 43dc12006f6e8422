"""The web links: the exit through the advertising page, the tray menu's two pages and the
hyperlink box, with a stand-in browser that records what Wine's browser bridge hands it, and
Wine's relay trace of the program's calls to the shell.

What Wine does with the box's stored address, the official host followed by CR LF, when the box
is clicked before the program has pointed it elsewhere:
- ShellExecuteA gets the text unchanged. Wine's shell guesses the scheme of a name that begins
  with "www.", starts winebrowser with "http://<host>\\r\\n" and answers 33; winebrowser's URL
  parser drops the CR LF and the stand-in browser receives "http://<host>/".
- When the shell cannot open it (no "http" class in the registry: ShellExecuteA answers 31), the
  box runs the ".htm" class's open command, cut before its "%1" in quotes, a space and the text:
  winebrowser gets "<host>\\r\\n", cannot parse it, treats it as a web address and the stand-in
  browser receives "http://<host>\\r\\n", CR LF included.
"""

import ctypes
import os
import re
import time
import unittest
from unittest.mock import ANY

from harness import (IDS, MENU_COMMAND_BASE, REPO, RELAY_WINEDEBUG, E2ETestCase, gbk, main,
                     relay_registry)


def _site_host(name):
    """The host that the program was built with: from ctest's environment, else the default."""
    default = re.search(rf'set\(QT_{name}_SITE_HOST "([^"]*)"', (REPO / "cmake" / "Project.cmake").read_text())[1]
    return os.environ.get(f"QT_E2E_{name}_SITE_HOST", default)


AD_HOST, OFFICIAL_HOST = _site_host("AD"), _site_host("OFFICIAL")
AD_PAGE_URL = f"http://{AD_HOST}/wb008.htm?from=143885&gid=5"
OFFICIAL_SITE_URL = f"http://{OFFICIAL_HOST}/"
STORED_ADDRESS = f"{OFFICIAL_HOST}\r\n"
# The open command of the ".htm" class in Wine's registry, as the box's fallback cuts it.
HTM_COMMAND_CUT = '"C:\\windows\\system32\\winebrowser.exe" '

BOX, EXIT, STATUS = IDS["超级链接框1"], IDS["按钮_退出"], IDS["标签1"]
SHELL_EXECUTE, WIN_EXEC, NOTIFY_ICON = "shell32.ShellExecuteA", "kernel32.WinExec", "shell32.Shell_NotifyIconA"
TRACED = (SHELL_EXECUTE, WIN_EXEC, NOTIFY_ICON)
NULL = "00000000"
SW_SHOWNORMAL, SW_SHOW, SW_MINIMIZE = 1, 5, 6
NIM_DELETE = 2
WM_COMMAND = 0x111
# The tray menu's entries in their order; separators are skipped by the arrow keys.
MENU = ("显示窗口", "取消定时", "广告地址", "官方网站", "退出工具")
TRAY_ICON = (789, 590)
NORMAL, HOVER, VISITED = "0000ff", "265904", "800000"
HAND_POINTERS = {"hand2", "hand1", "hand", "pointer", "pointing_hand"}


def menu_command(entry):
    """The command id of a tray menu entry: the base plus its position among all items, counting
    the hidden root and the separators."""
    return MENU_COMMAND_BASE + 1 + 2 * MENU.index(entry)


def shell_call(target, result=33):
    """ShellExecuteA as the box calls it: no owner, "open", the target, no parameters, no
    directory, SW_SHOW."""
    return (SHELL_EXECUTE, [NULL, "open", target, NULL, NULL, f"{SW_SHOW:08x}"], result)


def shell_open_call(address):
    """ShellExecuteA as ShellOpen calls it: empty parameters and directory, SW_SHOWNORMAL."""
    return (SHELL_EXECUTE, [NULL, "open", address, "", "", f"{SW_SHOWNORMAL:08x}"], ANY)


class _XFixesCursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short), ("width", ctypes.c_ushort),
                ("height", ctypes.c_ushort), ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.c_void_p), ("atom", ctypes.c_ulong),
                ("name", ctypes.c_char_p)]


def pointer_name(display):
    """The name of the X cursor that the screen shows now ("" for an unnamed one). Wine shows a
    system cursor of Windows, such as IDC_HAND, as the cursor theme's cursor of that role."""
    x11, xfixes = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXfixes.so.3")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XCloseDisplay.argtypes = x11.XFree.argtypes = [ctypes.c_void_p]
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(_XFixesCursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    connection = x11.XOpenDisplay(display.encode())
    try:
        image = xfixes.XFixesGetCursorImage(connection)
        name = (image.contents.name or b"").decode()
        x11.XFree(image)
        return name
    finally:
        x11.XCloseDisplay(connection)


class Browser:
    """A stand-in for the user's browser: a script named xdg-open first on the PATH of the wine
    processes, which Wine's browser bridge runs with the address. Each run leaves one file with
    its arguments, each ended by a zero byte."""

    def __init__(self, session):
        self.calls = session.case_dir / "browser-calls"
        self.calls.mkdir()
        bin_dir = session.case_dir / "browser-bin"
        bin_dir.mkdir()
        script = bin_dir / "xdg-open"
        script.write_text(f'#!/bin/sh\ncall="{self.calls}/$(date +%s%N)-$$"\n'
                          'printf "%s\\0" "$@" > "$call.part" && mv "$call.part" "$call"\n')
        script.chmod(0o755)
        session.env["PATH"] = f"{bin_dir}:{session.env['PATH']}"

    def opened(self):
        """The addresses opened so far, in order."""
        calls = sorted(p for p in self.calls.iterdir() if p.suffix != ".part")
        return [p.read_bytes().decode().split("\0")[0] for p in calls]

    def wait_opened(self, count, timeout_s=5):
        """The addresses opened, once there are at least `count` (the browser starts asynchronously)."""
        deadline = time.monotonic() + timeout_s
        while len(opened := self.opened()) < count and time.monotonic() < deadline:
            time.sleep(0.05)
        return opened


class Links(E2ETestCase):
    def launch_traced(self, browser=True, registry="", env_debug=""):
        """Starts the program with its shell calls traced and, unless told otherwise, the stand-in
        browser; `registry` is REGEDIT4 text imported before the start."""
        self.browser = Browser(self.session) if browser else None
        self.session.set_registry(relay_registry(TRACED) + registry)
        return self.launch(env={"WINEDEBUG": RELAY_WINEDEBUG + env_debug})

    def shell_calls(self, app, count=0, timeout_s=5):
        """The program's calls that open something, once there are at least `count` of them
        and the last has returned (a real click reaches the program after xdotool has ended)."""
        deadline = time.monotonic() + timeout_s
        while True:
            calls = [(c.function, c.args, c.result) for c in app.relay_calls() if c.function in (SHELL_EXECUTE, WIN_EXEC)]
            if (len(calls) >= count and (not calls or calls[-1][2] is not None)) or time.monotonic() > deadline:
                return calls
            time.sleep(0.05)

    def assert_tray_icon_removed(self, app):
        """The program took its icon away itself; then the taskbar, with nothing left on it, goes."""
        deletes = [c for c in app.relay_calls() if c.function == NOTIFY_ICON and c.args[0] == f"{NIM_DELETE:08x}"]
        self.assertEqual([c.result for c in deletes], [1])
        desktop = self.session.screen_colours(5, 5, 1, 1)
        deadline = time.monotonic() + 3
        while (strip := self.session.screen_colours(0, 580, 800, 20)).keys() != desktop.keys():
            self.assertLess(time.monotonic(), deadline, f"the taskbar stays: {strip.most_common(4)}")
            time.sleep(0.05)

    def open_tray_menu(self, app):
        """Opens the icon's popup menu with a real right click; returns the menu's rectangle."""
        self.session.xdotool("mousemove", *TRAY_ICON, "click", 3)
        return app.drive(("find-window", "#32768", "-", 3000), "rect").one("rect")

    def pick_from_the_tray_menu(self, app, entry):
        """Picks the entry from the icon's popup menu with the keys."""
        self.open_tray_menu(app)
        self.session.xdotool("key", *["Down"] * (MENU.index(entry) + 1), "Return")

    def box_rect(self, app):
        out = app.drive("client-rect", "children")
        origin = out.one("client-rect")
        box = next(c for c in out.all("child") if c.int("id") == BOX)
        return (origin.int("screen-x") + box.int("x"), origin.int("screen-y") + box.int("y"),
                box.int("width"), box.int("height"))

    def wait_link_colour(self, rect, colour, timeout_s=3):
        """The box's pixels once its text shows only the given one of the three link colours."""
        deadline = time.monotonic() + timeout_s
        while True:
            pixels = self.session.screen_colours(*rect)
            shown = {c for c in (NORMAL, HOVER, VISITED) if pixels[c]}
            if shown == {colour} or time.monotonic() > deadline:
                self.assertEqual(shown, {colour}, f"link colours of the box: {pixels.most_common(5)}")
                return pixels

    # The exit through the advertising page

    def assert_exits_through_the_ad_page(self, app):
        self.assertEqual(app.exit_code(timeout_s=10), 0)
        self.assertEqual(self.shell_calls(app), [shell_call(AD_PAGE_URL)])
        self.assertEqual(self.browser.wait_opened(1), [AD_PAGE_URL])
        self.assert_tray_icon_removed(app)

    def test_the_exit_button_opens_the_ad_page_and_ends_the_program(self):
        app = self.launch_traced()
        self.session.xdotool("mousemove", *app.screen_centre(EXIT), "click", 1)
        self.assert_exits_through_the_ad_page(app)
        self.session.screenshot("after-exit")

    def test_退出工具_while_hidden_in_the_tray_opens_the_ad_page_and_ends_the_program(self):
        app = self.launch_traced()
        app.drive(("show", SW_MINIMIZE))
        deadline = time.monotonic() + 5
        while app.drive("is-visible").one("is-visible").int("value"):
            self.assertLess(time.monotonic(), deadline, "minimised, the window hides in the tray")
        # With no window of the program shown, Wine's X keyboard focus stays elsewhere and the
        # menu gets no keys: a click picks the last entry, in the last of five rows of about
        # equal height.
        menu = self.open_tray_menu(app)
        self.session.xdotool("mousemove", (menu.int("left") + menu.int("right")) // 2,
                             menu.int("bottom") - menu.int("height") // 10, "click", 1)
        self.assert_exits_through_the_ad_page(app)

    def test_without_a_browser_the_exit_button_still_ends_the_program(self):
        no_browser = ('\n[HKEY_CURRENT_USER\\Software\\Wine\\WineBrowser]\n'
                      '"Browsers"="/nonexistent/browser"\n')
        app = self.launch_traced(browser=False, registry=no_browser, env_debug=",err+winebrowser")
        self.session.xdotool("mousemove", *app.screen_centre(EXIT), "click", 1)
        self.assertEqual(app.exit_code(timeout_s=10), 0)
        self.assertEqual(self.shell_calls(app), [shell_call(AD_PAGE_URL)])
        deadline = time.monotonic() + 5
        while not re.search(rf"err:winebrowser:.*{re.escape(AD_PAGE_URL)}", app.stderr()):
            self.assertLess(time.monotonic(), deadline, "winebrowser finds no browser and says so")
            time.sleep(0.05)

    def test_the_close_box_opens_nothing(self):
        app = self.launch_traced()
        self.session.xdotool("mousemove", *app.close_box_centre(), "click", 1)
        self.assertEqual(app.exit_code(timeout_s=10), 0)
        self.assertEqual(self.shell_calls(app), [])
        self.assert_tray_icon_removed(app)
        self.assertEqual(self.browser.opened(), [])

    # The tray menu's pages

    def test_广告地址_twice_opens_the_ad_page_twice_and_then_the_box_opens_it_too(self):
        app = self.launch_traced()
        rect = self.box_rect(app)
        start = self.wait_link_colour(rect, NORMAL)
        self.pick_from_the_tray_menu(app, "广告地址")
        self.assertEqual(self.browser.wait_opened(1), [AD_PAGE_URL])
        app.drive(("post", WM_COMMAND, menu_command("广告地址"), 0))
        self.assertEqual(self.browser.wait_opened(2), [AD_PAGE_URL] * 2)
        self.assertTrue(app.running())
        self.assertEqual(self.wait_link_colour(rect, NORMAL), start, "opening on the program's behalf leaves the colour")

        self.session.xdotool("mousemove", *app.screen_centre(BOX), "click", 1)
        self.assertEqual(self.shell_calls(app, 3), [shell_call(AD_PAGE_URL)] * 3)
        self.assertEqual(self.browser.wait_opened(3), [AD_PAGE_URL] * 3)
        self.assertEqual(app.drive(("text", BOX)).one("text").text(), gbk(OFFICIAL_HOST))
        self.session.xdotool("mousemove", *app.screen_centre(STATUS))
        self.assertEqual(self.wait_link_colour(rect, VISITED)[VISITED], start[NORMAL])
        self.session.screenshot("box-after-ad-page")

    def test_官方网站_opens_the_official_site_and_leaves_the_box_alone(self):
        app = self.launch_traced()
        rect = self.box_rect(app)
        before = self.session.screen_pixels(*rect)
        app.drive(("post", WM_COMMAND, menu_command("官方网站"), 0))
        self.assertEqual(self.browser.wait_opened(1), [OFFICIAL_SITE_URL])
        self.assertEqual(self.shell_calls(app, 1), [shell_open_call(OFFICIAL_SITE_URL)])
        self.assertEqual(self.session.screen_pixels(*rect), before)
        self.assertEqual(app.drive(("text", BOX)).one("text").text(), gbk(OFFICIAL_HOST))
        # Its address is still the stored one: a click hands that to the shell.
        self.session.xdotool("mousemove", *app.screen_centre(BOX), "click", 1)
        self.assertEqual(self.shell_calls(app, 2), [shell_open_call(OFFICIAL_SITE_URL), shell_call(STORED_ADDRESS)])

    # A click on the box before any handler has run, its colours and its pointer

    def assert_first_click(self, case, registry, calls, opened, colour_after):
        app = self.launch_traced(registry=registry)
        rect = self.box_rect(app)
        normal = self.wait_link_colour(rect, NORMAL)
        self.assertGreater(normal[NORMAL], 50, "the host name is drawn")
        self.session.screenshot(f"{case}-normal")

        self.session.xdotool("mousemove", *app.screen_centre(BOX))
        self.assertEqual(self.wait_link_colour(rect, HOVER)[HOVER], normal[NORMAL])
        self.assertIn(pointer_name(self.session.x.display), HAND_POINTERS, "the pointer over the box")
        self.session.screenshot(f"{case}-hover")

        self.session.xdotool("click", 1)
        self.assertEqual(self.shell_calls(app, len(calls)), calls)
        self.assertEqual(self.browser.wait_opened(len(opened)), opened)
        # The box sees the mouse go only over the program's own window, as with any capture.
        self.session.xdotool("mousemove", *app.screen_centre(STATUS))
        self.assertEqual(self.wait_link_colour(rect, colour_after)[colour_after], normal[NORMAL])
        self.assertNotIn(pointer_name(self.session.x.display), HAND_POINTERS, "the pointer off the box")
        self.session.screenshot(f"{case}-after-click")
        self.assertEqual(self.browser.opened(), opened)

    @unittest.skipUnless(OFFICIAL_HOST.startswith("www."), "Wine's shell guesses http:// only for www. names")
    def test_a_first_click_on_the_box_hands_the_stored_address_to_the_shell(self):
        self.assert_first_click("shell", "", [shell_call(STORED_ADDRESS)], [f"http://{OFFICIAL_HOST}/"], VISITED)

    def test_a_first_click_that_the_shell_cannot_open_runs_the_web_browser_command(self):
        no_http_class = "\n[-HKEY_CLASSES_ROOT\\http]\n"
        calls = [shell_call(STORED_ADDRESS, result=31),
                 (WIN_EXEC, [f"{HTM_COMMAND_CUT} {STORED_ADDRESS}", f"{SW_SHOW:08x}"], 33)]
        self.assert_first_click("fallback", no_http_class, calls, [f"http://{STORED_ADDRESS}"], VISITED)

    def test_a_first_click_that_opens_nothing_leaves_the_box_unvisited(self):
        no_web_classes = "\n[-HKEY_CLASSES_ROOT\\http]\n\n[-HKEY_CLASSES_ROOT\\.htm]\n"
        self.assert_first_click("nothing", no_web_classes, [shell_call(STORED_ADDRESS, result=31)], [], NORMAL)


if __name__ == "__main__":
    main()
