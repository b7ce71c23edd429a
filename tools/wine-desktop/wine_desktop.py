"""A Windows desktop to drive from outside: an X server (Xvfb) of a fixed size,
a fresh Wine prefix in a temporary folder, and the real X input a person would
give (xdotool), with the windows' geometry, X shape and pixels read back
through python3-xlib and Pillow.

No window manager runs. Wine is set to leave its top-level windows unmanaged
(HKCU\\Software\\Wine\\X11 Driver, Managed=N): it then draws their frames,
captions and menus itself, as Windows does, places them where the program
asks, and gives the keyboard focus to the active window with XSetInputFocus,
so that keys sent with xdotool reach the window that Windows would give them
to. Under a window manager Wine would leave frame and focus to it, and
without one and without that setting no window would ever get the focus.

Every wait polls with a time limit and ends in a Failure that says what was
awaited; nothing sleeps blindly."""
import os
import re
import select
import shutil
import subprocess
import tempfile
import time
import traceback

from Xlib import X, Xatom, display, error
from Xlib.ext import shape
from PIL import Image

SCREEN = (1024, 768)
WINE_FONTS = "/usr/share/wine/fonts"  # Debian's fonts-wine
# No Mono or Gecko installer prompts, and no menu entries made in the home folder for shortcuts.
WINE_ENV = {"WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d"}


class Failure(Exception):
    """A step whose result was not what a person would have seen."""


def wait_until(what, probe, timeout, interval=0.02, seen=None):
    """Calls probe until it returns something true and returns that; raises
    Failure naming `what` (and what `seen` then tells) when `timeout` seconds
    pass first."""
    end = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() >= end:
            raise Failure(f"timed out after {timeout:g} s waiting for {what}" + (f"; {seen()}" if seen else ""))
        time.sleep(interval)


def missing_tools():
    """The programs this desktop needs that are not installed."""
    return [tool for tool in ("Xvfb", "xdotool", "wine", "wineboot", "wineserver") if not shutil.which(tool)]


class XServer:
    """Xvfb on a display number it picks itself, with one 24-bit screen."""

    def __init__(self, size=SCREEN):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{size[0]}x{size[1]}x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        try:
            self.name = ":" + self._read_display_number(read_end)
            self.x = display.Display(self.name)
            self.root = self.x.screen().root
            if not self.x.has_extension("SHAPE"):
                raise Failure("the X server has no SHAPE extension")
        except BaseException:
            self.process.kill()
            self.process.wait()
            raise
        finally:
            os.close(read_end)

    def _read_display_number(self, fd):
        """The number Xvfb writes, once it takes connections, as a line."""
        text = b""
        end = time.monotonic() + 20
        while not text.endswith(b"\n"):
            if self.process.poll() is not None or time.monotonic() >= end:
                raise Failure("Xvfb did not start within 20 s")
            if select.select([fd], [], [], 0.2)[0]:
                chunk = os.read(fd, 16)
                if not chunk:
                    raise Failure("Xvfb ended without naming its display")
                text += chunk
        return text.decode().strip()

    def close(self):
        self.x.close()
        self.process.terminate()
        self.process.wait(timeout=10)


