"""Runs the real client for the end-to-end test and the client benchmark: its own home, runtime
and working folders, test cameras, an update server on 127.0.0.1, and what the user's eye finds
on the screen (the main window, its buttons from the layouts, the video wall and its tiles)."""

import http.server
import json
import os
import subprocess
import threading

from x11_display import wait_until

SCREEN = (1280, 1024)  # larger than the main window, so that centring shows
MAIN_SIZE = (1024, 768)
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

class UpdateServer:
    """Answers every GET with the given update descriptor and counts the requests."""

    def __init__(self, descriptor):
        body = json.dumps(descriptor).encode()
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

    def __init__(self, program, display, root, update_url, cameras):
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
                        VISTREL_CAMERAS=";".join(["test"] * cameras),
                        VISTREL_UPDATE_URL=update_url)
        self.env.pop("XDG_VIDEOS_DIR", None)
        self.default_folder = os.path.join(self.home, "Videos", "Vistrel")
        self.program = program
        self.processes = []
        self.logs = []

    def start(self):
        self.logs.append(open(os.path.join(self.root, f"client{len(self.processes)}.log"), "w"))
        process = subprocess.Popen([self.program], cwd=self.cwd, env=self.env,
                                   stdout=self.logs[-1], stderr=subprocess.STDOUT)
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
        for log in self.logs:
            log.close()


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


def main_window(client, process, timeout=10):
    return wait_until(lambda: client.window(process, "Vistrel", MAIN_SIZE), timeout,
                      "the main window")


def wall_rect(display, main):
    """The video wall: the grey rectangle left of the buttons, found along the lines through
    the middle of the window's left part; None when it is not grey."""
    picture = display.capture()
    y = main.y + main.height // 2
    row = [x for x in range(main.x, main.x + main.width) if picture.pixel(x, y) == GREY]
    if not row:
        return None
    x = (row[0] + row[-1]) // 2
    column = [y for y in range(main.y, main.y + main.height) if picture.pixel(x, y) == GREY]
    return row[0], column[0], row[-1] - row[0] + 1, column[-1] - column[0] + 1


def tile_rect(wall, grid, index):
    """Camera `index`'s tile of a grid x grid wall: column index mod grid, row index / grid."""
    x, y, w, h = wall
    tw, th = w // grid, h // grid
    return x + (index % grid) * tw, y + (index // grid) * th, tw, th
