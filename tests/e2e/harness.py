"""End-to-end harness: runs QuorvelTimer under Wine on a private X server and drives it.

Every test case gets a fresh world: a copy of one 32-bit template prefix (built once per run
under build/e2e/template and reused while Wine and the recipe stay the same), a private Xvfb on
a free display, a fresh program directory ``C:\\Quorvel Test`` inside the prefix holding a copy
of dist/QuorvelTimer.exe, and at the end ``wineserver -k``, the X server stopped by its pid and
the prefix removed. Every wine command runs with LC_ALL=zh_CN.UTF-8 (ANSI code page 936), one
fixed TMPDIR and the registry's virtual desktop "e2e" of 800x600 pixels, whose screen
coordinates are the X root coordinates. Wine's output always goes to files, never to pipes.

Writing a test module (tests/e2e/test_*.py, runnable alone as ``python3 test_x.py``)::

    from harness import E2ETestCase, IDS, gbk, main

    class Countdown(E2ETestCase):
        def test_arming(self):
            app = self.launch()                          # started and visible
            app.drive(("click", IDS["按钮_确定"]))
            label = app.drive(("text", IDS["标签1"])).one("text")
            self.assertEqual(label.text(), gbk("..."))

    if __name__ == "__main__":
        main()

API
- ``E2ETestCase``: unittest.TestCase whose ``setUp`` makes ``self.session`` (a ``Session``)
  and closes it after the test. ``self.launch(*args, cwd=None, env=None)`` starts the program,
  waits until its main window is visible and has the keyboard, and returns its ``Program``.
- ``Session(name)``: the world of one test case. ``program_dir`` (Unix ``Path`` of
  ``C:\\Quorvel Test``), ``program_windows_path``, ``prefix``, ``case_dir`` (logs), ``env``
  (environment of every wine command), ``windows_path(unix_path)``;
  ``start(*args, program=None, cwd=None, env=None)`` -> ``Program`` (started, not waited for;
  ``env``: a dict of variables added to the environment of the program alone, such as
  ``{"WINEDEBUG": "+relay"}``);
  ``drive(*commands, check=True)`` -> ``Output``: one driver run; ``xdotool(*args)`` -> stdout
  text (real X input: ``xdotool("mousemove", x, y, "click", 1)``, ``xdotool("key", "Escape")``);
  ``screenshot(name)`` -> ``Path`` of the 800x600 desktop as PNG under build/e2e/screenshots/,
  also printed; ``screen_colours(left, top, width, height)`` -> Counter of "rrggbb" pixel
  colours in a screen box; ``screen_pixels(left, top, width, height)`` -> the box's rows of
  "rrggbb" colours; ``wine(*args, timeout=...)`` -> exit status of any other wine command;
  ``set_registry(reg_text)`` imports a REGEDIT4 text; ``close()``.
- ``Program``: ``pid``; ``drive(*commands)`` runs the driver attached to this process (the main
  window of class MainWindowClassName is then the current window); ``wait_visible(ms)`` ->
  ``Record``; ``wait_keyboard_focus()`` (X keyboard focus on the main window: keys sent
  earlier are lost); ``stderr()`` -> the text that the program has written to its standard
  error (Wine's trace); ``relay_calls()`` -> its own calls in Wine's relay trace, each a
  ``RelayCall(function, args, result)``; ``exit_code(timeout_s)`` -> the process's exit code
  as an unsigned number (0xFFFFFFFF for -1); ``running()``; ``screen_centre(control_id)``,
  ``close_box_centre()`` and ``minimise_box_centre()`` -> (x, y) screen points for real mouse
  clicks with xdotool.
- Driver commands (tests/e2e/driver/driver.cpp): each a tuple or a whitespace-separated string,
  e.g. ``("click", IDS["按钮_确定"])`` or ``"wait-visible 5000"``. Control ids are numbers;
  texts are hex of CP936 bytes (``gbk(s).hex()``). See the table at the end of driver.cpp.
- ``Output``: ``records`` (list of ``Record``), ``one(name)`` (exactly one record of that
  name), ``all(name)``, ``text`` (the raw output). A failing command raises ``DriverError``
  unless ``check=False``; then ``error`` holds the failing ``Record`` or None.
- ``Record``: a dict of the ``key=value`` words of one output line, with ``name``,
  ``int(key)`` (decimal or 0x hex) and ``text(key="text")`` (hex decoded to bytes).
- ``IDS``: control name -> id, read from app/ControlIds.h; ``MENU_COMMAND_BASE``,
  ``TRAY_CALLBACK_MESSAGE``, ``DESTROY_REQUEST_MESSAGE``, ``MAIN_WINDOW_CLASS`` likewise.
  ``DESKTOP`` is (800, 600). ``gbk(str)`` -> CP936 bytes.
- Wine's relay trace of the program's calls to a few functions: ``session.set_registry(
  relay_registry(["user32.ExitWindowsEx", ...]))``, then ``launch(env={"WINEDEBUG":
  RELAY_WINEDEBUG})`` and ``program.relay_calls()``.
- Environment: QT_E2E_PROGRAM (the .exe), QT_E2E_DRIVER (the driver .exe), QT_E2E_WORK
  (default build/e2e), QT_E2E_KEEP=1 keeps each case's prefix for a look afterwards.

Command line: ``harness.py --list`` prints the ids of all tests beside this file (ctest
registers one test per id); ``harness.py --run [--screenshot PATH]`` runs the program for a
person: on $DISPLAY in a persistent prefix until it exits, or without a display on a private X
server, saving a screenshot once the window shows.
"""

