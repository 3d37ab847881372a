#!/usr/bin/env python3
"""Drives the real client on a private Xvfb display the way a new user tries it, with trayer as
the tray host and xdotool as the user: the welcome notice, recording five test cameras onto a
3 x 3 wall, the update prompt from a server on 127.0.0.1, choosing and saving another folder,
hiding to the tray and coming back, exiting from the tray menu while recording (every file
finished), and a second start that is refused while the first runs on.

usage: client_e2e_test.py VISTREL FAILURE_FOLDER [unittest options]
A failing step leaves a screenshot in FAILURE_FOLDER and names it in its message."""

import contextlib
import http.server
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x11_display import Display, wait_until  # noqa: E402

CLIENT = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else shutil.which("vistrel")
FAILURES = sys.argv.pop(1) if len(sys.argv) > 1 else os.path.join(tempfile.gettempdir(),
                                                                  "vistrel-e2e-failures")
SCREEN = (1280, 1024)  # larger than the main window, so that centring shows
CAMERAS = 5
GREY = (110, 110, 110)  # the wall without a picture
BLACK = (0, 0, 0)  # tiles without a camera

# Points of the main window (1024 x 768) in window coordinates, from its layouts: the tab
# buttons (103: 71-pixel tabs below the 23-pixel header), the start and stop buttons (521:
# centred in the 152-pixel right panel), the settings tab's browse and set-path buttons (522)
# and the header's close button (501).
VIDEO_TAB = (42, 60)
SETTINGS_TAB = (118, 60)
START = (940, 397)
STOP = (940, 457)
BROWSE = (876, 354)
SET_PATH = (616, 418)
HEADER_CLOSE = (998, 12)
# The update prompt (108): its footer's "关闭" button, from the bottom-right corner.
PROMPT_CLOSE_FROM_CORNER = (50, 22)
# A message box's one button is centred in its footer, 23 pixels above the bottom.
BOX_BUTTON_FROM_BOTTOM = 23
# A menu's items are 26 pixels high inside a 4-pixel edge.
MENU_EDGE, MENU_ITEM = 4, 26

UPDATE = {"versionValue": 2, "versionName": "Vistrel <2.0> & more", "versionId": "1002 & <b>",
          "versionDifrent": "fixes <a href='https://evil.example/'>x</a> & more"}


class UpdateServer:
    """Answers every GET with the update descriptor above and counts the requests."""

    def __init__(self):
        body = json.dumps(UPDATE).encode()
        server = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                server.requests += 1
                self.send_response(200)
                self.send_header("Content-Type", "application/json")
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)

            def log_message(self, *args):
                pass

        self.requests = 0
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.url = f"http://127.0.0.1:{self.httpd.server_address[1]}/update.json"
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def close(self):
        self.httpd.shutdown()
        self.httpd.server_close()
        self.thread.join(timeout=5)