class Window:
    """A mapped top-level X window of the desktop."""

    def __init__(self, desktop, xid):
        self.desktop = desktop
        self.id = xid
        self.x_window = desktop.x.create_resource_object("window", xid)

    def __repr__(self):
        return f"window 0x{self.id:x} {self.title()!r}"

    def title(self):
        return self.desktop.title_of(self.x_window) or ""

    def geometry(self):
        """(x, y, width, height) of the X window on the screen: the whole
        window, frame included, since Wine draws the frame itself."""
        g = self.x_window.get_geometry()
        origin = self.x_window.translate_coords(self.desktop.root, 0, 0)
        return -origin.x, -origin.y, g.width, g.height

    def shape_rectangles(self):
        """The rectangles of the window's bounding shape, or None when no shape
        is set (the window is its plain rectangle)."""
        if not self.x_window.shape_query_extents().bounding_shaped:
            return None
        reply = self.x_window.shape_get_rectangles(shape.SK.Bounding)
        return [(r.x, r.y, r.width, r.height) for r in reply.rectangles]

    def is_non_rectangular(self):
        """True when a bounding shape is set and it is more, or less, than the
        one rectangle of the whole window."""
        rectangles = self.shape_rectangles()
        _, _, width, height = self.geometry()
        return rectangles is not None and rectangles != [(0, 0, width, height)]

    def client_origin(self, client_size):
        """Where a client area of `client_size` lies in the window: Wine draws
        a frame of equal width on the left, right and bottom, and caption and
        menu bar above the client area."""
        _, _, width, height = self.geometry()
        border = (width - client_size[0]) // 2
        if border < 0 or (width - client_size[0]) % 2 or height < client_size[1] + 2 * border:
            raise Failure(f"{self} measures {width} x {height}, which has no client area of {client_size[0]} x "
                          f"{client_size[1]} inside a frame")
        return border, height - border - client_size[1]

    def screen_point(self, point, client_size=None):
        """The screen position of a point of the window, or of its client area
        when client_size is given."""
        left, top, _, _ = self.geometry()
        dx, dy = self.client_origin(client_size) if client_size else (0, 0)
        return left + dx + point[0], top + dy + point[1]

    def click(self, point, client_size=None):
        """A left click at a point of the window (client coordinates when
        client_size is given), by moving the real pointer there."""
        x, y = self.screen_point(point, client_size)
        self.desktop.xdotool("mousemove", "--sync", str(x), str(y), "click", "1")

    def screenshot(self, path=None):
        """The window's pixels as on the screen, as a Pillow image, saved as
        PNG at path when one is given."""
        image = self.desktop.grab(*self.geometry())
        if path:
            image.save(path)
        return image

    def painted_screenshot(self, path=None, timeout=10):
        """The window's pixels once it has painted: two pictures taken a
        moment apart that are the same and not all black."""
        last = [None]

        def settled():
            image = self.screenshot()
            same = last[0] is not None and image.tobytes() == last[0].tobytes()
            last[0] = image
            return image if same and image.getbbox() else None

        image = wait_until(f"{self} to paint", settled, timeout, interval=0.15)
        if path:
            image.save(path)
        return image

    def is_mapped(self):
        try:
            return self.x_window.get_attributes().map_state == X.IsViewable
        except error.XError:
            return False

    def wait_gone(self, timeout, what=None):
        """Waits until the window is unmapped or destroyed."""
        wait_until(what or f"{self} to close", lambda: not self.is_mapped(), timeout)

    def has_focus(self):
        return self.desktop.x.get_input_focus().focus == self.x_window

    def wait_focus(self, timeout=10):
        wait_until(f"the keyboard focus on {self}", self.has_focus, timeout)

    def keys(self, *keys):
        """Key presses (xdotool key names, such as Tab, alt+Down, Return),
        sent as real key events to this window, once it has the focus."""
        self.wait_focus()
        self.desktop.xdotool("key", "--delay", "80", *keys)

    def type(self, text):
        """Types text as a person would, key by key, into this window."""
        self.wait_focus()
        self.desktop.xdotool("type", "--delay", "30", text)


