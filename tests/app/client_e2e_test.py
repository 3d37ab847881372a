#!/usr/bin/env python3
"""Drives the real client on a private Xvfb display the way a new user tries it, with trayer as
the tray host and xdotool as the user: the welcome notice, recording five test cameras onto a
3 x 3 wall, the update prompt from a server on 127.0.0.1, choosing and saving another folder,
hiding to the tray and coming back, exiting from the tray menu while recording (every file
finished), and a second start that is refused while the first runs on.

usage: client_e2e_test.py VISTREL FAILURE_FOLDER [unittest options]
A failing step leaves a screenshot in FAILURE_FOLDER and names it in its message."""

import contextlib
import os
import shutil
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x11_display import Display, wait_until  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from client_session import (  # noqa: E402
    BLACK, BOX_BUTTON_FROM_BOTTOM, BROWSE, GREY, HEADER_CLOSE, MAIN_SIZE, MENU_EDGE, MENU_ITEM,
    PROMPT_CLOSE_FROM_CORNER, SCREEN, SET_PATH, SETTINGS_TAB, START, STOP, VIDEO_TAB, Client,
    UpdateServer, decoded_frames, main_window, sizes, stream_files, tile_rect, wall_rect)

CLIENT = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else shutil.which("vistrel")
FAILURES = sys.argv.pop(1) if len(sys.argv) > 1 else os.path.join(tempfile.gettempdir(),
                                                                  "vistrel-e2e-failures")
CAMERAS = 5
UPDATE = {"versionValue": 2, "versionName": "Vistrel <2.0> & more", "versionId": "1002 & <b>",
          "versionDifrent": "fixes <a href='https://evil.example/'>x</a> & more"}


