"""The program's window as it starts: place, frame, controls and their start states."""

import time

from harness import DESKTOP, IDS, E2ETestCase, gbk, main

WS_CAPTION = 0x00C00000
WS_SYSMENU = 0x00080000
WS_THICKFRAME = 0x00040000
WS_MINIMIZEBOX = 0x00020000
WS_MAXIMIZEBOX = 0x00010000
WS_GROUP = 0x00020000
WS_TABSTOP = 0x00010000
WS_EX_TOPMOST = 0x00000008
WS_EX_TOOLWINDOW = 0x00000080
WS_EX_CLIENTEDGE = 0x00000200
WS_EX_STATICEDGE = 0x00020000
WS_EX_APPWINDOW = 0x00040000

BS_TYPEMASK = 0x0F
BS_PUSHBUTTON = 0x00
BS_AUTORADIOBUTTON = 0x09
BS_LEFTTEXT = 0x20
BS_PUSHLIKE = 0x1000
BS_MULTILINE = 0x2000
BS_FLAT = 0x8000
CBS_TYPEMASK = 0x03
CBS_DROPDOWNLIST = 0x03
CBS_SORT = 0x0100

WIDTH, HEIGHT = 240, 186
BUILT_IN_CLASSES = {"button", "static", "combobox", "edit", "listbox"}

# The fourteen child windows from the top of the stacking order down, which is also the order
# in which they are created: name, kind, left, top, width, height (None: the window system's
# choice), text.
CONTROLS = [
    ("超级链接框1", "link", 47, 122, 137, 14, None),
    ("按钮_确定", "push", 10, 57, 61, 33, "确定"),
    ("按钮_退出", "push", 163, 57, 61, 33, "退出"),
    ("按钮_取消", "push", 85, 57, 61, 33, "取消"),
    ("单选框_注销", "radio", 170, 34, 48, 24, "注销"),
    ("单选框_重启", "radio", 92, 34, 48, 24, "重启"),
    ("单选框_关机", "radio", 17, 35, 48, 24, "关机"),
    ("组合框_秒", "list", 182, 10, 40, None, "0"),
    ("透明标签3", "label", 150, 7, 41, 26, "秒"),
    ("组合框_分钟", "list", 107, 10, 40, None, "0"),
    ("透明标签2", "label", 75, 7, 41, 26, "分钟"),
    ("透明标签1", "label", 0, 7, 41, 26, "小时"),
    ("组合框_小时", "list", 32, 10, 40, None, "0"),
    ("标签1", "label", 20, 96, 198, 24, ""),
]