class Desktop:
    """The windows of an X server, found and driven from outside."""

    def __init__(self, server):
        self.server = server
        self.x = server.x
        self.root = server.root
        self._net_wm_name = self.x.intern_atom("_NET_WM_NAME")
        self._utf8 = self.x.intern_atom("UTF8_STRING")

    def grab(self, left=0, top=0, width=SCREEN[0], height=SCREEN[1]):
        """A part of the screen (all of it by default) as a Pillow RGB image."""
        raw = self.root.get_image(left, top, width, height, X.ZPixmap, 0xFFFFFFFF)
        return Image.frombytes("RGB", (width, height), raw.data, "raw", "BGRX")

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], check=True, env={**os.environ, "DISPLAY": self.server.name},
                       stdout=subprocess.DEVNULL, timeout=60)

    def title_of(self, x_window):
        try:
            prop = x_window.get_full_property(self._net_wm_name, self._utf8)
            if prop is not None:
                return prop.value.decode("utf-8", "replace")
            prop = x_window.get_full_property(Xatom.WM_NAME, X.AnyPropertyType)
            return None if prop is None else bytes(prop.value).decode("latin-1")
        except error.XError:
            return None

    def mapped_windows(self):
        """The mapped top-level windows, bottom to top."""
        found = []
        for child in self.root.query_tree().children:
            try:
                if child.get_attributes().map_state == X.IsViewable:
                    found.append(Window(self, child.id))
            except error.XError:
                pass  # destroyed while we looked
        return found

    def windows_titled(self, title):
        return [w for w in self.mapped_windows() if w.title() == title]

    def wait_window(self, title, timeout, exclude=(), process=None):
        """The mapped top-level window with exactly this title (the topmost
        if several), leaving out the windows in exclude. Fails at once when
        `process`, the program that is to show it, has ended."""
        skip = {w.id for w in exclude}

        def find():
            if process is not None and process.poll() is not None:
                raise Failure(f"the program ended with exit status {process.returncode} before a window titled "
                              f"{title!r} showed")
            found = [w for w in self.windows_titled(title) if w.id not in skip]
            return found[-1] if found else None

        return wait_until(f"a window titled {title!r}", find, timeout)

    def wait_new_window(self, before, timeout, what, accept=lambda window: True):
        """A window mapped since the list `before` was taken (any title) that
        `accept` takes."""
        known = {w.id for w in before}

        def find():
            found = [w for w in self.mapped_windows() if w.id not in known and accept(w)]
            return found[-1] if found else None

        return wait_until(what, find, timeout)

    def titles(self):
        """The titles of the mapped windows, for failure messages."""
        return [w.title() for w in self.mapped_windows()]


class WinePrefix:
    """A fresh Wine prefix, with its own home folder, in a temporary folder."""

    def __init__(self, server, root):
        self.root = root
        self.home = os.path.join(root, "home")
        os.makedirs(os.path.join(self.home, ".config"), exist_ok=True)
        self.env = {**os.environ, **WINE_ENV, "WINEPREFIX": os.path.join(root, "prefix"), "HOME": self.home,
                    "XDG_CONFIG_HOME": os.path.join(self.home, ".config"), "DISPLAY": server.name}
        self.env.pop("WAYLAND_DISPLAY", None)
        self.log_path = os.path.join(root, "wine.log")

    def boot(self):
        """Makes the prefix, keeps its wineserver running until close, and
        leaves the windows to Wine (see the module's description)."""
        os.makedirs(self.env["WINEPREFIX"])
        self.run(["wineserver", "-p"], timeout=30, what="wineserver -p")
        self.run(["wineboot", "-i"], timeout=300, what="wineboot -i")
        self.install_wine_fonts()
        self.reg_add(r"HKCU\Software\Wine\X11 Driver", "Managed", "N")

    def install_wine_fonts(self):
        """Wine's own fonts (Marlett for the frame's buttons, Tahoma, MS Sans
        Serif) into the prefix's Fonts folder: Debian's Wine does not find them
        in its data folder, and would draw with whatever fontconfig offers."""
        if os.path.isdir(WINE_FONTS):
            for name in os.listdir(WINE_FONTS):
                shutil.copy(os.path.join(WINE_FONTS, name), self.drive_c("windows", "Fonts"))

    def run(self, command, timeout, what=None):
        """Runs a command in the prefix to its end; returns its exit status."""
        with open(self.log_path, "ab") as log:
            try:
                code = subprocess.run(command, env=self.env, stdout=log, stderr=log, timeout=timeout).returncode
            except subprocess.TimeoutExpired:
                raise Failure(f"{what or command[0]} did not finish within {timeout} s") from None
        if code != 0:
            raise Failure(f"{what or ' '.join(command)} failed with exit status {code}; see {self.log_path}")
        return code

    def reg_add(self, key, name, value):
        self.run(["wine", "reg", "add", key, "/v", name, "/t", "REG_SZ", "/d", value, "/f"], timeout=120,
                 what=f"wine reg add {key} {name}")

    def reg_keys(self, key):
        """The values of a registry key and of every key below it, as
        {key path: {value name: text}}, from wine reg query /s."""
        result = subprocess.run(["wine", "reg", "query", key, "/s"], env=self.env, capture_output=True, timeout=120)
        keys, current = {}, None
        for line in result.stdout.decode("utf-8", "replace").splitlines():
            if line.startswith("HKEY_"):
                current = keys.setdefault(line.strip(), {})
            elif current is not None and line.startswith("    "):
                fields = re.split(r" {4}", line.strip(), maxsplit=2)
                if len(fields) >= 2 and fields[1].startswith("REG_"):
                    current[fields[0]] = fields[2] if len(fields) == 3 else ""
        return keys

    def start(self, program, *args, cwd=None):
        """Starts a Windows program; returns its process."""
        log = open(self.log_path, "ab")
        try:
            return subprocess.Popen(["wine", program, *args], env=self.env, cwd=cwd or os.path.dirname(program),
                                    stdout=log, stderr=log)
        finally:
            log.close()

    @staticmethod
    def windows_path(path):
        """The Windows name of a file of this machine: drive Z: is its root."""
        return "Z:" + os.path.abspath(path).replace("/", "\\")

    def drive_c(self, *parts):
        return os.path.join(self.env["WINEPREFIX"], "drive_c", *parts)

    def user_folder(self, *parts):
        """A folder of the Wine user's profile (drive_c/users/<user>/...), its
        links followed (Wine links Pictures and the like into the home folder)."""
        users = self.drive_c("users")
        names = [n for n in os.listdir(users) if n != "Public"]
        if len(names) != 1:
            raise Failure(f"cannot tell the Wine user among {names}")
        return os.path.realpath(os.path.join(users, names[0], *parts))

    def close(self):
        subprocess.run(["wineserver", "-k"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=60)


class Session:
    """An X server, its desktop and a booted Wine prefix in one temporary
    folder, all ended and removed on leaving the `with` block."""

    def __init__(self, keep=False):
        self.keep = keep

    def __enter__(self):
        self.folder = tempfile.mkdtemp(prefix="qa-wine-")
        try:
            self.server = XServer()
            self.desktop = Desktop(self.server)
            self.wine = WinePrefix(self.server, self.folder)
            self.wine.boot()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *exc):
        if hasattr(self, "wine"):
            self.wine.close()
        if hasattr(self, "server"):
            self.server.close()
        if not self.keep:
            shutil.rmtree(self.folder, ignore_errors=True)
        return False


