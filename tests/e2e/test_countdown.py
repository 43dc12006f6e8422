"""Arming, ticking and stopping the countdown, watched through the window's controls."""

from harness import IDS, E2ETestCase, gbk, main

OK, CANCEL, STATUS = IDS["按钮_确定"], IDS["按钮_取消"], IDS["标签1"]
HOURS, MINUTES, SECONDS = IDS["组合框_小时"], IDS["组合框_分钟"], IDS["组合框_秒"]
TICK_MS = 1000
TICK_SLACK_MS = 250


def status(hours, minutes, seconds):
    return gbk(f"距离关机还剩{hours}小时{minutes}分{seconds}秒")


def pick(hours, minutes, seconds):
    return [("select", HOURS, hours), ("select", MINUTES, minutes), ("select", SECONDS, seconds)]


class Countdown(E2ETestCase):
    def watch_after_arming(self, app, hours, minutes, seconds, watch_ms):
        """Arms with the given picks and records the status line's changes from the click on."""
        out = app.drive(*pick(hours, minutes, seconds), ("click", OK), ("enabled", OK), ("enabled", CANCEL),
                        ("watch-text", STATUS, watch_ms))
        self.assertEqual([e.int("value") for e in out.all("enabled")], [0, 1], "armed: 确定 off, 取消 on")
        changes = out.all("change")
        self.assertEqual(changes[0].text(), b"", "the status line is not written on arming")
        return [(c.int("at"), c.text()) for c in changes[1:]]

    def assert_one_change_per_second(self, ticks):
        times = [at for at, _ in ticks]
        self.assertLess(abs(times[0] - TICK_MS), TICK_SLACK_MS, f"first tick one second after arming: {times}")
        for earlier, later in zip(times, times[1:]):
            self.assertLess(abs(later - earlier - TICK_MS), TICK_SLACK_MS, f"ticks one second apart: {times}")

    def test_arming_three_seconds_counts_down_once_a_second_to_zero(self):
        app = self.launch()
        ticks = self.watch_after_arming(app, 0, 0, 3, 3400)
        self.assertEqual([text for _, text in ticks], [status(0, 0, 2), status(0, 0, 1), status(0, 0, 0)])
        self.assert_one_change_per_second(ticks)

    def test_arming_zero_counts_on_below_zero_and_the_program_stays(self):
        app = self.launch()
        ticks = self.watch_after_arming(app, 0, 0, 0, 3400)
        self.assertEqual([text for _, text in ticks], [status(0, 0, -1), status(0, 0, -2), status(0, 0, -3)])
        self.assert_one_change_per_second(ticks)
        self.assertTrue(app.running())

    def test_each_arming_starts_from_the_picked_time_not_from_the_stopped_count(self):
        app = self.launch()
        first_ticks = [
            ((0, 30, 0), status(0, 29, 59)),
            ((24, 59, 59), status(24, 59, 58)),
            ((1, 1, 2), status(1, 1, 1)),
        ]
        for picks, first_tick in first_ticks:
            with self.subTest(picks=picks):
                out = app.drive(*pick(*picks), ("click", OK), ("wait-text", STATUS, first_tick.hex(), 2500),
                                ("click", CANCEL), ("enabled", OK), ("enabled", CANCEL))
                self.assertEqual([e.int("value") for e in out.all("enabled")], [1, 0])

    def test_cancel_while_armed_stops_the_ticks_and_keeps_the_last_time(self):
        app = self.launch()
        out = app.drive(*pick(0, 0, 10), ("click", OK), ("wait-text", STATUS, status(0, 0, 9).hex(), 2500),
                        ("click", CANCEL), ("enabled", OK), ("enabled", CANCEL), ("watch-text", STATUS, 2500))
        self.assertEqual([e.int("value") for e in out.all("enabled")], [1, 0])
        self.assertEqual([c.text() for c in out.all("change")], [status(0, 0, 9)])

    def test_cancel_while_idle_only_disables_cancel(self):
        app = self.launch()
        radios = [("check", IDS[n]) for n in ("单选框_关机", "单选框_重启", "单选框_注销")]
        out = app.drive(("click", CANCEL), ("enabled", OK), ("enabled", CANCEL), *radios,
                        ("combo", SECONDS), ("watch-text", STATUS, 1500))
        self.assertEqual([e.int("value") for e in out.all("enabled")], [1, 0])
        self.assertEqual([c.int("value") for c in out.all("check")], [1, 0, 0])
        self.assertEqual(out.one("combo").int("selected"), 0)
        self.assertEqual([c.text() for c in out.all("change")], [b""])

    def test_a_real_click_on_the_disabled_ok_button_changes_nothing(self):
        app = self.launch()
        ok_centre, cancel_centre = app.screen_centre(OK), app.screen_centre(CANCEL)
        app.drive(*pick(0, 0, 20), ("click", OK), ("wait-text", STATUS, status(0, 0, 19).hex(), 2500))
        self.session.xdotool("mousemove", *ok_centre, "click", "1")
        out = app.drive(("watch-text", STATUS, 2300), ("enabled", OK), ("enabled", CANCEL))
        self.assertEqual([e.int("value") for e in out.all("enabled")], [0, 1])
        seen = [c.text() for c in out.all("change")]
        self.assertEqual(seen, [status(0, 0, s) for s in range(19, 19 - len(seen), -1)], "not re-armed")
        self.assertGreaterEqual(len(seen), 3)
        # The same real click does reach an enabled button: 取消 stops the countdown.
        self.session.xdotool("mousemove", *cancel_centre, "click", "1")
        app.drive(("wait-enabled", OK, 1, 3000), ("wait-enabled", CANCEL, 0, 3000))


if __name__ == "__main__":
    main()