class ClientTest(unittest.TestCase):
    def setUp(self):
        self.display = Display(*SCREEN)
        self.root = tempfile.mkdtemp(prefix="vistrel-e2e-")
        self.server = UpdateServer(UPDATE)
        self.client = Client(CLIENT, self.display, self.root, self.server.url, CAMERAS)

    def tearDown(self):
        self.client.close()
        self.server.close()
        self.display.close()
        shutil.rmtree(self.root, ignore_errors=True)

    @contextlib.contextmanager
    def step(self, name):
        """Names the step in a failure and keeps a screenshot of the screen at that moment."""
        try:
            yield
        except Exception as error:
            os.makedirs(FAILURES, exist_ok=True)
            shot = os.path.join(FAILURES, f"{self.id().split('.')[-1]}-{name}.png")
            try:
                self.display.screenshot(shot)
            except Exception as shot_error:
                shot = f"(no screenshot: {shot_error})"
            raise AssertionError(f"step '{name}' failed: {error}; screenshot {shot}") from error

    def click_in(self, window, point, button=1, repeat=1):
        self.display.click(window.x + point[0], window.y + point[1], button, repeat)

    def new_window(self, process, known, what, timeout=10):
        """Waits for a visible window of the process that is none of `known`."""
        ids = {w.id for w in known}
        return wait_until(lambda: next((w for w in self.client.windows(process)
                                        if w.id not in ids), None), timeout, what)

    def tile_points(self, wall, tile):
        """Five points inside a tile of the 3 x 3 grid, below the overlay band."""
        left, top, tw, th = tile_rect(wall, 3, tile)
        return [(left + tw * fx // 10, top + th * fy // 10)
                for fx, fy in ((2, 4), (8, 4), (5, 9), (2, 9), (8, 9))]

    def check_wall(self, wall):
        before = self.display.capture()
        time.sleep(0.3)
        after = self.display.capture()
        for tile in range(9):
            points = self.tile_points(wall, tile)
            colours = [after.pixel(*p) for p in points]
            if tile < CAMERAS:
                self.assertTrue(all(c not in (GREY, BLACK) for c in colours),
                                f"tile {tile + 1} shows no picture: {colours}")
                self.assertNotEqual([before.pixel(*p) for p in points], colours,
                                    f"tile {tile + 1} does not move")
            else:
                self.assertEqual(colours, [BLACK] * len(points), f"tile {tile + 1} not black")

    def wait_growing(self, folder, what):
        files = wait_until(lambda: len(stream_files(folder)) == CAMERAS and stream_files(folder),
                           10, f"{CAMERAS} stream files in {folder}")
        first = sizes(files)
        wait_until(lambda: all(b > a for a, b in zip(first, sizes(files))), 10,
                   f"every file of {what} to grow")
        return files

    def choose_from_menu(self, process, known, item_from_bottom):
        menu = self.new_window(process, known, "the menu")
        self.display.click(menu.x + menu.width // 2,
                           menu.y + menu.height - MENU_EDGE - MENU_ITEM * item_from_bottom -
                           MENU_ITEM // 2)

    def test_new_user_records_changes_folder_uses_the_tray_and_exits(self):
        self.display.start_tray()
        archive = os.path.join(self.client.home, "Archive")
        for folder in ("Archive", "Music"):
            os.makedirs(os.path.join(self.client.home, folder))
        started = time.monotonic()
        client = self.client.start()
        screen_w, screen_h = SCREEN

        with self.step("window-and-notice"):
            main = main_window(self.client, client)
            self.assertEqual((main.x, main.y), ((screen_w - main.width) // 2, (screen_h - main.height) // 2))
            notice = wait_until(lambda: self.client.window(client, "", (320, 130)), 5,
                                "the welcome notice")
            shown = time.monotonic()
            self.assertEqual((notice.x + notice.width, notice.y + notice.height), SCREEN)
            # The tray icon docked.
            wait_until(lambda: self.display.docked_icon("Vistrel"), 10, "the tray icon")
            wait_until(lambda: not self.client.window(client, "", (320, 130)), 8,
                       "the notice to go")
            self.assertGreater(time.monotonic() - shown, 4.0, "the notice went too early")

        with self.step("start-recording"):
            wall = wall_rect(self.display, main)
            self.assertIsNotNone(wall, "no grey wall")
            self.click_in(main, START)
            first_session = self.wait_growing(self.client.default_folder, "the first session")
            # Give every camera time to reach the wall, then look at all nine tiles.
            time.sleep(1)
            self.check_wall(wall)

        with self.step("update-prompt"):
            # The check runs ten seconds after the start.
            prompt = wait_until(lambda: self.client.window(client, "更新提示"),
                                max(1, 16 - (time.monotonic() - started)), "the update prompt")
            self.assertEqual(self.server.requests, 1)
            self.assertLessEqual(abs(prompt.x - (screen_w - prompt.width) // 2), 2)
            self.assertLessEqual(abs(prompt.y - (screen_h - prompt.height) // 2), 25)
            # The version's name and number are drawn (red): the "<" and "&" did not break
            # the markup.
            picture = self.display.capture()
            red = sum(1 for x in range(prompt.x, prompt.x + prompt.width)
                      for y in range(prompt.y + 32, prompt.y + 80)
                      if picture.pixel(x, y)[0] > 200 and picture.pixel(x, y)[1] < 80)
            self.assertGreater(red, 100, "no red version text in the prompt")
            self.click_in(prompt, (prompt.width - PROMPT_CLOSE_FROM_CORNER[0],
                                   prompt.height - PROMPT_CLOSE_FROM_CORNER[1]))
            wait_until(lambda: not self.client.window(client, "更新提示"), 5,
                       "the prompt to close")

        with self.step("choose-folder"):
            self.click_in(main, SETTINGS_TAB)
            time.sleep(0.3)
            known = self.client.windows(client)
            self.click_in(main, BROWSE)
            chooser = self.new_window(client, known, "the folder chooser")
            # It lists the home folder: "a" selects Archive, Enter opens it, and Enter with
            # nothing selected is OK.
            self.display.key("a", "Return")
            time.sleep(0.3)
            self.display.key("Return")
            wait_until(lambda: chooser.id not in {w.id for w in self.client.windows(client)}, 5,
                       "the chooser to close")

        with self.step("set-path"):
            self.click_in(main, SET_PATH)
            box = self.new_window(client, known, "the confirmation box")
            setting = os.path.join(self.client.cwd, "setting.xml")
            wait_until(lambda: os.path.exists(setting), 5, "setting.xml")
            with open(setting, encoding="utf-8") as text:
                self.assertIn(archive, text.read())
            self.click_in(box, (box.width // 2, box.height - BOX_BUTTON_FROM_BOTTOM))
            wait_until(lambda: box.id not in {w.id for w in self.client.windows(client)}, 5,
                       "the confirmation box to close")

        with self.step("next-session-in-new-folder"):
            self.click_in(main, VIDEO_TAB)
            time.sleep(0.3)
            self.click_in(main, STOP)
            time.sleep(0.5)
            self.click_in(main, START)
            second_session = self.wait_growing(archive, "the session in the new folder")

        with self.step("hide-to-tray-and-back"):
            self.click_in(main, HEADER_CLOSE)
            wait_until(lambda: not self.client.window(client, "Vistrel", MAIN_SIZE), 5,
                       "the window to hide")
            x, y, w, h = self.display.docked_icon("Vistrel")
            self.display.click(x + w // 2, y + h // 2, repeat=2)
            main = main_window(self.client, client, 5)

        with self.step("exit-from-tray-menu"):
            known = self.client.windows(client)
            x, y, w, h = self.display.docked_icon("Vistrel")
            self.display.click(x + w // 2, y + h // 2, button=3)
            # "退出" is the last item.
            self.choose_from_menu(client, known, 0)
            self.assertEqual(client.wait(timeout=20), 0)

        with self.step("files-finished"):
            for path in first_session + second_session:
                with open(path, "rb") as stream:
                    stream.seek(-4, os.SEEK_END)
                    self.assertEqual(stream.read(), b"\x00\x00\x01\xb7", path)
                frames, complaints = decoded_frames(path)
                self.assertGreater(frames, 0, f"{path}: {complaints}")

    def test_second_start_is_refused_while_the_first_runs_on(self):
        first = self.client.start()
        main = main_window(self.client, first)
        second = self.client.start()
        with self.step("refusal-box"):
            box = wait_until(lambda: self.client.windows(second), 10, "the refusal box")
            self.assertEqual(len(box), 1, box)
            self.assertLess(box[0].width, MAIN_SIZE[0])
            self.click_in(box[0], (box[0].width // 2, box[0].height - BOX_BUTTON_FROM_BOTTOM))
            self.assertEqual(second.wait(timeout=10), 0)
        with self.step("first-runs-on"):
            self.assertIsNone(first.poll())
            self.assertEqual(self.client.window(first, "Vistrel", MAIN_SIZE).id, main.id)


if __name__ == "__main__":
    for tool in ("Xvfb", "trayer", "xdotool", "xwd", "convert", "ffprobe"):
        if not shutil.which(tool):
            print(f"{tool} is not installed")
            sys.exit(1)
    unittest.main()
