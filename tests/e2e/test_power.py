"""The power action at zero, seen through Wine's relay trace of the program's security and power
calls. Under Wine, ExitWindowsEx ends only the programs of the prefix: wineboot asks every
window with WM_QUERYENDSESSION, sends WM_ENDSESSION, and the program is ended with exit code 0."""

from unittest.mock import ANY

from harness import IDS, RELAY_WINEDEBUG, E2ETestCase, gbk, main, relay_registry

OK, STATUS, SECONDS = IDS["按钮_确定"], IDS["标签1"], IDS["组合框_秒"]
RADIOS = ("单选框_关机", "单选框_重启", "单选框_注销")
SET_TIMER, LOOKUP = "user32.SetTimer", "advapi32.LookupPrivilegeValueA"
ADJUST, EXIT_WINDOWS = "advapi32.AdjustTokenPrivileges", "user32.ExitWindowsEx"
# SetTimer, which arming calls, shows that the trace is on also when nothing else is called.
TRACED = (SET_TIMER, LOOKUP, ADJUST, EXIT_WINDOWS)
WM_QUERYENDSESSION = 0x11
ENDSESSION_LOGOFF = 0x80000000


def hex32(value):
    return f"{value:08x}"


NULL = FALSE = hex32(0)
TRUE = 1
ARMING = (SET_TIMER, [ANY, hex32(IDS["时钟1"]), hex32(1000), NULL], ANY)


def power_calls(flags):
    """The calls that powering the system down makes, in order."""
    return [
        (LOOKUP, [NULL, "SeShutdownPrivilege", ANY], TRUE),
        # the token, no disabling of all, the new state, buffer length 0, no previous state
        (ADJUST, [ANY, FALSE, ANY, hex32(0), NULL, NULL], TRUE),
        (EXIT_WINDOWS, [hex32(flags), hex32(0)], TRUE),
    ]


def status(hours, minutes, seconds):
    return gbk(f"距离关机还剩{hours}小时{minutes}分{seconds}秒")


class PowerAction(E2ETestCase):
    def launch_traced(self):
        self.session.set_registry(relay_registry(TRACED))
        app = self.launch(env={"WINEDEBUG": RELAY_WINEDEBUG})
        return app, app.drive("wait-visible 0").one("wait-visible")["hwnd"]

    def arm_and_watch(self, app, seconds, watch_ms):
        """Arms with 0 hours, 0 minutes and the given seconds and records the status line's texts
        until the window is gone or the time is up."""
        out = app.drive(("select", SECONDS, seconds), ("click", OK), ("watch-text", STATUS, watch_ms))
        return [c.text() for c in out.all("change")], out.one("watch-text").int("gone")

    def calls(self, app):
        return [(c.function, c.args, c.result) for c in app.relay_calls()]

    def assert_power_action_at_zero(self, radio, flags):
        app, window = self.launch_traced()
        if radio != "单选框_关机":
            self.session.xdotool("mousemove", *app.screen_centre(IDS[radio]), "click", 1)
        app.drive(*[("wait-check", IDS[name], int(name == radio), 2000) for name in RADIOS])

        texts, gone = self.arm_and_watch(app, 1, 5000)
        self.assertEqual(texts, [b"", status(0, 0, 0)], "the zero time is the last text before the end")
        self.assertEqual(gone, 1)
        self.assertEqual(app.exit_code(timeout_s=10), 0)
        self.assertEqual(self.calls(app), [ARMING, *power_calls(flags)])
        # wineboot's trace, in the same log: it asked the window, which said yes.
        self.assertRegex(app.stderr(), rf"message callback \S+ \(hwnd={window},msg=WM_QUERYENDSESSION,\S*,result=00000001\)")

    def test_power_off_at_zero_with_关机_checked(self):
        self.assert_power_action_at_zero("单选框_关机", 8)  # EWX_POWEROFF

    def test_log_off_at_zero_with_注销_checked(self):
        self.assert_power_action_at_zero("单选框_注销", 0)  # EWX_LOGOFF

    def test_restart_at_zero_with_重启_checked(self):
        self.assert_power_action_at_zero("单选框_重启", 2)  # EWX_REBOOT

    def test_arming_zero_never_makes_a_power_call(self):
        app, _ = self.launch_traced()
        texts, gone = self.arm_and_watch(app, 0, 3400)
        self.assertEqual(texts, [b"", status(0, 0, -1), status(0, 0, -2), status(0, 0, -3)])
        self.assertEqual(gone, 0)
        self.assertTrue(app.running())
        self.assertEqual(self.calls(app), [ARMING])

    def test_a_log_off_or_shut_down_query_is_answered_yes(self):
        app = self.launch()
        out = app.drive(*[("send", WM_QUERYENDSESSION, 0, lparam) for lparam in (ENDSESSION_LOGOFF, 0)])
        self.assertEqual([r.int("result") for r in out.all("send")], [1, 1])
        self.assertTrue(app.running(), "a query alone ends nothing")


if __name__ == "__main__":
    main()