import collections
import fcntl
import os
import re
import shutil
import subprocess
import sys
import time
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
REPO = HERE.parents[1]
WORK = Path(os.environ.get("QT_E2E_WORK", REPO / "build" / "e2e"))
PROGRAM = Path(os.environ.get("QT_E2E_PROGRAM", REPO / "dist" / "QuorvelTimer.exe"))
DRIVER = Path(os.environ.get("QT_E2E_DRIVER", REPO / "build" / "win" / "tests" / "e2e" / "e2e_driver.exe"))
# One TMPDIR for every wine and wineserver command: another value would start a second
# wineserver on the same prefix. Kept short, as the server's socket lives below it.
WINE_TMPDIR = Path("/tmp") / f"quorvel-e2e-{os.getuid()}"
SCREENSHOTS = WORK / "screenshots"

DESKTOP = (800, 600)
PROGRAM_DIR_WINDOWS = "C:\\Quorvel Test"
WINE_TIMEOUT_S = 60
HTMINBUTTON = 8
HTCLOSE = 20
START_TIMEOUT_S = 30

DESKTOP_REGISTRY = f"""REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="e2e"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"e2e"="{DESKTOP[0]}x{DESKTOP[1]}"
"""
# mscoree off keeps wineboot from asking for Mono; mshtml stays, or HKCR\.htm goes missing.
WINEBOOT_OVERRIDES = "mscoree=;winemenubuilder.exe=d"
TEMPLATE_RECIPE = f"win32|{WINEBOOT_OVERRIDES}|{DESKTOP_REGISTRY}"


def gbk(text):
    """The program's texts as the CP936 bytes that it hands to the ANSI calls."""
    return text.encode("gbk")


def _read_control_ids():
    header = (REPO / "app" / "ControlIds.h").read_text(encoding="utf-8")
    ids = {name: int(value) for name, value in re.findall(r"^\s*(\w+)\s*=\s*(\d+)\s*,", header, re.M)}
    constants = dict(re.findall(r"inline constexpr [^=;]*?\b(\w+)\s*=\s*([^;]+);", header))
    return ids, constants


IDS, _CONSTANTS = _read_control_ids()
MENU_COMMAND_BASE = int(_CONSTANTS["MenuCommandBase"], 0)
TRAY_CALLBACK_MESSAGE = int(_CONSTANTS["TrayCallbackMessage"], 0)
DESTROY_REQUEST_MESSAGE = int(_CONSTANTS["DestroyRequestMessage"], 0)
MAIN_WINDOW_CLASS = _CONSTANTS["MainWindowClassName"].strip().strip('"')


class DriverError(AssertionError):
    pass


# Wine's relay trace of a program: WINEDEBUG for its environment, and the registry text that
# limits the trace to the calls of a few functions ("dll.Function") so that it stays small.
RELAY_WINEDEBUG = "-all,+pid,+relay"
RelayCall = collections.namedtuple("RelayCall", "function args result")
_RELAY_LINE = re.compile(r"^([0-9a-f]+):([0-9a-f]+):"
                         r"(?:Call ([\w.]+)\((.*)\)|Ret  ([\w.]+)\(\) retval=([0-9a-f]+)) ret=[0-9a-f]+$")
# An argument: a hex number, followed by the text it points to when Wine shows it as a string.
_RELAY_ARG = re.compile(r'\s*([0-9a-f]+)( L?"((?:[^"\\]|\\.)*)")?\s*(?:,|$)')
_RELAY_ESCAPE = re.compile(r"\\(x[0-9a-f]{4}|x[0-9a-f]{2}|.)")


