#!/usr/bin/env python3
"""Drives tools/vistrel-x11-demo on a private Xvfb display with xdotool: the window appears
borderless and shaped, the picture and the edit box take input (Latin and Chinese text), the
pop-up menu reports its choice, the tray icon docks into trayer and reports a right click, the
tray add fails without a tray host, and an idle program uses no CPU."""

import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x11_display import Display  # noqa: E402

DEMO = sys.argv.pop(1) if len(sys.argv) > 1 else "vistrel-x11-demo"
WINDOW = (100, 100, 360, 240)  # the demo's position and size


class Demo:
    def __init__(self, display):
        self.process = subprocess.Popen([DEMO], env=display.env, stdout=subprocess.PIPE,
                                        stderr=subprocess.STDOUT, text=True, bufsize=1)
        self.lines = []
        self.reader = threading.Thread(target=self.read, daemon=True)
        self.reader.start()
        self.wait_for("ready")

    def read(self):
        for line in self.process.stdout:
            self.lines.append(line.rstrip("\n"))

    def wait_for(self, wanted, timeout=10):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if wanted in self.lines:
                return True
            time.sleep(0.05)
        raise AssertionError(f"never saw {wanted!r}; saw {self.lines!r}")

    def cpu_seconds(self):
        with open(f"/proc/{self.process.pid}/stat") as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
        self.process.wait(timeout=10)
        self.reader.join(timeout=5)
        self.process.stdout.close()


class X11DemoTest(unittest.TestCase):
    def setUp(self):
        self.display = Display()

    def tearDown(self):
        self.display.close()

    def choose_from_menu(self, x, y, item):
        """Opens the demo's menu with a right click at (x, y) and clicks item `item`: the menu
        opens at the pointer, its items 26 pixels high below a 4-pixel edge."""
        self.display.xdotool("mousemove", str(x), str(y), "click", "3")
        time.sleep(0.5)
        self.display.xdotool("mousemove", str(x + 30), str(y + 16 + 26 * item))
        time.sleep(0.2)
        self.display.xdotool("click", "1")

    def test_window_picture_edit_and_menu(self):
        demo = Demo(self.display)
        try:
            x, y, w, h = WINDOW
            # Shaped: the corner pixel is the root's black, the header is blue, the picture's
            # first quarter red.
            self.assertEqual(self.display.pixel(x, y), (0, 0, 0))
            self.assertEqual(self.display.pixel(x + 10, y + 5), (0x1F, 0x5F, 0xA8))
            self.assertEqual(self.display.pixel(x + 30, y + 60), (0xE0, 0x40, 0x40))
            self.display.screenshot(os.path.join(tempfile.gettempdir(), "vistrel-x11-demo.png"))

            self.display.xdotool("mousemove", str(x + 200), str(y + 92), "click", "1")
            self.display.xdotool("type", "--delay", "30", "Hi")
            demo.wait_for("edit: Hi")
            self.display.xdotool("type", "--delay", "60", "中文")
            demo.wait_for("edit: Hi中文")

            self.choose_from_menu(x + 200, y + 150, 0)
            demo.wait_for("menu: 32775")
            # The window system moves the X window ("移动" is the second item) ...
            self.choose_from_menu(x + 200, y + 150, 1)
            demo.wait_for("menu: 32776")
            time.sleep(0.5)
            self.assertEqual(self.display.pixel(300 + 10, 200 + 5), (0x1F, 0x5F, 0xA8))
            # ... and follows a move made from outside: the edit box is found at its new place.
            window = self.display.run("xdotool", "search", "--name", "Vistrel demo").split()[0]
            self.display.xdotool("windowmove", window, "150", "120")
            time.sleep(0.5)
            self.display.xdotool("mousemove", str(150 + 250), str(120 + 92), "click", "1")
            self.display.xdotool("type", "--delay", "30", "!")
            demo.wait_for("edit: Hi中文!")
            self.assertIn("16 x 16", self.display.run("xprop", "-id", window, "_NET_WM_ICON"))
            x, y = 150, 120
            # A click outside closes the next menu without a command.
            self.display.xdotool("mousemove", str(x + 200), str(y + 150), "click", "3")
            time.sleep(0.5)
            self.display.xdotool("mousemove", "900", "600", "click", "1")
            time.sleep(0.5)
            self.assertNotIn("menu: 32774", demo.lines)
        finally:
            demo.close()

    def test_tray_icon_docks_and_reports_right_click(self):
        self.display.start_tray()
        demo = Demo(self.display)
        try:
            self.assertIn("tray: added", demo.lines)
            icon = self.display.docked_icon("Vistrel")
            self.assertIsNotNone(icon, self.display.run("xwininfo", "-root", "-tree"))
            ax, ay, width, height = icon
            self.assertGreater(width, 8)
            self.display.xdotool("mousemove", str(ax + width // 2), str(ay + height // 2),
                                 "click", "3")
            demo.wait_for("tray: id=1 msg=517")
        finally:
            demo.close()

    def test_tray_add_fails_without_a_tray_and_idle_uses_no_cpu(self):
        demo = Demo(self.display)
        try:
            self.assertIn("tray: unavailable", demo.lines)
            before = demo.cpu_seconds()
            time.sleep(2)
            self.assertLess(demo.cpu_seconds() - before, 0.05)
        finally:
            demo.close()

    def test_no_display_is_one_clear_error(self):
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        result = subprocess.run([DEMO], env=env, capture_output=True, text=True, timeout=10)
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stderr.strip().count("\n"), 0)
        self.assertIn("DISPLAY", result.stderr)


if __name__ == "__main__":
    if not shutil.which("Xvfb"):
        print("Xvfb is not installed")
        sys.exit(1)
    unittest.main()