class StartedWindow(E2ETestCase):
    def test_window_is_centred_on_the_whole_screen_with_a_fixed_frame_and_no_menu(self):
        app = self.launch()
        out = app.drive("rect", "style", "exstyle", "menu", "caption", "is-iconic", "foreground")
        self.session.screenshot("started")
        rect = out.one("rect")
        left, top = (DESKTOP[0] - WIDTH) // 2, (DESKTOP[1] - HEIGHT) // 2
        self.assertEqual(
            (rect.int("left"), rect.int("top"), rect.int("width"), rect.int("height")),
            (left, top, WIDTH, HEIGHT),
        )
        style = out.one("style").int("value")
        self.assertEqual(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX)
        self.assertEqual(style & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0)
        exstyle = out.one("exstyle").int("value")
        self.assertEqual(exstyle & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), 0)
        self.assertEqual(out.one("menu")["present"], "0")
        self.assertEqual(out.one("caption").text(), gbk("Quorvel_定时关机1.0版"))
        self.assertEqual(out.one("is-iconic")["value"], "0")
        self.assertEqual(out.one("foreground")["main"], "1")

    def test_fourteen_controls_in_their_places_kinds_and_texts(self):
        app = self.launch()
        children = app.drive("children").all("child")
        self.assertEqual([c.int("id") for c in children], [IDS[name] for name, *_ in CONTROLS])
        for child, (name, kind, x, y, width, height, text) in zip(children, CONTROLS):
            with self.subTest(control=name):
                self.assertEqual((child.int("x"), child.int("y"), child.int("width")), (x, y, width))
                if height is not None:
                    self.assertEqual(child.int("height"), height)
                if text is None:
                    self.assertNotEqual(child.text(), b"")
                else:
                    self.assertEqual(child.text(), gbk(text))
                self.assertEqual((child["visible"], child["enabled"]), ("1", "1"))
                style = child.int("style")
                self.assertEqual(style & WS_GROUP, 0, "no control starts a group")
                self.assertEqual(bool(style & WS_TABSTOP), kind in ("push", "radio", "list"), "focus stop")
                self.assert_kind(kind, child["class"].lower(), style)

    def assert_kind(self, kind, class_name, style):
        if kind == "push":
            self.assertEqual(class_name, "button")
            self.assertEqual(style & BS_TYPEMASK, BS_PUSHBUTTON, "a push button, not a default one")
            self.assertTrue(style & BS_MULTILINE)
        elif kind == "radio":
            self.assertEqual(class_name, "button")
            self.assertEqual(style & BS_TYPEMASK, BS_AUTORADIOBUTTON)
            self.assertEqual(style & (BS_PUSHLIKE | BS_FLAT | BS_LEFTTEXT), 0)
        elif kind == "list":
            self.assertEqual(class_name, "combobox")
            self.assertEqual(style & CBS_TYPEMASK, CBS_DROPDOWNLIST)
            self.assertEqual(style & CBS_SORT, 0)
        else:
            self.assertNotIn(class_name, BUILT_IN_CLASSES, "drawn by the program itself")

    def test_drop_down_lists_offer_their_numbers_with_the_first_selected(self):
        app = self.launch()
        out = app.drive(*[("combo", IDS[name]) for name in ("组合框_小时", "组合框_分钟", "组合框_秒")])
        for combo, last in zip(out.all("combo"), (24, 59, 59)):
            with self.subTest(combo=combo["id"]):
                items = [bytes.fromhex(item) for item in combo["items"].split(",")]
                self.assertEqual(items, [str(n).encode() for n in range(last + 1)])
                self.assertEqual(combo.int("selected"), 0)

    def test_only_shutdown_is_checked_both_buttons_are_enabled_and_the_status_is_empty(self):
        app = self.launch()
        radios = ("单选框_关机", "单选框_重启", "单选框_注销")
        buttons = ("按钮_确定", "按钮_取消", "按钮_退出")
        out = app.drive(*[("check", IDS[n]) for n in radios], *[("enabled", IDS[n]) for n in buttons],
                        ("text", IDS["标签1"]))
        self.assertEqual([c.int("value") for c in out.all("check")], [1, 0, 0])
        self.assertEqual([e.int("value") for e in out.all("enabled")], [1, 1, 1])
        self.assertEqual(out.one("text").text(), b"")

    def test_command_line_arguments_are_ignored(self):
        app = self.launch("/s", "24", "--hours=3")
        out = app.drive("rect", ("check", IDS["单选框_关机"]), ("combo", IDS["组合框_小时"]),
                        ("enabled", IDS["按钮_确定"]), ("text", IDS["标签1"]))
        rect = out.one("rect")
        self.assertEqual((rect.int("width"), rect.int("height")), (WIDTH, HEIGHT))
        self.assertEqual(out.one("check").int("value"), 1)
        self.assertEqual(out.one("combo").int("selected"), 0)
        self.assertEqual(out.one("enabled").int("value"), 1)
        self.assertEqual(out.one("text").text(), b"")

    def test_a_second_copy_starts_beside_the_first_with_its_own_window(self):
        first = self.launch()
        second = self.launch()
        self.assertNotEqual(first.pid, second.pid)
        windows = [app.wait_visible(1000)["hwnd"] for app in (first, second)]
        self.assertNotEqual(windows[0], windows[1])
        self.assertTrue(first.running())

    def test_self_drawn_labels_show_their_texts_in_their_colours(self):
        app = self.launch()
        app.drive(("select", IDS["组合框_秒"], 10), ("click", IDS["按钮_确定"]),
                  ("wait-text", IDS["标签1"], gbk("距离关机还剩0小时0分9秒").hex(), 2500))
        out = app.drive("client-rect", "children")
        origin = out.one("client-rect")
        boxes = {c.int("id"): c for c in out.all("child")}
        colours = {"透明标签1": "0000ff", "透明标签2": "0000ff", "透明标签3": "0000ff",
                   "超级链接框1": "0000ff", "标签1": "ff0000"}
        for name, colour in colours.items():
            with self.subTest(control=name):
                box = boxes[IDS[name]]
                seen = self.session.screen_colours(origin.int("screen-x") + box.int("x"),
                                                   origin.int("screen-y") + box.int("y"),
                                                   box.int("width"), box.int("height"))
                self.assertGreater(seen[colour], 10, f"text pixels of {colour}; seen {seen.most_common(4)}")

    def test_where_controls_overlap_the_one_created_earlier_shows(self):
        app = self.launch()
        origin = app.drive("client-rect").one("client-rect")

        def colour(x, y):
            box = (origin.int("screen-x") + x, origin.int("screen-y") + y, 1, 1)
            return self.session.screen_colours(*box).most_common(1)[0][0]

        # An edge of the upper control, at a client point that the lower one covers too.
        edges = [
            ("按钮_确定 over 单选框_关机", 40, 57),
            ("按钮_取消 over 单选框_重启", 115, 57),
            ("按钮_退出 over 单选框_注销", 194, 57),
            ("组合框_秒 over 透明标签3", 182, 20),
            ("组合框_分钟 over 透明标签2", 107, 20),
        ]
        background = colour(3, 150)
        deadline = time.monotonic() + 3
        while True:
            covered = [name for name, x, y in edges if colour(x, y) == background]
            if not covered or time.monotonic() > deadline:
                break
            time.sleep(0.2)
        self.session.screenshot("overlaps")
        self.assertEqual(covered, [], "edges painted over by the control below")

    def test_a_click_on_a_radio_button_moves_the_check_to_it(self):
        app = self.launch()
        self.session.xdotool("mousemove", *app.screen_centre(IDS["单选框_重启"]), "click", "1")
        out = app.drive(("wait-check", IDS["单选框_重启"], 1, 3000),
                        *[("check", IDS[n]) for n in ("单选框_关机", "单选框_重启", "单选框_注销")])
        self.assertEqual([c.int("value") for c in out.all("check")], [0, 1, 0])


if __name__ == "__main__":
    main()