def relay_registry(functions):
    return ('REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Debug]\n'
            f'"RelayInclude"="{";".join(functions)}"\n')


def _unescape(match):
    escape = match[1]
    if escape[0] == "x" and len(escape) > 1:
        return chr(int(escape[1:], 16))
    return {"n": "\n", "r": "\r", "t": "\t"}.get(escape, escape)


def _relay_args(text):
    return [_RELAY_ESCAPE.sub(_unescape, string) if quoted else number
            for number, quoted, string in _RELAY_ARG.findall(text)] if text else []


def relay_calls(trace, pid):
    """The traced calls that the process `pid` made, in order: each a RelayCall with the function
    ("dll.Function", the library in lower case), its arguments as Wine shows them (hex numbers;
    an argument shown as a string is its text) and its result as a number (None while the call
    has not returned)."""
    calls, open_calls = [], collections.defaultdict(list)
    for line in trace.splitlines():
        match = _RELAY_LINE.match(line)
        if not match or int(match[1], 16) != pid:
            continue
        thread = open_calls[match[2]]
        if match[3]:
            thread.append(len(calls))
            dll, name = match[3].rsplit(".", 1)
            calls.append(RelayCall(f"{dll.lower()}.{name}", _relay_args(match[4]), None))
        elif thread:
            index = thread.pop()
            calls[index] = calls[index]._replace(result=int(match[6], 16))
    return calls


class Record(dict):
    """One line of driver output: its first word is the name, the others are key=value."""

    def __init__(self, line):
        words = line.split()
        super().__init__(word.split("=", 1) for word in words[1:] if "=" in word)
        self.name = words[0] if words else ""
        self.line = line

    def int(self, key):
        return int(self[key], 0)

    def text(self, key="text"):
        return bytes.fromhex(self[key])

    def __repr__(self):
        return self.line


class Output:
    def __init__(self, text):
        self.text = text
        self.records = [Record(line) for line in text.splitlines() if line.strip()]
        self.error = next((r for r in self.records if r.name == "error"), None)

    def all(self, name):
        return [r for r in self.records if r.name == name]

    def one(self, name):
        found = self.all(name)
        if len(found) != 1:
            raise DriverError(f"expected one '{name}' line, got {len(found)}:\n{self.text}")
        return found[0]


def _command_words(commands):
    words = []
    for command in commands:
        parts = command.split() if isinstance(command, str) else command
        if words:
            words.append(";")
        words.extend(str(part) for part in parts)
    return words


def _wine_env(prefix, display=None, overrides=None):
    env = {k: v for k, v in os.environ.items() if not k.startswith(("WINE", "DISPLAY", "LC_", "LANG"))}
    env.update(
        WINEPREFIX=str(prefix),
        WINEARCH="win32",
        WINEDEBUG="-all",
        LC_ALL="zh_CN.UTF-8",
        TMPDIR=str(WINE_TMPDIR),
    )
    if overrides:
        env["WINEDLLOVERRIDES"] = overrides
    if display:
        env["DISPLAY"] = display
    return env


def _run_logged(args, env, log, timeout=WINE_TIMEOUT_S, cwd=None):
    with open(log, "ab") as out:
        return subprocess.run(args, env=env, stdin=subprocess.DEVNULL, stdout=out, stderr=out, timeout=timeout, cwd=cwd).returncode


def _wine_version():
    return subprocess.run(["wine", "--version"], capture_output=True, text=True, check=True).stdout.strip()