class Steps:
    """Runs the steps of a check one after another, printing "ok: STEP" or
    "FAILED: STEP: why" with the windows then on screen, and a picture of the
    screen for each failure in `artefacts`. A failed step marked fatal ends
    the check (Abort); the others let it go on."""

    class Abort(Exception):
        pass

    def __init__(self, label, artefacts=None):
        self.label = label
        self.artefacts = artefacts
        self.desktop = None
        self.passed = 0
        self.failed = 0

    def run(self, title, action, fatal=False):
        try:
            note = action()
        except Exception as failure:  # noqa: BLE001 - whatever breaks a step is that step's failure
            if not isinstance(failure, Failure):
                traceback.print_exc()
            self.failed += 1
            shown = self.desktop.titles() if self.desktop else []
            print(f"FAILED: {title}: {failure} (windows on screen: {shown})", flush=True)
            self._keep_screen(title)
            if fatal:
                raise Steps.Abort() from None
            return False
        self.passed += 1
        print(f"ok: {title}" + (f" ({note})" if note else ""), flush=True)
        return True

    def _keep_screen(self, title):
        if not (self.artefacts and self.desktop):
            return
        os.makedirs(self.artefacts, exist_ok=True)
        name = f"{self.label}-{self.passed + self.failed:02d}-" + "".join(c if c.isalnum() else "-" for c in title)
        path = os.path.join(self.artefacts, name[:80] + ".png")
        self.desktop.grab().save(path)
        print(f"  the screen then: {path}")

    def keep_log(self, path):
        """Keeps a copy of a log with the pictures of the screen when a step failed."""
        if self.failed and self.artefacts and os.path.exists(path):
            os.makedirs(self.artefacts, exist_ok=True)
            kept = os.path.join(self.artefacts, f"{self.label}-{os.path.basename(path)}")
            shutil.copy(path, kept)
            print(f"  the log: {kept}")

    def summary(self):
        """Prints the closing line; the exit status of the check."""
        print(f"{self.label}: {self.passed} passed, {self.failed} failed", flush=True)
        return 0 if self.failed == 0 else 1
