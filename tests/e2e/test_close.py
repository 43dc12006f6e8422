"""Closing the window by the keyboard and by the close box ends the program with exit code 0."""

from harness import IDS, E2ETestCase, main


class Closing(E2ETestCase):
    def assert_closes(self, app):
        self.assertEqual(app.exit_code(timeout_s=10), 0)

    def test_escape_closes_the_window(self):
        app = self.launch()
        self.session.xdotool("key", "Escape")
        self.assert_closes(app)

    def test_alt_f4_closes_the_window(self):
        app = self.launch()
        self.session.xdotool("key", "alt+F4")
        self.assert_closes(app)

    def test_a_click_on_the_close_box_closes_the_window(self):
        app = self.launch()
        self.session.xdotool("mousemove", *app.close_box_centre(), "click", "1")
        self.assert_closes(app)

    def test_closing_while_a_countdown_runs_ends_the_program(self):
        app = self.launch()
        app.drive(("select", IDS["组合框_秒"], 30), ("click", IDS["按钮_确定"]))
        self.session.xdotool("key", "alt+F4")
        self.assert_closes(app)


if __name__ == "__main__":
    main()