def ensure_template():
    """The template prefix of this run: built once, reused while Wine and the recipe are unchanged."""
    WORK.mkdir(parents=True, exist_ok=True)
    WINE_TMPDIR.mkdir(parents=True, exist_ok=True)
    template = WORK / "template"
    stamp_text = f"{_wine_version()}\n{TEMPLATE_RECIPE}"
    with open(WORK / "template.lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        stamp = WORK / "template.stamp"
        if template.is_dir() and stamp.is_file() and stamp.read_text() == stamp_text:
            return template
        fresh = WORK / "template.new"
        shutil.rmtree(fresh, ignore_errors=True)
        shutil.rmtree(template, ignore_errors=True)
        stamp.unlink(missing_ok=True)
        log = WORK / "template.log"
        log.unlink(missing_ok=True)
        env = _wine_env(fresh, overrides=WINEBOOT_OVERRIDES)
        reg = WORK / "desktop.reg"
        reg.write_text(DESKTOP_REGISTRY)
        _run_logged(["wineboot", "-i"], env, log, timeout=300)
        _run_logged(["wine", "regedit", "/S", str(reg)], env, log)
        # -w rather than -k: the server writes the registry to disk only on a clean end.
        _run_logged(["wineserver", "-w"], env, log)
        user_reg = (fresh / "user.reg").read_text(errors="replace") if (fresh / "user.reg").is_file() else ""
        if f'"e2e"="{DESKTOP[0]}x{DESKTOP[1]}"' not in user_reg:
            raise RuntimeError(f"template prefix has no virtual desktop; see {log}")
        fresh.rename(template)
        stamp.write_text(stamp_text)
        return template


class XServer:
    """A private Xvfb on a display number that it picks itself; stopped by its pid. It does not
    reset when its last client leaves, which would put the pointer back in the middle."""

    def __init__(self, log):
        read_end, write_end = os.pipe()
        with open(log, "wb") as out:
            self.process = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"],
                stdin=subprocess.DEVNULL, stdout=out, stderr=out, pass_fds=(write_end,),
            )
        os.close(write_end)
        with os.fdopen(read_end) as numbers:
            number = numbers.readline().strip()
        if not number:
            self.stop()
            raise RuntimeError(f"Xvfb did not start; see {log}")
        self.display = f":{number}"

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