class Client:
    """One run of the client with a home, runtime folder and working folder of its own."""

    def __init__(self, display, root, update_url):
        self.display = display
        self.root = root
        self.home = os.path.join(root, "home")
        self.cwd = os.path.join(root, "cwd")
        runtime = os.path.join(root, "runtime")
        for folder in (self.home, self.cwd, runtime):
            os.makedirs(folder, exist_ok=True)
        os.chmod(runtime, 0o700)
        self.env = dict(display.env, HOME=self.home, XDG_RUNTIME_DIR=runtime,
                        XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
                        XDG_STATE_HOME=os.path.join(self.home, ".local", "state"),
                        VISTREL_CAMERAS=";".join(["test"] * CAMERAS),
                        VISTREL_UPDATE_URL=update_url)
        self.env.pop("XDG_VIDEOS_DIR", None)
        self.default_folder = os.path.join(self.home, "Videos", "Vistrel")
        self.processes = []

    def start(self):
        self.log = open(os.path.join(self.root, f"client{len(self.processes)}.log"), "w")
        process = subprocess.Popen([CLIENT], cwd=self.cwd, env=self.env, stdout=self.log,
                                   stderr=subprocess.STDOUT)
        self.processes.append(process)
        return process

    def windows(self, process):
        """The visible windows of one process."""
        search = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid",
                                 str(process.pid)], env=self.display.env, capture_output=True,
                                text=True, timeout=20)
        ids = {int(w) for w in search.stdout.split()}
        return [w for w in self.display.windows() if w.id in ids]

    def window(self, process, name=None, size=None):
        """The one visible window of the process with this name or size, or None."""
        for w in self.windows(process):
            if (name is None or w.name == name) and (size is None or (w.width, w.height) == size):
                return w
        return None

    def close(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
            process.wait(timeout=10)
        self.log.close()


def stream_files(folder):
    if not os.path.isdir(folder):
        return []
    return sorted(os.path.join(folder, f) for f in os.listdir(folder) if f.endswith(".avi"))


def sizes(files):
    return [os.path.getsize(f) for f in files]


def decoded_frames(path):
    """The frames ffprobe decodes from a raw H.264 stream file, and its complaints."""
    probe = subprocess.run(["ffprobe", "-v", "error", "-f", "h264", "-count_frames",
                            "-select_streams", "v:0", "-show_entries", "stream=nb_read_frames",
                            "-of", "csv=p=0", path], capture_output=True, text=True, timeout=60)
    frames = probe.stdout.strip()
    return (int(frames) if probe.returncode == 0 and frames.isdigit() else 0), probe.stderr


class ClientTest(unittest.TestCase):
    def setUp(self):
        self.display = Display(*SCREEN)
        self.root = tempfile.mkdtemp(prefix="vistrel-e2e-")
        self.server = UpdateServer()
        self.client = Client(self.display, self.root, self.server.url)

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

    def main_window(self, process, timeout=10):
        return wait_until(lambda: self.client.window(process, "Vistrel", (1024, 768)), timeout,
                          "the main window")

    def wall_rect(self, main):
        """The video wall: the grey rectangle left of the buttons, found along the lines
        through the middle of the window's left part."""
        picture = self.display.capture()
        y = main.y + main.height // 2
        row = [x for x in range(main.x, main.x + main.width) if picture.pixel(x, y) == GREY]
        x = (row[0] + row[-1]) // 2
        column = [y for y in range(main.y, main.y + main.height) if picture.pixel(x, y) == GREY]
        self.assertTrue(row and column, "no grey wall")
        return row[0], column[0], row[-1] - row[0] + 1, column[-1] - column[0] + 1

    def tile_points(self, wall, tile):
        """Five points inside a tile of the 3 x 3 grid, below the overlay band."""
        x, y, w, h = wall
        tw, th = w // 3, h // 3
        left, top = x + (tile % 3) * tw, y + (tile // 3) * th
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
            main = self.main_window(client)
            self.assertEqual((main.x, main.y), ((screen_w - 1024) // 2, (screen_h - 768) // 2))
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
            wall = self.wall_rect(main)
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
            wait_until(lambda: not self.client.window(client, "Vistrel", (1024, 768)), 5,
                       "the window to hide")
            x, y, w, h = self.display.docked_icon("Vistrel")
            self.display.click(x + w // 2, y + h // 2, repeat=2)
            main = self.main_window(client, 5)

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
        main = self.main_window(first)
        second = self.client.start()
        with self.step("refusal-box"):
            box = wait_until(lambda: self.client.windows(second), 10, "the refusal box")
            self.assertEqual(len(box), 1, box)
            self.assertLess(box[0].width, 1024)
            self.click_in(box[0], (box[0].width // 2, box[0].height - BOX_BUTTON_FROM_BOTTOM))
            self.assertEqual(second.wait(timeout=10), 0)
        with self.step("first-runs-on"):
            self.assertIsNone(first.poll())
            self.assertEqual(self.client.window(first, "Vistrel", (1024, 768)).id, main.id)


if __name__ == "__main__":
    for tool in ("Xvfb", "trayer", "xdotool", "xwd", "convert", "ffprobe"):
        if not shutil.which(tool):
            print(f"{tool} is not installed")
            sys.exit(1)
    unittest.main()
