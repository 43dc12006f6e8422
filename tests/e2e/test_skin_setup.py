"""Skin set-up at start: the engine library written out beside the program when missing and left
alone when present, the fatal library error when nothing loadable is found, the window dressed
in skin 33; and the stack check after a foreign call."""

import os
import re
import shutil
import subprocess
import time

from harness import DRIVER, PROGRAM, REPO, E2ETestCase, gbk, main

BUILD = DRIVER.parents[2]  # the cross build that made the driver
ENGINE = BUILD / "skinengine" / "SkinH_EL.dll"
PROBE = DRIVER.parent / "probes" / "StackCheckProbe.exe"
SKIN_33 = next((REPO / "skinengine" / "skins").glob("33-*.skin"))
LIBRARY = "SkinH_EL.dll"
FUNCTION = b"SkinH_AttachRes"

FILE_ATTRIBUTE_HIDDEN = 0x2
FILE_ATTRIBUTE_ARCHIVE = 0x20
WM_CLOSE = 0x10
IDOK = 1
FATAL_EXIT_CODE = 0xFFFFFFFF
ERROR_CAPTION = gbk("错误")
LIBRARY_ERROR = gbk("运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“SkinH_EL.dll”中的输出命令“SkinH_AttachRes”\r\n")
STACK_ERROR = gbk("运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n")
TRAY_ICON = (782, 583, 16, 16)  # where the desktop's taskbar shows the first notification-area icon
UNDRESSED_CAPTION = ("ActiveTitle", "GradientActiveTitle", "InactiveTitle", "GradientInactiveTitle")
PAGE = 4096


def system_colours(prefix):
    """The prefix's system colours, name -> "rrggbb", as Wine draws undressed windows."""
    text = (prefix / "user.reg").read_text(errors="replace")
    section = re.search(r"^\[Control Panel\\\\Colors\].*?(?=^\[|\Z)", text, re.M | re.S).group(0)
    return {name: "%02x%02x%02x" % tuple(map(int, rgb))
            for name, *rgb in re.findall(r'^"(\w+)"="(\d+) (\d+) (\d+)"', section, re.M)}


def skin_frame_outer():
    """The outermost frame colour of skin 33, from its source."""
    frame = re.search(r"^\[frame\](.*?)(?=^\[|\Z)", SKIN_33.read_text(), re.M | re.S).group(1)
    return re.search(r"^outer\s*=\s*#([0-9a-fA-F]{6})", frame, re.M).group(1).lower()


def entry_state(path):
    """Everything of a directory entry that a rewrite, a replacement or new attributes would
    change; None when there is no entry."""
    if not os.path.lexists(path):
        return None
    status = os.lstat(path)
    try:
        attributes = os.getxattr(path, "user.DOSATTRIB")
    except OSError:
        attributes = None
    content = path.read_bytes() if path.is_file() else None
    return status.st_ino, status.st_mtime_ns, status.st_mode, attributes, content


def dos_attributes(path):
    return int(os.getxattr(path, "user.DOSATTRIB"), 0)