class Program:
    """A running copy of the program, launched by a driver that stays to collect its exit code."""

    def __init__(self, session, keeper, output_path):
        self.session = session
        self._keeper = keeper
        self._output_path = output_path
        deadline = time.monotonic() + START_TIMEOUT_S
        while True:
            output = Output(output_path.read_text(errors="replace"))
            launched = output.all("launch")
            if launched:
                self.pid = launched[0].int("pid")
                return
            if keeper.poll() is not None or output.error or time.monotonic() > deadline:
                raise DriverError(f"the program did not start:\n{output.text}")
            time.sleep(0.02)

    def drive(self, *commands, check=True):
        return self.session.drive(("attach", self.pid), *commands, check=check)

    def wait_visible(self, timeout_ms=15000):
        return self.drive(("wait-visible", timeout_ms)).one("wait-visible")

    def running(self):
        return self._keeper.poll() is None

    def stderr(self):
        """What the program (and whatever it started) has written to its standard error so far,
        such as Wine's debug trace."""
        return self._output_path.with_suffix(".err").read_text(errors="replace")

    def relay_calls(self):
        """The calls of this process in its relay trace so far (see ``relay_calls``)."""
        return relay_calls(self.stderr(), self.pid)

    def wait_keyboard_focus(self, timeout_s=5):
        """Waits until X gives the keyboard to the main window, which Wine asks for shortly after
        the window is shown: keys typed before that are lost."""
        caption = self.drive("caption").one("caption").text().decode("gbk")
        deadline = time.monotonic() + timeout_s
        while True:
            focused = self.session.xdotool("getwindowfocus", "-f").strip()
            if focused not in ("0", "1") and self.session.xdotool("getwindowname", focused).strip() == caption:
                return
            if time.monotonic() > deadline:
                raise DriverError(f"the keyboard never went to the window '{caption}'")
            time.sleep(0.02)

    def screen_centre(self, control_id):
        """Screen point at the middle of a child control, for real mouse input."""
        output = self.drive("client-rect", "children")
        origin = output.one("client-rect")
        child = next(c for c in output.all("child") if c.int("id") == control_id)
        return (origin.int("screen-x") + child.int("x") + child.int("width") // 2,
                origin.int("screen-y") + child.int("y") + child.int("height") // 2)

    def close_box_centre(self):
        """Screen point in the middle of the caption's close box, found by hit-testing the caption row."""
        return self._caption_box_centre(HTCLOSE, "close")

    def minimise_box_centre(self):
        """Screen point in the middle of the caption's minimise box."""
        return self._caption_box_centre(HTMINBUTTON, "minimise")

    def _caption_box_centre(self, hit_code, what):
        output = self.drive("rect", "client-rect")
        rect, client = output.one("rect"), output.one("client-rect")
        y = (rect.int("top") + client.int("screen-y")) // 2
        xs = range(rect.int("right") - 1, rect.int("right") - 80, -1)
        hits = self.drive(*[("hittest", x, y) for x in xs]).all("hittest")
        box = [h.int("x") for h in hits if h.int("code") == hit_code]
        if not box:
            raise DriverError(f"no {what} box on the caption row y={y}: {hits}")
        return ((min(box) + max(box)) // 2, y)

    def exit_code(self, timeout_s=15):
        try:
            self._keeper.wait(timeout=timeout_s)
        except subprocess.TimeoutExpired:
            raise DriverError(f"the program (pid {self.pid}) did not end within {timeout_s} s") from None
        return Output(self._output_path.read_text(errors="replace")).one("exit").int("code")


class Session:
    """The world of one test case; see the module's docstring."""

    def __init__(self, name):
        if not PROGRAM.is_file():
            raise FileNotFoundError(f"{PROGRAM} is missing: build it first (bash scripts/build)")
        self.name = re.sub(r"[^\w.-]", "_", name)
        self.case_dir = WORK / "cases" / self.name
        shutil.rmtree(self.case_dir, ignore_errors=True)
        self.case_dir.mkdir(parents=True)
        self._runs = 0
        self._keepers = []
        self.x = XServer(self.case_dir / "xvfb.log")
        try:
            template = ensure_template()
            self.prefix = self.case_dir / "prefix"
            subprocess.run(["cp", "-a", str(template), str(self.prefix)], check=True)
            self.env = _wine_env(self.prefix, display=self.x.display)
            self.program_dir = self.prefix / "drive_c" / PROGRAM_DIR_WINDOWS[3:]
            self.program_dir.mkdir(parents=True)
            self.program_windows_path = f"{PROGRAM_DIR_WINDOWS}\\{PROGRAM.name}"
            shutil.copy2(PROGRAM, self.program_dir / PROGRAM.name)
            # The pointer starts in a corner where it covers none of the program's controls.
            self.xdotool("mousemove", DESKTOP[0] - 5, 5)
        except BaseException:
            self.x.stop()
            raise

    def windows_path(self, unix_path):
        relative = Path(unix_path).resolve().relative_to((self.prefix / "drive_c").resolve())
        return "C:\\" + str(relative).replace("/", "\\")

    def _next_log(self, kind):
        self._runs += 1
        return self.case_dir / f"{self._runs:03d}-{kind}.out"

    def wine(self, *args, timeout=WINE_TIMEOUT_S):
        return _run_logged(["wine", *map(str, args)], self.env, self._next_log("wine"), timeout=timeout)

    def drive(self, *commands, check=True, timeout=WINE_TIMEOUT_S):
        words = _command_words(commands)
        log = self._next_log("driver")
        with open(log, "wb") as out:
            subprocess.run(["wine", str(DRIVER), *words], env=self.env, stdin=subprocess.DEVNULL,
                           stdout=out, stderr=subprocess.DEVNULL, timeout=timeout)
        output = Output(log.read_text(errors="replace"))
        if check and output.error:
            raise DriverError(f"driver: {output.error.line}\ncommands: {' '.join(words)}\n{output.text}")
        return output

    def start(self, *args, program=None, cwd=None, env=None):
        program = program or self.program_windows_path
        commands = [("cwd", cwd)] if cwd else []
        commands += [("setenv", name, value) for name, value in (env or {}).items()]
        commands += [("launch", program, *args), ("wait-exit", 24 * 3600 * 1000)]
        log = self._next_log("program")
        # The driver itself writes nothing to stderr: what arrives there is the program's.
        with open(log, "wb") as out, open(log.with_suffix(".err"), "wb") as err:
            keeper = subprocess.Popen(["wine", str(DRIVER), *_command_words(commands)], env=self.env,
                                      stdin=subprocess.DEVNULL, stdout=out, stderr=err)
        self._keepers.append(keeper)
        return Program(self, keeper, log)

    def xdotool(self, *args):
        env = dict(os.environ, DISPLAY=self.x.display)
        done = subprocess.run(["xdotool", *map(str, args)], env=env, stdin=subprocess.DEVNULL,
                              capture_output=True, text=True, timeout=WINE_TIMEOUT_S)
        if done.returncode != 0:
            raise RuntimeError(f"xdotool {' '.join(map(str, args))}: {done.stderr.strip()}")
        return done.stdout

    def screenshot(self, name):
        SCREENSHOTS.mkdir(parents=True, exist_ok=True)
        path = SCREENSHOTS / f"{self.name}-{name}.png"
        subprocess.run(["import", "-display", self.x.display, "-window", "root",
                        "-crop", f"{DESKTOP[0]}x{DESKTOP[1]}+0+0", "+repage", str(path)],
                       check=True, stdin=subprocess.DEVNULL, capture_output=True, timeout=WINE_TIMEOUT_S)
        print(f"screenshot: {path}", flush=True)
        return path

    def screen_colours(self, left, top, width, height):
        """How many pixels of each colour, as "rrggbb", the screen shows in the given box."""
        return collections.Counter(c for row in self.screen_pixels(left, top, width, height) for c in row)

    def screen_pixels(self, left, top, width, height):
        """The screen's pixels in the given box: a list of rows, each a list of "rrggbb" colours."""
        done = subprocess.run(["import", "-display", self.x.display, "-window", "root",
                               "-crop", f"{width}x{height}+{left}+{top}", "-depth", "8", "txt:-"],
                              check=True, stdin=subprocess.DEVNULL, capture_output=True, text=True,
                              timeout=WINE_TIMEOUT_S)
        rows = [[""] * width for _ in range(height)]
        for x, y, colour in re.findall(r"^(\d+),(\d+):.*?#([0-9A-Fa-f]{6})\b", done.stdout, re.M):
            rows[int(y)][int(x)] = colour.lower()
        return rows

    def set_registry(self, reg_text):
        reg = self.case_dir / f"import-{self._runs + 1}.reg"
        reg.write_text(reg_text)
        return self.wine("regedit", "/S", str(reg))

    def close(self):
        try:
            _run_logged(["wineserver", "-k"], self.env, self.case_dir / "wineserver.out")
            for keeper in self._keepers:
                try:
                    keeper.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    keeper.kill()
                    keeper.wait()
        finally:
            self.x.stop()
            if os.environ.get("QT_E2E_KEEP") != "1":
                shutil.rmtree(self.prefix, ignore_errors=True)


class E2ETestCase(unittest.TestCase):
    def setUp(self):
        self.session = Session(self.id())
        self.addCleanup(self.session.close)

    def launch(self, *args, cwd=None, env=None):
        program = self.session.start(*args, cwd=cwd, env=env)
        program.wait_visible()
        program.wait_keyboard_focus()
        return program


def main():
    unittest.main(verbosity=2)


def _list_tests():
    suite = unittest.defaultTestLoader.discover(str(HERE), pattern="test_*.py", top_level_dir=str(HERE))

    def walk(item):
        if isinstance(item, unittest.TestSuite):
            for inner in item:
                yield from walk(inner)
        else:
            yield item.id()

    ids = list(walk(suite))
    broken = [i for i in ids if i.startswith("unittest.loader")]
    if broken:
        raise SystemExit(f"cannot load test modules: {broken}")
    print("\n".join(ids))


def _run_for_a_person(screenshot):
    if os.environ.get("DISPLAY"):
        prefix = WORK / "run-prefix"
        env = _wine_env(prefix, display=os.environ["DISPLAY"])
        if not prefix.is_dir():
            subprocess.run(["cp", "-a", str(ensure_template()), str(prefix)], check=True)
            # On a person's display the window manager draws the frames: no virtual desktop.
            _run_logged(["wine", "reg", "delete", "HKCU\\Software\\Wine\\Explorer", "/v", "Desktop", "/f"],
                        env, WORK / "run-prefix.log")
        program_dir = prefix / "drive_c" / "Quorvel"
        program_dir.mkdir(exist_ok=True)
        shutil.copy2(PROGRAM, program_dir / PROGRAM.name)
        print(f"running {PROGRAM.name} under wine on {env['DISPLAY']}; close its window to end", flush=True)
        return subprocess.run(["wine", f"C:\\Quorvel\\{PROGRAM.name}"], env=env, stdin=subprocess.DEVNULL).returncode
    session = Session("run")
    try:
        session.start().wait_visible()
        time.sleep(0.5)
        SCREENSHOTS.mkdir(parents=True, exist_ok=True)
        shutil.copy2(session.screenshot("window"), screenshot)
        print(f"no DISPLAY: ran the program on a private X server; screenshot saved to {screenshot}")
    finally:
        session.close()
    return 0


if __name__ == "__main__":
    if sys.argv[1:2] == ["--list"]:
        _list_tests()
    elif sys.argv[1:2] == ["--run"]:
        shot = sys.argv[3] if sys.argv[2:3] == ["--screenshot"] and len(sys.argv) > 3 else str(REPO / "build" / "run-screenshot.png")
        sys.exit(_run_for_a_person(Path(shot).resolve()))
    else:
        sys.exit(f"usage: {sys.argv[0]} --list | --run [--screenshot PATH]")
