"""A private Xvfb display for tests and benchmarks that drive real programs: xdotool as the user,
trayer as the tray host, screen pictures read back pixel by pixel, and bounded waits."""

import os
import re
import subprocess
import tempfile
import time


def free_display():
    for n in range(90, 200):
        if not os.path.exists(f"/tmp/.X11-unix/X{n}") and not os.path.exists(f"/tmp/.X{n}-lock"):
            return f":{n}"
    raise RuntimeError("no free X display number")


def wait_until(condition, timeout, what, interval=0.05):
    """Polls `condition` until it answers something true, which is returned; fails after
    `timeout` seconds with a message naming `what`."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(interval)


class Picture:
    """A screen picture: pixel(x, y) answers (r, g, b)."""

    def __init__(self, ppm):
        # Binary PPM: "P6 width height maxval" (with "#" comment lines between) then one byte
        # per channel.
        header = re.match(rb"P6\s+(?:#[^\n]*\n\s*)*(\d+)\s+(\d+)\s+(\d+)\s", ppm)
        self.width, self.height = int(header.group(1)), int(header.group(2))
        self.data = ppm[header.end():]

    def pixel(self, x, y):
        at = (y * self.width + x) * 3
        return tuple(self.data[at:at + 3])


class Window:
    """A top-level window as xwininfo describes it."""

    def __init__(self, id, name, x, y, width, height):
        self.id, self.name = id, name
        self.x, self.y, self.width, self.height = x, y, width, height

    def centre(self):
        return self.x + self.width // 2, self.y + self.height // 2

    def __repr__(self):
        return f"{self.name!r} {self.width}x{self.height}+{self.x}+{self.y}"


class Display:
    def __init__(self, width=1024, height=768):
        self.name = free_display()
        self.width, self.height = width, height
        self.server = subprocess.Popen(
            ["Xvfb", self.name, "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env = dict(os.environ, DISPLAY=self.name)
        self.tray = None
        wait_until(lambda: subprocess.call(["xdotool", "getmouselocation"], env=self.env,
                                           stdout=subprocess.DEVNULL,
                                           stderr=subprocess.DEVNULL) == 0, 10, "Xvfb")

    def run(self, *args):
        return subprocess.run(list(args), env=self.env, check=True, capture_output=True,
                              text=True, timeout=20).stdout

    def xdotool(self, *args):
        self.run("xdotool", *(str(a) for a in args))

    def click(self, x, y, button=1, repeat=1):
        self.xdotool("mousemove", x, y)
        time.sleep(0.1)
        self.xdotool("click", "--repeat", repeat, "--delay", 80, button)

    def key(self, *keys):
        self.xdotool("key", "--delay", 80, *keys)

    def capture(self):
        """The whole screen as a picture. `captured_at` (CLOCK_BOOTTIME) is when the server's
        copy of the screen had reached xwd, before the slower conversion."""
        xwd = subprocess.run(["xwd", "-root", "-silent"], env=self.env, check=True,
                             capture_output=True, timeout=20).stdout
        self.captured_at = time.clock_gettime(time.CLOCK_BOOTTIME)
        ppm = subprocess.run(["convert", "xwd:-", "ppm:-"], input=xwd, check=True,
                             capture_output=True, timeout=20).stdout
        return Picture(ppm)

    def pixel(self, x, y):
        """The colour of one screen pixel as (r, g, b)."""
        return self.capture().pixel(x, y)

    def screenshot(self, path):
        with tempfile.NamedTemporaryFile(suffix=".xwd") as shot:
            subprocess.run(["xwd", "-root", "-silent", "-out", shot.name], env=self.env, check=True)
            subprocess.run(["convert", shot.name, path], check=True)

    def windows(self, wm_class=None, visible_only=True):
        """The top-level windows (of the given WM_CLASS instance), optionally only the mapped
        ones, as the window tree lists them."""
        tree = self.run("xwininfo", "-root", "-children")
        viewable = None
        if visible_only:
            search = subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "."],
                                    env=self.env, capture_output=True, text=True, timeout=20)
            viewable = {int(w) for w in search.stdout.split()}
        found = []
        # '     0x400002 "Vistrel": ("vistrel" "Vistrel")  1024x768+0+0  +0+0'
        line_form = re.compile(r'^\s+(0x[0-9a-f]+) (?:"(.*)"|\(has no name\)): \((.*)\)\s+'
                               r'(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+)$')
        for line in tree.splitlines():
            match = line_form.match(line)
            if not match:
                continue
            id = int(match.group(1), 16)
            if wm_class is not None and not match.group(3).startswith(f'"{wm_class}"'):
                continue
            if viewable is not None and id not in viewable:
                continue
            found.append(Window(id, match.group(2) or "", int(match.group(6)),
                                int(match.group(7)), int(match.group(4)), int(match.group(5))))
        return found

    def start_tray(self):
        """trayer at the bottom-right corner, 120 x 24 pixels."""
        self.tray = subprocess.Popen(
            ["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width",
             "120", "--height", "24", "--expand", "false"],
            env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_until(lambda: "trayer" in self.run("xwininfo", "-root", "-tree"), 10, "trayer")
        time.sleep(0.5)

    def docked_icon(self, name):
        """The absolute rectangle (x, y, width, height) of the window named `name` that is
        docked in the tray (nested below a top-level window, unlike the program's own), or
        None."""
        tree = self.run("xwininfo", "-root", "-tree")
        windows = [l for l in tree.splitlines() if re.match(r"\s+0x[0-9a-f]+ ", l)]
        top_level = min((len(l) - len(l.lstrip()) for l in windows), default=0)
        for line in windows:
            nested = len(line) - len(line.lstrip()) > top_level
            if nested and f'"{name}": ("' in line:
                size, absolute = line.split()[-2:]
                width, height = (int(v) for v in size.split("+")[0].split("x"))
                x, y = (int(v) for v in absolute.lstrip("+").split("+"))
                return x, y, width, height
        return None

    def close(self):
        if self.tray:
            self.tray.terminate()
            self.tray.wait()
        self.server.terminate()
        self.server.wait()