class SkinSetup(E2ETestCase):
    def setUp(self):
        super().setUp()
        self.directory = self.session.program_dir
        self.library = self.directory / LIBRARY
        self.colours = system_colours(self.session.prefix)

    # Helpers

    def start_dressed(self, shot):
        app = self.launch()
        self.assert_dressed(app)
        self.session.screenshot(shot)
        return app

    def close(self, app):
        app.drive(("post", WM_CLOSE, 0, 0))
        self.assertEqual(app.exit_code(), 0)

    def assert_dressed(self, app):
        """Skin 33 draws the frame and caption: not one caption pixel in Wine's own caption
        colours, and the window's top edge in the skin's outer frame colour."""
        out = app.drive("rect", "client-rect")
        rect, client = out.one("rect"), out.one("client-rect")
        left, top, width = rect.int("left"), rect.int("top"), rect.int("width")
        undressed = {self.colours[name] for name in UNDRESSED_CAPTION}
        deadline = time.monotonic() + 3
        while True:
            caption = self.session.screen_colours(left, top, width, client.int("screen-y") - top)
            plain = {colour: caption[colour] for colour in undressed if caption[colour]}
            edge = self.session.screen_colours(left + 10, top, width - 20, 1).most_common(1)[0][0]
            if (not plain and edge == skin_frame_outer()) or time.monotonic() > deadline:
                break
            time.sleep(0.1)
        self.assertEqual(plain, {}, f"caption pixels in Wine's caption colours; seen {caption.most_common(5)}")
        self.assertEqual(edge, skin_frame_outer(), "top edge in skin 33's outer frame colour")

    def expect_fatal_box(self, app, text, shot):
        """The one error box, while no main window and no notification-area icon ever show;
        after OK the process ends with exit code -1."""
        box = app.drive(("message-box", 15000)).one("message-box")
        tray = self.session.screen_colours(*TRAY_ICON)
        self.session.screenshot(shot)
        self.assertEqual((box.text("caption"), box.text()), (ERROR_CAPTION, text))
        self.assertEqual((box["icon"], box["buttons"]), ("1", str(IDOK)), "an icon and the OK button alone")
        self.assertEqual(box["main-shown"], "0", "main window shown")
        self.assertEqual(set(tray), {self.colours["Background"]}, "a notification-area icon shows")
        app.drive(("message-box", 1000), ("click", IDOK))
        self.assertEqual(app.exit_code(), FATAL_EXIT_CODE)

    def engine_in_system32(self):
        """Our engine where Windows' standard library search finds it, outside the program's
        directory."""
        shutil.copyfile(ENGINE, self.session.prefix / "drive_c" / "windows" / "system32" / LIBRARY)

    def expect_unusable_entry_kept(self, shot):
        """An entry that cannot be loaded is never written over or repaired, at any start; the
        standard search for the bare name begins in the program's own directory, so it stops
        there too, and an engine elsewhere is not reached."""
        before = entry_state(self.library)
        self.expect_fatal_box(self.session.start(), LIBRARY_ERROR, shot)
        self.assertEqual(entry_state(self.library), before)
        self.engine_in_system32()
        self.expect_fatal_box(self.session.start(), LIBRARY_ERROR, shot + "-engine-elsewhere")
        self.assertEqual(entry_state(self.library), before)
        self.assertEqual(sorted(os.listdir(self.directory)), sorted([PROGRAM.name, LIBRARY]))

    # The library written out, or found present

    def test_first_start_writes_the_engine_hidden_and_a_second_start_leaves_it_alone(self):
        app = self.start_dressed("first-start")
        deadline = time.monotonic() + 3
        while set(self.session.screen_colours(*TRAY_ICON)) == {self.colours["Background"]}:
            self.assertLess(time.monotonic(), deadline, "no notification-area icon where the fatal cases look")
            time.sleep(0.1)
        self.assertEqual(self.library.read_bytes(), ENGINE.read_bytes())
        self.assertEqual(dos_attributes(self.library), FILE_ATTRIBUTE_HIDDEN)
        self.assertEqual(sorted(os.listdir(self.directory)), sorted([PROGRAM.name, LIBRARY]))
        self.close(app)
        written = entry_state(self.library)
        self.close(self.start_dressed("second-start"))
        self.assertEqual(entry_state(self.library), written)

    def test_a_copy_placed_by_hand_is_used_as_it_is_and_not_hidden(self):
        shutil.copyfile(ENGINE, self.library)
        os.setxattr(self.library, "user.DOSATTRIB", b"0x%x" % FILE_ATTRIBUTE_ARCHIVE)
        os.chmod(self.library, 0o444)  # read-only to Windows
        os.utime(self.library, ns=(978307200 * 10**9, 978307200 * 10**9))
        before = entry_state(self.library)
        self.close(self.start_dressed("placed-copy"))
        self.assertEqual(entry_state(self.library), before)

    def test_a_loadable_library_without_the_function_is_fatal_and_kept(self):
        image = ENGINE.read_bytes()
        self.assertEqual(image.count(FUNCTION + b"\0"), 1, "the export's name, once")
        self.library.write_bytes(image.replace(FUNCTION + b"\0", FUNCTION[:-1] + b"X\0"))
        before = entry_state(self.library)
        self.expect_fatal_box(self.session.start(), LIBRARY_ERROR, "no-function")
        self.assertEqual(entry_state(self.library), before)

    # Nothing loadable in the program's directory

    def test_a_directory_of_the_library_name_counts_as_present(self):
        self.library.mkdir()
        self.expect_unusable_entry_kept("directory")

    def test_a_truncated_library_is_never_repaired(self):
        self.library.write_bytes(ENGINE.read_bytes()[:1000])
        self.expect_unusable_entry_kept("truncated")

    def test_a_library_of_garbage_is_never_replaced(self):
        self.library.write_bytes(bytes(range(256)) * 300)
        self.expect_unusable_entry_kept("garbage")

    def test_an_unwritable_directory_gets_nothing_and_an_engine_elsewhere_is_used(self):
        subprocess.run(["chattr", "+i", str(self.directory)], check=True)
        self.addCleanup(subprocess.run, ["chattr", "-i", str(self.directory)], check=True)
        self.expect_fatal_box(self.session.start(), LIBRARY_ERROR, "unwritable")
        self.assertEqual(os.listdir(self.directory), [PROGRAM.name])
        self.engine_in_system32()
        self.close(self.start_dressed("unwritable-engine-elsewhere"))
        self.assertEqual(os.listdir(self.directory), [PROGRAM.name])

    def test_a_write_that_fails_part_way_leaves_nothing_and_a_later_start_writes_afresh(self):
        program = self.directory / PROGRAM.name
        image = program.read_bytes()
        program.unlink()
        # A file system with room for the program and for part of the engine only.
        size = -(-len(image) // PAGE) * PAGE + 6 * PAGE
        subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={size}", "quorvel-e2e", str(self.directory)],
                       check=True)
        self.addCleanup(subprocess.run, ["umount", "--lazy", str(self.directory)], check=True)
        program.write_bytes(image)
        self.assertTrue(0 < shutil.disk_usage(self.directory).free < ENGINE.stat().st_size)
        self.expect_fatal_box(self.session.start(), LIBRARY_ERROR, "disk-full")
        self.assertEqual(os.listdir(self.directory), [PROGRAM.name])
        subprocess.run(["mount", "-o", f"remount,size={size + 2 * ENGINE.stat().st_size}", str(self.directory)],
                       check=True)
        self.close(self.start_dressed("space-freed"))
        self.assertEqual(self.library.read_bytes(), ENGINE.read_bytes())
        self.assertEqual(dos_attributes(self.library), FILE_ATTRIBUTE_HIDDEN)
        self.assertEqual(sorted(os.listdir(self.directory)), sorted([PROGRAM.name, LIBRARY]))

    # The stack check after a late-bound call

    def install_probe(self):
        shutil.copy2(PROBE, self.directory / PROBE.name)
        return self.session.windows_path(self.directory / PROBE.name)

    def test_a_balanced_call_returns_its_result(self):
        probe = self.install_probe()
        log = self.session.case_dir / "probe.out"
        with open(log, "wb") as out:
            code = subprocess.run(["wine", probe, "balanced"], env=self.session.env, stdin=subprocess.DEVNULL,
                                  stdout=out, stderr=subprocess.DEVNULL, timeout=60).returncode
        self.assertEqual((code, log.read_bytes().splitlines()), (0, [b"sum=5"]))

    def test_an_unbalanced_call_is_fatal_error_6(self):
        probe = self.install_probe()
        self.expect_fatal_box(self.session.start("unbalanced", program=probe), STACK_ERROR, "unbalanced")


if __name__ == "__main__":
    main()
