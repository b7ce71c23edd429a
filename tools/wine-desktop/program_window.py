"""The Windows program's windows as a person finds them on the screen: the
splash and about box, the main window's controls at their places in the
client area, its menus reached with the keyboard (the menus have no
accelerator letters: F10, then the arrow keys and Return)."""
import os
import shutil
import time

from PIL import Image

from palm_desktop import APP_TITLE, LINUX_BIN, ROOT, WINDOWS_BIN
from picture_search import find_image
from wine_desktop import SCREEN, Failure, missing_tools, wait_until

CLIENT = (492, 328)
ABOUT_SIZE = (200, 220)
ABOUT_TITLE = "About"
SAVE_AS_TITLE = "Save Bitmap As..."
HELP_PAGE = "QuilloryAlbum.htm"
ABOUT_PICTURE = os.path.join(ROOT, "resources", "about.bmp")

# Places in the client area: the user box and the picture list (x, y, width,
# height), the list's item height, and the Export All button of the tool bar.
USER_BOX = (338, 49, 145, 23)
PICTURE_LIST = (338, 90, 145, 101)
LIST_ITEM_HEIGHT = 15
EXPORT_ALL_BUTTON = (77 + 23 // 2, 12)

# The menus' items as the arrow keys reach them from the menu bar. Picture:
# Open from PDB, Save, Save As..., Export All, Exit; Help: Instructions, About.
MENU_EXPORT_ALL = ("F10", "Down", "Down", "Down", "Down", "Return")
MENU_SAVE_AS = ("F10", "Down", "Down", "Down", "Return")
MENU_EXIT = ("F10", "Down", "Up", "Return")  # up from the first item to the last
MENU_ABOUT = ("F10", "Right", "Down", "Down", "Return")


def missing_parts(program):
    """What the checks need that is not there, as one line, or ""."""
    needed = [program, os.path.join(WINDOWS_BIN, "UserData.dll"), os.path.join(LINUX_BIN, "make-demo-album"),
              os.path.join(LINUX_BIN, "qalbum")]
    missing = [os.path.relpath(p, ROOT) for p in needed if not os.path.exists(p)] + missing_tools()
    return ("not there yet: " + ", ".join(missing)) if missing else ""


def copy_program(program, folder):
    """A portable copy of the program in `folder`, with the help page and the
    libraries beside it (not the stand-in UserData.dll, which belongs to the
    Palm Desktop); its path."""
    os.makedirs(folder)
    beside = os.path.dirname(program)
    libraries = [n for n in os.listdir(beside) if n.lower().endswith(".dll") and n != "UserData.dll"]
    for name in [os.path.basename(program), HELP_PAGE] + libraries:
        if os.path.isfile(os.path.join(beside, name)):
            shutil.copy(os.path.join(beside, name), folder)
    return os.path.join(folder, os.path.basename(program))


def check_centred(window):
    left, top, width, height = window.geometry()
    want = ((SCREEN[0] - width) // 2, (SCREEN[1] - height) // 2)
    if abs(left - want[0]) > 1 or abs(top - want[1]) > 1:
        raise Failure(f"{window} lies at {left}, {top}, not centred at {want[0]}, {want[1]}")


def about_picture_has_see_through_pixels():
    with Image.open(ABOUT_PICTURE) as picture:
        return (255, 255, 255) in {colour for _, colour in picture.convert("RGB").getcolors(1 << 24)}


def check_about_window(about):
    """The about box: borderless at the picture's size, centred, and shaped by
    its window region: cut where the picture is pure white, else the whole
    rectangle set as its shape. Returns what the shape is."""
    _, _, width, height = about.geometry()
    if (width, height) != ABOUT_SIZE:
        raise Failure(f"{about} measures {width} x {height}, not a borderless {ABOUT_SIZE[0]} x {ABOUT_SIZE[1]}")
    check_centred(about)
    rectangles = about.shape_rectangles()
    if rectangles is None:
        raise Failure(f"{about} has no window region: its X window has no bounding shape")
    see_through = about_picture_has_see_through_pixels()
    if see_through != about.is_non_rectangular():
        raise Failure(f"{about}'s shape is {len(rectangles)} rectangles, though the about picture has "
                      + ("pure white pixels to cut away" if see_through else "no pure white pixel"))
    if len(rectangles) == 1:
        return "shape set, the whole rectangle: the picture has no pure white"
    return f"shaped, {len(rectangles)} rectangles"


def check_splash(desktop, process, timeout):
    """The splash: the about box shows first, alone, and closes by itself
    after about two seconds; only then does the main window show."""
    about = desktop.wait_window(ABOUT_TITLE, timeout, process=process)
    seen = time.monotonic()
    shape = check_about_window(about)

    def closed():
        main_shown = desktop.windows_titled(APP_TITLE)
        if not about.is_mapped():
            return True
        if main_shown:
            raise Failure("the main window showed while the splash was on screen")
        return False

    wait_until("the splash to close by itself", closed, 30)
    shown = time.monotonic() - seen
    if shown < 1.5:
        raise Failure(f"the splash closed after {shown:.1f} s, not about two seconds")
    return f"{shape}; shown {shown:.1f} s"


def stays_open(window, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if not window.is_mapped():
            raise Failure(f"{window} closed by itself")
        time.sleep(0.1)


def check_about_box(desktop, open_command):
    """About from the menu: the about box, which stays until it is clicked."""
    open_command()
    about = desktop.wait_window(ABOUT_TITLE, 30)
    shape = check_about_window(about)
    stays_open(about, 3)
    about.click((ABOUT_SIZE[0] // 2, ABOUT_SIZE[1] // 2))
    about.wait_gone(10, "the about box to close on a click")
    return shape


class MainWindow:
    """The main window, driven through its client area and its menus."""

    def __init__(self, window):
        self.window = window
        self.desktop = window.desktop

    def check_frame(self):
        self.window.client_origin(CLIENT)
        check_centred(self.window)

    def click(self, point):
        self.window.click(point, CLIENT)

    def wait_caption(self, caption, timeout=15):
        wait_until(f"the caption {caption!r}", lambda: self.window.title() == caption, timeout,
                   seen=lambda: f"the caption is {self.window.title()!r}")

    def client_picture(self):
        left, top = self.window.client_origin(CLIENT)
        return self.window.screenshot().crop((left, top, left + CLIENT[0], top + CLIENT[1]))

    def wait_picture(self, picture, name, timeout=15):
        """Waits until the client area shows `picture` pixel for pixel."""
        wait_until(f"the window to show the picture of {name} pixel for pixel",
                   lambda: find_image(self.client_picture(), picture), timeout, interval=0.2)

    def pick_user_by_keyboard(self, steps_down):
        """Tab from the picture list to the user box, open it, go down from the
        first user and take the one reached."""
        self.window.keys("Tab", "alt+Down", *(["Down"] * steps_down), "Return")

    def pick_user_by_mouse(self, index, count):
        """Opens the user box with a click and clicks user `index` of `count`
        in its drop-down list."""
        before = self.desktop.mapped_windows()
        x, y, width, height = USER_BOX
        left, bottom = self.window.screen_point((x, y + height), CLIENT)
        self.click((x + width // 2, y + height // 2))

        def below_user_box(window):  # not a tool tip, say
            popup_left, popup_top, _, _ = window.geometry()
            return abs(popup_left - left) <= 4 and abs(popup_top - bottom) <= 4

        popup = self.desktop.wait_new_window(before, 10, "the user box's drop-down list", below_user_box)
        _, _, width, height = popup.geometry()
        popup.click((width // 2, height * (2 * index + 1) // (2 * count)))
        popup.wait_gone(10, "the drop-down list to close on the click")

    def click_list_entry(self, index):
        x, y, width, _ = PICTURE_LIST
        self.click((x + width // 3, y + 2 + index * LIST_ITEM_HEIGHT + LIST_ITEM_HEIGHT // 2))

    def menu_export_all(self):
        self.window.keys(*MENU_EXPORT_ALL)

    def tool_export_all(self):
        self.click(EXPORT_ALL_BUTTON)

    def menu_about(self):
        self.window.keys(*MENU_ABOUT)

    def menu_exit(self):
        self.window.keys(*MENU_EXIT)

    def dismiss_message(self, timeout):
        """Waits for the program's message box and answers it with Return."""
        box = self.desktop.wait_window(APP_TITLE, timeout, exclude=[self.window])
        box.keys("Return")
        box.wait_gone(10, "the message box to close on Return")

    def save_as(self, windows_path):
        """Save As from the menu; the path typed over the proposed file name."""
        self.window.keys(*MENU_SAVE_AS)
        dialog = self.desktop.wait_window(SAVE_AS_TITLE, 30)
        dialog.keys("Home", "shift+End")
        dialog.type(windows_path)
        dialog.keys("Return")
        dialog.wait_gone(20, "the save dialog to close")


def expect_same_file(path, reference):
    with open(path, "rb") as a, open(reference, "rb") as b:
        got, want = a.read(), b.read()
    if got != want:
        differ = next((i for i, (x, y) in enumerate(zip(got, want)) if x != y), min(len(got), len(want)))
        raise Failure(f"{path} ({len(got)} bytes) differs from qalbum convert's {reference} ({len(want)} bytes) "
                      f"from byte {differ} on")


def check_exported(palm, folder, databases, first):
    """Pic_<first> ... are the databases' pictures in list order, byte for
    byte as qalbum convert writes them, and the folder holds no other file."""
    last = first + len(databases) - 1
    wanted = {f"Pic_{n}.bmp" for n in range(1, last + 1)}
    wait_until(f"Pic_1.bmp to Pic_{last}.bmp in {folder}",
               lambda: os.path.isdir(folder) and wanted <= set(os.listdir(folder)), 10)
    extra = sorted(set(os.listdir(folder)) - wanted)
    if extra:
        raise Failure(f"{folder} holds more than Pic_1.bmp to Pic_{last}.bmp: {extra}")
    for n, database in enumerate(databases, first):
        expect_same_file(os.path.join(folder, f"Pic_{n}.bmp"), palm.reference_bmp(database))
    return f"Pic_{first}.bmp to Pic_{last}.bmp"
